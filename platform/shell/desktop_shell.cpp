#include "platform/shell/desktop_shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <cerrno>
#include <cstring>

Q_LOGGING_CATEGORY(lcShell, "dorrin.shell")

namespace dorrin::shell {

DesktopShell::DesktopShell() : DesktopShell(Options{}) {}
DesktopShell::DesktopShell(Options options) : options_(std::move(options)) {}

namespace {

// QProcess reports why exec failed only as text ("execv: <strerror>"); the
// errno is recovered by comparing with the system's texts.
int codeOfStartFailure(const QString &message) {
  const struct {
    int err;
    int code;
  } table[] = {{ENOENT, kErrorFileNotFound}, {ENOTDIR, kErrorPathNotFound},
               {EACCES, kErrorAccessDenied}, {EPERM, kErrorAccessDenied},
               {ENOEXEC, kErrorBadFormat},   {ENOMEM, kErrorOutOfMemory},
               {E2BIG, kErrorOutOfMemory}};
  for (const auto &t : table)
    if (message.endsWith(QString::fromLocal8Bit(std::strerror(t.err)))) return t.code;
  return kErrorOutOfResources;
}

} // namespace

int DesktopShell::startDetached(const QStringList &command, const QString &workingDir) {
  if (command.isEmpty()) return kErrorFileNotFound;
  QProcess p;
  p.setProgram(command.first());
  p.setArguments(command.mid(1));
  if (!workingDir.isEmpty() && QFileInfo(workingDir).isDir()) p.setWorkingDirectory(workingDir);
  p.setStandardInputFile(QProcess::nullDevice());
  // startDetached forks twice: the program becomes a child of the system's
  // reaper at once and Qt collects the intermediate child before returning.
  if (p.startDetached()) return kStarted;
  const int code = codeOfStartFailure(p.errorString());
  qCWarning(lcShell) << "cannot start" << command << ":" << p.errorString() << "-> code" << code;
  return code;
}

int DesktopShell::openWithDesktop(const OpenPlan &plan) {
  for (const QStringList &opener : options_.openers) {
    if (opener.isEmpty() || QStandardPaths::findExecutable(opener.first()).isEmpty()) continue;
    return startDetached(opener + QStringList{plan.target}, plan.workingDir);
  }
  if (!plan.handler.isEmpty()) {
    const auto entry = readDesktopEntry(plan.handler);
    if (entry) {
      if (auto command = expandExec(*entry, {plan.target}))
        return startDetached(*command,
                             entry->workingDir.isEmpty() ? plan.workingDir : entry->workingDir);
    }
    return kErrorBadFormat;
  }
  // No opener and no application: the toolkit's own way, where it has one.
  const QUrl url = plan.kind == OpenPlan::Kind::WebAddress ? QUrl(plan.target)
                                                           : QUrl::fromLocalFile(plan.target);
  return QDesktopServices::openUrl(url) ? kStarted : kErrorNoAssociation;
}

int DesktopShell::ShellExecute(const QString &verb, const QString &file, const QString &parameters,
                               const QString &directory, int show) {
  (void)show; // the desktop places new windows itself
  if (!verb.isEmpty() && verb.compare(QLatin1String("open"), Qt::CaseInsensitive) != 0)
    qCInfo(lcShell) << "verb" << verb << "opens like \"Open\"";
  const MimeHandlers handlers(options_.dirs ? options_.dirs() : XdgDirs::fromEnvironment());
  const OpenPlan plan = planOpen(file, parameters, directory, handlers);
  switch (plan.kind) {
  case OpenPlan::Kind::Fail:
    qCInfo(lcShell) << "cannot open" << file << "-> code" << plan.error;
    return plan.error;
  case OpenPlan::Kind::Program:
  case OpenPlan::Kind::Launcher:
    return startDetached(plan.command, plan.workingDir);
  case OpenPlan::Kind::Document:
  case OpenPlan::Kind::Folder:
  case OpenPlan::Kind::WebAddress:
    return openWithDesktop(plan);
  }
  return kErrorOutOfResources;
}

} // namespace dorrin::shell
