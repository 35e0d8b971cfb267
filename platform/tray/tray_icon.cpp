#include "platform/tray/tray_icon.h"

#include <QHash>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace dorrin::tray {

Q_LOGGING_CATEGORY(lcTray, "dorrin.tray")

bool notifyIcon(TrayIcon &tray, int message, const NotifyIconData &data) {
  switch (message) {
  case NIM_ADD:
    return tray.add(data.uID, data.szTip, data.hIcon);
  case NIM_DELETE:
    tray.remove();
    return true;
  default:
    return false;
  }
}

TrayAction actionForMessage(int message) {
  switch (message) {
  case WM_LBUTTONUP:
    return TrayAction::Raise;
  case WM_RBUTTONUP:
    return TrayAction::Unload;
  default:
    return TrayAction::Nothing;
  }
}

namespace {

// Draws the program's scalable icon at whatever size is asked for, so the
// tray, the window frame and the task switcher each get a sharp picture.
class SvgIconEngine : public QIconEngine {
public:
  explicit SvgIconEngine(const QString &file) : file_(file) {}
  void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override {
    QSvgRenderer renderer(file_);
    renderer.render(painter, rect);
    if (mode == QIcon::Disabled) {
      painter->setCompositionMode(QPainter::CompositionMode_SourceAtop);
      painter->fillRect(rect, QColor(128, 128, 128, 160));
    }
  }
  // Every window and the tray ask for the same few sizes (a window manager
  // gets four per window): each is drawn from the SVG once per process.
  QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override {
    static QHash<QString, QImage> drawn;
    const QString key =
        QStringLiteral("%1 %2x%3 %4").arg(file_).arg(size.width()).arg(size.height()).arg(mode);
    auto it = drawn.constFind(key);
    if (it == drawn.constEnd()) {
      QImage image(size, QImage::Format_ARGB32_Premultiplied);
      image.fill(Qt::transparent);
      QPainter p(&image);
      paint(&p, QRect(QPoint(0, 0), size), mode, state);
      p.end();
      it = drawn.insert(key, image);
    }
    return QPixmap::fromImage(*it);
  }
  QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override { return size; }
  QIconEngine *clone() const override { return new SvgIconEngine(file_); }
  QString key() const override { return QStringLiteral("dorrin-svg"); }

private:
  QString file_;
};

} // namespace

QIcon dorrinIcon() {
  return QIcon(new SvgIconEngine(QString::fromLatin1(kIconResource)));
}

} // namespace dorrin::tray
