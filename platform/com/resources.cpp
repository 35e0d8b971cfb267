#include "platform/com/resources.h"

#include "platform/com/registry.h"

#include <QFile>
#include <cstring>
#include <elf.h>

namespace dorrin::com {

std::optional<QByteArray> readLibrarySection(const QString &libraryPath, const char *name) {
  QFile f(libraryPath);
  if (!name || !f.open(QIODevice::ReadOnly)) return std::nullopt;
  const auto readAt = [&f](qint64 offset, void *out, qint64 size) {
    return offset >= 0 && f.seek(offset) && f.read(static_cast<char *>(out), size) == size;
  };
  Elf64_Ehdr eh;
  if (!readAt(0, &eh, sizeof eh) || std::memcmp(eh.e_ident, ELFMAG, SELFMAG) != 0 ||
      eh.e_ident[EI_CLASS] != ELFCLASS64 || eh.e_ident[EI_DATA] != ELFDATA2LSB ||
      eh.e_shentsize != sizeof(Elf64_Shdr) || eh.e_shstrndx >= eh.e_shnum)
    return std::nullopt;
  const auto header = [&](unsigned i, Elf64_Shdr *sh) {
    return readAt(static_cast<qint64>(eh.e_shoff + i * sizeof(Elf64_Shdr)), sh, sizeof *sh);
  };
  Elf64_Shdr names;
  if (!header(eh.e_shstrndx, &names) || names.sh_size > (1u << 20)) return std::nullopt;
  QByteArray table(static_cast<qsizetype>(names.sh_size), '\0');
  if (!readAt(static_cast<qint64>(names.sh_offset), table.data(), table.size()))
    return std::nullopt;
  const std::size_t wanted = std::strlen(name);
  for (unsigned i = 0; i < eh.e_shnum; ++i) {
    Elf64_Shdr sh;
    if (!header(i, &sh) || sh.sh_name >= table.size()) continue;
    const char *n = table.constData() + sh.sh_name;
    if (qstrnlen(n, static_cast<std::size_t>(table.size()) - sh.sh_name) != wanted ||
        std::strcmp(n, name) != 0)
      continue;
    if (sh.sh_type == SHT_NOBITS || sh.sh_size > (16u << 20)) return std::nullopt;
    QByteArray bytes(static_cast<qsizetype>(sh.sh_size), '\0');
    if (!readAt(static_cast<qint64>(sh.sh_offset), bytes.data(), bytes.size())) return std::nullopt;
    return bytes;
  }
  return std::nullopt;
}

QString registeredLibrary(const CLSID &clsid) {
  const auto path = Registry().value("CLSID\\" + formatGuid(clsid) + "\\InprocServer32");
  return path ? QString::fromStdString(*path) : QString();
}

} // namespace dorrin::com
