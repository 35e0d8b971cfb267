#pragma once
// A form with a KtResizer hosted on it the way a container hosts a control:
// through its site (parent widget, ambient scale units) and its events.
#include "platform/com/host.h"
#include "resizer/ktresizer_object.h"
#include "resizer/ktresz30_ids.h"

#include <QCoreApplication>
#include <QWidget>
#include <functional>
#include <memory>

namespace dorrin::resizer::test {

struct BeforeResizeCall {
  QWidget *control = nullptr;
  float left = 0, top = 0, width = 0, height = 0;
  bool applySize = true, applyPosition = true, resizeFonts = true;
};

class HostedResizer {
public:
  // units: the container's ambient scale units ("pixels", "Twip", ...).
  explicit HostedResizer(QWidget *container, const char *units = "pixels") {
    object_ = new KtResizerObject();
    hr_ = com::ControlHost::attach(static_cast<com::IDispatch *>(object_), DIID_DKtResizerEvents,
                                   container, &host_);
    if (com::failed(hr_)) {
      object_->Release();
      object_ = nullptr;
      return;
    }
    host_->setAmbient(com::DISPID_AMBIENT_SCALEUNITS, units);
    host_->setEventHandler([this](com::DISPID id, const std::vector<com::Variant> &args) {
      if (id == eventidResizeComplete) ++completes;
      if (id != eventidBeforeResize || args.size() != 2) return;
      BeforeResizeCall call;
      const com::ComPtr<com::IUnknown> sender(args[0].unknown());
      if (auto w = sender.as<IKtWidget>())
        call.control = w->widget();
      else if (auto window = sender.as<com::IOleWindow>())
        call.control = window->GetWidget();
      com::IDispatch *o = args[1].dispatch();
      auto read = [&](com::DISPID d) {
        com::Variant v;
        com::getProperty(o, d, &v);
        return v;
      };
      call.left = read(dispidNewLeft).r4();
      call.top = read(dispidNewTop).r4();
      call.width = read(dispidNewWidth).r4();
      call.height = read(dispidNewHeight).r4();
      call.applySize = read(dispidApplyNewSize).boolVal();
      call.applyPosition = read(dispidApplyNewPosition).boolVal();
      call.resizeFonts = read(dispidResizeFonts).boolVal();
      calls.push_back(call);
      if (onBeforeResize) onBeforeResize(call.control, o);
    });
    object_->Release(); // the host holds it
  }

  com::HRESULT result() const { return hr_; }
  KtResizerObject *object() const { return host_ ? object_ : nullptr; }
  ResizeEngine *engine() const { return object() ? object_->engine() : nullptr; }
  com::ControlHost &host() { return *host_; }
  com::HRESULT put(com::DISPID id, com::Variant v, com::ExcepInfo *ei = nullptr) {
    return host_->put(id, std::move(v), ei);
  }
  com::Variant get(com::DISPID id) {
    com::Variant v;
    host_->get(id, &v);
    return v;
  }

  std::vector<BeforeResizeCall> calls;
  int completes = 0;
  std::function<void(QWidget *, com::IDispatch *options)> onBeforeResize;

private:
  KtResizerObject *object_ = nullptr;
  std::unique_ptr<com::ControlHost> host_;
  com::HRESULT hr_ = com::S_OK;
};

// Runs the posted deferred layouts.
inline void settle() {
  for (int i = 0; i < 3; ++i)
    QCoreApplication::sendPostedEvents();
}

} // namespace dorrin::resizer::test
