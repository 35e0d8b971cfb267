#pragma once
// The organiser's command line: what a start is asked to do, the help and
// version texts. Read before the application object exists, so --help,
// --version and --autostart work without a display.
#include <QString>
#include <QStringList>

namespace dorrin::organiser {

struct CommandLine {
  enum class Action {
    Start,     // run the organiser (the classic command line, "/S" included)
    Smoke,     // run the start-up once, report timings, exit
    Send,      // hand `command` to the running organiser
    Help,      // print helpText()
    Version,   // print versionText()
    Autostart, // switch or report the start at login
    Usage,     // a mistake on the command line: print `error`, exit 2
  };
  Action action = Action::Start;
  QString command;   // Send: "show", "hide", "toggle" or "quit"
  QString autostart; // Autostart: "on", "off", or empty to report
  QString error;     // Usage: what was wrong (Korean and English)
};

// Reads the arguments, program name first. Words that do not begin with "-"
// belong to the classic command line and are kept for the start-up form;
// Qt's own options (-platform, -display, ...) are left to Qt.
CommandLine parseCommandLine(const QStringList &arguments);

// Answers what needs no running organiser nor display: help, version, a
// mistake (status 2) and the start at login. Returns the exit status, or -1
// when the organiser has to start.
int answerWithoutStarting(const CommandLine &commandLine);

// Every option on one screen, in Korean and English.
QString helpText();
// "dorrin <version>".
QString versionText();

} // namespace dorrin::organiser
