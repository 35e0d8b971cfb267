// zelomm-play [--register] [--timeout SECONDS] FILE.wav
// Plays a wave file through the registered ZELOMM control exactly as the
// organiser does (DeviceType, FileName, Command "open", Command "play"),
// printing every media control string the control sends, the Error after each
// command and "Done <NotifyValue>" when the play ends.
#include "platform/com/host.h"
#include "platform/com/loader.h"
#include "zelomm/zelomm_ids.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTimer>
#include <cstdio>

using namespace dorrin;

namespace {

void printMessage(QtMsgType type, const QMessageLogContext &context, const QString &text) {
  if (context.category && qstrcmp(context.category, "dorrin.zelomm.mci") == 0) {
    std::printf("MCI %s\n", text.toUtf8().constData());
    std::fflush(stdout);
    return;
  }
  if (type == QtDebugMsg) return;
  std::fprintf(stderr, "%s: %s\n", context.category ? context.category : "qt",
               text.toUtf8().constData());
}

int usage() {
  std::fprintf(stderr, "usage: zelomm-play [--register] [--timeout SECONDS] FILE.wav\n");
  return 2;
}

} // namespace

int main(int argc, char **argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0); // keeps the trace in order with stderr
  QCoreApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  const bool doRegister = args.removeAll(QStringLiteral("--register")) > 0;
  int timeoutSeconds = 60;
  if (const auto i = args.indexOf(QStringLiteral("--timeout")); i >= 0) {
    if (i + 1 >= args.size()) return usage();
    timeoutSeconds = args[i + 1].toInt();
    args.remove(i, 2);
  }
  if (args.size() != 1 || timeoutSeconds <= 0) return usage();
  const QString file = args.front();

  qInstallMessageHandler(printMessage);
  QLoggingCategory::setFilterRules(QStringLiteral("dorrin.zelomm.mci.debug=true"));

  if (doRegister) {
    const std::string lib = QDir(app.applicationDirPath()).filePath("libzelomm.so").toStdString();
    const com::HRESULT hr = com::registerServer(lib);
    if (com::failed(hr)) {
      std::fprintf(stderr, "zelomm-play: cannot register %s: %s (%s)\n", lib.c_str(),
                   com::errorText(hr).c_str(), com::hresultHex(hr).c_str());
      return 2;
    }
  }

  std::unique_ptr<com::ControlHost> host;
  const com::HRESULT created =
      com::ControlHost::create(zelomm::kProgId, zelomm::DIID__DZelommEvents, nullptr, &host);
  if (com::failed(created)) {
    std::fprintf(stderr,
                 "zelomm-play: cannot create %s: %s (%s); register libzelomm.so with "
                 "dorrin-regsvr or pass --register\n",
                 zelomm::kProgId, com::errorText(created).c_str(),
                 com::hresultHex(created).c_str());
    return 2;
  }

  QElapsedTimer sincePlay;
  int exitCode = -1;
  host->setEventHandler([&](com::DISPID id, const std::vector<com::Variant> &) {
    if (id != zelomm::eventidDone || exitCode >= 0) return;
    const qint64 ms = sincePlay.elapsed();
    com::Variant value, message;
    host->get(zelomm::dispidNotifyValue, &value);
    host->get(zelomm::dispidNotifyMessage, &message);
    std::printf("Done %d\n", value.toI4().value_or(0));
    std::printf("%lld ms from play to Done (%s)\n", static_cast<long long>(ms),
                message.str().c_str());
    std::fflush(stdout);
    exitCode = value.toI4() == 1 ? 0 : 1;
    QTimer::singleShot(0, &app, [&] { app.exit(exitCode); });
  });

  // The organiser's four puts; the outcome of a command is read from Error.
  auto command = [&](const char *word) {
    com::ExcepInfo ei;
    com::HRESULT hr = host->put(zelomm::dispidCommand, word, &ei);
    com::Variant error, text;
    if (com::succeeded(hr)) hr = host->get(zelomm::dispidError, &error, &ei);
    if (com::failed(hr)) {
      std::fprintf(stderr, "zelomm-play: %s failed: %s %s\n", word, com::errorText(hr).c_str(),
                   ei.description.c_str());
      return false;
    }
    const int e = error.toI4().value_or(-1);
    if (e == 0) {
      std::printf("Error 0 after %s\n", word);
      std::fflush(stdout);
      return true;
    }
    host->get(zelomm::dispidErrorMessage, &text);
    std::printf("Error %d after %s\n", e, word);
    std::fprintf(stderr, "zelomm-play: %s: %s\n", word, text.str().c_str());
    return false;
  };
  if (com::failed(host->put(zelomm::dispidDeviceType, "waveaudio")) ||
      com::failed(host->put(zelomm::dispidFileName, file.toStdString())))
    return 1;
  if (!command("open")) return 1;
  sincePlay.start();
  if (!command("play")) return 1;

  QTimer::singleShot(timeoutSeconds * 1000, &app, [&] {
    std::fprintf(stderr, "zelomm-play: no notification within %d s\n", timeoutSeconds);
    app.exit(3);
  });
  const int rc = app.exec();
  host.reset(); // closes the device
  return rc;
}
