#pragma once
// A temporary folder for one test, removed with the fixture.
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace dorrin::test {

class TempFolder {
public:
  QString path() const { return dir_.path(); }
  QString file(const QString &name) const { return dir_.filePath(name); }
  // Writes raw bytes (no encoding) so tests can prepare CP949 or broken files.
  void write(const QString &name, const QByteArray &bytes) const {
    QFile f(file(name));
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
  }
  QByteArray read(const QString &name) const {
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

private:
  QTemporaryDir dir_;
};

} // namespace dorrin::test
