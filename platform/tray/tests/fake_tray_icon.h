#pragma once
// A tray icon driven by the test: it records add/remove and click() sends
// an icon message as the real one would.
#include "platform/tray/tray_icon.h"

namespace dorrin::tray {

class FakeTrayIcon : public TrayIcon {
public:
  bool isAvailable() const override { return available; }
  bool add(int id, const QString &text, const QIcon &) override {
    uid = id;
    tip = text;
    shown = true;
    ++adds;
    return available;
  }
  void remove() override {
    shown = false;
    ++removes;
  }
  bool isShown() const override { return shown; }
  void click(int message) { emit iconMessage(message); }

  bool available = true;
  bool shown = false;
  int uid = 0;
  QString tip;
  int adds = 0;
  int removes = 0;
};

} // namespace dorrin::tray
