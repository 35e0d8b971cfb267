#include "platform/instance/instance_channel.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>
#include <QTimer>

#include <unistd.h>

namespace dorrin::instance {

Q_LOGGING_CATEGORY(lcInstance, "dorrin.instance")

namespace {

constexpr int kConnectMs = 1000;
constexpr int kWriteMs = 2000;
// A client has this long to send its line; a command word is short.
constexpr int kClientMs = 5000;
constexpr qint64 kMaxLine = 64;

bool primaryAnswers(const QString &path) {
  QLocalSocket probe;
  probe.connectToServer(path);
  const bool up = probe.waitForConnected(kConnectMs);
  probe.abort();
  return up;
}

} // namespace

bool isCommand(const QString &word) {
  return word == kShow || word == kHide || word == kToggle || word == kRaise || word == kQuit;
}

QString commandForArguments(const QStringList &arguments) {
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString &a = arguments[i];
    if (a == QLatin1String("--show")) return kShow;
    if (a == QLatin1String("--hide")) return kHide;
    if (a == QLatin1String("--toggle")) return kToggle;
    if (a == QLatin1String("--quit")) return kQuit;
  }
  return kRaise;
}

QString displayIdentity() {
  QString display = qEnvironmentVariable("DISPLAY");
  if (!display.isEmpty()) {
    // host:display.screen; the screen does not make another display.
    const qsizetype colon = display.lastIndexOf(QLatin1Char(':'));
    const qsizetype dot = display.indexOf(QLatin1Char('.'), colon + 1);
    if (colon >= 0 && dot > colon) display.truncate(dot);
    return display;
  }
  const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
  if (!wayland.isEmpty()) return QStringLiteral("wayland:") + wayland;
  return qEnvironmentVariable("QT_QPA_PLATFORM");
}

QString channelName(const QString &dataFolder, const QString &display) {
  const QFileInfo info(dataFolder);
  QString folder = info.canonicalFilePath();
  if (folder.isEmpty()) folder = QDir::cleanPath(info.absoluteFilePath());
  const QByteArray digest = QCryptographicHash::hash(
      (folder + QLatin1Char('\n') + display).toUtf8(), QCryptographicHash::Sha1);
  return QStringLiteral("dorrin-") + QString::fromLatin1(digest.toHex().left(16));
}

InstanceChannel::InstanceChannel(QObject *parent) : QObject(parent) {}

InstanceChannel::~InstanceChannel() {
  if (server_) server_->close(); // removes the socket file
}

QString InstanceChannel::socketPath(const QString &name) {
  const QString file = QStringLiteral("%1-%2").arg(name).arg(::getuid());
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && QFileInfo(runtime).isDir() && QFileInfo(runtime).isWritable())
    return QDir(runtime).filePath(file);
  return QDir(QDir::tempPath()).filePath(file);
}

InstanceChannel::Role InstanceChannel::tryBecomePrimary(const QString &name) {
  if (role_ != Role::None) return role_;
  path_ = socketPath(name);

  // Two starts at the same moment must not both take the socket over.
  QLockFile lock(path_ + QStringLiteral(".lock"));
  if (!lock.tryLock(3 * kConnectMs))
    qCWarning(lcInstance) << "could not lock" << lock.fileName() << "- going on without it";

  if (primaryAnswers(path_)) {
    role_ = Role::Secondary;
    return role_;
  }

  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  bool listening = server_->listen(path_);
  if (!listening && server_->serverError() == QAbstractSocket::AddressInUseError) {
    // Nobody answers on it: a socket file left by a process that died.
    QLocalServer::removeServer(path_);
    listening = server_->listen(path_);
  }
  if (!listening) {
    qCWarning(lcInstance).noquote()
        << "no single-instance channel at" << path_ << ":" << server_->errorString();
    delete server_;
    server_ = nullptr;
    return role_;
  }
  connect(server_, &QLocalServer::newConnection, this, &InstanceChannel::accept);
  role_ = Role::Primary;
  return role_;
}

bool InstanceChannel::sendToPrimary(const QString &command) {
  if (role_ != Role::Secondary) return false;
  QLocalSocket socket;
  socket.connectToServer(path_);
  if (!socket.waitForConnected(kConnectMs)) {
    qCWarning(lcInstance).noquote() << "running instance does not answer:" << socket.errorString();
    return false;
  }
  socket.write(command.toUtf8() + '\n');
  bool sent = true;
  while (sent && socket.bytesToWrite() > 0)
    sent = socket.waitForBytesWritten(kWriteMs);
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(kWriteMs);
  if (!sent) qCWarning(lcInstance).noquote() << "command not sent:" << socket.errorString();
  return sent;
}

bool InstanceChannel::waitForPrimaryToEnd(int ms) {
  if (role_ != Role::Secondary) return false;
  QDeadlineTimer deadline(ms);
  while (primaryAnswers(path_)) {
    if (deadline.hasExpired()) return false;
    QThread::msleep(20);
  }
  return true;
}

void InstanceChannel::accept() {
  while (QLocalSocket *socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::readyRead, this,
            [this, socket] { readCommands(socket, false); });
    connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
      readCommands(socket, true);
      socket->deleteLater();
    });
    QTimer::singleShot(kClientMs, socket, [socket] { socket->abort(); });
    // Data may have arrived with the connection.
    readCommands(socket, socket->state() != QLocalSocket::ConnectedState);
  }
}

void InstanceChannel::readCommands(QLocalSocket *socket, bool atEnd) {
  while (socket->canReadLine() || (atEnd && socket->bytesAvailable() > 0)) {
    const QString word = QString::fromUtf8(socket->readLine(kMaxLine + 1)).trimmed();
    if (word.isEmpty()) continue;
    if (isCommand(word))
      emit command(word);
    else
      qCWarning(lcInstance).noquote() << "ignored unknown command" << word.left(kMaxLine);
  }
  // A line longer than any command word: not one of ours.
  if (socket->bytesAvailable() > kMaxLine) socket->abort();
}

} // namespace dorrin::instance
