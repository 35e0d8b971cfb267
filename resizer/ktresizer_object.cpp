#include "resizer/ktresizer_object.h"

#include "platform/com/log.h"
#include "resizer/ktresz30_ids.h"
#include "resizer/strings.h"
#include "resizer/typelib.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <cmath>

namespace dorrin::resizer {
namespace {

using com::Variant;

MessageHandler &messageHandler() {
  static MessageHandler h;
  return h;
}

com::HRESULT argumentValue(com::DispParams &params, Variant *value, unsigned *argErr) {
  if (params.args.empty()) return com::DISP_E_BADPARAMCOUNT;
  *value = params.args.back();
  if (argErr) *argErr = 0;
  return com::S_OK;
}

// A managed widget as BeforeResize's Control: its name, class and place in
// the container's units, and the widget itself for in-process Qt hosts.
class WidgetObject final : public com::Object<com::IDispatch, IKtWidget> {
public:
  WidgetObject(QWidget *w, ScaleUnits units) : widget_(w), units_(units) {}
  QWidget *widget() override { return widget_; }

  com::HRESULT GetIDsOfNames(const std::string *names, unsigned count, com::DISPID *ids) override {
    static constexpr std::pair<std::string_view, com::DISPID> kNames[] = {
        {"Name", dispidWidgetName},   {"ClassName", dispidWidgetClassName},
        {"Left", dispidWidgetLeft},   {"Top", dispidWidgetTop},
        {"Width", dispidWidgetWidth}, {"Height", dispidWidgetHeight}};
    com::HRESULT hr = com::S_OK;
    for (unsigned i = 0; i < count; ++i) {
      ids[i] = com::DISPID_UNKNOWN;
      for (const auto &[n, id] : kNames)
        if (com::sameName(n, names[i])) ids[i] = id;
      if (ids[i] == com::DISPID_UNKNOWN) hr = com::DISP_E_UNKNOWNNAME;
    }
    return hr;
  }
  com::HRESULT Invoke(com::DISPID id, std::uint16_t flags, com::DispParams &, Variant *result,
                      com::ExcepInfo *, unsigned *) override {
    if (!(flags & com::DISPATCH_PROPERTYGET)) return com::DISP_E_MEMBERNOTFOUND;
    if (!widget_) return com::E_UNEXPECTED;
    Variant v;
    const QRect g = widget_->geometry();
    auto unit = [&](int px) { return Variant(static_cast<float>(units_.fromPixels(px))); };
    switch (id) {
    case dispidWidgetName:
      v = Variant(widget_->objectName().toStdString());
      break;
    case dispidWidgetClassName:
      v = Variant(widget_->metaObject()->className());
      break;
    case dispidWidgetLeft:
      v = unit(g.x());
      break;
    case dispidWidgetTop:
      v = unit(g.y());
      break;
    case dispidWidgetWidth:
      v = unit(g.width());
      break;
    case dispidWidgetHeight:
      v = unit(g.height());
      break;
    default:
      return com::DISP_E_MEMBERNOTFOUND;
    }
    if (result) *result = std::move(v);
    return com::S_OK;
  }

private:
  QPointer<QWidget> widget_;
  ScaleUnits units_;
};

} // namespace

MessageHandler setMessageHandler(MessageHandler handler) {
  return std::exchange(messageHandler(), std::move(handler));
}

void showMessage(QWidget *parent, const QString &text, const QString &caption) {
  if (messageHandler()) {
    messageHandler()(parent, text, caption);
    return;
  }
  if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
    qCWarning(com::lcCom).noquote() << caption << ":" << text;
    return;
  }
  QMessageBox::information(parent, caption, text);
}

// ---- KtResizeOptions ----

com::HRESULT ResizeOptionsObject::GetIDsOfNames(const std::string *names, unsigned count,
                                                com::DISPID *ids) {
  return idsOfNames(typeLibrary().options, names, count, ids);
}

com::HRESULT ResizeOptionsObject::Invoke(com::DISPID id, std::uint16_t flags,
                                         com::DispParams &params, Variant *result, com::ExcepInfo *,
                                         unsigned *argErr) {
  float *single = id == dispidNewLeft     ? &newLeft
                  : id == dispidNewTop    ? &newTop
                  : id == dispidNewWidth  ? &newWidth
                  : id == dispidNewHeight ? &newHeight
                                          : nullptr;
  bool *flag = id == dispidApplyNewSize       ? &applyNewSize
               : id == dispidApplyNewPosition ? &applyNewPosition
               : id == dispidResizeFonts      ? &resizeFonts
                                              : nullptr;
  if (!single && !flag) return com::DISP_E_MEMBERNOTFOUND;
  if (flags & com::DISPATCH_PROPERTYGET) {
    if (result) *result = single ? Variant(*single) : Variant(*flag);
    return com::S_OK;
  }
  if (!(flags & com::DISPATCH_PROPERTYPUT)) return com::DISP_E_MEMBERNOTFOUND;
  Variant v;
  if (const com::HRESULT hr = argumentValue(params, &v, argErr); com::failed(hr)) return hr;
  if (single) {
    const auto f = v.toR4();
    if (!f) return com::DISP_E_TYPEMISMATCH;
    *single = *f;
  } else {
    const auto b = v.toBool();
    if (!b) return com::DISP_E_TYPEMISMATCH;
    *flag = *b;
  }
  return com::S_OK;
}

void *ResizeOptionsObject::queryExtra(const com::IID &iid) {
  return iid == IID_IKtResizeOptions ? static_cast<com::IDispatch *>(this) : nullptr;
}

// ---- KtResizer ----

KtResizerObject::KtResizerObject(com::ModuleCount *module)
    : Object(module), module_(module),
      events_(new com::ConnectionPoint(this, DIID_DKtResizerEvents)) {}

KtResizerObject::~KtResizerObject() {
  engine_.reset();
  events_->detach();
  events_->Release();
}

void *KtResizerObject::queryExtra(const com::IID &iid) {
  return iid == IID_IKtResizer ? static_cast<com::IDispatch *>(this) : nullptr;
}

com::HRESULT KtResizerObject::GetIDsOfNames(const std::string *names, unsigned count,
                                            com::DISPID *ids) {
  return idsOfNames(typeLibrary().resizer, names, count, ids);
}

ScaleUnits KtResizerObject::units() const {
  Variant name;
  std::string text;
  if (site_ && com::succeeded(site_->GetAmbientProperty(com::DISPID_AMBIENT_SCALEUNITS, &name)))
    text = name.toString().value_or(std::string());
  double dpi = 96;
  if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
    if (const QScreen *s = QGuiApplication::primaryScreen()) dpi = s->logicalDotsPerInch();
  return ScaleUnits::fromAmbient(text, dpi);
}

bool KtResizerObject::designMode() const {
  return !com::ambientUserMode(site_.get());
}

void KtResizerObject::changed(com::DISPID) {
  dirty_ = true;
  if (site_) site_->OnControlChanged();
}

com::HRESULT KtResizerObject::Invoke(com::DISPID id, std::uint16_t flags, com::DispParams &params,
                                     Variant *result, com::ExcepInfo *ei, unsigned *argErr) {
  com::ComPtr<com::IDispatch> self(this); // an event handler may release the control
  try {
    if (flags & (com::DISPATCH_PROPERTYPUT | com::DISPATCH_PROPERTYPUTREF)) {
      if (params.args.empty()) return com::DISP_E_BADPARAMCOUNT;
      if (argErr) *argErr = 0;
    }
    return invokeMember(id, flags, params, result, ei);
  } catch (const std::bad_alloc &) {
    return com::raiseError(ei, errorCode(7), errorString(7), "KtResizer");
  } catch (...) {
    return com::raiseError(ei, errorCode(17), errorString(17), "KtResizer");
  }
}

com::HRESULT KtResizerObject::invokeMember(com::DISPID id, std::uint16_t flags,
                                           com::DispParams &params, Variant *result,
                                           com::ExcepInfo *ei) {
  const bool get = flags & com::DISPATCH_PROPERTYGET;
  const bool put = flags & (com::DISPATCH_PROPERTYPUT | com::DISPATCH_PROPERTYPUTREF);
  const bool method = flags & com::DISPATCH_METHOD;
  auto fail = [&](com::HRESULT error) {
    return com::raiseError(ei, error, errorDescription(error), "KtResizer");
  };
  auto ret = [&](Variant v) {
    if (result) *result = std::move(v);
    return com::S_OK;
  };
  const Variant *value = put ? &params.args.back() : nullptr;

  switch (id) {
  case dispidMaxHeight:
  case dispidMaxWidth:
  case dispidMinHeight:
  case dispidMinWidth: {
    const Limit l = id == dispidMaxHeight   ? Limit::MaxHeight
                    : id == dispidMaxWidth  ? Limit::MaxWidth
                    : id == dispidMinHeight ? Limit::MinHeight
                                            : Limit::MinWidth;
    if (put) {
      const auto v = value->toR8();
      if (!v) return com::DISP_E_TYPEMISMATCH;
      const PutResult r = putLimit(props_, l, *v, units());
      if (com::failed(r.error)) return fail(r.error);
      if (r.changed) {
        changed(id);
        if (engine_ && props_.enabled) engine_->applyLimits();
      }
      return com::S_OK;
    }
    if (get) return ret(Variant(static_cast<float>(getLimit(props_, l, units()))));
    break;
  }
  case dispidMaxFontSize:
  case dispidMinFontSize: {
    const bool maximum = id == dispidMaxFontSize;
    if (put) {
      const auto v = value->toR8();
      if (!v) return com::DISP_E_TYPEMISMATCH;
      const PutResult r = putFontSize(props_, maximum, *v);
      if (com::failed(r.error)) return fail(r.error);
      if (r.changed) changed(id);
      return com::S_OK;
    }
    if (get) return ret(Variant(maximum ? props_.maxFontSize : props_.minFontSize));
    break;
  }
  case dispidResizeFonts:
    if (put) {
      const auto v = value->toBool();
      if (!v) return com::DISP_E_TYPEMISMATCH;
      if (*v != props_.resizeFonts) {
        props_.resizeFonts = *v;
        changed(id);
      }
      return com::S_OK;
    }
    if (get) return ret(Variant(props_.resizeFonts));
    break;
  case dispidResizeStyle:
    if (put) {
      const auto v = value->toI4();
      if (!v) return fail(errorCode(380));
      const PutResult r = putResizeStyle(props_, *v);
      if (com::failed(r.error)) return fail(r.error);
      if (r.changed) {
        changed(id);
        if (engine_) engine_->relayout();
      }
      return com::S_OK;
    }
    if (get) return ret(Variant(props_.resizeStyle));
    break;
  case com::DISPID_ENABLED:
    if (put) {
      const auto v = value->toBool();
      if (!v) return com::DISP_E_TYPEMISMATCH;
      if (*v != props_.enabled) {
        props_.enabled = *v;
        changed(id);
        if (engine_) engine_->applyLimits();
      }
      return com::S_OK;
    }
    if (get) return ret(Variant(props_.enabled));
    break;
  case dispidTagVariant:
    if (put) {
      props_.tagVariant = *value;
      changed(id);
      return com::S_OK;
    }
    if (get) return ret(props_.tagVariant);
    break;
  case com::DISPID_ABOUTBOX:
    if (method) {
      showMessage(site_ ? site_->GetParentWidget() : nullptr,
                  QStringLiteral("KtResizer Control 3.0\n\nKeeps the controls of a form in "
                                 "proportion, position and font size as the form is resized."),
                  QStringLiteral("About KtResizer"));
      return com::S_OK;
    }
    break;
  case dispidCenterParent:
    if (method) {
      if (engine_) engine_->centerParent();
      return com::S_OK;
    }
    break;
  default:
    break;
  }
  return com::DISP_E_MEMBERNOTFOUND;
}

com::HRESULT KtResizerObject::FindConnectionPoint(const com::IID &iid,
                                                  com::IConnectionPoint **out) {
  if (!out) return com::E_POINTER;
  *out = nullptr;
  if (iid != DIID_DKtResizerEvents) return com::CONNECT_E_NOCONNECTION;
  events_->AddRef();
  *out = events_;
  return com::S_OK;
}

com::HRESULT KtResizerObject::SetClientSite(com::IOleClientSite *site) {
  try {
    if (!site) {
      engine_.reset();
      site_.reset();
      return com::S_OK;
    }
    QWidget *container = site->GetParentWidget();
    if (container && (!engine_ || engine_->container() != container) &&
        ResizeEngine::forContainer(container)) {
      showMessage(container, QString::fromStdString(loadString(idsOnePerContainer)),
                  QString::fromStdString(loadString(idsErrorCaption)));
      return com::E_UNEXPECTED;
    }
    site_ = com::ComPtr<com::IOleClientSite>(site);
    engine_.reset();
    if (container) {
      engine_ = std::make_unique<ResizeEngine>(container, nullptr, props_,
                                               static_cast<EngineClient &>(*this));
      if (!designMode()) engine_->activate();
    }
    return com::S_OK;
  } catch (...) {
    return com::E_UNEXPECTED;
  }
}

com::HRESULT KtResizerObject::GetClientSite(com::IOleClientSite **out) {
  if (!out) return com::E_POINTER;
  *out = com::ComPtr<com::IOleClientSite>(site_).detach();
  return com::S_OK;
}

com::HRESULT KtResizerObject::Close() {
  engine_.reset();
  site_.reset();
  return com::S_OK;
}

com::HRESULT KtResizerObject::OnAmbientPropertyChange(com::DISPID id) {
  if ((id == com::DISPID_AMBIENT_USERMODE || id == com::DISPID_UNKNOWN) && engine_ &&
      !designMode()) {
    engine_->activate();
    engine_->applyLimits();
  }
  return com::S_OK;
}

com::HRESULT KtResizerObject::FreezeEvents(bool freeze) {
  frozen_ += freeze ? 1 : (frozen_ > 0 ? -1 : 0);
  return com::S_OK;
}

com::HRESULT KtResizerObject::GetClassID(com::CLSID *clsid) {
  if (!clsid) return com::E_POINTER;
  *clsid = CLSID_KtResizer;
  return com::S_OK;
}

com::HRESULT KtResizerObject::InitNew() {
  props_ = ResizerProperties{};
  dirty_ = false;
  return com::S_OK;
}

com::HRESULT KtResizerObject::Load(com::IPropertyBag *bag, com::IErrorLog *log) {
  if (!bag) return com::E_POINTER;
  auto read = [&](const char *name, com::VARTYPE type) -> std::optional<Variant> {
    Variant v;
    switch (type) { // the bag converts to the type the variant holds
    case com::VT_R4:
      v = Variant(0.0f);
      break;
    case com::VT_I4:
      v = Variant(std::int32_t{0});
      break;
    case com::VT_BOOL:
      v = Variant(false);
      break;
    default:
      v = Variant(std::string());
      break;
    }
    if (com::failed(bag->Read(name, &v, log)) || v.type() != type) return std::nullopt;
    return v;
  };
  ResizerProperties p;
  // A stored limit or font size that is missing, unreadable or negative keeps its default.
  auto single = [&](const char *name, float &slot) {
    if (auto v = read(name, com::VT_R4); v && v->r4() >= 0 && std::isfinite(v->r4()))
      slot = v->r4();
  };
  single("MaxHeight", p.maxHeight);
  single("MaxWidth", p.maxWidth);
  single("MinHeight", p.minHeight);
  single("MinWidth", p.minWidth);
  single("MaxFontSize", p.maxFontSize);
  single("MinFontSize", p.minFontSize);
  const auto style = read("ResizeStyle", com::VT_I4);
  p.resizeStyle = style && (style->i4() == 0 || style->i4() == 1) ? style->i4() : 1;
  if (auto v = read("ResizeFonts", com::VT_BOOL)) p.resizeFonts = v->boolVal();
  const auto enabled = read("Enabled", com::VT_BOOL);
  p.enabled = enabled ? enabled->boolVal() : true;
  if (auto v = read("TagVariant", com::VT_BSTR)) p.tagVariant = *v;
  if (auto v = read("_ExtentX", com::VT_I4)) extentX_ = v->i4();
  if (auto v = read("_ExtentY", com::VT_I4)) extentY_ = v->i4();
  props_ = p;
  dirty_ = false;
  if (engine_ && !designMode()) {
    engine_->activate();
    engine_->applyLimits();
  }
  return com::S_OK;
}

com::HRESULT KtResizerObject::Save(com::IPropertyBag *bag, bool clearDirty, bool) {
  if (!bag) return com::E_POINTER;
  const std::pair<const char *, Variant> values[] = {
      {"_Version", Variant(kPersistVersion)},
      {"_ExtentX", Variant(extentX_)},
      {"_ExtentY", Variant(extentY_)},
      {"MaxHeight", Variant(props_.maxHeight)},
      {"MaxWidth", Variant(props_.maxWidth)},
      {"MinHeight", Variant(props_.minHeight)},
      {"MinWidth", Variant(props_.minWidth)},
      {"MaxFontSize", Variant(props_.maxFontSize)},
      {"MinFontSize", Variant(props_.minFontSize)},
      {"ResizeStyle", Variant(props_.resizeStyle)},
      {"ResizeFonts", Variant(props_.resizeFonts)},
      {"Enabled", Variant(props_.enabled)},
  };
  for (const auto &[name, v] : values)
    if (const com::HRESULT hr = bag->Write(name, v); com::failed(hr)) {
      qCWarning(com::lcCom) << loadString(idsSaveFailed).c_str() << name;
      return hr;
    }
  if (props_.tagVariant.type() == com::VT_BSTR && !props_.tagVariant.str().empty())
    if (const com::HRESULT hr = bag->Write("TagVariant", props_.tagVariant); com::failed(hr)) {
      qCWarning(com::lcCom) << loadString(idsSaveFailed).c_str() << "TagVariant";
      return hr;
    }
  if (clearDirty) dirty_ = false;
  return com::S_OK;
}

com::HRESULT KtResizerObject::IsDirty() {
  return dirty_ ? com::S_OK : com::S_FALSE;
}

void KtResizerObject::beforeResize(QWidget *control, com::IDispatch *object, ResizeOptions &o) {
  if (frozen_ || events_->sinkCount() == 0) return;
  const ScaleUnits u = units();
  auto *options = new ResizeOptionsObject(module_);
  options->newLeft = static_cast<float>(u.fromPixels(o.left));
  options->newTop = static_cast<float>(u.fromPixels(o.top));
  options->newWidth = static_cast<float>(u.fromPixels(o.width));
  options->newHeight = static_cast<float>(u.fromPixels(o.height));
  options->applyNewSize = o.applyNewSize;
  options->applyNewPosition = o.applyNewPosition;
  options->resizeFonts = o.resizeFonts;
  // Control: a hosted component itself, a plain widget through a small object.
  auto *widget = object ? nullptr : new WidgetObject(control, u);
  com::ComPtr<com::IDispatch> self(this);
  events_->fire(eventidBeforeResize,
                {Variant(object ? object : static_cast<com::IDispatch *>(widget)),
                 Variant(static_cast<com::IDispatch *>(options))});
  o.left = u.toPixels(options->newLeft);
  o.top = u.toPixels(options->newTop);
  o.width = u.toPixels(options->newWidth);
  o.height = u.toPixels(options->newHeight);
  o.applyNewSize = options->applyNewSize;
  o.applyNewPosition = options->applyNewPosition;
  o.resizeFonts = options->resizeFonts;
  if (widget) widget->Release();
  options->Release();
}

void KtResizerObject::resizeComplete() {
  if (frozen_) return;
  com::ComPtr<com::IDispatch> self(this);
  events_->fire(eventidResizeComplete);
}

} // namespace dorrin::resizer
