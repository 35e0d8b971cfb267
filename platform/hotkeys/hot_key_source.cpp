#include "platform/hotkeys/hot_key_source.h"

#include "platform/hotkeys/local_hot_key_source.h"
#include "platform/hotkeys/x11_hot_key_source.h"

namespace dorrin::hotkeys {

Q_LOGGING_CATEGORY(lcHotKeys, "dorrin.hotkeys")

bool PressOnce::keyDown(HotKey key, std::uint32_t time) {
  State &s = state_[index(key)];
  const bool repeat = s.down || (s.released && s.releaseTime == time);
  s.down = true;
  s.released = false;
  if (repeat) ++repeats_;
  return !repeat;
}

void PressOnce::keyUp(HotKey key, std::uint32_t time) {
  State &s = state_[index(key)];
  s.down = false;
  s.released = true;
  s.releaseTime = time;
}

bool isWaylandSession() {
  return qEnvironmentVariable("XDG_SESSION_TYPE")
                 .compare(QLatin1String("wayland"), Qt::CaseInsensitive) == 0 ||
         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

QString waylandNotice() {
  return QStringLiteral(
      "Wayland 세션에서는 다른 프로그램을 쓰는 동안 누른 F11, F10 키를 Dorrin이 알 수 "
      "없습니다.\n\n데스크톱의 키보드 설정(단축키)에서 원하는 키에 다음 명령을 "
      "지정하십시오:\n\n    dorrin --toggle\n\n(보이기만: dorrin --show, 숨기기만: "
      "dorrin --hide)");
}

std::unique_ptr<HotKeySource> createHotKeySource() {
  if (isWaylandSession()) {
    qCWarning(lcHotKeys).noquote()
        << "Wayland session: F11/F10 work only inside Dorrin's own windows - bind "
           "'dorrin --toggle' in the desktop's keyboard settings";
    return std::make_unique<LocalHotKeySource>();
  }
  auto global = std::make_unique<X11HotKeySource>();
  if (global->isGlobal()) return global;
  static bool reported = false;
  if (!reported) {
    reported = true;
    qCWarning(lcHotKeys).noquote()
        << "F11/F10 work only inside Dorrin's own windows:" << global->failureReason()
        << "- bind 'dorrin --show' / 'dorrin --hide' in the desktop's keyboard settings instead";
  }
  return std::make_unique<LocalHotKeySource>();
}

} // namespace dorrin::hotkeys
