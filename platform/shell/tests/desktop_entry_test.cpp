#include "platform/shell/desktop_entry.h"

#include <gtest/gtest.h>

using namespace dorrin::shell;

namespace {

QStringList L(std::initializer_list<const char *> items) {
  QStringList out;
  for (const char *s : items)
    out << QString::fromUtf8(s);
  return out;
}

} // namespace

TEST(DesktopEntry, ExecLinesSplitByTheirQuotingRules) {
  struct Case {
    const char *exec;
    QStringList args;
  } cases[] = {
      {"gedit %U", L({"gedit", "%U"})},
      {"sh -c \"echo \\\\\"hi there\\\\\"\"", L({"sh", "-c", "echo \"hi there\""})},
      {"prog \"a b\"c d", L({"prog", "a bc", "d"})},
      {"prog\\sx y", L({"prog", "x", "y"})}, // \s is a blank
      {"  spaced   out  ", L({"spaced", "out"})},
  };
  for (const auto &c : cases) {
    const auto got = splitExec(QString::fromUtf8(c.exec));
    ASSERT_TRUE(got) << c.exec;
    EXPECT_EQ(*got, c.args) << c.exec;
  }
  EXPECT_FALSE(splitExec(QStringLiteral("prog \"open")));
  EXPECT_FALSE(splitExec(QStringLiteral("   ")));
}

TEST(DesktopEntry, FieldCodesTakeTheTargets) {
  DesktopEntry e;
  e.name = QStringLiteral("뷰어");
  e.icon = QStringLiteral("viewer");
  e.file = QStringLiteral("/apps/viewer.desktop");
  const QStringList one{QStringLiteral("/home/u/a b.txt")};
  const QStringList two{QStringLiteral("/x"), QStringLiteral("/y")};
  struct Case {
    const char *exec;
    QStringList targets;
    QStringList command;
  } cases[] = {
      {"viewer %U", two, L({"viewer", "/x", "/y"})},
      {"viewer %f", one, L({"viewer", "/home/u/a b.txt"})},
      {"viewer --file=%u", one, L({"viewer", "--file=/home/u/a b.txt"})},
      {"viewer", one, L({"viewer", "/home/u/a b.txt"})},   // no code: appended
      {"viewer %d %m %F", two, L({"viewer", "/x", "/y"})}, // deprecated codes dropped
      {"viewer %i %c %k 100%%",
       {},
       L({"viewer", "--icon", "viewer", "뷰어", "/apps/viewer.desktop", "100%"})},
  };
  for (const auto &c : cases) {
    e.exec = QString::fromUtf8(c.exec);
    const auto got = expandExec(e, c.targets);
    ASSERT_TRUE(got) << c.exec;
    EXPECT_EQ(*got, c.command) << c.exec;
  }
}

TEST(DesktopEntry, KeyFilesKeepTheFirstValueOfAKeyAndSkipComments) {
  const KeyFile k = parseKeyFile(QStringLiteral("stray=1\n# note\n[Desktop Entry]\nName=First\n"
                                                "Name=Second\nMimeType=text/plain;image/png;\n"
                                                "Hidden = true\n[Other]\n"));
  ASSERT_TRUE(k.contains(QStringLiteral("Desktop Entry")));
  EXPECT_TRUE(k.contains(QStringLiteral("Other")));
  const auto &g = k[QStringLiteral("Desktop Entry")];
  EXPECT_EQ(g.value(QStringLiteral("Name")), QStringLiteral("First"));
  EXPECT_EQ(g.value(QStringLiteral("Hidden")), QStringLiteral("true"));
  EXPECT_FALSE(g.contains(QStringLiteral("stray")));
  EXPECT_EQ(splitList(g.value(QStringLiteral("MimeType"))),
            (QStringList{QStringLiteral("text/plain"), QStringLiteral("image/png")}));
  EXPECT_EQ(splitList(QStringLiteral("a\\;b;;c")),
            (QStringList{QStringLiteral("a;b"), QStringLiteral("c")}));
}
