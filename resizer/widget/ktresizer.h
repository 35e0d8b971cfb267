#pragma once
// KtResizer as a Qt widget: the class a Qt Designer form names in its .ui
// file. It hosts the KtResizer component (libktresz30.so) with the form as its
// container, forwards its properties, and turns the component's events into
// Qt signals. Invisible at run time; at design time it shows as a small icon.
//
//   auto *resizer = new KtResizer(form);   // what uic and QUiLoader do
//   resizer->setProperty("MinHeight", 300);
#include "platform/com/host.h"

#include <QVariantMap>
#include <QWidget>
#include <memory>

// The options offered by BeforeResize; a handler may change any of them.
// Positions and sizes in pixels relative to the control's parent.
struct KtResizeOptions {
  double NewLeft = 0, NewTop = 0, NewWidth = 0, NewHeight = 0;
  bool ApplyNewSize = true;
  bool ApplyNewPosition = true;
  bool ResizeFonts = true;
};

class KtResizer : public QWidget {
  Q_OBJECT
  Q_PROPERTY(double MaxHeight READ MaxHeight WRITE setMaxHeight)
  Q_PROPERTY(double MaxWidth READ MaxWidth WRITE setMaxWidth)
  Q_PROPERTY(double MinHeight READ MinHeight WRITE setMinHeight)
  Q_PROPERTY(double MinWidth READ MinWidth WRITE setMinWidth)
  Q_PROPERTY(double MaxFontSize READ MaxFontSize WRITE setMaxFontSize)
  Q_PROPERTY(double MinFontSize READ MinFontSize WRITE setMinFontSize)
  Q_PROPERTY(bool ResizeFonts READ ResizeFonts WRITE setResizeFonts)
  Q_PROPERTY(Constants_ResizeStyle ResizeStyle READ ResizeStyle WRITE setResizeStyle)
  Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabledResizing)
  Q_PROPERTY(QString TagVariant READ TagVariant WRITE setTagVariant)
public:
  enum Constants_ResizeStyle { ktSiblings = 0, ktAllChildren = 1 };
  Q_ENUM(Constants_ResizeStyle)
  enum Mode { RunTime, DesignTime };

  explicit KtResizer(QWidget *parent = nullptr, Mode mode = RunTime);
  ~KtResizer() override;

  double MaxHeight() const;
  double MaxWidth() const;
  double MinHeight() const;
  double MinWidth() const;
  double MaxFontSize() const;
  double MinFontSize() const;
  bool ResizeFonts() const;
  Constants_ResizeStyle ResizeStyle() const;
  bool Enabled() const;
  QString TagVariant() const;
  void setMaxHeight(double v);
  void setMaxWidth(double v);
  void setMinHeight(double v);
  void setMinWidth(double v);
  void setMaxFontSize(double v);
  void setMinFontSize(double v);
  void setResizeFonts(bool v);
  void setResizeStyle(Constants_ResizeStyle v);
  void setEnabledResizing(bool v);
  void setTagVariant(QString v);

  // The hosted component; null when it could not be created (no library,
  // or a second resizer on the same container).
  dorrin::com::IDispatch *control() const;
  // The text of the last refused put or of a failed creation.
  QString lastError() const { return lastError_; }

public slots:
  void AboutBox();
  void CenterParent();

signals:
  void BeforeResize(QWidget *control, KtResizeOptions &options);
  void ResizeComplete();

protected:
  bool event(QEvent *e) override;
  void paintEvent(QPaintEvent *e) override;

private:
  void attach();
  QVariant get(int dispid, const QVariant &fallback) const;
  void put(int dispid, const QVariant &value);
  void onEvent(int dispid, const std::vector<dorrin::com::Variant> &args);

  Mode mode_;
  QPointer<QWidget> container_;
  std::unique_ptr<dorrin::com::ControlHost> host_;
  QMap<int, QVariant> pending_; // puts made before the component is attached
  QString lastError_;
};

namespace dorrin::resizer {
// Creates the KtResizer component: through its registered class, else from
// $KTRESZ30_LIBRARY, else from libktresz30.so beside this program or plugin.
com::HRESULT createResizerComponent(com::IUnknown **out, QString *error = nullptr);
} // namespace dorrin::resizer
