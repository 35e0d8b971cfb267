#include "platform/text/text_file.h"

#include "tests/support/temp_folder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <csignal>
#include <optional>
#include <sys/resource.h>
#include <unistd.h>

using dorrin::test::TempFolder;
using dorrin::text::readLines;
using dorrin::text::writeLines;

namespace {

QString u(const char *utf8) {
  return QString::fromUtf8(utf8);
}

} // namespace

TEST(TextFile, ReadsCp949Lines) {
  const QString r(QChar(0xFFFD));
  struct Case {
    QByteArray bytes;
    QStringList lines;
  } cases[] = {
      {"", {}},
      {"\r\n", {""}},
      {"one\r\ntwo\r\n", {"one", "two"}},
      {"one\ntwo", {"one", "two"}}, // LF only, no ending on the last line
      {"a\r\n\r\n\r\nb\r\n", {"a", "", "", "b"}},
      {"\xC7\xD1\xB1\xDB|\x8C\x63|\r\n", {u("한글|똠|")}},
      // A broken byte costs one character, never the line or the next one.
      {"x\xFFy\r\n\xC7\r\n\xB0\xA1\r\n", {u("x") + r + u("y"), r, u("가")}},
  };
  TempFolder dir;
  for (const auto &c : cases) {
    dir.write("in.txt", c.bytes);
    const auto lines = readLines(dir.file("in.txt"));
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(*lines, c.lines) << c.bytes.toHex().constData();
  }
  EXPECT_FALSE(readLines(dir.file("missing.txt")).has_value());
}

TEST(TextFile, WritesCp949LinesWithCrLf) {
  TempFolder dir;
  const QStringList lines{u("한글|똠|"), "", "c:\\a.txt"};
  ASSERT_TRUE(writeLines(dir.file("out.txt"), lines));
  EXPECT_EQ(dir.read("out.txt"), QByteArray("\xC7\xD1\xB1\xDB|\x8C\x63|\r\n\r\nc:\\a.txt\r\n"));
  EXPECT_EQ(readLines(dir.file("out.txt")).value(), lines);

  ASSERT_TRUE(writeLines(dir.file("out.txt"), {}));
  EXPECT_EQ(dir.read("out.txt"), QByteArray());
}

TEST(TextFile, FailedWriteKeepsTheOldFile) {
  TempFolder dir;
  const QByteArray old = "old line\r\n";
  dir.write("keep.txt", old);

  // A folder the program may not write into (root is allowed anyway).
  if (geteuid() != 0) {
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    EXPECT_FALSE(writeLines(dir.file("keep.txt"), {"new"}));
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(dir.read("keep.txt"), old);
  }

  // A write cut short (a full disk, here a file size limit) also for root.
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 64;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  QString error;
  const bool written = writeLines(dir.file("keep.txt"), {QString(200, u'x'), "more"}, &error);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(written);
  EXPECT_FALSE(error.isEmpty()); // the reason a message can show
  EXPECT_EQ(dir.read("keep.txt"), old);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.txt"}); // no temp left
}

TEST(TextFile, FirstLineAloneIsReadFromAFileOfAnySize) {
  TempFolder dir;
  struct Case {
    QByteArray bytes;
    std::optional<QString> line;
  } cases[] = {
      {"", QString()},
      {"a@b@\r\nsecond\r\n", u("a@b@")},
      {"a@b@\nsecond", u("a@b@")},
      {"no ending", u("no ending")},
      {"\xC7\xD1\xB1\xDB@\r\n", u("한글@")},
  };
  for (const auto &c : cases) {
    dir.write("in.txt", c.bytes);
    EXPECT_EQ(dorrin::text::readFirstLine(dir.file("in.txt")), c.line) << c.bytes.constData();
  }
  EXPECT_FALSE(dorrin::text::readFirstLine(dir.file("missing.txt")));

  // A short first line, then 8 MB: the line is all that counts. A first
  // line longer than the limit is cut there.
  QByteArray big = "True@2@\r\n";
  big += QByteArray(8 * 1024 * 1024, 'x');
  dir.write("big.txt", big);
  EXPECT_EQ(dorrin::text::readFirstLine(dir.file("big.txt")), u("True@2@"));
  EXPECT_EQ(dorrin::text::readFirstLine(dir.file("big.txt"), 4), u("True"));
  dir.write("long.txt", QByteArray(300000, 'y'));
  EXPECT_EQ(dorrin::text::readFirstLine(dir.file("long.txt"), 100000)->size(), 100000);
}

TEST(TextFile, ReplacingKeepsPermissionsAndClearsStaleTemporaries) {
  TempFolder dir;
  const QString file = dir.file("dorrat.txt");
  dir.write("dorrat.txt", "old\r\n");
  ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
  // Left by writes killed half-way: two old ones, one just now (a write in
  // progress, perhaps), and files that only look alike.
  for (const char *name : {"dorrat.txt.Ab3dE9", "dorrat.txt.zzzzzz", "dorrat.txt.fresh1",
                           "dorrat.txt.toolong7", "dorrat.txt.ab-cd1", "other.txt.Ab3dE9"})
    dir.write(name, "partial");
  const QDateTime old = QDateTime::currentDateTime().addSecs(-3600);
  for (const char *name : {"dorrat.txt.Ab3dE9", "dorrat.txt.zzzzzz", "dorrat.txt.toolong7",
                           "dorrat.txt.ab-cd1", "other.txt.Ab3dE9"}) {
    QFile f(dir.file(name));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(old, QFileDevice::FileModificationTime));
  }

  ASSERT_TRUE(writeLines(file, {"new"}));
  EXPECT_EQ(dir.read("dorrat.txt"), "new\r\n");
  EXPECT_EQ(QFile::permissions(file) & 0x7777, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ReadUser | QFileDevice::WriteUser);
  QStringList left = QDir(dir.path()).entryList(QDir::Files);
  left.sort();
  EXPECT_EQ(left, (QStringList{"dorrat.txt", "dorrat.txt.ab-cd1", "dorrat.txt.fresh1",
                               "dorrat.txt.toolong7", "other.txt.Ab3dE9"}));
}
