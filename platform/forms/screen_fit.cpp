#include "platform/forms/screen_fit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <limits>

namespace dorrin::forms {

bool bringOnScreen(QWidget &window) {
  QList<QRect> screens;
  for (const QScreen *screen : QGuiApplication::screens())
    screens.append(screen->availableGeometry());
  // For a window, frame geometry and move() both mean the outer frame.
  const QRect frame = window.frameGeometry();
  const QPoint to = reachablePosition(frame, screens);
  if (to == frame.topLeft()) return false;
  window.move(to);
  return true;
}

QPoint reachablePosition(const QRect &frame, const QList<QRect> &screens) {
  constexpr int kStripHeight = 10, kMinShown = 48;
  const QRect strip(frame.left(), frame.top(), frame.width(),
                    std::min(kStripHeight, std::max(1, frame.height())));
  const int needWidth = std::min(kMinShown, std::max(1, frame.width()));
  const QRect *nearest = nullptr;
  qint64 best = std::numeric_limits<qint64>::max();
  for (const QRect &screen : screens) {
    if (screen.isEmpty()) continue;
    const QRect shown = strip.intersected(screen);
    if (shown.width() >= needWidth && shown.height() >= strip.height()) return frame.topLeft();
    const QPoint d = screen.center() - frame.center();
    const qint64 distance = qint64(d.x()) * d.x() + qint64(d.y()) * d.y();
    if (distance < best) {
      best = distance;
      nearest = &screen;
    }
  }
  if (!nearest) return frame.topLeft();
  auto fit = [](int at, int size, int lo, int hi) {
    return std::max(lo, std::min(at, hi - size + 1));
  };
  return {fit(frame.left(), frame.width(), nearest->left(), nearest->right()),
          fit(frame.top(), frame.height(), nearest->top(), nearest->bottom())};
}

QRect withinScreenHeight(const QRect &frame, const QRect &screen) {
  if (screen.isEmpty()) return frame;
  QRect r = frame;
  if (r.height() > screen.height()) r.setHeight(screen.height());
  if (r.bottom() > screen.bottom()) r.moveBottom(screen.bottom());
  if (r.top() < screen.top()) r.moveTop(screen.top());
  return r;
}

void keepWithinScreenHeight(QWidget &window) {
  const QRect frame = window.frameGeometry();
  const QScreen *screen = QGuiApplication::screenAt(frame.center());
  if (!screen) screen = window.screen();
  if (!screen) return;
  const QRect fit = withinScreenHeight(frame, screen->availableGeometry());
  if (fit == frame) return;
  // The frame's own borders stay outside the inner height.
  window.resize(window.width(), window.height() - (frame.height() - fit.height()));
  window.move(fit.topLeft());
}

} // namespace dorrin::forms
