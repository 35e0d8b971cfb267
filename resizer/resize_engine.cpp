#include "resizer/resize_engine.h"

#include "platform/com/host.h"
#include "resizer/ktresz30_ids.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLayout>
#include <QLoggingCategory>
#include <QScreen>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <mutex>

Q_LOGGING_CATEGORY(lcResizer, "ktresz30.resize")

namespace dorrin::resizer {
namespace {

// The deferred layout for a size change, and the first layout after showing.
const QEvent::Type kDeferredResize = static_cast<QEvent::Type>(QEvent::User + 1001);
const QEvent::Type kFirstLayout = static_cast<QEvent::Type>(QEvent::User + 1002);

constexpr double kTolerance = 2;
// Line end points are kept by the form runtime in twips.
constexpr double kTwipsPerPixel = 15;

std::mutex &enginesLock() {
  static std::mutex m;
  return m;
}
std::vector<ResizeEngine *> &engines() {
  static std::vector<ResizeEngine *> list;
  return list;
}

bool isLine(const QWidget *w) {
  const QMetaObject *m = w->metaObject();
  return m->indexOfProperty("X1") >= 0 && m->indexOfProperty("Y1") >= 0 &&
         m->indexOfProperty("X2") >= 0 && m->indexOfProperty("Y2") >= 0;
}

bool isComboBox(const QWidget *w) {
  return qobject_cast<const QComboBox *>(w) ||
         QByteArray(w->metaObject()->className()).contains("ComboBox");
}

bool isResizer(const QWidget *w) {
  for (const QMetaObject *m = w->metaObject(); m; m = m->superClass())
    if (qstrcmp(m->className(), "KtResizer") == 0) return true;
  return false;
}

// Widgets whose children are controls of the form (frames, plain widgets,
// group boxes, the form runtime's frames and panels), as opposed to widgets
// built of private parts (spin boxes, views) whose children are their own.
bool isContainerWidget(const QWidget *w) {
  if (w->property("ktContainer").toBool()) return true;
  const QMetaObject *m = w->metaObject();
  if (m == &QWidget::staticMetaObject || m == &QFrame::staticMetaObject ||
      qobject_cast<const QGroupBox *>(w))
    return true;
  const QByteArray name = m->className();
  return name == "dorrin::forms::KtFrame" || name == "dorrin::forms::KtPanel" ||
         name == "dorrin::forms::Form";
}

double px(const QVariant &twips) {
  return twips.toDouble() / kTwipsPerPixel;
}

} // namespace

double scaledFontSize(const FontEntry &f, double newWidth, double newHeight, double minFont,
                      double maxFont) {
  double s = f.start;
  if (f.perWidth > 0 && f.perHeight > 0)
    s = std::min(newWidth * f.perWidth, newHeight * f.perHeight);
  else if (f.perWidth > 0)
    s = newWidth * f.perWidth;
  else if (f.perHeight > 0)
    s = newHeight * f.perHeight;
  const double lower = std::min(f.start, minFont);
  const double upper = std::max(f.start, maxFont);
  return std::clamp(s, lower, upper);
}

QFont fontForSize(const FontEntry &f, double size) {
  if (size < kSmallFontLimit) {
    QFont small(QString::fromLatin1(kSmallFontFace));
    small.setPointSizeF(size);
    return small;
  }
  QFont font = f.startFont;
  font.setFamily(f.face);
  font.setPointSizeF(size);
  return font;
}

ResizeEngine::ResizeEngine(QWidget *container, QWidget *self, const ResizerProperties &props,
                           EngineClient &client)
    : container_(container), self_(self), props_(props), client_(client) {
  std::lock_guard g(enginesLock());
  engines().push_back(this);
}

ResizeEngine::~ResizeEngine() {
  {
    std::lock_guard g(enginesLock());
    std::erase(engines(), this);
  }
  if (container_) {
    container_->removeEventFilter(this);
    if (activated_) {
      container_->setMinimumSize(savedMin_);
      container_->setMaximumSize(savedMax_);
    }
  }
}

ResizeEngine *ResizeEngine::forContainer(const QWidget *container) {
  std::lock_guard g(enginesLock());
  for (ResizeEngine *e : engines())
    if (e->container_ && e->container_ == container) return e;
  return nullptr;
}

void ResizeEngine::activate() {
  if (activated_ || !container_) return;
  activated_ = true;
  design_ = container_->size();
  savedMin_ = container_->minimumSize();
  savedMax_ = container_->maximumSize();
  container_->installEventFilter(this);
  if (container_->isVisible()) QCoreApplication::postEvent(this, new QEvent(kFirstLayout));
}

bool ResizeEngine::active() const {
  if (!container_) return false;
  std::lock_guard g(enginesLock());
  for (const ResizeEngine *e : engines()) {
    if (e == this || !e->container_ || !e->activated_ || e->client_.designMode()) continue;
    if (e->props_.resizeStyle == ktAllChildren && e->container_ != container_ &&
        e->container_->isAncestorOf(container_))
      return false;
  }
  return true;
}

const ResizeEngine::Item *ResizeEngine::item(const QWidget *w) const {
  for (const auto &it : items_)
    if (it->widget == w) return it.get();
  return nullptr;
}

bool ResizeEngine::eventFilter(QObject *watched, QEvent *event) {
  if (watched != container_) return false;
  switch (event->type()) {
  case QEvent::Show:
    if (!laidOut_) QCoreApplication::postEvent(this, new QEvent(kFirstLayout));
    applyLimits(); // the window frame is known now
    break;
  case QEvent::Move:
    // The window manager's frame arrives after showing: the limits hold the outer size.
    if (container_->isWindow() && frameExtra() != limitsExtra_) applyLimits();
    break;
  case QEvent::Resize:
    if (container_->isWindow() && frameExtra() != limitsExtra_) applyLimits();
    if (laidOut_ && !container_->size().isEmpty() && !container_->window()->isMinimized())
      QCoreApplication::postEvent(this, new QEvent(kDeferredResize));
    break;
  default:
    break;
  }
  return false;
}

void ResizeEngine::customEvent(QEvent *event) {
  try {
    if (event->type() == kFirstLayout)
      firstLayout();
    else if (event->type() == kDeferredResize)
      deferredResize();
  } catch (const std::exception &e) {
    qCWarning(lcResizer) << "resize pass failed:" << e.what();
  } catch (...) {
    qCWarning(lcResizer) << "resize pass failed";
  }
}

void ResizeEngine::firstLayout() {
  if (laidOut_ || !container_ || client_.designMode()) return;
  // Fractions are taken against the size the form was designed at, then the
  // controls are placed for the size it has now.
  pass(design_);
  bool raised = raisedBefore_;
  if (container_) pass(container_->size());
  raised = raised || raisedBefore_;
  laidOut_ = true;
  if (!container_) return;
  applyLimits();
  if (raised) client_.resizeComplete();
  if (centerPending_) centerParent();
}

void ResizeEngine::deferredResize() {
  if (!container_ || !laidOut_) return;
  if (container_->window()->isMinimized()) return;
  const QSize size = container_->size();
  if (size.isEmpty()) return;
  const bool redraw = container_->updatesEnabled();
  container_->setUpdatesEnabled(false);
  pass(size);
  if (!container_) return;
  if (raisedBefore_) client_.resizeComplete();
  if (!container_) return;
  if (centerPending_) centerParent();
  container_->setUpdatesEnabled(redraw);
  container_->update();
}

void ResizeEngine::pass(QSize size) {
  raisedBefore_ = false;
  if (client_.designMode() || !container_) return;
  Change change = Change::Grown;
  if (!haveSize_) {
    base_ = current_ = size;
    haveSize_ = true;
  } else {
    base_ = current_;
    current_ = size;
    if (size.width() > base_.width() || size.height() > base_.height())
      change = Change::Grown;
    else if (size.width() < base_.width() || size.height() < base_.height())
      change = Change::Shrunk;
    else
      change = Change::Unchanged;
  }
  if (props_.enabled && active() && change != Change::Unchanged) {
    for (auto &it : items_)
      it->seen = false;
    inPass_ = true;
    layout();
    inPass_ = false;
    std::erase_if(items_, [](const auto &it) { return !it->seen || !it->widget; });
  }
}

void ResizeEngine::relayout() {
  if (!laidOut_ || !container_) return;
  base_ = current_; // the controls stand at the present size
  for (auto &it : items_)
    it->seen = false;
  inPass_ = true;
  layout();
  inPass_ = false;
  std::erase_if(items_, [](const auto &it) { return !it->seen || !it->widget; });
  if (raisedBefore_) client_.resizeComplete();
}

void ResizeEngine::collect(QWidget *parent, QWidget *page, bool recurse,
                           std::vector<std::pair<QWidget *, QWidget *>> &out) const {
  for (QObject *o : parent->children()) {
    auto *w = qobject_cast<QWidget *>(o);
    if (!w || w->isWindow() || w == self_ || isResizer(w)) continue;
    if (w->objectName().startsWith(QLatin1String("qt_"))) continue; // a widget's own parts
    out.emplace_back(w, page);
    if (!recurse || isComboBox(w) || w->layout()) continue;
    if (auto *tabs = qobject_cast<QTabWidget *>(w)) {
      for (int i = 0; i < tabs->count(); ++i)
        if (QWidget *p = tabs->widget(i); p && !p->layout()) collect(p, p, true, out);
    } else if (auto *stack = qobject_cast<QStackedWidget *>(w)) {
      for (int i = 0; i < stack->count(); ++i)
        if (QWidget *p = stack->widget(i); p && !p->layout()) collect(p, p, true, out);
    } else if (isContainerWidget(w)) {
      collect(w, page, true, out);
    }
  }
}

void ResizeEngine::layout() {
  if (client_.designMode() || !props_.enabled || !container_ || !active()) return;
  ++layouts_;
  std::vector<std::pair<QWidget *, QWidget *>> list;
  // A container that lays out its own children is left to its layout.
  if (!container_->layout())
    collect(container_, nullptr, props_.resizeStyle == ktAllChildren, list);
  std::vector<Item *> order;
  order.reserve(list.size());
  for (const auto &[w, page] : list) {
    Item *found = nullptr;
    for (auto &it : items_)
      if (it->widget == w) found = it.get();
    if (!found) {
      auto it = std::make_unique<Item>();
      initItem(*it, w, page);
      found = it.get();
      items_.push_back(std::move(it));
    }
    found->seen = true;
    order.push_back(found);
  }
  for (Item *it : order) {
    if (!container_) return;
    if (it->widget) apply(*it);
  }
  for (Item *it : order) {
    if (!it->widget) continue;
    it->previous = it->rect;
    it->rect = actualRect(*it);
    it->parent = it->widget->parentWidget();
    it->area = areaNow(*it);
  }
}

QRectF ResizeEngine::actualRect(const Item &it) const {
  QWidget *w = it.widget;
  if (!w) return {};
  if (QRectF r; it.object && objectRect(it, &r)) return r;
  if (it.kind == Kind::Line)
    return QRectF(px(w->property("X1")), px(w->property("Y1")), px(w->property("X2")),
                  px(w->property("Y2")));
  return QRectF(w->geometry());
}

QSizeF ResizeEngine::areaNow(const Item &it) const {
  if (it.page) return QSizeF(it.page->size());
  return QSizeF(current_);
}

void ResizeEngine::initItem(Item &it, QWidget *w, QWidget *page) {
  it.widget = w;
  it.parent = w->parentWidget();
  it.page = page;
  it.kind = isLine(w) ? Kind::Line : isComboBox(w) ? Kind::ComboBox : Kind::Widget;
  it.object = com::hostedControl(w);
  if (it.object) initObject(it);
  it.rect = actualRect(it);
  it.area = page ? QSizeF(page->size()) : QSizeF(base_);
  if (it.kind == Kind::Line)
    it.lineStart = QLineF(it.rect.x(), it.rect.y(), it.rect.width(), it.rect.height());
  takeFractions(it, true);
}

void ResizeEngine::initObject(Item &it) {
  com::IDispatch *d = it.object.get();
  auto id = [d](const char *name) {
    com::DISPID v = com::DISPID_UNKNOWN;
    if (com::failed(com::getIdOfName(d, name, &v))) v = com::DISPID_UNKNOWN;
    return v;
  };
  ObjectIds &ids = it.ids;
  ids.move = id("Move");
  ids.left = id("Left");
  ids.top = id("Top");
  ids.width = id("Width");
  ids.height = id("Height");
  ids.x1 = id("X1");
  ids.y1 = id("Y1");
  ids.x2 = id("X2");
  ids.y2 = id("Y2");
  ids.fontSize = id("FontSize");
  const com::DISPID none = com::DISPID_UNKNOWN;
  if (ids.x1 != none && ids.y1 != none && ids.x2 != none && ids.y2 != none)
    it.kind = Kind::Line;
  else if (ids.move == none && ids.left == none) {
    it.object.reset(); // nothing to place it by: moved as its window
    return;
  }
  // Whether the height (a line: X2) can be set: its value written back.
  const com::DISPID probe = it.kind == Kind::Line ? ids.x2 : ids.height;
  com::Variant v;
  it.heightSettable = probe != none && com::succeeded(com::getProperty(d, probe, &v)) &&
                      com::succeeded(com::putProperty(d, probe, v));
}

bool ResizeEngine::objectRect(const Item &it, QRectF *r) const {
  const ObjectIds &ids = it.ids;
  const bool line = it.kind == Kind::Line;
  const com::DISPID members[] = {line ? ids.x1 : ids.left, line ? ids.y1 : ids.top,
                                 line ? ids.x2 : ids.width, line ? ids.y2 : ids.height};
  const ScaleUnits units = client_.scaleUnits();
  double v[4];
  for (int i = 0; i < 4; ++i) {
    com::Variant value;
    if (members[i] == com::DISPID_UNKNOWN ||
        com::failed(com::getProperty(it.object.get(), members[i], &value)))
      return false;
    const std::optional<double> number = value.toR8();
    if (!number) return false;
    v[i] = units.toPixels(*number);
  }
  *r = QRectF(v[0], v[1], v[2], v[3]);
  return true;
}

void ResizeEngine::moveObject(Item &it, const QRectF &r) {
  com::IDispatch *d = it.object.get();
  const ObjectIds &ids = it.ids;
  const ScaleUnits units = client_.scaleUnits();
  auto unit = [&units](double px) {
    return com::Variant(static_cast<float>(units.fromPixels(px)));
  };
  // Combo boxes take the height their font gives them.
  const bool height = it.heightSettable && it.kind != Kind::ComboBox;
  if (it.kind == Kind::Line) {
    const com::DISPID members[] = {ids.x1, ids.y1, ids.x2, ids.y2};
    const double values[] = {r.x(), r.y(), r.width(), r.height()};
    for (int i = 0; i < 4; ++i)
      if (com::failed(com::putProperty(d, members[i], unit(values[i])))) break;
    return;
  }
  if (ids.move != com::DISPID_UNKNOWN) {
    std::vector<com::Variant> args{unit(r.x()), unit(r.y()), unit(r.width())};
    if (height) args.push_back(unit(r.height()));
    if (com::failed(com::callMethod(d, ids.move, std::move(args))))
      qCWarning(lcResizer) << "Move refused by" << it.widget;
    return;
  }
  // One after another, stopping at the first that fails.
  const com::DISPID members[] = {ids.left, ids.top, ids.width, ids.height};
  const double values[] = {r.x(), r.y(), r.width(), r.height()};
  for (int i = 0; i < (height ? 4 : 3); ++i)
    if (members[i] == com::DISPID_UNKNOWN ||
        com::failed(com::putProperty(d, members[i], unit(values[i]))))
      break;
}

void ResizeEngine::takeFractions(Item &it, bool fonts) {
  const QSizeF a = it.page ? it.area : QSizeF(base_);
  auto frac = [](double v, double of) { return of > 0 ? v / of : 0.0; };
  it.fl = frac(it.rect.x(), a.width());
  it.ft = frac(it.rect.y(), a.height());
  it.fw = frac(it.rect.width(), a.width());
  it.fh = frac(it.rect.height(), a.height());
  if (!fonts || it.kind == Kind::Line || !it.widget) return;
  const QFont font = it.widget->font();
  FontEntry f;
  double size = font.pointSizeF();
  if (size <= 0) size = font.pixelSize() * 72.0 / std::max(1, it.widget->logicalDpiY());
  if (com::Variant v; it.object && it.ids.fontSize != com::DISPID_UNKNOWN &&
                      com::succeeded(com::getProperty(it.object.get(), it.ids.fontSize, &v)))
    size = v.toR8().value_or(size);
  f.size = f.start = size;
  f.startFont = font;
  f.face = size <= kSmallFontLimit ? QStringLiteral("Arial") : font.family();
  const double w = it.rect.width(), h = it.rect.height();
  f.perWidth = w > 0 ? size / w : 0;
  f.perHeight = h > 0 ? size / h : 0;
  it.fonts.assign(1, f);
}

void ResizeEngine::apply(Item &it) {
  QWidget *w = it.widget;
  // Moved or resized by someone else since the last pass: take the fractions
  // again from where it stands now.
  if (!(it.refusedPosition && it.refusedSize)) {
    const QRectF actual = actualRect(it);
    auto off = [](double a, double b) { return std::abs(a - b) > kTolerance; };
    bool moved = w->parentWidget() != it.parent;
    bool resized = false;
    if (!it.refusedSize && it.rect.height() < current_.height() &&
        (off(actual.width(), it.rect.width()) || off(actual.height(), it.rect.height())))
      moved = resized = true;
    if (!it.refusedPosition && (off(actual.x(), it.rect.x()) || off(actual.y(), it.rect.y())))
      moved = true;
    if (moved) {
      it.rect = actual;
      it.parent = w->parentWidget();
      if (it.kind == Kind::Line)
        it.lineStart = QLineF(actual.x(), actual.y(), actual.width(), actual.height());
      takeFractions(it, resized);
    }
  }
  const QSizeF a = areaNow(it);
  QRectF target(it.fl * a.width(), it.ft * a.height(), it.fw * a.width(), it.fh * a.height());
  if (it.kind != Kind::Line) {
    target.setWidth(std::max(0.0, target.width()));
    target.setHeight(std::max(0.0, target.height()));
  }
  const QRectF current = actualRect(it);
  // A combo box's height is never applied, so it does not count as a change.
  const bool heightCounts = it.kind != Kind::ComboBox;
  auto same = [heightCounts](const QRectF &x, const QRectF &y) {
    return std::lround(x.x()) == std::lround(y.x()) && std::lround(x.y()) == std::lround(y.y()) &&
           std::lround(x.width()) == std::lround(y.width()) &&
           (!heightCounts || std::lround(x.height()) == std::lround(y.height()));
  };
  if (same(target, current)) return;

  ResizeOptions o;
  o.left = target.x();
  o.top = target.y();
  o.width = target.width();
  o.height = target.height();
  o.resizeFonts = props_.resizeFonts;
  raiseBeforeResize(w, it.object.get(), o);
  if (!it.widget) return; // the handler destroyed it
  it.refusedPosition = !o.applyNewPosition;
  it.refusedSize = !o.applyNewSize;
  QRectF r(o.left, o.top, o.width, o.height);
  if (it.kind == Kind::Line) {
    if (!o.applyNewPosition) { // keeps X1, Y1 and Y2, takes the new X2
      r.setX(current.x());
      r.setY(current.y());
      r.setHeight(current.height());
    }
    if (!o.applyNewSize) { // keeps its vector
      r.setWidth(r.x() + (it.lineStart.x2() - it.lineStart.x1()));
      r.setHeight(r.y() + (it.lineStart.y2() - it.lineStart.y1()));
    }
  } else {
    if (!o.applyNewPosition) r.moveTopLeft(current.topLeft());
    if (!o.applyNewSize) r.setSize(current.size());
  }
  if (o.applyNewPosition || o.applyNewSize) move(it, r, o.applyNewPosition, o.applyNewSize);
  if (o.resizeFonts && it.widget) setFonts(it, r.width(), r.height());
}

void ResizeEngine::move(Item &it, const QRectF &r, bool, bool) {
  QWidget *w = it.widget;
  if (it.object) {
    moveObject(it, r);
    return;
  }
  if (it.kind == Kind::Line) {
    const char *names[] = {"X1", "Y1", "X2", "Y2"};
    const double values[] = {r.x(), r.y(), r.width(), r.height()};
    for (int i = 0; i < 4; ++i)
      if (!w->setProperty(names[i], static_cast<int>(std::lround(values[i] * kTwipsPerPixel))))
        break;
    return;
  }
  QRect g(static_cast<int>(std::lround(r.x())), static_cast<int>(std::lround(r.y())),
          static_cast<int>(std::lround(std::max(0.0, r.width()))),
          static_cast<int>(std::lround(std::max(0.0, r.height()))));
  if (it.kind == Kind::ComboBox) g.setHeight(w->height()); // never given a height
  w->setGeometry(g);
}

void ResizeEngine::setFonts(Item &it, double newWidth, double newHeight) {
  for (FontEntry &f : it.fonts) {
    const double s = scaledFontSize(f, newWidth, newHeight, props_.minFontSize, props_.maxFontSize);
    if (std::abs(s - f.size) < 1e-9) continue;
    if (it.object && it.ids.fontSize != com::DISPID_UNKNOWN)
      com::putProperty(it.object.get(), it.ids.fontSize, com::Variant(static_cast<float>(s)));
    else
      it.widget->setFont(fontForSize(f, s));
    f.size = s;
  }
  // A combo box takes the height its font needs, as a native one does.
  if (it.kind == Kind::ComboBox && !it.object) {
    QWidget *w = it.widget;
    w->resize(w->width(), w->sizeHint().height());
  }
}

void ResizeEngine::raiseBeforeResize(QWidget *w, com::IDispatch *object, ResizeOptions &o) {
  raisedBefore_ = true;
  busy_ = true;
  try {
    client_.beforeResize(w, object, o);
  } catch (...) {
    qCWarning(lcResizer) << "BeforeResize handler failed";
  }
  busy_ = false;
}

QSize ResizeEngine::frameExtra() const {
  if (!container_ || !container_->isWindow() || !container_->isVisible()) return {0, 0};
  const QSize extra = container_->frameGeometry().size() - container_->size();
  return extra.expandedTo(QSize(0, 0));
}

void ResizeEngine::applyLimits() {
  QWidget *c = container_;
  if (!c || !activated_) return;
  if (!props_.enabled || client_.designMode()) {
    c->setMinimumSize(savedMin_);
    c->setMaximumSize(savedMax_);
    return;
  }
  // The limits hold the outer size (frame included); Qt's hints are client sizes.
  const QSize extra = frameExtra();
  limitsExtra_ = extra;
  auto inner = [](float limit, int extra) {
    return std::max(0, static_cast<int>(std::lround(limit)) - extra);
  };
  const int minW = props_.minWidth > 0 ? inner(props_.minWidth, extra.width()) : savedMin_.width();
  const int minH =
      props_.minHeight > 0 ? inner(props_.minHeight, extra.height()) : savedMin_.height();
  const int maxW = props_.maxWidth > 0 ? std::max(minW, inner(props_.maxWidth, extra.width()))
                                       : savedMax_.width();
  const int maxH = props_.maxHeight > 0 ? std::max(minH, inner(props_.maxHeight, extra.height()))
                                        : savedMax_.height();
  if (c->minimumSize() == QSize(minW, minH) && c->maximumSize() == QSize(maxW, maxH)) return;
  c->setMinimumSize(minW, minH);
  c->setMaximumSize(maxW, maxH); // both bring the widget inside at once
  // A shown window's new hints are only queued for the window manager; send
  // them now, or a drag started before the program's next event ignores them.
  if (c->isWindow() && c->isVisible() &&
      qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
    QGuiApplication::sync();
}

void ResizeEngine::centerParent() {
  if (busy_ || inPass_) {
    centerPending_ = true;
    return;
  }
  centerPending_ = false;
  QWidget *c = container_;
  if (!c) return;
  if (c->isWindow()) {
    const QScreen *screen = c->screen();
    if (!screen) return;
    const QRect area = screen->geometry();
    const QSize outer = c->frameGeometry().size();
    const QPoint target(area.x() + area.width() / 2 - outer.width() / 2,
                        area.y() + area.height() / 2 - outer.height() / 2);
    if (c->frameGeometry().topLeft() != target) c->move(target);
    return;
  }
  const QWidget *parent = c->parentWidget();
  if (!parent) return;
  const QPoint target(parent->width() / 2 - c->width() / 2, parent->height() / 2 - c->height() / 2);
  if (c->pos() != target) c->move(target);
}

} // namespace dorrin::resizer
