#include "platform/shell/desktop_shell.h"
#include "tests/support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <cerrno>
#include <gtest/gtest.h>
#include <sys/wait.h>

using namespace dorrin::shell;

namespace {

void writeFile(const QString &path, const QByteArray &bytes, bool executable = false) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
  f.close();
  if (executable) f.setPermissions(f.permissions() | QFile::ExeOwner);
}

QByteArray waitForFile(const QString &path) {
  if (!QTest::qWaitFor([&] { return QFile(path).size() > 0; }, 10000)) return {};
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed() : QByteArray();
}

// No child of ours is left behind, running or as a zombie.
bool noChildren() {
  int status = 0;
  return ::waitpid(-1, &status, WNOHANG) == -1 && errno == ECHILD;
}

struct ShellFixture : ::testing::Test {
  dorrin::test::TempFolder tmp;
  dorrin::test::TempFolder xdgRoot;
  // No desktop opener: documents go straight to the application found.
  DesktopShell shell{DesktopShell::Options{{}, [this] {
                                             XdgDirs d;
                                             d.configHome = xdgRoot.file("config");
                                             d.dataHome = xdgRoot.file("data");
                                             d.dataDirs = {xdgRoot.file("none")};
                                             return d;
                                           }}};
};

} // namespace

TEST_F(ShellFixture, StartsAProgramDetachedInItsFolder) {
  writeFile(tmp.file("job.sh"), "#!/bin/sh\npwd > \"$1\"\n", true);
  QDir().mkpath(tmp.file("work"));
  const int r = shell.ShellExecute("Open", tmp.file("job.sh"), '"' + tmp.file("out.txt") + '"',
                                   tmp.file("work"), SW_SHOWDEFAULT);
  EXPECT_TRUE(succeeded(r)) << r;
  EXPECT_EQ(waitForFile(tmp.file("out.txt")), QFile::encodeName(tmp.file("work")));
  EXPECT_TRUE(noChildren());
}

TEST_F(ShellFixture, OpensADocumentWithTheApplicationForItsType) {
  QDir().mkpath(xdgRoot.file("data/applications"));
  writeFile(tmp.file("viewer.sh"), "#!/bin/sh\necho \"$1\" > \"$0.seen\"\n", true);
  writeFile(xdgRoot.file("data/applications/viewer.desktop"),
            ("[Desktop Entry]\nType=Application\nExec=" + tmp.file("viewer.sh") +
             " %f\nMimeType=text/plain;\n")
                .toUtf8());
  writeFile(tmp.file("메모 1.txt"), "hello");
  EXPECT_EQ(shell.ShellExecute("Open", tmp.file("메모 1.txt"), {}, {}, SW_SHOWDEFAULT), kStarted);
  EXPECT_EQ(QString::fromUtf8(waitForFile(tmp.file("viewer.sh.seen"))), tmp.file("메모 1.txt"));
  EXPECT_TRUE(noChildren());
}

TEST_F(ShellFixture, ReportsWhatCannotBeOpened) {
  writeFile(tmp.file("note.txt"), "no application for text here");
  writeFile(tmp.file("broken.sh"), "#!/no/such/interpreter\n", true);
  EXPECT_EQ(shell.ShellExecute("Open", tmp.file("missing.txt"), {}, {}, 10), kErrorFileNotFound);
  EXPECT_EQ(shell.ShellExecute("Open", tmp.file("no/missing.txt"), {}, {}, 10), kErrorPathNotFound);
  EXPECT_EQ(shell.ShellExecute("Open", tmp.file("note.txt"), {}, {}, 10), kErrorNoAssociation);
  EXPECT_EQ(shell.ShellExecute("Open", tmp.path(), {}, {}, 10), kErrorNoAssociation);
  // exec fails: the interpreter named by the script is missing.
  EXPECT_EQ(shell.ShellExecute("Open", tmp.file("broken.sh"), {}, {}, 10), kErrorFileNotFound);
  EXPECT_TRUE(noChildren());
}
