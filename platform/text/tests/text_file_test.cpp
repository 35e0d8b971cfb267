#include "platform/text/text_file.h"

#include "tests/support/temp_folder.h"

#include <QFile>
#include <gtest/gtest.h>

#include <csignal>
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
