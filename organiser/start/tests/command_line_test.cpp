// Reading the command line, the help text's layout, and the start-at-login
// entry on disk.
#include "organiser/start/autostart.h"
#include "organiser/start/command_line.h"
#include "platform/shell/desktop_entry.h"
#include "tests/support/temp_folder.h"

#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace dorrin::organiser;
using Action = CommandLine::Action;

TEST(CommandLine, ActionsFromArguments) {
  const struct {
    QStringList args;
    Action action;
    QString command;
    QString autostart;
  } cases[] = {
      {{}, Action::Start, {}, {}},
      {{"/S"}, Action::Start, {}, {}},
      {{"-platform", "offscreen", "/S"}, Action::Start, {}, {}},
      {{"--display=:5", "-reverse"}, Action::Start, {}, {}},
      {{"--smoke"}, Action::Smoke, {}, {}},
      {{"--show"}, Action::Send, "show", {}},
      {{"--hide"}, Action::Send, "hide", {}},
      {{"--toggle"}, Action::Send, "toggle", {}},
      {{"--quit"}, Action::Send, "quit", {}},
      {{"--quit", "--quit"}, Action::Send, "quit", {}},
      {{"--help"}, Action::Help, {}, {}},
      {{"-h"}, Action::Help, {}, {}},
      {{"--version"}, Action::Version, {}, {}},
      {{"--autostart"}, Action::Autostart, {}, {}},
      {{"--autostart", "on"}, Action::Autostart, {}, "on"},
      {{"--autostart", "off"}, Action::Autostart, {}, "off"},
      {{"--autostart=on"}, Action::Autostart, {}, "on"},
      {{"--autostart", "-platform", "offscreen"}, Action::Autostart, {}, {}},
  };
  for (const auto &c : cases) {
    const CommandLine cl = parseCommandLine(QStringList{"dorrin"} + c.args);
    const QString what = c.args.join(' ');
    EXPECT_EQ(cl.action, c.action) << what.toStdString();
    EXPECT_EQ(cl.command, c.command) << what.toStdString();
    EXPECT_EQ(cl.autostart, c.autostart) << what.toStdString();
  }
}

TEST(CommandLine, MistakesAreNamed) {
  const struct {
    QStringList args;
    QString named;
  } cases[] = {
      {{"--bogus"}, "--bogus"},
      {{"-x"}, "-x"},
      {{"--Show"}, "--Show"},
      {{"/S", "--quiet"}, "--quiet"},
      {{"--autostart", "maybe"}, "maybe"},
      {{"--autostart="}, "--autostart"},
      {{"--show", "--quit"}, "--quit"},
      {{"--help", "--version"}, "--version"},
      {{"--smoke", "--autostart", "on"}, "--autostart"},
  };
  for (const auto &c : cases) {
    const CommandLine cl = parseCommandLine(QStringList{"dorrin"} + c.args);
    const QString what = c.args.join(' ');
    EXPECT_EQ(cl.action, Action::Usage) << what.toStdString();
    EXPECT_TRUE(cl.error.contains(c.named)) << cl.error.toStdString();
  }
}

// Columns a terminal gives the text: Hangul takes two.
static int columns(const QString &line) {
  int n = 0;
  for (QChar c : line)
    n += (c.unicode() >= 0x1100 && c.unicode() <= 0xD7A3) ? 2 : 1;
  return n;
}

TEST(HelpText, EveryOptionOnOneScreenInBothLanguages) {
  const QString help = helpText();
  for (const char *option : {"/S", "--show", "--hide", "--toggle", "--quit", "--autostart on|off",
                             "--smoke", "--version", "--help", "F11", "F10"})
    EXPECT_TRUE(help.contains(QLatin1String(option))) << option;
  EXPECT_TRUE(help.contains("사용법") && help.contains("Usage"));
  const QStringList lines = help.split('\n');
  EXPECT_LE(lines.size(), 24);
  for (const QString &line : lines)
    EXPECT_LE(columns(line), 80) << line.toStdString();
  EXPECT_EQ(versionText(), QStringLiteral("dorrin " DORRIN_VERSION "\n"));
}

struct AutostartFixture : ::testing::Test {
  dorrin::test::TempFolder config;
  QByteArray saved = qgetenv("XDG_CONFIG_HOME");
  void SetUp() override { qputenv("XDG_CONFIG_HOME", config.path().toUtf8()); }
  void TearDown() override { qputenv("XDG_CONFIG_HOME", saved); }
};

TEST_F(AutostartFixture, OnWritesAValidEntryOffRemovesIt) {
  const QString entry = config.file("autostart/dorrin.desktop");
  EXPECT_EQ(autostartEntryPath(), entry);
  EXPECT_FALSE(autostartEnabled());
  EXPECT_TRUE(setAutostart(false, "/usr/bin/dorrin")); // off when already off

  ASSERT_TRUE(setAutostart(true, "/usr/bin/dorrin"));
  EXPECT_TRUE(autostartEnabled());
  const auto parsed = dorrin::shell::readDesktopEntry(entry);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(dorrin::shell::expandExec(*parsed, {}), QStringList({"/usr/bin/dorrin", "/S"}));
  const QString validate = QStandardPaths::findExecutable("desktop-file-validate");
  if (!validate.isEmpty()) {
    QProcess p;
    p.start(validate, {entry});
    ASSERT_TRUE(p.waitForFinished());
    EXPECT_EQ(p.exitCode(), 0) << p.readAll().toStdString();
  }

  ASSERT_TRUE(setAutostart(true, "/opt/dorrin/bin/dorrin")); // replaced, not added to
  EXPECT_EQ(dorrin::shell::expandExec(*dorrin::shell::readDesktopEntry(entry), {}),
            QStringList({"/opt/dorrin/bin/dorrin", "/S"}));

  ASSERT_TRUE(setAutostart(false, "/usr/bin/dorrin"));
  EXPECT_FALSE(QFile::exists(entry));
  EXPECT_FALSE(autostartEnabled());
}

TEST_F(AutostartFixture, SwitchedOffByTheDesktopCountsAsOff) {
  for (const char *line : {"Hidden=true", "X-GNOME-Autostart-enabled=false"}) {
    ASSERT_TRUE(setAutostart(true, "/usr/bin/dorrin"));
    QFile f(autostartEntryPath());
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write(QByteArray("\n") + line + "\n");
    f.close();
    // The desktop's own switch wins over ours (the first of a repeated key
    // wins, so this one is appended after removing ours).
    QString text = config.read("autostart/dorrin.desktop");
    text.remove("X-GNOME-Autostart-enabled=true\n");
    config.write("autostart/dorrin.desktop", text.toUtf8());
    EXPECT_FALSE(autostartEnabled()) << line;
  }
}

TEST(DesktopExec, AwkwardProgramPathsComeBackWhole) {
  for (const QString &path : {QString("/usr/bin/dorrin"), QString("/home/김 철수/bin/dorrin"),
                              QString("/tmp/a\"b`c$d\\e/dorrin"), QString("/tmp/100%/dorrin"),
                              QString("/tmp/semi;colon/it's(here)/dorrin")}) {
    dorrin::shell::DesktopEntry entry;
    entry.exec = desktopExecArgument(path) + " /S";
    EXPECT_EQ(dorrin::shell::expandExec(entry, {}), QStringList({path, "/S"}))
        << path.toStdString();
  }
}
