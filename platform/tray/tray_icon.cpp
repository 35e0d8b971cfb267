#include "platform/tray/tray_icon.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPixmap>

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

QIcon dorrinIcon() {
  QIcon icon;
  for (int size : {16, 22, 24, 32, 48, 64}) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 102, 0));
    const qreal r = size / 5.0;
    p.drawRoundedRect(QRectF(0.5, 0.5, size - 1.0, size - 1.0), r, r);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(qMax(9, size * 3 / 4));
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QStringLiteral("D"));
    p.end();
    icon.addPixmap(QPixmap::fromImage(image));
  }
  return icon;
}

} // namespace dorrin::tray
