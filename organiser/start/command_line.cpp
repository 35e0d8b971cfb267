#include "organiser/start/command_line.h"

#include "organiser/start/autostart.h"

#include <QFileInfo>
#include <QSet>
#include <cstdio>

namespace dorrin::organiser {

namespace {

// Qt's own command-line options (one or two dashes), with and without a value.
const QSet<QString> kQtOptionsWithValue = {"platform",        "platformpluginpath",
                                           "platformtheme",   "plugin",
                                           "qwindowgeometry", "geometry",
                                           "qwindowtitle",    "title",
                                           "qwindowicon",     "icon",
                                           "display",         "name",
                                           "session",         "style",
                                           "stylesheet"};
const QSet<QString> kQtFlags = {"reverse", "widgetcount", "nograb",
                                "dograb",  "sync",        "testability"};

// "--x=v" and "-x" forms of a Qt option; nullopt-like empty when not Qt's.
QString qtOptionName(const QString &arg) {
  QString name = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1);
  return name.section(QLatin1Char('='), 0, 0);
}

CommandLine usage(const QString &korean, const QString &english) {
  CommandLine c;
  c.action = CommandLine::Action::Usage;
  c.error = korean + QStringLiteral(" / ") + english;
  return c;
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments) {
  CommandLine result;
  QString chosen; // the one option that decides the action
  auto choose = [&](CommandLine::Action action, const QString &option) {
    if (!chosen.isEmpty() && chosen != option) return false;
    chosen = option;
    result.action = action;
    return true;
  };
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString &a = arguments[i];
    if (!a.startsWith(QLatin1Char('-')) || a == QLatin1String("-")) continue;
    bool ok = true;
    if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
      ok = choose(CommandLine::Action::Help, QStringLiteral("--help"));
    } else if (a == QLatin1String("--version")) {
      ok = choose(CommandLine::Action::Version, a);
    } else if (a == QLatin1String("--smoke")) {
      ok = choose(CommandLine::Action::Smoke, a);
    } else if (a == QLatin1String("--show") || a == QLatin1String("--hide") ||
               a == QLatin1String("--toggle") || a == QLatin1String("--quit")) {
      ok = choose(CommandLine::Action::Send, a);
      result.command = a.mid(2);
    } else if (a == QLatin1String("--autostart") || a.startsWith(QLatin1String("--autostart="))) {
      ok = choose(CommandLine::Action::Autostart, QStringLiteral("--autostart"));
      QString value;
      if (a.contains(QLatin1Char('='))) {
        value = a.section(QLatin1Char('='), 1);
        if (value.isEmpty()) value = QStringLiteral("?");
      } else if (i + 1 < arguments.size() && !arguments[i + 1].startsWith(QLatin1Char('-'))) {
        value = arguments[++i];
      }
      if (!value.isEmpty() && value != QLatin1String("on") && value != QLatin1String("off"))
        return usage(
            QStringLiteral("--autostart 다음에는 on 또는 off만 올 수 있습니다: %1").arg(value),
            QStringLiteral("--autostart takes on or off, not: %1").arg(value));
      result.autostart = value;
    } else {
      const QString name = qtOptionName(a);
      if (kQtFlags.contains(name)) continue;
      if (kQtOptionsWithValue.contains(name)) {
        if (!a.contains(QLatin1Char('='))) ++i; // its value follows
        continue;
      }
      return usage(QStringLiteral("알 수 없는 옵션: %1").arg(a),
                   QStringLiteral("unknown option: %1").arg(a));
    }
    if (!ok)
      return usage(QStringLiteral("%1 와 %2 는 함께 쓸 수 없습니다").arg(chosen, a),
                   QStringLiteral("%1 and %2 cannot be used together").arg(chosen, a));
  }
  return result;
}

int answerWithoutStarting(const CommandLine &commandLine) {
  auto print = [](std::FILE *to, const QString &text) {
    std::fputs(text.toUtf8().constData(), to);
    std::fflush(to);
  };
  switch (commandLine.action) {
  case CommandLine::Action::Help:
    print(stdout, helpText());
    return 0;
  case CommandLine::Action::Version:
    print(stdout, versionText());
    return 0;
  case CommandLine::Action::Usage:
    print(stderr,
          QStringLiteral("dorrin: %1\n도움말 / help: dorrin --help\n").arg(commandLine.error));
    return 2;
  case CommandLine::Action::Autostart: {
    if (!commandLine.autostart.isEmpty()) {
      const bool on = commandLine.autostart == QLatin1String("on");
      const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
      QString error;
      if (!setAutostart(on, program, &error)) {
        print(stderr, QStringLiteral("dorrin: 자동 시작을 바꿀 수 없습니다 / cannot change the "
                                     "start at login: %1: %2\n")
                          .arg(autostartEntryPath(), error));
        return 1;
      }
    }
    const bool on = autostartEnabled();
    print(
        stdout,
        on ? QStringLiteral("자동 시작: 켜짐 / start at login: on (%1)\n").arg(autostartEntryPath())
           : QStringLiteral("자동 시작: 꺼짐 / start at login: off\n"));
    return 0;
  }
  default:
    return -1;
  }
}

QString helpText() {
  return QStringLiteral(
      "사용법 / Usage: dorrin [/S] [옵션 / OPTION]\n"
      "Dorrin: 바탕화면 정리 도구 (실행기, 주간 계획, 알람, 전화번호부)\n"
      "        a desktop organiser (launcher, week planner, alarms, phone book)\n"
      "\n"
      "  /S                  시작 창을 곧바로 숨김 / hide the start-up form at once\n"
      "  --show              실행 중인 창을 보임 / show the running organiser\n"
      "  --hide              창을 숨김 / hide its window\n"
      "  --toggle            보이기와 숨기기를 바꿈 / show it or hide it\n"
      "  --quit              실행 중인 Dorrin을 끝냄 / end the running organiser\n"
      "  --autostart on|off  로그인할 때 시작함/안 함 / start at login, or not\n"
      "  --autostart         로그인할 때 시작하는지 알림 / tell whether it does\n"
      "  --smoke             한 번 시작하고 시간을 알림 / start once, report timings\n"
      "  --version           판 번호 / print the version\n"
      "  --help              이 도움말 / print this help\n"
      "\n"
      "단축키 / hot keys: F11 보이기 / show, F10 숨기기 / hide\n"
      "  Wayland처럼 단축키가 닿지 않는 곳에서는 데스크톱 설정에서 키를\n"
      "  'dorrin --toggle'에 연결하십시오 / there, bind a key to 'dorrin --toggle'\n"
      "자료 / data: $DORRIN_DATA_DIR, 없으면 / else ~/.local/share/Tessivo/Dorrin\n");
}

QString versionText() {
  return QStringLiteral("dorrin " DORRIN_VERSION "\n");
}

} // namespace dorrin::organiser
