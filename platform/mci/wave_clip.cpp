#include "platform/mci/wave_clip.h"

#include "platform/text/atomic_file.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <algorithm>
#include <cstring>
#include <sndfile.h>

Q_DECLARE_LOGGING_CATEGORY(lcMci)

namespace dorrin::mci {
namespace {

constexpr std::uint64_t kMaxDecodedBytes = 512ull << 20; // larger files are refused, not swapped

std::uint32_t le32(const char *p) {
  return std::uint32_t(std::uint8_t(p[0])) | std::uint32_t(std::uint8_t(p[1])) << 8 |
         std::uint32_t(std::uint8_t(p[2])) << 16 | std::uint32_t(std::uint8_t(p[3])) << 24;
}

// libsndfile quietly plays what is there of a file cut short; a wave whose
// chunks claim more bytes than the file holds is refused instead, as is
// anything that is not RIFF/WAVE (libsndfile would read AIFF, FLAC, ...).
bool plausibleRiffWave(QFile &f) {
  const qint64 size = f.size();
  char head[12];
  if (f.read(head, 12) != 12) return false;
  const bool rf64 = std::memcmp(head, "RF64", 4) == 0 || std::memcmp(head, "BW64", 4) == 0;
  if ((std::memcmp(head, "RIFF", 4) != 0 && !rf64) || std::memcmp(head + 8, "WAVE", 4) != 0)
    return false;
  if (rf64) return true; // sizes live in the ds64 chunk; leave them to the decoder
  qint64 at = 12;
  while (at + 8 <= size) {
    char chunk[8];
    if (!f.seek(at) || f.read(chunk, 8) != 8) return false;
    const std::uint32_t len = le32(chunk + 4);
    if (std::memcmp(chunk, "data", 4) == 0)
      // 0 and 0xFFFFFFFF are what streaming writers leave when the length was unknown.
      return len == 0 || len == 0xFFFFFFFFu || at + 8 + qint64(len) <= size;
    at += 8 + qint64(len) + (len & 1);
  }
  return false; // no data chunk before the end
}

int bitsOf(int subtype) {
  switch (subtype) {
  case SF_FORMAT_PCM_S8:
  case SF_FORMAT_PCM_U8:
  case SF_FORMAT_ULAW:
  case SF_FORMAT_ALAW:
    return 8;
  case SF_FORMAT_PCM_24:
    return 24;
  case SF_FORMAT_PCM_32:
  case SF_FORMAT_FLOAT:
    return 32;
  case SF_FORMAT_DOUBLE:
    return 64;
  case SF_FORMAT_IMA_ADPCM:
  case SF_FORMAT_MS_ADPCM:
    return 4;
  default:
    return 16;
  }
}

int tagOf(int subtype) {
  switch (subtype) {
  case SF_FORMAT_FLOAT:
  case SF_FORMAT_DOUBLE:
    return 3;
  case SF_FORMAT_MS_ADPCM:
    return 2;
  case SF_FORMAT_ALAW:
    return 6;
  case SF_FORMAT_ULAW:
    return 7;
  case SF_FORMAT_IMA_ADPCM:
    return 0x11;
  case SF_FORMAT_GSM610:
    return 0x31;
  default:
    return 1;
  }
}

} // namespace

MCIERROR loadWaveClip(const std::string &path, WaveClip &clip) {
  const QString name = QFile::decodeName(path.c_str());
  const QFileInfo fi(name);
  if (!fi.exists() || fi.isDir()) return MCIERR_FILE_NOT_FOUND;
  QFile f(name);
  if (!f.open(QIODevice::ReadOnly)) return MCIERR_FILE_READ;
  if (!plausibleRiffWave(f)) {
    qCWarning(lcMci) << "not a complete wave file:" << name;
    return MCIERR_INVALID_FILE;
  }
  f.close();

  SF_INFO info{};
  SNDFILE *sf = sf_open(path.c_str(), SFM_READ, &info);
  if (!sf) {
    qCWarning(lcMci) << "cannot decode" << name << sf_strerror(nullptr);
    return MCIERR_INVALID_FILE;
  }
  const int major = info.format & SF_FORMAT_TYPEMASK;
  const int subtype = info.format & SF_FORMAT_SUBMASK;
  MCIERROR err = 0;
  if ((major != SF_FORMAT_WAV && major != SF_FORMAT_WAVEX && major != SF_FORMAT_RF64) ||
      info.channels < 1 || info.channels > 8 || info.samplerate < 1 || info.samplerate > 768000 ||
      info.frames < 0) {
    err = MCIERR_INVALID_FILE;
  } else if (std::uint64_t(info.frames) * std::uint64_t(info.channels) * 2 > kMaxDecodedBytes) {
    err = MCIERR_OUT_OF_MEMORY;
  } else {
    WaveClip c;
    c.format = {info.samplerate, info.channels, audio::SampleFormat::S16};
    c.samples.resize(std::size_t(info.frames) * std::size_t(info.channels));
    const sf_count_t got = sf_readf_short(sf, c.samples.data(), info.frames);
    if (got != info.frames) {
      qCWarning(lcMci) << "read" << got << "of" << info.frames << "frames from" << name;
      err = MCIERR_FILE_READ;
    } else {
      c.bitsPerSample = bitsOf(subtype);
      c.blockAlign = std::max(1, info.channels * c.bitsPerSample / 8);
      c.formatTag = tagOf(subtype);
      c.path = path;
      clip = std::move(c);
    }
  }
  sf_close(sf);
  return err;
}

namespace {

// A wave file built in memory: libsndfile writes through these callbacks.
struct MemoryFile {
  QByteArray bytes;
  sf_count_t pos = 0;
};

SF_VIRTUAL_IO memoryIo() {
  SF_VIRTUAL_IO io{};
  io.get_filelen = [](void *u) -> sf_count_t { return static_cast<MemoryFile *>(u)->bytes.size(); };
  io.seek = [](sf_count_t offset, int whence, void *u) -> sf_count_t {
    auto *m = static_cast<MemoryFile *>(u);
    const sf_count_t base = whence == SEEK_CUR ? m->pos : whence == SEEK_END ? m->bytes.size() : 0;
    if (base + offset < 0) return -1;
    m->pos = base + offset;
    return m->pos;
  };
  io.read = [](void *ptr, sf_count_t count, void *u) -> sf_count_t {
    auto *m = static_cast<MemoryFile *>(u);
    const sf_count_t n = std::clamp<sf_count_t>(m->bytes.size() - m->pos, 0, count);
    std::memcpy(ptr, m->bytes.constData() + m->pos, size_t(n));
    m->pos += n;
    return n;
  };
  io.write = [](const void *ptr, sf_count_t count, void *u) -> sf_count_t {
    auto *m = static_cast<MemoryFile *>(u);
    if (m->pos + count > m->bytes.size()) m->bytes.resize(qsizetype(m->pos + count));
    std::memcpy(m->bytes.data() + m->pos, ptr, size_t(count));
    m->pos += count;
    return count;
  };
  io.tell = [](void *u) -> sf_count_t { return static_cast<MemoryFile *>(u)->pos; };
  return io;
}

} // namespace

MCIERROR saveWaveClip(const WaveClip &clip, const std::string &path) {
  // The whole file is built in memory, then replaces the old one durably: a
  // kill or power cut leaves the old recording or the new one, whole.
  const QString name = QFile::decodeName(path.c_str());
  SF_INFO info{};
  info.samplerate = clip.format.rate;
  info.channels = clip.format.channels;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  MemoryFile file;
  SF_VIRTUAL_IO io = memoryIo();
  SNDFILE *sf = sf_open_virtual(&io, SFM_WRITE, &info, &file);
  if (!sf) {
    qCWarning(lcMci) << "cannot save" << name << ":" << sf_strerror(nullptr);
    return MCIERR_FILE_NOT_SAVED;
  }
  const auto frames = sf_count_t(clip.frames());
  const bool wrote = sf_writef_short(sf, clip.samples.data(), frames) == frames;
  const bool closed = sf_close(sf) == 0;
  text::removeStaleTemporaries(name);
  if (!wrote || !closed || !text::replaceFile(name, file.bytes)) {
    qCWarning(lcMci) << "cannot save" << name;
    return MCIERR_FILE_NOT_SAVED;
  }
  return 0;
}

} // namespace dorrin::mci
