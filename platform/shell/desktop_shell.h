#pragma once
// The shell on a Linux desktop. Programs and desktop entries are started
// detached (their own session, reaped by the system, so the organiser never
// waits and leaves no zombies); documents, folders and addresses go to the
// desktop's opener (xdg-open, else "gio open"), or, where neither is
// installed, straight to the application the MIME rules name.
#include "platform/shell/mime_handlers.h"
#include "platform/shell/open_plan.h"
#include "platform/shell/shell.h"

#include <QStringList>
#include <functional>
#include <vector>

namespace dorrin::shell {

class DesktopShell final : public Shell {
public:
  struct Options {
    // Openers tried in order: program and its leading arguments; the target
    // is appended. The first one installed is used.
    std::vector<QStringList> openers{{QStringLiteral("xdg-open")},
                                     {QStringLiteral("gio"), QStringLiteral("open")}};
    // Where the MIME rules are read; empty means the environment's.
    std::function<XdgDirs()> dirs;
  };
  DesktopShell();
  explicit DesktopShell(Options options);

  int ShellExecute(const QString &verb, const QString &file, const QString &parameters,
                   const QString &directory, int show) override;

  // Starts program and arguments detached in workingDir; kStarted, or the
  // shell code for why the program could not be started.
  static int startDetached(const QStringList &command, const QString &workingDir);

private:
  int openWithDesktop(const OpenPlan &plan);

  Options options_;
};

} // namespace dorrin::shell
