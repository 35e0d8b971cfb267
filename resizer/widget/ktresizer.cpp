#include "resizer/widget/ktresizer.h"

#include "platform/com/loader.h"
#include "platform/paths/data_folder.h"
#include "resizer/ktresz30_ids.h"
#include "resizer/properties.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QPainter>
#include <dlfcn.h>

Q_LOGGING_CATEGORY(lcResizerWidget, "ktresz30.widget")

namespace dorrin::resizer {
namespace {

com::HRESULT createFromLibrary(const QString &path, com::IUnknown **out) {
  if (!QFileInfo::exists(path)) return com::CO_E_DLLNOTFOUND;
  // Stays loaded for the process, as a registered server does.
  void *lib = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
  if (!lib) return com::CO_E_DLLNOTFOUND;
  auto get = reinterpret_cast<com::DllGetClassObjectFn>(dlsym(lib, "DllGetClassObject"));
  if (!get) return com::CO_E_ERRORINDLL;
  com::ComPtr<com::IClassFactory> factory;
  const com::CLSID clsid = CLSID_KtResizer;
  const com::IID iid = com::IClassFactory::iid;
  if (const com::HRESULT hr = get(&clsid, &iid, factory.put()); com::failed(hr)) return hr;
  return factory->CreateInstance(nullptr, com::IUnknown::iid, reinterpret_cast<void **>(out));
}

QStringList libraryCandidates() {
  QStringList dirs;
  Dl_info info{};
  if (dladdr(reinterpret_cast<const void *>(&createFromLibrary), &info) && info.dli_fname) {
    const QString own = QFileInfo(QFile::decodeName(info.dli_fname)).absolutePath();
    dirs << own << own + QStringLiteral("/..") << own + QStringLiteral("/../..");
  }
  // A program beside the installed libraries (<prefix>/bin -> <prefix>/lib/dorrin).
  if (QCoreApplication::instance())
    dirs << paths::shippedFolders(QCoreApplication::applicationDirPath());
#ifdef KTRESZ30_BUILD_DIR
  dirs << QStringLiteral(KTRESZ30_BUILD_DIR);
#endif
  QStringList paths;
  for (const QString &d : dirs)
    paths << QDir::cleanPath(d + QStringLiteral("/libktresz30.so"));
  return paths;
}

} // namespace

com::HRESULT createResizerComponent(com::IUnknown **out, QString *error) {
  if (!out) return com::E_POINTER;
  *out = nullptr;
  const QString explicitPath = qEnvironmentVariable("KTRESZ30_LIBRARY");
  if (!explicitPath.isEmpty()) {
    const com::HRESULT hr = createFromLibrary(explicitPath, out);
    if (com::failed(hr) && error)
      *error =
          QStringLiteral("%1: %2").arg(explicitPath, QString::fromStdString(com::errorText(hr)));
    return hr;
  }
  if (com::succeeded(
          com::createInstance(CLSID_KtResizer, com::IUnknown::iid, reinterpret_cast<void **>(out))))
    return com::S_OK;
  for (const QString &path : libraryCandidates())
    if (com::succeeded(createFromLibrary(path, out))) return com::S_OK;
  if (error) *error = QStringLiteral("libktresz30.so is neither registered nor found");
  return com::REGDB_E_CLASSNOTREG;
}

} // namespace dorrin::resizer

using namespace dorrin;
using com::Variant;

namespace {
QVariant toQt(const Variant &v) {
  switch (v.type()) {
  case com::VT_R4:
    return static_cast<double>(v.r4());
  case com::VT_BOOL:
    return v.boolVal();
  case com::VT_I4:
    return v.i4();
  case com::VT_BSTR:
    return QString::fromStdString(v.str());
  default:
    return {};
  }
}
Variant fromQt(const QVariant &v) {
  switch (v.typeId()) {
  case QMetaType::Bool:
    return Variant(v.toBool());
  case QMetaType::Int:
    return Variant(static_cast<std::int32_t>(v.toInt()));
  case QMetaType::QString:
    return Variant(v.toString().toStdString());
  default:
    return Variant(static_cast<float>(v.toDouble()));
  }
}
} // namespace

KtResizer::KtResizer(QWidget *parent, Mode mode) : QWidget(parent), mode_(mode) {
  setObjectName(QStringLiteral("KtResizer1"));
  resize(32, 32);
  if (mode_ == RunTime) hide(); // invisible at run time
  attach();
}

KtResizer::~KtResizer() {
  host_.reset();
}

void KtResizer::attach() {
  QWidget *container = parentWidget();
  if (!container || (host_ && container == container_)) return;
  host_.reset();
  container_ = container;
  com::ComPtr<com::IUnknown> unk;
  if (com::failed(resizer::createResizerComponent(unk.put(), &lastError_))) {
    qCWarning(lcResizerWidget).noquote() << "no resizer component:" << lastError_;
    return;
  }
  std::unique_ptr<com::ControlHost> host;
  const com::HRESULT hr =
      com::ControlHost::attach(unk.get(), resizer::DIID_DKtResizerEvents, container, &host);
  if (com::failed(hr)) {
    lastError_ = QString::fromStdString(com::errorText(hr));
    qCWarning(lcResizerWidget).noquote() << "resizer not created:" << lastError_;
    return;
  }
  // Qt forms measure in pixels; the designer is the component's design mode.
  host->setAmbient(com::DISPID_AMBIENT_SCALEUNITS, "pixels");
  host->setUserMode(mode_ == RunTime);
  host->setEventHandler(
      [this](com::DISPID id, const std::vector<Variant> &args) { onEvent(id, args); });
  host_ = std::move(host);
  const auto pending = std::exchange(pending_, {});
  for (auto it = pending.begin(); it != pending.end(); ++it)
    put(it.key(), it.value());
}

bool KtResizer::event(QEvent *e) {
  if (e->type() == QEvent::ParentChange) attach();
  return QWidget::event(e);
}

void KtResizer::paintEvent(QPaintEvent *) {
  if (mode_ == RunTime) return;
  QPainter p(this);
  const QRect r = rect().adjusted(0, 0, -1, -1);
  p.fillRect(r, palette().window());
  p.setPen(palette().windowText().color());
  p.drawRect(r);
  // Two corner arrows: the container's controls follow its size.
  const int m = 5;
  p.drawLine(r.topLeft() + QPoint(m, m), r.bottomRight() - QPoint(m, m));
  p.drawLine(r.topLeft() + QPoint(m, m), r.topLeft() + QPoint(m + 6, m));
  p.drawLine(r.topLeft() + QPoint(m, m), r.topLeft() + QPoint(m, m + 6));
  p.drawLine(r.bottomRight() - QPoint(m, m), r.bottomRight() - QPoint(m + 6, m));
  p.drawLine(r.bottomRight() - QPoint(m, m), r.bottomRight() - QPoint(m, m + 6));
}

com::IDispatch *KtResizer::control() const {
  return host_ ? host_->control() : nullptr;
}

QVariant KtResizer::get(int dispid, const QVariant &fallback) const {
  if (!host_) return pending_.value(dispid, fallback);
  Variant v;
  if (com::failed(host_->get(dispid, &v))) return fallback;
  return toQt(v);
}

void KtResizer::put(int dispid, const QVariant &value) {
  if (!host_) {
    pending_[dispid] = value;
    return;
  }
  com::ExcepInfo ei;
  if (const com::HRESULT hr = host_->put(dispid, fromQt(value), &ei); com::failed(hr)) {
    lastError_ =
        QString::fromStdString(ei.description.empty() ? com::errorText(hr) : ei.description);
    qCWarning(lcResizerWidget).noquote()
        << "KtResizer property" << dispid << "=" << value << "refused:" << lastError_;
  }
}

void KtResizer::onEvent(int dispid, const std::vector<Variant> &args) {
  if (dispid == resizer::eventidResizeComplete) {
    emit ResizeComplete();
    return;
  }
  if (dispid != resizer::eventidBeforeResize || args.size() != 2) return;
  QWidget *control = nullptr;
  const com::ComPtr<com::IUnknown> sender(args[0].unknown());
  if (auto w = sender.as<resizer::IKtWidget>())
    control = w->widget();
  else if (auto window = sender.as<com::IOleWindow>()) // a hosted component
    control = window->GetWidget();
  com::IDispatch *o = args[1].dispatch();
  if (!o) return;
  auto read = [o](com::DISPID id) {
    Variant v;
    com::getProperty(o, id, &v);
    return v;
  };
  KtResizeOptions opts;
  opts.NewLeft = read(resizer::dispidNewLeft).r4();
  opts.NewTop = read(resizer::dispidNewTop).r4();
  opts.NewWidth = read(resizer::dispidNewWidth).r4();
  opts.NewHeight = read(resizer::dispidNewHeight).r4();
  opts.ApplyNewSize = read(resizer::dispidApplyNewSize).boolVal();
  opts.ApplyNewPosition = read(resizer::dispidApplyNewPosition).boolVal();
  opts.ResizeFonts = read(resizer::dispidResizeFonts).boolVal();
  emit BeforeResize(control, opts);
  com::putProperty(o, resizer::dispidNewLeft, static_cast<float>(opts.NewLeft));
  com::putProperty(o, resizer::dispidNewTop, static_cast<float>(opts.NewTop));
  com::putProperty(o, resizer::dispidNewWidth, static_cast<float>(opts.NewWidth));
  com::putProperty(o, resizer::dispidNewHeight, static_cast<float>(opts.NewHeight));
  com::putProperty(o, resizer::dispidApplyNewSize, opts.ApplyNewSize);
  com::putProperty(o, resizer::dispidApplyNewPosition, opts.ApplyNewPosition);
  com::putProperty(o, resizer::dispidResizeFonts, opts.ResizeFonts);
}

// Each saved property reads and writes the component by its dispatch id; the
// default answers while no component is attached and nothing was put.
namespace {
const resizer::ResizerProperties kDefaults;
} // namespace

#define KTRESIZER_PROPERTY(Type, Name, Setter, Id, Default)                                        \
  Type KtResizer::Name() const {                                                                   \
    return get(Id, QVariant::fromValue<Type>(Default)).value<Type>();                              \
  }                                                                                                \
  void KtResizer::Setter(Type v) {                                                                 \
    put(Id, v);                                                                                    \
  }
KTRESIZER_PROPERTY(double, MaxHeight, setMaxHeight, resizer::dispidMaxHeight, kDefaults.maxHeight)
KTRESIZER_PROPERTY(double, MaxWidth, setMaxWidth, resizer::dispidMaxWidth, kDefaults.maxWidth)
KTRESIZER_PROPERTY(double, MinHeight, setMinHeight, resizer::dispidMinHeight, kDefaults.minHeight)
KTRESIZER_PROPERTY(double, MinWidth, setMinWidth, resizer::dispidMinWidth, kDefaults.minWidth)
KTRESIZER_PROPERTY(double, MaxFontSize, setMaxFontSize, resizer::dispidMaxFontSize,
                   kDefaults.maxFontSize)
KTRESIZER_PROPERTY(double, MinFontSize, setMinFontSize, resizer::dispidMinFontSize,
                   kDefaults.minFontSize)
KTRESIZER_PROPERTY(bool, ResizeFonts, setResizeFonts, resizer::dispidResizeFonts,
                   kDefaults.resizeFonts)
KTRESIZER_PROPERTY(bool, Enabled, setEnabledResizing, com::DISPID_ENABLED, kDefaults.enabled)
KTRESIZER_PROPERTY(QString, TagVariant, setTagVariant, resizer::dispidTagVariant, QString())
#undef KTRESIZER_PROPERTY

KtResizer::Constants_ResizeStyle KtResizer::ResizeStyle() const {
  return static_cast<Constants_ResizeStyle>(
      get(resizer::dispidResizeStyle, kDefaults.resizeStyle).toInt());
}
void KtResizer::setResizeStyle(Constants_ResizeStyle v) {
  put(resizer::dispidResizeStyle, static_cast<int>(v));
}

void KtResizer::AboutBox() {
  if (host_) host_->call(com::DISPID_ABOUTBOX);
}

void KtResizer::CenterParent() {
  if (host_) host_->call(resizer::dispidCenterParent);
}
