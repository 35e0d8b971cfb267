// Primary and secondary channels in one process, command words, and a
// socket file left behind by a dead instance.
#include "platform/instance/instance_channel.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>
#include <gtest/gtest.h>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace dorrin::instance;
using Role = InstanceChannel::Role;

namespace {

QString uniqueName() {
  return QStringLiteral("dorrin-test-%1").arg(QUuid::createUuid().toString(QUuid::Id128));
}

// A socket file whose process is gone: bound, never listened on, closed.
bool leaveStaleSocket(const QString &path) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  if (fd < 0) return false;
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  const QByteArray p = QFile::encodeName(path);
  if (p.size() >= static_cast<qsizetype>(sizeof addr.sun_path)) return false;
  std::memcpy(addr.sun_path, p.constData(), p.size());
  const bool ok = ::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0;
  ::close(fd);
  return ok;
}

struct Received {
  explicit Received(InstanceChannel &primary) {
    QObject::connect(&primary, &InstanceChannel::command, [this](const QString &c) { words << c; });
  }
  bool waitFor(qsizetype n) {
    for (int i = 0; i < 500 && words.size() < n; ++i)
      QTest::qWait(10);
    return words.size() >= n;
  }
  QStringList words;
};

} // namespace

TEST(InstanceChannel, SecondStartReachesThePrimaryInOrder) {
  const QString name = uniqueName();
  InstanceChannel primary;
  ASSERT_EQ(primary.tryBecomePrimary(name), Role::Primary);
  Received got(primary);

  InstanceChannel second;
  ASSERT_EQ(second.tryBecomePrimary(name), Role::Secondary);
  EXPECT_TRUE(second.sendToPrimary(kShow));
  EXPECT_TRUE(second.sendToPrimary(QStringLiteral("format everything"))); // dropped there
  EXPECT_TRUE(second.sendToPrimary(kToggle));
  EXPECT_TRUE(second.sendToPrimary(kHide));
  EXPECT_TRUE(second.sendToPrimary(kRaise));
  ASSERT_TRUE(got.waitFor(4));
  QTest::qWait(20);
  EXPECT_EQ(got.words, (QStringList{kShow, kToggle, kHide, kRaise}));

  // A primary cannot send to itself.
  EXPECT_FALSE(primary.sendToPrimary(kShow));
}

TEST(InstanceChannel, NextStartAfterThePrimaryEndsBecomesPrimary) {
  const QString name = uniqueName();
  {
    InstanceChannel first;
    ASSERT_EQ(first.tryBecomePrimary(name), Role::Primary);
  }
  EXPECT_FALSE(QFile::exists(InstanceChannel::socketPath(name)));
  InstanceChannel next;
  EXPECT_EQ(next.tryBecomePrimary(name), Role::Primary);
}

TEST(InstanceChannel, StaleSocketFileIsTakenOver) {
  const QString name = uniqueName();
  const QString path = InstanceChannel::socketPath(name);
  ASSERT_TRUE(leaveStaleSocket(path));
  ASSERT_TRUE(QFile::exists(path));

  InstanceChannel primary;
  ASSERT_EQ(primary.tryBecomePrimary(name), Role::Primary);
  Received got(primary);
  InstanceChannel second;
  ASSERT_EQ(second.tryBecomePrimary(name), Role::Secondary);
  EXPECT_TRUE(second.sendToPrimary(kRaise));
  ASSERT_TRUE(got.waitFor(1));
  EXPECT_EQ(got.words, QStringList{kRaise});
}

TEST(InstanceChannel, SocketIsPerUser) {
  const QString path = InstanceChannel::socketPath(QStringLiteral("dorrin"));
  EXPECT_TRUE(path.endsWith(QStringLiteral("/dorrin-%1").arg(::getuid()))) << path.toStdString();
}

TEST(CommandForArguments, SwitchesMapToCommandsAndAPlainStartRaises) {
  const struct {
    QStringList args;
    QString command;
  } cases[] = {
      {{"dorrin"}, kRaise},          {{"dorrin", "--show"}, kShow},
      {{"dorrin", "--hide"}, kHide}, {{"dorrin", "--toggle"}, kToggle},
      {{"dorrin", "/S"}, kRaise},    {{"dorrin", "--unknown"}, kRaise},
  };
  for (const auto &c : cases)
    EXPECT_EQ(commandForArguments(c.args), c.command) << c.args.join(' ').toStdString();
}

TEST(ChannelName, OnePerDataFolderAndDisplay) {
  QTemporaryDir a, b;
  ASSERT_TRUE(a.isValid() && b.isValid());
  const QString base = channelName(a.path(), QStringLiteral(":0"));
  EXPECT_TRUE(base.startsWith(QStringLiteral("dorrin-")));
  EXPECT_EQ(channelName(a.path() + QStringLiteral("/./"), QStringLiteral(":0")), base)
      << "the same folder written differently";
  EXPECT_NE(channelName(b.path(), QStringLiteral(":0")), base);
  EXPECT_NE(channelName(a.path(), QStringLiteral(":1")), base);

  const struct {
    const char *display, *wayland, *expected;
  } displays[] = {
      {":0", "", ":0"},
      {":0.0", "", ":0"},
      {"localhost:10.1", "", "localhost:10"},
      {"", "wayland-0", "wayland:wayland-0"},
  };
  const QByteArray oldDisplay = qgetenv("DISPLAY"), oldWayland = qgetenv("WAYLAND_DISPLAY");
  for (const auto &d : displays) {
    qputenv("DISPLAY", d.display);
    qputenv("WAYLAND_DISPLAY", d.wayland);
    EXPECT_EQ(displayIdentity(), QString::fromLatin1(d.expected)) << d.display << d.wayland;
  }
  qputenv("DISPLAY", oldDisplay);
  qputenv("WAYLAND_DISPLAY", oldWayland);

  // Two organisers with different data folders both run on their own.
  InstanceChannel first, second;
  EXPECT_EQ(first.tryBecomePrimary(channelName(a.path(), QStringLiteral(":0"))),
            InstanceChannel::Role::Primary);
  EXPECT_EQ(second.tryBecomePrimary(channelName(b.path(), QStringLiteral(":0"))),
            InstanceChannel::Role::Primary);
  InstanceChannel third;
  EXPECT_EQ(third.tryBecomePrimary(channelName(a.path(), QStringLiteral(":0"))),
            InstanceChannel::Role::Secondary);
}
