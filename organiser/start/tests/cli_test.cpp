// The dorrin executable from outside, as a user's shell or session runs it:
// help and version without a display, mistakes end with status 2, start at
// login switched on and off, and --quit ending a running organiser.
#include "organiser/start/autostart.h"
#include "tests/support/temp_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Outcome {
  int status = -1;
  QString out, err;
};

struct CliFixture : ::testing::Test {
  dorrin::test::TempFolder home;
  QProcessEnvironment env() const {
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert("QT_QPA_PLATFORM", "offscreen");
    e.insert("DORRIN_DATA_DIR", home.file("data"));
    e.insert("XDG_RUNTIME_DIR", home.path());
    e.insert("XDG_CONFIG_HOME", home.file("config"));
    e.insert("TESSIVO_REGISTRY", home.file("registry.ini"));
    return e;
  }
  Outcome run(const QStringList &args, QProcessEnvironment e) const {
    QProcess p;
    p.setProcessEnvironment(e);
    p.start(DORRIN_PROGRAM, args);
    Outcome r;
    if (!p.waitForFinished(20000)) {
      p.kill();
      p.waitForFinished();
      return r;
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
  }
  Outcome run(const QStringList &args) const { return run(args, env()); }
  // The running organiser's channel: a socket in its private runtime folder.
  bool listening() const {
    return !QDir(home.path()).entryList(QDir::System | QDir::NoDotAndDotDot).isEmpty();
  }
};

TEST_F(CliFixture, HelpAndVersionNeedNoDisplay) {
  QProcessEnvironment bare = env();
  for (const char *v : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
    bare.remove(v);
  const Outcome help = run({"--help"}, bare);
  EXPECT_EQ(help.status, 0) << help.err.toStdString();
  EXPECT_TRUE(help.out.contains("--autostart on|off") && help.out.contains("사용법"));
  const Outcome version = run({"--version"}, bare);
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "dorrin " DORRIN_VERSION "\n");
}

TEST_F(CliFixture, MistakesSaySoAndEndWithStatusTwo) {
  for (const QStringList &args : {QStringList{"--bogus"}, QStringList{"--autostart", "yes"},
                                  QStringList{"--show", "--quit"}}) {
    const Outcome r = run(args);
    EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
    EXPECT_TRUE(r.err.contains(args.last())) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("--help")) << r.err.toStdString();
    EXPECT_FALSE(listening()) << "a mistaken start must not start the organiser";
  }
}

TEST_F(CliFixture, AutostartOnOffAndAsk) {
  const QString entry = home.file("config/autostart/dorrin.desktop");
  Outcome r = run({"--autostart"});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.out.contains("login: off")) << r.out.toStdString();

  r = run({"--autostart", "on"});
  EXPECT_EQ(r.status, 0) << r.err.toStdString();
  ASSERT_TRUE(QFileInfo::exists(entry));
  const QString exec = QFileInfo(DORRIN_PROGRAM).canonicalFilePath();
  EXPECT_TRUE(
      home.read("config/autostart/dorrin.desktop").contains("Exec=" + exec.toUtf8() + " /S"));
  r = run({"--autostart"});
  EXPECT_TRUE(r.out.contains("login: on")) << r.out.toStdString();

  r = run({"--autostart", "off"});
  EXPECT_EQ(r.status, 0);
  EXPECT_FALSE(QFileInfo::exists(entry));
  r = run({"--autostart"});
  EXPECT_TRUE(r.out.contains("login: off")) << r.out.toStdString();
}

TEST_F(CliFixture, QuitEndsTheRunningOrganiser) {
  QProcess organiser;
  organiser.setProcessEnvironment(env());
  organiser.start(DORRIN_PROGRAM, QStringList());
  ASSERT_TRUE(organiser.waitForStarted());
  QTRY_VERIFY_WITH_TIMEOUT(listening(), 20000);

  const Outcome quit = run({"--quit"});
  EXPECT_EQ(quit.status, 0) << quit.err.toStdString();
  // --quit returns once the organiser has gone.
  EXPECT_TRUE(organiser.state() == QProcess::NotRunning || organiser.waitForFinished(2000));
  EXPECT_EQ(organiser.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(organiser.exitCode(), 0) << organiser.readAllStandardError().toStdString();
  EXPECT_FALSE(listening());

  // With nothing running there is nothing to end, and nothing is started.
  const Outcome again = run({"--quit"});
  EXPECT_EQ(again.status, 0);
  EXPECT_FALSE(again.err.isEmpty());
  EXPECT_FALSE(listening());
}

} // namespace
