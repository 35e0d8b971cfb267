#pragma once
// The resize algorithm on a Qt container. Every managed widget's left, top,
// width and height are kept as fractions of the area it lives in (the
// container's client size, or the page of a tab widget) and multiplied by the
// new size on each pass, so repeated resizing never accumulates error. A
// widget the application moves or resizes itself (beyond 2 pixels) has its
// fractions taken again.
//
// The container is watched with an event filter; each size change posts one
// deferred event, and the pass runs when it is fetched for the size the
// container has then, so a burst of resizes lays out only the sizes reached.
#include "platform/com/unknown.h"
#include "resizer/properties.h"

#include <QEvent>
#include <QFont>
#include <QLineF>
#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QSize>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

namespace dorrin::resizer {

// What BeforeResize offers and reads back, in pixels relative to the
// widget's parent (for a line: X1, Y1, X2, Y2).
struct ResizeOptions {
  double left = 0, top = 0, width = 0, height = 0;
  bool applyNewSize = true;
  bool applyNewPosition = true;
  bool resizeFonts = true;
};

class EngineClient {
public:
  virtual ~EngineClient() = default;
  // object: the hosted component whose window control is, else null.
  virtual void beforeResize(QWidget *control, com::IDispatch *object, ResizeOptions &options) = 0;
  virtual void resizeComplete() = 0;
  virtual bool designMode() const = 0;
  // The container's units, in which hosted components take their places.
  virtual ScaleUnits scaleUnits() const { return {}; }
};

// The faces a scaled font takes.
inline constexpr double kSmallFontLimit = 7.1;
inline constexpr const char *kSmallFontFace = "Small Font";

struct FontEntry {
  double size = 8.25;  // points, current
  double start = 8.25; // points, at fraction time
  double perWidth = 0; // start / control width (0: width was 0)
  double perHeight = 0;
  QFont startFont;
  QString face = QStringLiteral("Arial"); // face when back at 7.1 pt or more
};

// The font size for a control of the new size, held between
// min(start, minFont) and max(start, maxFont).
double scaledFontSize(const FontEntry &f, double newWidth, double newHeight, double minFont,
                      double maxFont);
// The font to set for a new size: the starting font at that size, or the
// small face below 7.1 points.
QFont fontForSize(const FontEntry &f, double size);

class ResizeEngine : public QObject {
  Q_OBJECT
public:
  enum class Kind { Widget, ComboBox, Line };

  // Members of a hosted component that place it (DISPID_UNKNOWN: it has none).
  struct ObjectIds {
    com::DISPID move = com::DISPID_UNKNOWN, left = com::DISPID_UNKNOWN, top = com::DISPID_UNKNOWN,
                width = com::DISPID_UNKNOWN, height = com::DISPID_UNKNOWN, x1 = com::DISPID_UNKNOWN,
                y1 = com::DISPID_UNKNOWN, x2 = com::DISPID_UNKNOWN, y2 = com::DISPID_UNKNOWN,
                fontSize = com::DISPID_UNKNOWN;
  };

  struct Item {
    QPointer<QWidget> widget;
    // A hosted component (widget is its window): placed through its Move
    // method or its Left/Top/Width/Height (a line: X1/Y1/X2/Y2) by dispatch.
    com::ComPtr<com::IDispatch> object;
    ObjectIds ids;
    bool heightSettable = true;
    Kind kind = Kind::Widget;
    QPointer<QWidget> parent; // parent at the last pass
    QPointer<QWidget> page;   // enclosing tab page, when there is one
    QRectF rect;              // recorded after the last pass (pixels; a line: x1, y1, x2, y2)
    QRectF previous;
    QSizeF area; // area the fractions were taken against / recorded after the last pass
    double fl = 0, ft = 0, fw = 0, fh = 0;
    QLineF lineStart;
    bool seen = false;
    bool refusedPosition = false, refusedSize = false;
    std::vector<FontEntry> fonts;
  };

  // container: the widget whose children are managed; self: the resizer's
  // own widget in it (never managed), may be null.
  ResizeEngine(QWidget *container, QWidget *self, const ResizerProperties &props,
               EngineClient &client);
  ~ResizeEngine() override;

  QWidget *container() const { return container_; }
  // Records the design size and starts watching; the first layout follows
  // the container's first show (at once when it is visible already).
  void activate();
  // Runs one pass for a new client size (the deferred event's work).
  void pass(QSize size);
  // Re-reads the managed widgets and lays them out for the present size.
  void relayout();
  // Puts the size limits on the container (or takes them off while disabled)
  // and brings it inside them.
  void applyLimits();
  // Centres the container window in its parent's area (the screen for a
  // window); recorded only while an event is being raised or a pass runs.
  void centerParent();

  bool active() const;
  bool laidOut() const { return laidOut_; }
  int layoutCount() const { return layouts_; }
  QSize baseSize() const { return base_; }
  const std::vector<std::unique_ptr<Item>> &items() const { return items_; }
  const Item *item(const QWidget *w) const;

  // Running engines of this process, for one-per-container and nesting.
  static ResizeEngine *forContainer(const QWidget *container);

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void customEvent(QEvent *event) override;

private:
  enum class Change { Grown, Shrunk, Unchanged };
  void firstLayout();
  void deferredResize();
  void layout();
  void collect(QWidget *parent, QWidget *page, bool recurse,
               std::vector<std::pair<QWidget *, QWidget *>> &out) const;
  void initItem(Item &it, QWidget *w, QWidget *page);
  void initObject(Item &it);
  bool objectRect(const Item &it, QRectF *r) const;
  void moveObject(Item &it, const QRectF &r);
  void takeFractions(Item &it, bool fonts);
  QRectF actualRect(const Item &it) const;
  QSizeF areaNow(const Item &it) const;
  void apply(Item &it);
  void move(Item &it, const QRectF &r, bool position, bool size);
  void setFonts(Item &it, double newWidth, double newHeight);
  void raiseBeforeResize(QWidget *w, com::IDispatch *object, ResizeOptions &o);
  QSize frameExtra() const;

  QPointer<QWidget> container_;
  QPointer<QWidget> self_;
  const ResizerProperties &props_;
  EngineClient &client_;
  QSize design_;
  QSize base_, current_;
  bool haveSize_ = false;
  bool laidOut_ = false;
  bool activated_ = false;
  bool raisedBefore_ = false;
  bool busy_ = false;
  bool inPass_ = false;
  bool centerPending_ = false;
  int layouts_ = 0;
  QSize savedMin_, savedMax_;
  QSize limitsExtra_; // frame size the limits were set with
  std::vector<std::unique_ptr<Item>> items_;
};

} // namespace dorrin::resizer
