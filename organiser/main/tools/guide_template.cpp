// Writes the user guide as the program ships it into a file, for the
// install: guide_template FILE
#include "organiser/main/launcher_store.h"

#include <QFile>
#include <cstdio>

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: guide_template FILE\n");
    return 2;
  }
  QFile out(QFile::decodeName(argv[1]));
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      out.write(dorrin::organiser::userGuideText().toUtf8()) < 0) {
    std::fprintf(stderr, "guide_template: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
