// lettrix: the conversion dialog. It keeps no settings and ends when the
// dialog ends. It answers --help and --version on the terminal without
// opening the window; files and folders named (by the user or the desktop's
// file manager) open the dialog in the first one's folder with them selected;
// Qt takes its own options.
#include <QApplication>
#include <QFile>

#include <cstdio>
#include <cstring>

#include "support/owned_files.h"
#include "support/platform.h"
#include "ui/logic/open_files.h"
#include "ui/qt/busy_cursor_qt.h"
#include "ui/qt/main_dialog.h"

namespace {

const char kHelp[] =
    "Usage: lettrix [--help | --version | FILE... | FOLDER]\n"
    "\n"
    "Lettrix: converts classic Macintosh word-processor documents to PC formats.\n"
    "Opens the conversion dialog: pick files or type a wildcard pattern, choose the\n"
    "source format (Automatic tells each file's by its content) and the target\n"
    "format and press Conversion. Each file is converted beside its source, or in\n"
    "the Target Folder, with the target's extension; an existing file is never\n"
    "overwritten. Files named open the dialog in their folder with them selected.\n"
    "\n"
    "Options:\n"
    "  -h,--help   print this help and exit\n"
    "  --version   print the version and exit\n"
    "\n"
    "For batch work on the command line: lettrix-convert --help, man lettrix-convert.\n";

// Prints text on standard output; 0, or 1 when it could not be written.
int print(const char* text) {
  bool ok = std::fputs(text, stdout) >= 0;
  return std::fflush(stdout) == 0 && ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) return print(kHelp);
    if (std::strcmp(argv[i], "--version") == 0) return print("lettrix " LETTRIX_VERSION "\n");
  }
  // Closing the terminal or an interrupt mid-conversion leaves no work stream
  // and no unfinished target. Before QApplication: Qt's threads must inherit
  // the blocked signals, so that only the cleanup's own thread takes them.
  lettrix::install_interrupt_cleanup();
  QApplication app(argc, argv);
  lettrix::install_busy_cursor();
  std::vector<std::string> args;
  const QStringList given = QApplication::arguments();
  for (qsizetype i = 1; i < given.size(); ++i) args.push_back(QFile::encodeName(given[i]).toStdString());
  const lettrix::OpenTarget open = lettrix::files_to_open(args, lettrix::current_directory());
  if (!open.folder.empty()) lettrix::change_directory_to(open.folder);
  lettrix::MainDialog dialog;
  dialog.select_files(open.names);
  dialog.exec();
  return 0;
}
