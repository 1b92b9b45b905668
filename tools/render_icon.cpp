// Writes the program's icon as PNG files for a desktop's icon theme:
// render_icon DIR SIZE... writes DIR/SIZExSIZE/apps/lettrix.png for each size.
#include <QDir>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "ui/qt/program_icon.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: render_icon DIR SIZE...\n");
    return 2;
  }
  const QString root = QString::fromLocal8Bit(argv[1]);
  for (int i = 2; i < argc; ++i) {
    char* end = nullptr;
    long size = std::strtol(argv[i], &end, 10);
    if (*argv[i] == '\0' || *end != '\0' || size < 8 || size > 1024) {
      std::fprintf(stderr, "render_icon: bad size '%s' (8 to 1024)\n", argv[i]);
      return 2;
    }
    const QString dir = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
    const QString file = dir + QStringLiteral("/lettrix.png");
    if (!QDir().mkpath(dir) || !lettrix::program_icon_image(static_cast<int>(size)).save(file, "PNG")) {
      std::fprintf(stderr, "render_icon: cannot write %s\n", file.toLocal8Bit().constData());
      return 1;
    }
  }
  return 0;
}
