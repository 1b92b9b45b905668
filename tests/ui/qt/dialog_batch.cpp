// dialog_batch: the conversion dialog, started as the program starts it, runs
// one batch on the working directory and ends. For the tests that interrupt
// a batch from outside (tests/ui/dialog_interrupt_test.cpp).
//
//   dialog_batch SOURCE-FORMAT TARGET-FORMAT FILE-NAME
//
// The formats are the texts of the drop-down lists, FILE-NAME what is typed
// in the File Name field. "converting" goes to standard output when the
// batch begins; the exit status is 0 when it ended, 3 on a usage error.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

#include <cstdio>

#include "support/owned_files.h"
#include "ui/logic/dialog_templates.h"
#include "ui/qt/busy_cursor_qt.h"
#include "ui/qt/main_dialog.h"

namespace {

bool choose(QComboBox* list, const char* text) {
  const int row = list ? list->findText(QString::fromUtf8(text)) : -1;
  if (row < 0) return false;
  list->setCurrentIndex(row);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return 3;
  // As ui/main.cpp does it.
  lettrix::install_interrupt_cleanup();
  QApplication app(argc, argv);
  lettrix::install_busy_cursor();
  lettrix::MainDialog dialog;
  auto* field = qobject_cast<QLineEdit*>(dialog.control(lettrix::IdFileName));
  if (!field || !choose(qobject_cast<QComboBox*>(dialog.control(lettrix::IdSourceFormat)), argv[1]) ||
      !choose(qobject_cast<QComboBox*>(dialog.control(lettrix::IdTargetFormat)), argv[2]))
    return 3;
  field->setText(QString::fromLocal8Bit(argv[3]));
  dialog.show();
  std::fputs("converting\n", stdout);
  std::fflush(stdout);
  dialog.run_conversion_command();
  return 0;
}
