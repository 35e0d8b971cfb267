#pragma once
// The General property page as a component (class ZELOMM.ZelommPropPage.1):
// a container creates it through its registered class, gives it the control
// and shows its widget.
#include "platform/com/control.h"

#include <QPointer>

namespace dorrin::zelomm {

class GeneralPage;

class ZelommPropPage final : public com::Object<com::IPropertyPage> {
public:
  explicit ZelommPropPage(com::ModuleCount *module) : Object(module) {}
  com::HRESULT SetObjects(unsigned count, com::IUnknown *const *objects) override;
  com::HRESULT Activate(QWidget *parent, QWidget **page) override;
  com::HRESULT Apply() override;
  com::HRESULT IsPageDirty() override;

private:
  com::ComPtr<com::IDispatch> control_;
  QPointer<GeneralPage> page_;
};

} // namespace dorrin::zelomm
