#pragma once
// The KtResizer control as a component: IKtResizer by dispatch, its events on
// a connection point, the container's site (parent widget, ambient scale
// units and user mode), persistence through a property bag, and the resize
// engine that works on the container. KtResizeOptions is the companion object
// handed to BeforeResize.
#include "platform/com/connection.h"
#include "platform/com/control.h"
#include "platform/com/persist.h"
#include "resizer/resize_engine.h"

#include <QString>
#include <functional>
#include <memory>

namespace dorrin::resizer {

// How the library shows its few message boxes (the one-per-container message,
// the about box); tests replace it. Returns the previous handler.
using MessageHandler =
    std::function<void(QWidget *parent, const QString &text, const QString &caption)>;
MessageHandler setMessageHandler(MessageHandler handler);
void showMessage(QWidget *parent, const QString &text, const QString &caption);

class ResizeOptionsObject final : public com::Object<com::IDispatch> {
public:
  explicit ResizeOptionsObject(com::ModuleCount *module = nullptr) : Object(module) {}
  com::HRESULT GetIDsOfNames(const std::string *names, unsigned count, com::DISPID *ids) override;
  com::HRESULT Invoke(com::DISPID id, std::uint16_t flags, com::DispParams &params,
                      com::Variant *result, com::ExcepInfo *excepInfo, unsigned *argErr) override;

  float newLeft = 0, newTop = 0, newWidth = 0, newHeight = 0;
  bool applyNewSize = true, applyNewPosition = true, resizeFonts = true;

protected:
  void *queryExtra(const com::IID &iid) override;
};

class KtResizerObject final
    : public com::Object<com::IDispatch, com::IConnectionPointContainer, com::IOleObject,
                         com::IOleControl, com::IPersistPropertyBag>,
      private EngineClient {
public:
  explicit KtResizerObject(com::ModuleCount *module = nullptr);
  ~KtResizerObject() override;

  com::HRESULT GetIDsOfNames(const std::string *names, unsigned count, com::DISPID *ids) override;
  com::HRESULT Invoke(com::DISPID id, std::uint16_t flags, com::DispParams &params,
                      com::Variant *result, com::ExcepInfo *excepInfo, unsigned *argErr) override;

  com::HRESULT FindConnectionPoint(const com::IID &iid, com::IConnectionPoint **out) override;

  com::HRESULT SetClientSite(com::IOleClientSite *site) override;
  com::HRESULT GetClientSite(com::IOleClientSite **out) override;
  com::HRESULT Close() override;

  com::HRESULT OnAmbientPropertyChange(com::DISPID id) override;
  com::HRESULT FreezeEvents(bool freeze) override;

  com::HRESULT GetClassID(com::CLSID *clsid) override;
  com::HRESULT InitNew() override;
  com::HRESULT Load(com::IPropertyBag *bag, com::IErrorLog *log) override;
  com::HRESULT Save(com::IPropertyBag *bag, bool clearDirty, bool saveAllProperties) override;
  com::HRESULT IsDirty() override;

  const ResizerProperties &properties() const { return props_; }
  ResizeEngine *engine() const { return engine_.get(); }

protected:
  void *queryExtra(const com::IID &iid) override;

private:
  void beforeResize(QWidget *control, com::IDispatch *object, ResizeOptions &options) override;
  void resizeComplete() override;
  bool designMode() const override;
  ScaleUnits scaleUnits() const override { return units(); }

  ScaleUnits units() const;
  void changed(com::DISPID id);
  com::HRESULT invokeMember(com::DISPID id, std::uint16_t flags, com::DispParams &params,
                            com::Variant *result, com::ExcepInfo *ei);

  com::ModuleCount *module_;
  com::ConnectionPoint *events_;
  com::ComPtr<com::IOleClientSite> site_;
  ResizerProperties props_;
  std::unique_ptr<ResizeEngine> engine_;
  std::int32_t extentX_ = 847, extentY_ = 847; // HIMETRIC, 32 x 32 pixels at 96 dpi
  int frozen_ = 0;
  bool dirty_ = false;
};

// The version persisted as "_Version" (3.0).
inline constexpr std::int32_t kPersistVersion = (3 << 16) | 0;

} // namespace dorrin::resizer
