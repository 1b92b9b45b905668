// The window shown after a batch: what was converted, what failed and why,
// what was skipped and what was not started (ui/logic batch_summary), with
// a button that opens the target folder in the desktop's file manager.
#pragma once

#include <QDialog>
#include <QString>

class QPlainTextEdit;

namespace lettrix {

class SummaryDialog : public QDialog {
 public:
  // text: the summary; folder: the folder "Open target folder" opens.
  SummaryDialog(const QString& text, const QString& folder, QWidget* parent);

  QString text() const;
  const QString& folder() const { return folder_; }
  // What "Open target folder" does: the folder as a file URL to the desktop.
  void open_folder();

 private:
  QPlainTextEdit* text_ = nullptr;
  QString folder_;
};

}  // namespace lettrix
