#include "platform/mci/system.h"

#include "platform/mci/wave_device.h"
#include "platform/paths/data_folder.h"
#include "platform/text/cp949.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStringDecoder>
#include <algorithm>
#include <cstring>

Q_LOGGING_CATEGORY(lcMci, "dorrin.mci", QtInfoMsg)

namespace dorrin::mci {
namespace {

// MCI device types that exist on Windows but have no driver here.
constexpr const char *kKnownTypes[] = {
    "sequencer", "cdaudio",   "avivideo", "mpegvideo", "mpegvideo2",   "videodisc", "vcr",
    "overlay",   "animation", "dat",      "scanner",   "digitalvideo", "other",
};

bool isKnownType(const std::string &t) {
  if (iequals(t, "waveaudio")) return true;
  return std::any_of(std::begin(kKnownTypes), std::end(kKnownTypes),
                     [&](const char *k) { return iequals(t, k); });
}

// The device type an element's extension stands for; "" when none.
std::string typeForExtension(const std::string &element) {
  const auto slash = element.find_last_of("/\\");
  const auto dot = element.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  const std::string ext = element.substr(dot + 1);
  if (iequals(ext, "wav")) return "waveaudio";
  for (const char *e : {"mid", "midi", "rmi"})
    if (iequals(ext, e)) return "sequencer";
  if (iequals(ext, "avi")) return "avivideo";
  if (iequals(ext, "cda")) return "cdaudio";
  for (const char *e :
       {"mpg", "mpeg", "mpe", "m1v", "m2v", "mp2", "mp3", "mpa", "mp4", "asf", "wma", "wmv"})
    if (iequals(ext, e)) return "mpegvideo";
  return "?";
}

QString decodeName(const std::string &bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString s = utf8(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
  if (!utf8.hasError()) return s;
  return text::fromCp949(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

void post(win::HWND callback, std::uintptr_t code, MCIDEVICEID id) {
  if (callback) win::postMessage(callback, MM_MCINOTIFY, code, win::LPARAM(id));
}

} // namespace

std::string resolveElement(const std::string &element) {
  const QString name = decodeName(element);
  if (name.isEmpty()) return {};
  QString slashed = name;
  slashed.replace('\\', '/');
  const auto isFile = [](const QString &p) { return QFileInfo(p).isFile(); };
  const auto found = [](const QString &p) { return QFile::encodeName(p).toStdString(); };
  const bool windowsAbsolute = slashed.size() > 1 && slashed[1] == ':';
  if (QDir::isAbsolutePath(slashed) && !windowsAbsolute)
    return isFile(slashed) ? found(slashed) : "";
  if (!windowsAbsolute && isFile(QDir::current().absoluteFilePath(slashed)))
    return found(QDir::current().absoluteFilePath(slashed));
  const QString data = paths::resolve(name);
  if (isFile(data)) return found(data);
  // The sounds and the guide ship beside the program as well.
  const QDir dataDir(paths::dataFolder());
  const QString rel = dataDir.relativeFilePath(data);
  if (!rel.startsWith("..") && !QDir::isAbsolutePath(rel)) {
    const QString shipped = paths::shippedFile(rel);
    if (!shipped.isEmpty()) return found(shipped);
  }
  return {};
}

struct System::Entry {
  MCIDEVICEID id = 0;
  std::string alias;
  std::unique_ptr<WaveDevice> device;
  win::HWND pending = 0; // awaits the end of a play
};

System::System(audio::Output &output, ElementResolver resolver)
    : output_(output), resolver_(std::move(resolver)) {}

System::~System() {
  closeAll();
}

MCIERROR System::sendString(const char *command, char *returnString, unsigned returnLength,
                            win::HWND callback) {
  if (returnString && returnLength) returnString[0] = '\0';
  if (!command) return MCIERR_MISSING_COMMAND_STRING;
  std::string reply;
  MCIERROR err = 0;
  try {
    std::lock_guard g(lock_);
    err = execute(command, callback, reply);
  } catch (const std::bad_alloc &) {
    err = MCIERR_OUT_OF_MEMORY;
  } catch (const std::exception &ex) {
    qCWarning(lcMci) << "command failed:" << ex.what();
    err = MCIERR_INTERNAL;
  }
  qCDebug(lcMci) << command << "->" << err << reply.c_str();
  if (returnString && returnLength && !reply.empty()) {
    const std::size_t n = std::min<std::size_t>(reply.size(), returnLength - 1);
    std::memcpy(returnString, reply.data(), n);
    returnString[n] = '\0';
    if (n < reply.size() && err == 0) err = MCIERR_PARAM_OVERFLOW;
  }
  return err;
}

bool System::getErrorString(MCIERROR error, char *text, unsigned length) {
  if (!text || !length) return false;
  const std::string t = errorText(error);
  const std::size_t n = std::min<std::size_t>(t.size(), length - 1);
  std::memcpy(text, t.data(), n);
  text[n] = '\0';
  return !t.empty();
}

MCIDEVICEID System::getDeviceID(const char *name) {
  if (!name) return 0;
  if (iequals(name, "all")) return MCI_ALL_DEVICE_ID;
  std::lock_guard g(lock_);
  const Entry *e = find(std::string(name));
  return e ? e->id : 0;
}

void System::closeAll() {
  std::lock_guard g(lock_);
  while (!entries_.empty())
    close(*entries_.front());
  if (sound_) {
    settle(*sound_, MCI_NOTIFY_ABORTED);
    sound_.reset();
  }
}

MCIERROR System::execute(const std::string &text, win::HWND callback, std::string &reply) {
  std::vector<std::string> w;
  if (MCIERROR e = tokenize(text, w)) return e;
  if (w.empty()) return MCIERR_MISSING_COMMAND_STRING;
  Verb verb{};
  if (!lookupVerb(w[0], verb)) return MCIERR_UNRECOGNIZED_COMMAND;
  if (verb == Verb::Sound) return sound(w, callback);
  if (w.size() < 2) return MCIERR_MISSING_DEVICE_NAME;
  if (verb == Verb::Open) return open(w, callback);
  if (iequals(w[1], "all")) return all(verb, w, callback);
  Entry *e = find(w[1]);
  if (!e) return MCIERR_INVALID_DEVICE_NAME;
  if (verb == Verb::Other) return MCIERR_UNSUPPORTED_FUNCTION;
  Arguments a;
  if (MCIERROR err = parseArguments(verb, w, 2, a)) return err;
  return run(*e, verb, a, callback, reply);
}

MCIERROR System::open(const std::vector<std::string> &w, win::HWND callback) {
  Arguments a;
  if (MCIERROR err = parseArguments(Verb::Open, w, 2, a)) return err;
  const std::string &what = w[1];
  std::string type, element;
  const auto bang = what.find('!');
  if (bang != std::string::npos && isKnownType(what.substr(0, bang))) { // "waveaudio!a.wav"
    if (!a.type.empty()) return MCIERR_DUPLICATE_FLAGS;
    type = what.substr(0, bang);
    element = what.substr(bang + 1);
  } else if (!a.type.empty()) {
    type = a.type;
    element = what;
  } else if (isKnownType(what)) {
    type = what;
  } else if (iequals(what, "new")) {
    return MCIERR_DEVICE_TYPE_REQUIRED;
  } else {
    type = typeForExtension(what);
    if (type.empty()) return MCIERR_INVALID_DEVICE_NAME;
    if (type == "?") return MCIERR_EXTENSION_NOT_FOUND;
    element = what;
  }
  if (!iequals(type, "waveaudio"))
    return isKnownType(type) ? MCIERR_CANNOT_LOAD_DRIVER : MCIERR_INVALID_DEVICE_NAME;
  const bool isNew = iequals(element, "new");
  if (isNew && a.alias.empty()) return MCIERR_NEW_REQUIRES_ALIAS;
  if (isNew) element.clear();

  const std::string alias = !a.alias.empty() ? a.alias : element.empty() ? type : element;
  if (find(alias)) return a.alias.empty() ? MCIERR_DEVICE_OPEN : MCIERR_DUPLICATE_ALIAS;

  std::optional<WaveClip> clip;
  if (!element.empty()) {
    const std::string path = resolver_(element);
    if (path.empty()) {
      qCInfo(lcMci) << "no such sound file:" << decodeName(element);
      return MCIERR_FILE_NOT_FOUND;
    }
    WaveClip c;
    if (MCIERROR err = loadWaveClip(path, c)) return err;
    clip = std::move(c);
  }

  MCIDEVICEID id = 1; // the lowest free id, as MCI hands them out
  while (find(id))
    ++id;
  auto e = std::make_unique<Entry>();
  e->id = id;
  e->alias = alias;
  e->device = std::make_unique<WaveDevice>(output_, std::move(clip),
                                           [this, id](bool ok) { onEnded(id, ok); });
  entries_.push_back(std::move(e));
  if (a.notify) post(callback, MCI_NOTIFY_SUCCESSFUL, id);
  return 0;
}

MCIERROR System::sound(const std::vector<std::string> &w, win::HWND callback) {
  std::size_t first = 1;
  std::string name;
  if (w.size() > 1 && !iequals(w[1], "notify") && !iequals(w[1], "wait")) {
    name = w[1];
    first = 2;
  }
  Arguments a;
  if (MCIERROR err = parseArguments(Verb::Sound, w, first, a)) return err;
  if (name.empty()) return MCIERR_FILE_NOT_FOUND; // no system sounds here, only files
  std::string path = resolver_(name);
  if (path.empty() && typeForExtension(name).empty()) path = resolver_(name + ".wav");
  if (path.empty()) return MCIERR_FILE_NOT_FOUND;
  WaveClip clip;
  if (MCIERROR err = loadWaveClip(path, clip)) return err;

  if (sound_) { // a new sound cuts the previous one short
    settle(*sound_, MCI_NOTIFY_ABORTED);
    sound_.reset();
  }
  auto e = std::make_unique<Entry>();
  e->device =
      std::make_unique<WaveDevice>(output_, std::move(clip), [this](bool ok) { onEnded(0, ok); });
  if (MCIERROR err = e->device->play(std::nullopt, std::nullopt, a.wait)) return err;
  if (a.notify) {
    if (e->device->mode() == WaveDevice::Mode::Stopped)
      post(callback, MCI_NOTIFY_SUCCESSFUL, 0);
    else
      e->pending = callback;
  }
  sound_ = std::move(e);
  return 0;
}

MCIERROR System::all(Verb verb, const std::vector<std::string> &w, win::HWND callback) {
  if (verb != Verb::Close && verb != Verb::Stop && verb != Verb::Pause && verb != Verb::Resume)
    return MCIERR_CANNOT_USE_ALL;
  Arguments a;
  if (MCIERROR err = parseArguments(verb, w, 2, a)) return err;
  if (verb == Verb::Close) {
    while (!entries_.empty())
      close(*entries_.front());
  } else {
    Arguments each = a;
    each.notify = false;
    std::string ignored;
    for (auto &e : entries_)
      run(*e, verb, each, 0, ignored);
  }
  if (a.notify) post(callback, MCI_NOTIFY_SUCCESSFUL, MCI_ALL_DEVICE_ID);
  return 0;
}

MCIERROR System::run(Entry &e, Verb verb, const Arguments &a, win::HWND callback,
                     std::string &reply) {
  WaveDevice &d = *e.device;
  // A play the output has finished ends here, with its notification, also
  // for a host that runs no event loop to receive the output's end message.
  if (d.takeEnd()) settle(e, MCI_NOTIFY_SUCCESSFUL);
  MCIERROR err = 0;
  bool interrupts = false; // ends a play that is under way
  switch (verb) {
  case Verb::Play:
    err = d.play(a.from, a.to, a.wait);
    interrupts = true;
    break;
  case Verb::Pause:
    err = d.pause();
    break;
  case Verb::Resume:
    err = d.resume();
    break;
  case Verb::Stop:
    err = d.stop();
    interrupts = true;
    break;
  case Verb::Seek:
    err = d.seek(a.seek, a.seekTo);
    interrupts = true;
    break;
  case Verb::Delete:
    err = d.remove(a.from, a.to);
    interrupts = true;
    break;
  case Verb::Status:
    err = d.status(a, reply);
    break;
  case Verb::Set:
    err = d.set(a);
    break;
  case Verb::Capability:
    err = d.capability(a.item, reply);
    break;
  case Verb::Info:
    err = d.info(a.item, reply);
    break;
  case Verb::Save:
    err = d.save(a.file);
    break;
  case Verb::Close: {
    const MCIDEVICEID id = e.id;
    close(e); // e is gone now
    if (a.notify) post(callback, MCI_NOTIFY_SUCCESSFUL, id);
    return 0;
  }
  default:
    err = MCIERR_UNSUPPORTED_FUNCTION;
    break; // record, step, window, ...
  }
  if (err) return err;
  if (e.pending) {
    if (interrupts)
      settle(e, verb == Verb::Play && a.notify ? MCI_NOTIFY_SUPERSEDED : MCI_NOTIFY_ABORTED);
    else if (a.notify)
      settle(e, MCI_NOTIFY_SUPERSEDED);
  }
  if (a.notify) {
    if (verb == Verb::Play && d.mode() != WaveDevice::Mode::Stopped)
      e.pending = callback;
    else
      post(callback, MCI_NOTIFY_SUCCESSFUL, e.id);
  }
  return 0;
}

void System::close(Entry &e) {
  settle(e, MCI_NOTIFY_ABORTED);
  entries_.erase(
      std::find_if(entries_.begin(), entries_.end(), [&](const auto &p) { return p.get() == &e; }));
}

System::Entry *System::find(const std::string &name) {
  for (auto &e : entries_)
    if (iequals(e->alias, name)) return e.get();
  return nullptr;
}

System::Entry *System::find(MCIDEVICEID id) {
  for (auto &e : entries_)
    if (e->id == id) return e.get();
  return nullptr;
}

void System::settle(Entry &e, std::uintptr_t code) {
  if (!e.pending) return;
  post(e.pending, code, e.id);
  e.pending = 0;
}

void System::onEnded(MCIDEVICEID id, bool ok) {
  std::lock_guard g(lock_);
  Entry *e = id ? find(id) : sound_.get();
  if (e) settle(*e, ok ? MCI_NOTIFY_SUCCESSFUL : MCI_NOTIFY_FAILURE);
}

namespace {
System *processSystem = nullptr;
void closeProcessDevices() {
  if (processSystem) processSystem->closeAll();
}
} // namespace

Api &systemApi() {
  static System *s = [] {
    processSystem = new System(audio::systemOutput()); // never destroyed: see closeProcessDevices
    // Stop every output before the application and its event loop go away.
    if (QCoreApplication::instance()) qAddPostRoutine(closeProcessDevices);
    return processSystem;
  }();
  return *s;
}

MCIERROR mciSendString(const char *command, char *returnString, unsigned returnLength,
                       win::HWND callback) {
  return systemApi().sendString(command, returnString, returnLength, callback);
}

bool mciGetErrorString(MCIERROR error, char *text, unsigned length) {
  return systemApi().getErrorString(error, text, length);
}

MCIDEVICEID mciGetDeviceID(const char *name) {
  return systemApi().getDeviceID(name);
}

} // namespace dorrin::mci
