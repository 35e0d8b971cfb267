#include "zelomm/zelomm_object.h"

#include "platform/com/log.h"
#include "zelomm/about.h"
#include "zelomm/bar_widget.h"
#include "zelomm/dispatch.h"
#include "zelomm/persistence.h"
#include "zelomm/zelomm_ids.h"

namespace dorrin::zelomm {

ZelommObject::ZelommObject(com::ModuleCount *module, mci::Api &api)
    : Object(module), events_(new com::ConnectionPoint(this, DIID__DZelommEvents)),
      moduleCount_(module) {
  ctrl_ = std::make_unique<CZelommCtrl>(api, static_cast<CtrlHost &>(*this));
  window_ = win::registerWindow(
      [this](std::uint32_t msg, win::WPARAM w, win::LPARAM) { onMessage(msg, w); });
  ctrl_->setCallbackWindow(window_);
  QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
    com::ComPtr<com::IDispatch> self(this); // a sink may release the control
    try {
      ctrl_->onTimer();
    } catch (...) {
      qCWarning(com::lcCom) << "ZELOMM timer tick failed";
    }
  });
  ctrl_->windowCreated();
}

ZelommObject::~ZelommObject() {
  dropBar();
  timer_.stop();
  win::unregisterWindow(window_);
  try {
    ctrl_.reset(); // closes the device
  } catch (...) {
  }
  events_->detach();
  events_->Release();
}

void ZelommObject::onMessage(std::uint32_t msg, win::WPARAM wParam) {
  if (msg != mci::MM_MCINOTIFY) return;
  com::ComPtr<com::IDispatch> self(this);
  try {
    ctrl_->onMciNotify(wParam);
  } catch (...) {
    qCWarning(com::lcCom) << "ZELOMM notification failed";
  }
}

com::HRESULT ZelommObject::GetIDsOfNames(const std::string *names, unsigned count,
                                         com::DISPID *ids) {
  try {
    return zelomm::getIDsOfNames(names, count, ids);
  } catch (...) {
    return com::E_UNEXPECTED;
  }
}

com::HRESULT ZelommObject::Invoke(com::DISPID id, std::uint16_t flags, com::DispParams &params,
                                  com::Variant *result, com::ExcepInfo *excepInfo,
                                  unsigned *argErr) {
  com::ComPtr<com::IDispatch> self(this); // events fired inside may release the control
  return zelomm::invoke(*ctrl_, designMode(), id, flags, params, result, excepInfo, argErr);
}

com::HRESULT ZelommObject::FindConnectionPoint(const com::IID &iid, com::IConnectionPoint **out) {
  if (!out) return com::E_POINTER;
  *out = nullptr;
  if (iid != DIID__DZelommEvents) return com::CONNECT_E_NOCONNECTION;
  events_->AddRef();
  *out = events_;
  return com::S_OK;
}

com::HRESULT ZelommObject::SetClientSite(com::IOleClientSite *site) {
  site_ = com::ComPtr<com::IOleClientSite>(site);
  if (site_) placeBar();
  return com::S_OK;
}

void ZelommObject::placeBar() {
  QWidget *parent = site_ ? site_->GetParentWidget() : nullptr;
  if (!parent) return;
  if (bar_) {
    if (bar_->parentWidget() != parent) bar_->setParent(parent);
  } else {
    bar_ = new BarWidget(
        ctrl_.get(),
        [this] {
          com::ComPtr<com::IDispatch> self(this); // the container may release the control
          fireEvent(eventidClick);
        },
        moduleCount_, parent);
  }
  bar_->setEnabled(ctrl_->enabled());
  bar_->show();
}

// The bar may be inside its own mouse handler (a Click that released the
// control), so it is deleted once control returns to the event loop.
void ZelommObject::dropBar() {
  if (!bar_) return;
  bar_->detach();
  bar_->hide();
  bar_->deleteLater();
  bar_.clear();
}

QWidget *ZelommObject::GetWidget() {
  return bar_.data();
}

com::HRESULT ZelommObject::GetClientSite(com::IOleClientSite **out) {
  if (!out) return com::E_POINTER;
  *out = com::ComPtr<com::IOleClientSite>(site_).detach();
  return com::S_OK;
}

com::HRESULT ZelommObject::Close() {
  timer_.stop();
  dropBar();
  site_.reset();
  return com::S_OK;
}

com::HRESULT ZelommObject::DoVerb(long verb, QWidget *parent) {
  if (verb != com::OLEIVERB_PROPERTIES) return com::E_NOTIMPL;
  com::ComPtr<com::IDispatch> self(this);
  try {
    QDialog *sheet = makePropertySheet(this, parent);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->exec();
  } catch (...) {
    return com::E_UNEXPECTED;
  }
  return com::S_OK;
}

com::HRESULT ZelommObject::OnAmbientPropertyChange(com::DISPID) {
  return com::S_OK; // ambient properties are read from the site when needed
}

com::HRESULT ZelommObject::FreezeEvents(bool freeze) {
  frozen_ += freeze ? 1 : (frozen_ > 0 ? -1 : 0);
  return com::S_OK;
}

void *ZelommObject::queryExtra(const com::IID &iid) {
  return iid == DIID__DZelomm ? static_cast<com::IDispatch *>(this) : nullptr;
}

bool ZelommObject::designMode() const {
  return !com::ambientUserMode(site_.get());
}

void ZelommObject::setModified() {
  if (loading_) return;
  dirty_ = true;
  if (site_) site_->OnControlChanged();
}

void ZelommObject::setTimer(int periodMs) {
  if (periodMs <= 0)
    timer_.stop();
  else
    timer_.start(periodMs);
}

void ZelommObject::repaint() {
  if (!bar_) return;
  bar_->setEnabled(ctrl_->enabled());
  bar_->update();
}

void ZelommObject::aboutBox() {
  showAboutBox(site_ ? site_->GetParentWidget() : nullptr);
}

com::HRESULT ZelommObject::GetClassID(com::CLSID *clsid) {
  if (!clsid) return com::E_POINTER;
  *clsid = CLSID_Zelomm;
  return com::S_OK;
}

com::HRESULT ZelommObject::InitNew() {
  loading_ = true;
  initNewProperties(*ctrl_);
  loading_ = false;
  dirty_ = false;
  return com::S_OK;
}

com::HRESULT ZelommObject::Load(com::IPropertyBag *bag, com::IErrorLog *log) {
  QSize size = bar_ ? bar_->size() : QSize();
  loading_ = true;
  com::HRESULT hr;
  try {
    hr = loadProperties(*ctrl_, bag, log, &size);
  } catch (...) {
    hr = com::E_UNEXPECTED;
  }
  loading_ = false;
  if (bar_ && size.isValid()) bar_->resize(size);
  if (com::succeeded(hr)) dirty_ = false;
  return hr;
}

com::HRESULT ZelommObject::Save(com::IPropertyBag *bag, bool clearDirty, bool) {
  com::HRESULT hr;
  try {
    hr = saveProperties(*ctrl_, bar_ ? bar_->size() : QSize(kInitialWidth, kInitialHeight), bag);
  } catch (...) {
    hr = com::E_UNEXPECTED;
  }
  if (com::succeeded(hr) && clearDirty) dirty_ = false;
  return hr;
}

com::HRESULT ZelommObject::IsDirty() {
  return dirty_ ? com::S_OK : com::S_FALSE;
}

void ZelommObject::fireEvent(com::DISPID id) {
  if (frozen_) return;
  com::ComPtr<com::IDispatch> self(this);
  events_->fire(id);
}

} // namespace dorrin::zelomm
