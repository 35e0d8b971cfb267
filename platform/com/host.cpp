#include "platform/com/host.h"

#include "platform/com/loader.h"
#include "platform/com/log.h"

namespace dorrin::com {
namespace {
// The dynamic property on a control's window that holds its IDispatch.
constexpr const char *kHostedControl = "dorrinHostedControl";
} // namespace

class ControlHost::Site final : public Object<IOleClientSite> {
public:
  explicit Site(ControlHost *host) : host_(host) {}
  void detach() { host_ = nullptr; }

  QWidget *GetParentWidget() override { return host_ ? host_->parent_.data() : nullptr; }
  HRESULT GetAmbientProperty(DISPID id, Variant *value) override {
    if (!value) return E_POINTER;
    if (!host_) return DISP_E_MEMBERNOTFOUND;
    auto it = host_->ambient_.find(id);
    if (it == host_->ambient_.end()) return DISP_E_MEMBERNOTFOUND;
    *value = it->second;
    return S_OK;
  }
  HRESULT OnControlChanged() override {
    if (host_) host_->changed_ = true;
    return S_OK;
  }

private:
  ControlHost *host_;
};

class ControlHost::Sink final : public Object<IDispatch> {
public:
  Sink(ControlHost *host, const IID &events) : host_(host), events_(events) {}
  void detach() { host_ = nullptr; }

  HRESULT GetIDsOfNames(const std::string *, unsigned count, DISPID *ids) override {
    for (unsigned i = 0; i < count; ++i)
      ids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT Invoke(DISPID id, std::uint16_t, DispParams &params, Variant *, ExcepInfo *,
                 unsigned *) override {
    if (!host_ || !host_->handler_) return S_OK;
    try {
      host_->handler_(id, params.args);
    } catch (const std::exception &e) {
      qCWarning(lcCom) << "event handler failed:" << e.what();
    } catch (...) {
      qCWarning(lcCom) << "event handler failed";
    }
    return S_OK;
  }

protected:
  void *queryExtra(const IID &iid) override {
    return iid == events_ ? static_cast<IDispatch *>(this) : nullptr;
  }

private:
  ControlHost *host_;
  IID events_;
};

HRESULT ControlHost::create(std::string_view classText, const IID &eventsIid, QWidget *parent,
                            std::unique_ptr<ControlHost> *out) {
  if (!out) return E_POINTER;
  out->reset();
  CLSID clsid;
  if (failed(clsidFromString(classText, &clsid))) return REGDB_E_CLASSNOTREG;
  ComPtr<IUnknown> unk;
  const HRESULT hr = createInstance(clsid, IUnknown::iid, unk.put());
  if (failed(hr)) return hr;
  return attach(unk.get(), eventsIid, parent, out);
}

HRESULT ControlHost::attach(IUnknown *control, const IID &eventsIid, QWidget *parent,
                            std::unique_ptr<ControlHost> *out) {
  if (!out || !control) return E_POINTER;
  out->reset();
  std::unique_ptr<ControlHost> h(new ControlHost);
  h->parent_ = parent;
  h->ambient_[DISPID_AMBIENT_USERMODE] = Variant(true);
  h->ambient_[DISPID_AMBIENT_SCALEUNITS] = Variant("Twip");
  HRESULT hr = control->QueryInterface(IDispatch::iid, h->dispatch_.put());
  if (failed(hr)) return hr;
  h->site_ = new Site(h.get());
  // A control that refuses its site (e.g. one of a kind per container) is not created.
  if (succeeded(control->QueryInterface(IOleObject::iid, h->object_.put())))
    if (const HRESULT refused = h->object_->SetClientSite(h->site_); failed(refused)) {
      h->object_.reset();
      return refused;
    }
  if (eventsIid != GUID_NULL) {
    auto container = ComPtr<IUnknown>(control).as<IConnectionPointContainer>();
    if (container && succeeded(container->FindConnectionPoint(eventsIid, h->point_.put()))) {
      h->sink_ = new Sink(h.get(), eventsIid);
      if (failed(h->point_->Advise(h->sink_, &h->cookie_))) h->point_.reset();
    }
  }
  h->widget(); // marks the control's window
  *out = std::move(h);
  return S_OK;
}

ControlHost::~ControlHost() {
  if (marked_) marked_->setProperty(kHostedControl, QVariant());
  if (point_) point_->Unadvise(cookie_);
  if (object_) {
    object_->Close();
    object_->SetClientSite(nullptr);
  }
  point_.reset();
  object_.reset();
  dispatch_.reset();
  // The control may still hold them; they must no longer reach this host.
  if (site_) {
    site_->detach();
    site_->Release();
  }
  if (sink_) {
    sink_->detach();
    sink_->Release();
  }
}

QWidget *ControlHost::widget() const {
  if (!dispatch_) return nullptr;
  auto window = ComPtr<IUnknown>(dispatch_.get()).as<IOleWindow>();
  QWidget *w = window ? window->GetWidget() : nullptr;
  if (w && w != marked_) {
    if (marked_) marked_->setProperty(kHostedControl, QVariant());
    w->setProperty(kHostedControl, QVariant::fromValue(static_cast<void *>(dispatch_.get())));
    marked_ = w;
  }
  return w;
}

ComPtr<IDispatch> hostedControl(const QWidget *w) {
  if (!w) return {};
  const QVariant v = w->property(kHostedControl);
  if (!v.isValid()) return {};
  return ComPtr<IDispatch>(static_cast<IDispatch *>(v.value<void *>()));
}

HRESULT ControlHost::put(DISPID id, Variant value, ExcepInfo *ei) {
  return putProperty(dispatch_.get(), id, std::move(value), ei);
}
HRESULT ControlHost::get(DISPID id, Variant *value, ExcepInfo *ei) {
  return getProperty(dispatch_.get(), id, value, ei);
}
HRESULT ControlHost::call(DISPID id, std::vector<Variant> args, Variant *result, ExcepInfo *ei) {
  return callMethod(dispatch_.get(), id, std::move(args), result, ei);
}

void ControlHost::setUserMode(bool userMode) {
  setAmbient(DISPID_AMBIENT_USERMODE, userMode);
}

void ControlHost::setAmbient(DISPID id, Variant value) {
  ambient_[id] = std::move(value);
  if (dispatch_)
    if (auto ctl = ComPtr<IUnknown>(dispatch_.get()).as<IOleControl>())
      ctl->OnAmbientPropertyChange(id);
}

} // namespace dorrin::com
