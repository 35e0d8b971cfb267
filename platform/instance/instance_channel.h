#pragma once
// One organiser per user, data folder and display: the first process listens
// on a local socket named after them; a later start with the same ones sends
// it a command word and exits. Commands are "show", "hide", "toggle", "quit"
// (from dorrin --show / --hide / --toggle / --quit) and "raise" (a plain
// second start: bring the running window to the front).
#include <QLoggingCategory>
#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

namespace dorrin::instance {

Q_DECLARE_LOGGING_CATEGORY(lcInstance)

inline const QString kShow = QStringLiteral("show");
inline const QString kHide = QStringLiteral("hide");
inline const QString kToggle = QStringLiteral("toggle");
inline const QString kRaise = QStringLiteral("raise");
inline const QString kQuit = QStringLiteral("quit");

// True for the command words above.
bool isCommand(const QString &word);
// The command a start with these arguments (program name first) sends to a
// running instance: --show, --hide, --toggle or --quit, else "raise".
QString commandForArguments(const QStringList &arguments);

// The display a process shows its windows on: DISPLAY without its screen
// number (":0.0" is ":0"), else "wayland:" and WAYLAND_DISPLAY, else the Qt
// platform named in QT_QPA_PLATFORM.
QString displayIdentity();
// The channel name for one organiser: "dorrin-" and a digest of the data
// folder's canonical path and the display identity.
QString channelName(const QString &dataFolder, const QString &display);

class InstanceChannel : public QObject {
  Q_OBJECT
public:
  enum class Role {
    None,      // no channel: the socket could not be created (works alone)
    Primary,   // listening; command() reports what later starts send
    Secondary, // another instance is listening; use sendToPrimary()
  };

  explicit InstanceChannel(QObject *parent = nullptr);
  ~InstanceChannel() override;

  // The socket for a channel name, per user: "<name>-<uid>" in
  // $XDG_RUNTIME_DIR when it exists, else in the temporary folder.
  static QString socketPath(const QString &name);

  // Connects to a running primary, or becomes the primary. A socket file
  // left by a dead process is removed and taken over.
  Role tryBecomePrimary(const QString &name);
  Role role() const { return role_; }

  // Secondary only: delivers one command word to the primary. True when it
  // was handed to the primary's socket.
  bool sendToPrimary(const QString &command);
  // Secondary only: true once the primary no longer answers (a primary
  // closes its channel as the last step of its run), false when it still
  // does after `ms` milliseconds.
  bool waitForPrimaryToEnd(int ms);

signals:
  void command(const QString &command);

private:
  void accept();
  void readCommands(QLocalSocket *socket, bool atEnd);

  Role role_ = Role::None;
  QString path_;
  QLocalServer *server_ = nullptr;
};

} // namespace dorrin::instance
