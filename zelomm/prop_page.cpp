#include "zelomm/prop_page.h"

#include "zelomm/about.h"

namespace dorrin::zelomm {

com::HRESULT ZelommPropPage::SetObjects(unsigned count, com::IUnknown *const *objects) {
  control_.reset();
  if (count == 0) return com::S_OK;
  if (!objects || !objects[0]) return com::E_POINTER;
  return objects[0]->QueryInterface(com::IDispatch::iid, control_.put());
}

com::HRESULT ZelommPropPage::Activate(QWidget *parent, QWidget **page) {
  if (!page) return com::E_POINTER;
  *page = nullptr;
  if (!control_) return com::E_UNEXPECTED;
  try {
    page_ = new GeneralPage(control_.get(), parent);
  } catch (...) {
    return com::E_OUTOFMEMORY;
  }
  *page = page_.data();
  return com::S_OK;
}

com::HRESULT ZelommPropPage::Apply() {
  if (!page_) return com::E_UNEXPECTED;
  return page_->apply() ? com::S_OK : com::S_FALSE;
}

com::HRESULT ZelommPropPage::IsPageDirty() {
  return page_ && page_->dirty() ? com::S_OK : com::S_FALSE;
}

} // namespace dorrin::zelomm
