#pragma once
// What opening a file or address means on this system, decided before
// anything is started, with the failures that can be known up front mapped
// to the shell's error codes.
#include "platform/shell/mime_handlers.h"
#include "platform/shell/shell.h"

#include <QString>
#include <QStringList>

namespace dorrin::shell {

// 0 when the local path exists and may be read (a folder: listed), else the
// shell code: 2 the file is missing, 3 a folder on the way is missing or is
// not a folder, 5 permission denied (the file, or a folder on the way).
// Plain system calls only, so it can also run in a forked child.
int accessError(const char *path);
int accessError(const QString &path);

// True for a file to be started as a program rather than opened: it has an
// execute permission we may use and is a binary (ELF) or a script ("#!").
// Files with the execute bit but neither (all files on a FAT stick) are
// documents.
bool isProgramFile(const QString &path);

struct OpenPlan {
  enum class Kind {
    Fail,       // error says why
    Program,    // command is started
    Launcher,   // a desktop entry: command is its Exec line
    Document,   // opened with the application for mimeType (handler)
    Folder,     // opened in the file manager (handler)
    WebAddress, // target is the address; handler may be empty
  };
  Kind kind = Kind::Fail;
  int error = kErrorFileNotFound;
  QString target;      // absolute path, or the address
  QString mimeType;    // of a document, folder or address
  QString handler;     // desktop entry file of the application that opens it
  QStringList command; // program and arguments (Program, Launcher)
  QString workingDir;  // for the command; empty keeps ours
};

// file: an absolute path, a path relative to directory, a program name on
// the PATH, or an address ("http://...", "www.naver.com", "mailto:...").
OpenPlan planOpen(const QString &file, const QString &parameters, const QString &directory,
                  const MimeHandlers &handlers);

} // namespace dorrin::shell
