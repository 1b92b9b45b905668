// lettrix: the conversion dialog. It takes no command-line arguments and keeps
// no settings; it ends when the dialog ends.
#include <QApplication>

#include "ui/qt/busy_cursor_qt.h"
#include "ui/qt/main_dialog.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  lettrix::install_busy_cursor();
  lettrix::MainDialog dialog;
  dialog.exec();
  return 0;
}
