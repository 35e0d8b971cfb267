#include "organiser/start/frm_time.h"

#include "platform/tray/tray_icon.h"

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
}

FrmTime::~FrmTime() {
  main_.reset();
}

void FrmTime::Form_Load(const QString &commandLine) {
  loadMain();
  if (main_) main_->form().activate();
  if (hasSilentSwitch(commandLine)) setVisible(false);
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
  loadMain();
  if (main_) main_->form().activate();
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
    unloadMain();
    break;
  case tray::TrayAction::Nothing:
    break;
  }
}

} // namespace dorrin::organiser
