// The organiser's executable: checks for a display, hands a command to an
// already running organiser, or starts one.
//   dorrin [/S]                 start (hidden start-up form with /S)
//   dorrin --show|--hide|--toggle|--quit   reach the running organiser
//   dorrin --smoke              run the whole start-up once, report timings, exit
//   dorrin --help|--version|--autostart [on|off]   answered without a display
#include "organiser/start/command_line.h"
#include "organiser/start/organiser_app.h"
#include "organiser/start/signal_relay.h"
#include "organiser/start/startup_trace.h"
#include "platform/forms/form.h"
#include "platform/forms/translations.h"
#include "platform/instance/instance_channel.h"
#include "platform/paths/data_folder.h"
#include "platform/tray/tray_icon.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <cstdio>

namespace {

bool hasDisplay() {
  return !qEnvironmentVariableIsEmpty("DISPLAY") ||
         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
         !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// Reports when a widget paints for the first time.
class FirstPaint : public QObject {
public:
  std::function<void()> onPaint;
  bool eventFilter(QObject *o, QEvent *e) override {
    if (e->type() == QEvent::Paint && onPaint) {
      auto f = std::move(onPaint);
      onPaint = nullptr;
      QTimer::singleShot(0, f);
    }
    return QObject::eventFilter(o, e);
  }
};

int smoke(dorrin::organiser::OrganiserApp &app, QElapsedTimer &clock) {
  using namespace dorrin::organiser;
  app.start(QString());
  const qint64 loaded = clock.elapsed();
  dorrin::organiser::startupMark("start-up form and main window loaded");
  MainWindow *w = app.frmTime().mainWindow();
  if (!w) {
    std::fprintf(stderr, "dorrin: the main window did not load\n");
    return 1;
  }
  int rc = 0;
  if (dorrin::paths::shippedFile(QStringLiteral("음1.wav")).isEmpty()) {
    std::fprintf(stderr, "dorrin: the alarm sounds are not beside the program (%s)\n",
                 qPrintable(dorrin::paths::programFolder()));
    rc = 1;
  }
  if (!w->Week_Db() || !w->Week_Db()->IsOpen() || !w->Link_Db() || !w->Link_Db()->IsOpen()) {
    std::fprintf(stderr, "dorrin: a database could not be opened in %s\n",
                 qPrintable(dorrin::paths::dataFolder()));
    rc = 1;
  }
  FirstPaint painted;
  qint64 firstPaint = -1;
  painted.onPaint = [&] {
    firstPaint = clock.elapsed();
    dorrin::organiser::startupMark("first paint");
    QCoreApplication::exit(0);
  };
  w->form().installEventFilter(&painted);
  w->form().update();
  QTimer::singleShot(10000, [] { QCoreApplication::exit(2); });
  if (QCoreApplication::exec() == 2) {
    std::fprintf(stderr, "dorrin: the main window never painted\n");
    rc = 1;
  }
  std::printf("load %lld ms, first paint %lld ms\n", static_cast<long long>(loaded),
              static_cast<long long>(firstPaint));
  app.restoreDesktop();
  return rc;
}

} // namespace

int main(int argc, char **argv) {
  dorrin::organiser::startupClockStart();
  QElapsedTimer clock = dorrin::organiser::startupClock();
  QStringList arguments;
  for (int i = 0; i < argc; ++i)
    arguments << QString::fromLocal8Bit(argv[i]);
  const auto commandLine = dorrin::organiser::parseCommandLine(arguments);
  if (const int rc = dorrin::organiser::answerWithoutStarting(commandLine); rc >= 0) return rc;
  if (!hasDisplay()) {
    std::fprintf(stderr,
                 "dorrin: no display found; run it inside a virtual one: xvfb-run -a dorrin\n");
    return 1;
  }
  QApplication qapp(argc, argv);
  dorrin::organiser::startupMark("application");
  QApplication::setApplicationName(QStringLiteral("Dorrin"));
  QApplication::setOrganizationName(QStringLiteral("Tessivo"));
  QApplication::setQuitOnLastWindowClosed(false);
  // One icon for every window; the desktop entry's name ties the windows to
  // the menu entry (Wayland, task switchers).
  QApplication::setWindowIcon(dorrin::tray::dorrinIcon());
  QGuiApplication::setDesktopFileName(QStringLiteral("dorrin"));
  dorrin::forms::installFontSubstitutes();
  dorrin::forms::installKoreanTranslations();
  dorrin::organiser::startupMark("fonts and translations");

  const QStringList args = QApplication::arguments();
  const bool smokeRun = commandLine.action == dorrin::organiser::CommandLine::Action::Smoke;
  if (!dorrin::paths::ensureDataFolder()) {
    std::fprintf(stderr, "dorrin: cannot create the data folder %s\n",
                 qPrintable(dorrin::paths::dataFolder()));
    return 1;
  }

  // One organiser per user, data folder and display: a later start with the
  // same ones hands its command to the running one before it sets anything
  // up of its own; another folder or display runs on its own.
  dorrin::instance::InstanceChannel channel;
  if (!smokeRun) {
    const QString word = commandLine.action == dorrin::organiser::CommandLine::Action::Send
                             ? commandLine.command
                             : dorrin::instance::kRaise;
    const QString display = dorrin::instance::displayIdentity();
    const auto role = channel.tryBecomePrimary(
        dorrin::instance::channelName(dorrin::paths::dataFolder(), display));
    if (role == dorrin::instance::InstanceChannel::Role::Secondary) {
      if (!channel.sendToPrimary(word)) {
        std::fprintf(stderr, "dorrin: the running organiser did not answer\n");
        return 1;
      }
      // --quit returns once the organiser has let go of its channel, its last
      // step after restoring the desktop and closing its files.
      if (word == dorrin::instance::kQuit && !channel.waitForPrimaryToEnd(10000)) {
        std::fprintf(stderr, "dorrin: the running organiser has not ended\n");
        return 1;
      }
      std::printf("dorrin: handed '%s' to the organiser already running on %s for %s\n",
                  qPrintable(word), qPrintable(display), qPrintable(dorrin::paths::dataFolder()));
      return 0;
    }
    if (word == dorrin::instance::kHide || word == dorrin::instance::kQuit) {
      std::fprintf(stderr, "dorrin: no organiser is running\n");
      return 0;
    }
  }

  dorrin::organiser::OrganiserApp app;
  dorrin::organiser::startupMark("services");
  dorrin::organiser::SignalRelay signals_([&app] {
    app.restoreDesktop();
    QCoreApplication::quit();
  });
  if (smokeRun) return smoke(app, clock);
  app.listen(channel);

  // The command line as one text, for the "/S" test on its last characters.
  app.start(args.mid(1).join(QLatin1Char(' ')));
  const int rc = QApplication::exec();
  app.restoreDesktop();
  return rc;
}
