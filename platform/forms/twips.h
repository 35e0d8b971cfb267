#pragma once
// Units and small value types shared by every form control: geometry in
// twips (15 per logical pixel), colours as 32-bit RGB numbers
// (red + 256 * green + 65536 * blue), mouse buttons 1 left, 2 right, 4 middle.
#include <QColor>
#include <QPoint>
#include <Qt>
#include <cmath>
#include <cstdint>

namespace dorrin::forms {

inline constexpr int kTwipsPerPixel = 15;

inline int toPixels(int twips) {
  return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}
inline int toTwips(int pixels) {
  return pixels * kTwipsPerPixel;
}

using Rgb = std::uint32_t;
inline constexpr Rgb rgb(int r, int g, int b) {
  return static_cast<Rgb>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
inline QColor toQColor(Rgb c) {
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}
inline Rgb fromQColor(const QColor &c) {
  return rgb(c.red(), c.green(), c.blue());
}

inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

// One mouse event as handlers receive it: the button (a single button for
// press/release, the mask of held buttons for moves), shift state
// (1 shift, 2 ctrl, 4 alt) and the position in twips inside the control.
struct MouseArgs {
  int button = 0;
  int shift = 0;
  int x = 0;
  int y = 0;
};

int buttonNumber(Qt::MouseButton b);
int buttonMask(Qt::MouseButtons bs);
int shiftState(Qt::KeyboardModifiers m);
MouseArgs mouseArgs(int button, Qt::KeyboardModifiers m, QPoint pixels);

} // namespace dorrin::forms
