#include "platform/shell/mime_handlers.h"
#include "platform/shell/open_plan.h"
#include "tests/support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace dorrin::shell;
using Kind = OpenPlan::Kind;

namespace {

// A private XDG tree: applications and mimeapps.list of our own, nothing
// from the machine.
struct Xdg {
  dorrin::test::TempFolder root;
  XdgDirs dirs() const {
    XdgDirs d;
    d.configHome = root.file("config");
    d.dataHome = root.file("data");
    d.dataDirs = {root.file("system")};
    return d;
  }
  void app(const QString &relPath, const QString &body) const {
    const QString path = root.file("data/applications/" + relPath);
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(("[Desktop Entry]\nType=Application\n" + body).toUtf8());
  }
  void systemApp(const QString &id, const QString &body) const {
    QDir().mkpath(root.file("system/applications"));
    QFile f(root.file("system/applications/" + id));
    f.open(QIODevice::WriteOnly);
    f.write(("[Desktop Entry]\nType=Application\n" + body).toUtf8());
  }
  void mimeApps(const QString &body) const {
    QDir().mkpath(root.file("config"));
    QFile f(root.file("config/mimeapps.list"));
    f.open(QIODevice::WriteOnly);
    f.write(body.toUtf8());
  }
};

void writeFile(const QString &path, const QByteArray &bytes, QFile::Permissions perms = {}) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << qPrintable(path);
  f.write(bytes);
  f.close();
  if (perms) f.setPermissions(perms);
}

constexpr auto kRW = QFile::ReadOwner | QFile::WriteOwner;
constexpr auto kRWX = kRW | QFile::ExeOwner;

// accessError as an ordinary user sees it. Root reads everything, so as
// root the check runs in a child that has given up its rights.
int accessAsUser(const QString &path) {
  const QByteArray name = QFile::encodeName(path);
  if (::geteuid() != 0) return accessError(name.constData());
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(100);
    ::_exit(accessError(name.constData()));
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(OpenPlan, LocalFailuresMapToTheShellCodes) {
  dorrin::test::TempFolder tmp;
  ::chmod(QFile::encodeName(tmp.path()).constData(), 0755); // others may look in
  writeFile(tmp.file("doc.txt"), "text");
  writeFile(tmp.file("locked.txt"), "secret", {}); // no permission at all
  ::chmod(QFile::encodeName(tmp.file("locked.txt")).constData(), 0);
  QDir(tmp.path()).mkdir("closed");
  writeFile(tmp.file("closed/inside.txt"), "x");
  ::chmod(QFile::encodeName(tmp.file("closed")).constData(), 0);

  struct Case {
    QString path;
    int code;
  } cases[] = {
      {tmp.file("doc.txt"), 0},
      {tmp.path(), 0},
      {tmp.file("missing.txt"), kErrorFileNotFound},
      {tmp.file("nofolder/missing.txt"), kErrorPathNotFound},
      {tmp.file("nofolder/deeper/missing.txt"), kErrorPathNotFound},
      {tmp.file("doc.txt/below"), kErrorPathNotFound}, // a file used as a folder
      {tmp.file("locked.txt"), kErrorAccessDenied},
      {tmp.file("closed/inside.txt"), kErrorAccessDenied},
      {tmp.file("closed"), kErrorAccessDenied},
      {QString(), kErrorFileNotFound},
  };
  for (const auto &c : cases)
    EXPECT_EQ(accessAsUser(c.path), c.code) << qPrintable(c.path);
  ::chmod(QFile::encodeName(tmp.file("closed")).constData(), 0755); // let the fixture clean up
}

TEST(OpenPlan, PlansByWhatThePathIs) {
  Xdg xdg;
  xdg.app("viewer.desktop", "Exec=/bin/true %f\nMimeType=text/plain;\n");
  xdg.app("files.desktop", "Exec=/bin/true %U\nMimeType=inode/directory;\n");
  MimeHandlers handlers(xdg.dirs());
  dorrin::test::TempFolder tmp;
  writeFile(tmp.file("note.txt"), "hello");
  writeFile(tmp.file("run.sh"), "#!/bin/sh\nexit 0\n", kRWX);
  writeFile(tmp.file("fat.txt"), "a text with the execute bit", kRWX);
  writeFile(tmp.file("blob.zzqq"), QByteArray("\x01\x02\x03\x04", 4));
  writeFile(tmp.file("app.desktop"), "[Desktop Entry]\nType=Application\nExec=/bin/true --x\n");
  writeFile(tmp.file("gone.desktop"), "[Desktop Entry]\nType=Application\nExec=/no/such/prog\n");
  writeFile(tmp.file("web.desktop"), "[Desktop Entry]\nType=Link\nURL=https://example.org/\n");
  writeFile(tmp.file("junk.desktop"), "not a desktop entry\n");
  QDir(tmp.path()).mkdir("www.site");

  struct Case {
    QString file;
    QString directory;
    Kind kind;
    int error;
    QString target;
  } cases[] = {
      {tmp.file("note.txt"), {}, Kind::Document, 0, tmp.file("note.txt")},
      {"note.txt", tmp.path(), Kind::Document, 0, tmp.file("note.txt")},
      {"file://" + tmp.file("note.txt"), {}, Kind::Document, 0, tmp.file("note.txt")},
      {tmp.file("run.sh"), {}, Kind::Program, 0, tmp.file("run.sh")},
      {tmp.file("fat.txt"), {}, Kind::Document, 0, tmp.file("fat.txt")},
      {tmp.file("blob.zzqq"), {}, Kind::Fail, kErrorNoAssociation, tmp.file("blob.zzqq")},
      {tmp.path(), {}, Kind::Folder, 0, tmp.path()},
      {tmp.file("www.site"), {}, Kind::Folder, 0, tmp.file("www.site")},
      {tmp.file("app.desktop"), {}, Kind::Launcher, 0, tmp.file("app.desktop")},
      {tmp.file("gone.desktop"), {}, Kind::Fail, kErrorFileNotFound, tmp.file("gone.desktop")},
      {tmp.file("junk.desktop"), {}, Kind::Fail, kErrorBadFormat, tmp.file("junk.desktop")},
      {tmp.file("web.desktop"), {}, Kind::WebAddress, 0, "https://example.org/"},
      {"www.naver.com", {}, Kind::WebAddress, 0, "http://www.naver.com"},
      {"  http://example.org/a ", {}, Kind::WebAddress, 0, "http://example.org/a"},
      {"mailto:kim@example.org", {}, Kind::WebAddress, 0, "mailto:kim@example.org"},
      {"sh", {}, Kind::Program, 0, {}},
      {"", {}, Kind::Fail, kErrorFileNotFound, {}},
      {tmp.file("nothere.txt"), {}, Kind::Fail, kErrorFileNotFound, tmp.file("nothere.txt")},
  };
  for (const auto &c : cases) {
    const OpenPlan p = planOpen(c.file, {}, c.directory, handlers);
    EXPECT_EQ(p.kind, c.kind) << qPrintable(c.file);
    EXPECT_EQ(p.error, c.error) << qPrintable(c.file);
    if (!c.target.isEmpty()) {
      EXPECT_EQ(p.target, c.target) << qPrintable(c.file);
    }
  }
  const OpenPlan doc = planOpen(tmp.file("note.txt"), {}, {}, handlers);
  EXPECT_EQ(doc.handler, xdg.root.file("data/applications/viewer.desktop"));
  const OpenPlan prog = planOpen(tmp.file("run.sh"), "-a \"b c\"", {}, handlers);
  EXPECT_EQ(prog.command, (QStringList{tmp.file("run.sh"), "-a", "b c"}));
  const OpenPlan app = planOpen(tmp.file("app.desktop"), {}, {}, handlers);
  EXPECT_EQ(app.command, (QStringList{"/bin/true", "--x"}));
}

TEST(OpenPlan, NoApplicationForFoldersIsCode31) {
  Xdg xdg; // nothing installed
  MimeHandlers handlers(xdg.dirs());
  dorrin::test::TempFolder tmp;
  writeFile(tmp.file("note.txt"), "hello");
  EXPECT_EQ(planOpen(tmp.path(), {}, {}, handlers).error, kErrorNoAssociation);
  EXPECT_EQ(planOpen(tmp.file("note.txt"), {}, {}, handlers).error, kErrorNoAssociation);
  // An address is handed on even so: the desktop's opener may know more.
  EXPECT_EQ(planOpen("http://example.org", {}, {}, handlers).kind, Kind::WebAddress);
}

TEST(MimeHandlers, DefaultsThenAddedThenDeclaredThenParents) {
  Xdg xdg;
  xdg.app("viewer.desktop", "Exec=viewer %f\nMimeType=text/plain;\n");
  xdg.app("kde/editor.desktop", "Exec=editor %f\nMimeType=text/markdown;\n");
  xdg.app("hidden.desktop", "Exec=hidden %f\nHidden=true\nMimeType=image/png;\n");
  xdg.systemApp("viewer.desktop", "Exec=shadowed %f\nMimeType=image/gif;\n");
  xdg.systemApp("pics.desktop", "Exec=pics %f\nMimeType=image/png;image/gif;\n");
  const QString viewer = xdg.root.file("data/applications/viewer.desktop");
  const QString editor = xdg.root.file("data/applications/kde/editor.desktop");
  const QString pics = xdg.root.file("system/applications/pics.desktop");

  {
    MimeHandlers h(xdg.dirs());
    EXPECT_EQ(h.handlerFor("text/plain"), viewer);
    EXPECT_EQ(h.handlerFor("text/x-csrc"), viewer); // falls back to text/plain
    EXPECT_EQ(h.handlerFor("image/png"), pics);     // the hidden one does not count
    EXPECT_EQ(h.handlerFor("image/gif"), pics);     // the user's viewer hides the system's
    EXPECT_EQ(h.installed("kde-editor.desktop"), editor);
    EXPECT_EQ(h.handlerFor("application/x-zzqq"), QString());
  }
  xdg.mimeApps("[Default Applications]\ntext/plain=missing.desktop;kde-editor.desktop;\n"
               "[Removed Associations]\nimage/png=pics.desktop;\n"
               "[Added Associations]\nimage/png=pics.desktop;\nimage/jpeg=viewer.desktop;\n");
  MimeHandlers h(xdg.dirs());
  EXPECT_EQ(h.handlerFor("text/plain"), editor); // the first installed default
  EXPECT_EQ(h.handlerFor("image/png"), QString());
  EXPECT_EQ(h.handlerFor("image/jpeg"), viewer);
}
