#include "organiser/start/frm_time.h"

#include "platform/forms/screen_fit.h"
#include "platform/tray/tray_icon.h"

#include <QApplication>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcStart, "dorrin.start")

namespace dorrin::organiser {

bool hasSilentSwitch(const QString &commandLine) {
  return commandLine.right(2) == "/S";
}

FrmTime::FrmTime(Loader loader) : Form(nullptr, false), loader_(std::move(loader)) {
  setWindowTitle(QStringLiteral("프로그램 실행하기"));
  setBackColor(forms::rgb(192, 192, 192));
  setWidth(90);
  setHeight(90);
  TimeB.setInterval(1);
  TimeB.setSingleShot(false);
  connect(&TimeB, &QTimer::timeout, this, [this] {
    Hider();
    TimeB.stop();
  });
  // Shown beside the main window, it must not take the focus from it.
  setAttribute(Qt::WA_ShowWithoutActivating);
  // An unload asked for while a modal dialog runs waits for its end.
  unloadWait_.setInterval(50);
  connect(&unloadWait_, &QTimer::timeout, this, [this] {
    if (modalOpen()) return;
    unloadWait_.stop();
    unloadMain();
  });
}

bool FrmTime::modalOpen() {
  return QApplication::activeModalWidget() != nullptr;
}

FrmTime::~FrmTime() {
  main_.reset();
}

void FrmTime::Form_Load(const QString &commandLine) {
  loadMain();
  // The start-up form is seen until its first tick, unless "/S" hides it.
  if (!hasSilentSwitch(commandLine)) show();
  if (main_) main_->form().activate();
  TimeB.start();
}

void FrmTime::Hider() {
  setWidth(0);
  setHeight(0);
  setVisible(false);
}

void FrmTime::loadMain() {
  if (main_) return;
  try {
    main_ = loader_();
    main_->load();
  } catch (const std::exception &e) {
    qCCritical(lcStart) << "the main window failed to load:" << e.what();
    main_.reset();
    return;
  }
  emit mainLoaded(main_.get());
}

void FrmTime::unloadMain() {
  if (!main_) return;
  emit mainUnloading();
  main_.reset();
}

bool FrmTime::mainVisible() const {
  return main_ && main_->form().isVisible();
}

void FrmTime::F11_Pressed() {
  unloadWait_.stop(); // showing wins over an unload still waiting
  loadMain();
  if (!main_) return;
  forms::bringOnScreen(main_->form());
  main_->form().activate();
}

void FrmTime::F10_Pressed() {
  if (main_) main_->form().setVisible(false);
}

void FrmTime::Toggle() {
  if (mainVisible())
    F10_Pressed();
  else
    F11_Pressed();
}

void FrmTime::Tray_Message(int message) {
  switch (tray::actionForMessage(message)) {
  case tray::TrayAction::Raise:
    if (main_) {
      // To the front without staying on top, and focused.
      main_->form().activate();
    }
    break;
  case tray::TrayAction::Unload:
    // A modal dialog of the organiser (input box, colour picker, message
    // box) runs its own event loop over the main window: destroying the
    // window under it would pull the dialog away mid-answer.
    if (modalOpen())
      unloadWait_.start();
    else
      unloadMain();
    break;
  case tray::TrayAction::Nothing:
    break;
  }
}

} // namespace dorrin::organiser
