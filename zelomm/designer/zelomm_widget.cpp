#include "zelomm/designer/zelomm_widget.h"

#include "platform/com/loader.h"
#include "platform/com/log.h"
#include "platform/com/registry.h"
#include "platform/paths/data_folder.h"
#include "platform/com/resources.h"
#include "zelomm/zelomm_ids.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QResizeEvent>
#include <climits>

using namespace dorrin;

namespace {

std::int16_t toI2(int v) {
  return static_cast<std::int16_t>(std::clamp(v, SHRT_MIN, SHRT_MAX));
}

QString text(const com::Variant &v) {
  return QString::fromStdString(v.str());
}

} // namespace

bool Zelomm::ensureRegistered() {
  const QString registered = com::registeredLibrary(zelomm::CLSID_Zelomm);
  if (!registered.isEmpty() && QFileInfo::exists(registered)) return true;
  // The library ships in the program's folder; a Designer plugin sits in a
  // "designer" folder below it.
  const QString here = QFileInfo(QString::fromStdString(com::modulePath(
                                     reinterpret_cast<const void *>(&Zelomm::ensureRegistered))))
                           .absolutePath();
  QStringList candidates{here, here + QStringLiteral("/..")};
  // A program beside the installed libraries (<prefix>/bin -> <prefix>/lib/dorrin).
  candidates << paths::shippedFolders(QCoreApplication::applicationDirPath());
  for (const QString &dir : candidates) {
    const QString library = QDir(dir).absoluteFilePath(QStringLiteral("libzelomm.so"));
    if (!QFileInfo::exists(library)) continue;
    if (com::succeeded(com::registerServer(QFileInfo(library).canonicalFilePath().toStdString())))
      return true;
  }
  qCWarning(com::lcCom) << "the ZELOMM control library is neither registered nor found";
  return false;
}

Zelomm::Zelomm(QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Zelomm"));
  ensureRegistered();
  const com::HRESULT hr =
      com::ControlHost::create(zelomm::kProgId, zelomm::DIID__DZelommEvents, this, &host_);
  if (com::failed(hr)) {
    qCWarning(com::lcCom) << "cannot create the ZELOMM control:"
                          << QString::fromStdString(com::errorText(hr));
    host_.reset();
    return;
  }
  host_->setEventHandler([this](com::DISPID id, const std::vector<com::Variant> &) {
    if (id == zelomm::eventidDone)
      emit Done();
    else if (id == zelomm::eventidStatusUpdate)
      emit StatusUpdate();
    else if (id == zelomm::eventidClick)
      emit Click();
  });
  bar_ = host_->widget();
  if (bar_) {
    bar_->move(0, 0);
    bar_->installEventFilter(this);
    resize(bar_->size());
  }
}

Zelomm::~Zelomm() {
  if (bar_) bar_->removeEventFilter(this);
  host_.reset();
}

void Zelomm::setDesignMode(bool design) {
  if (host_) host_->setUserMode(!design);
}

QSize Zelomm::sizeHint() const {
  return bar_ ? bar_->sizeHint() : QSize(234, 33);
}

QSize Zelomm::minimumSizeHint() const {
  return sizeHint();
}

void Zelomm::resizeEvent(QResizeEvent *e) {
  if (bar_ && bar_->size() != e->size()) bar_->resize(e->size());
  QWidget::resizeEvent(e);
}

// The bar grows or trims itself to its own rules; this widget follows it.
bool Zelomm::eventFilter(QObject *watched, QEvent *e) {
  if (watched == bar_ && e->type() == QEvent::Resize && bar_->size() != size())
    resize(bar_->size());
  return QWidget::eventFilter(watched, e);
}

com::Variant Zelomm::get(com::DISPID id) const {
  com::Variant v;
  if (host_) host_->get(id, &v);
  return v;
}

void Zelomm::put(com::DISPID id, com::Variant v) {
  if (!host_) return;
  host_->resetControlChanged();
  host_->put(id, std::move(v));
  if (host_->controlChanged()) emit controlChanged();
}

QString Zelomm::deviceType() const {
  return text(get(zelomm::dispidDeviceType));
}
void Zelomm::setDeviceType(const QString &v) {
  put(zelomm::dispidDeviceType, v.toStdString());
}
QString Zelomm::fileName() const {
  return text(get(zelomm::dispidFileName));
}
void Zelomm::setFileName(const QString &v) {
  put(zelomm::dispidFileName, v.toStdString());
}
int Zelomm::updateInterval() const {
  return get(zelomm::dispidUpdateInterval).i2();
}
void Zelomm::setUpdateInterval(int v) {
  put(zelomm::dispidUpdateInterval, toI2(v));
}
int Zelomm::bevelWidth() const {
  return host_ ? get(zelomm::dispidBevelWidth).i2() : 2;
}
void Zelomm::setBevelWidth(int v) {
  put(zelomm::dispidBevelWidth, toI2(v));
}
bool Zelomm::controlEnabled() const {
  return host_ ? get(com::DISPID_ENABLED).boolVal() : true;
}
void Zelomm::setControlEnabled(bool v) {
  setEnabled(v);
  passEnabled();
}

// Only this widget's own setting counts, not a disabled parent's.
void Zelomm::passEnabled() {
  const bool enabled = !testAttribute(Qt::WA_ForceDisabled);
  if (host_ && get(com::DISPID_ENABLED).boolVal() != enabled) put(com::DISPID_ENABLED, enabled);
}

void Zelomm::changeEvent(QEvent *e) {
  if (e->type() == QEvent::EnabledChange) passEnabled();
  QWidget::changeEvent(e);
}

void Zelomm::setCommand(const QString &word) {
  put(zelomm::dispidCommand, word.toStdString());
}
int Zelomm::error() const {
  return get(zelomm::dispidError).i2();
}
QString Zelomm::errorMessage() const {
  return text(get(zelomm::dispidErrorMessage));
}
int Zelomm::mode() const {
  return get(zelomm::dispidMode).i4();
}
int Zelomm::position() const {
  return get(zelomm::dispidPosition).i4();
}
int Zelomm::length() const {
  return get(zelomm::dispidLength).i4();
}

void Zelomm::showPropertyPages() {
  if (!host_) return;
  if (auto object = com::ComPtr<com::IUnknown>(host_->control()).as<com::IOleObject>())
    object->DoVerb(com::OLEIVERB_PROPERTIES, window());
}
