#pragma once
// The start-up form: a tiny window that loads the main window, hides itself
// on its first timer tick and stays loaded for the whole run, so the process
// lives on after the main window is unloaded. It acts on the hot keys
// (F11 show, F10 hide) and on the notification-area icon's messages.
#include "organiser/start/main_window.h"
#include "platform/forms/form.h"

#include <QTimer>
#include <functional>
#include <memory>

namespace dorrin::organiser {

class FrmTime : public forms::Form {
  Q_OBJECT
public:
  // Creates one load of the main window (not yet loaded).
  using Loader = std::function<std::unique_ptr<MainWindow>()>;
  explicit FrmTime(Loader loader);
  ~FrmTime() override;

  // Load of the form: shows the main window and this form; "/S" at the end
  // of the command line keeps this form hidden.
  void Form_Load(const QString &commandLine);
  // Width 0, height 0, invisible.
  void Hider();

  // Hot keys.
  void F11_Pressed(); // show (loading first if unloaded) and focus
  void F10_Pressed(); // hide
  void Toggle();      // F11 when hidden or unloaded, else F10
  // A message from the notification-area icon (514 left up, 517 right up).
  // An unload while a modal dialog is open waits until the dialog closes.
  void Tray_Message(int message);
  bool unloadWaiting() const { return unloadWait_.isActive(); }

  MainWindow *mainWindow() { return main_.get(); }
  bool mainVisible() const;

  QTimer TimeB;

signals:
  // The main window was loaded (again): its start-up sequence has run.
  void mainLoaded(dorrin::organiser::MainWindow *window);
  // The main window is about to be unloaded.
  void mainUnloading();

private:
  void loadMain();
  void unloadMain();
  static bool modalOpen();

  Loader loader_;
  std::unique_ptr<MainWindow> main_;
  QTimer unloadWait_;
};

// The last two characters of the command line are "/S" (any case? no: as written).
bool hasSilentSwitch(const QString &commandLine);

} // namespace dorrin::organiser
