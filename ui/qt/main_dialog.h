// The conversion dialog (template LETTRIXE) drawn with Qt Widgets. The state
// and every decision live in ui/logic; this class shows the state and turns
// the user's actions into calls of the logic.
#pragma once

#include <QDialog>

#include <map>
#include <vector>

#include "core/driver.h"
#include "ui/logic/dialog_state.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace lettrix {

class MainDialog : public QDialog {
 public:
  // Initialises state from the working directory (see init_dialog); a caller
  // may prepare it (drive table source, format chooser) beforehand.
  explicit MainDialog(DialogState state = {}, QWidget* parent = nullptr);

  DialogState& state() { return state_; }
  // The control with this template id, or null.
  QWidget* control(int id) const;
  // The results of the last conversion.
  const std::vector<ConversionResult>& last_results() const { return last_results_; }

  // The commands, as the controls trigger them.
  void take_file_name_as_mask();  // Enter
  void run_conversion_command();  // "Conversion"
  void show_about();              // "Help"

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void show_state();
  void show_counters();
  void files_selection_changed();

  DialogState state_;
  std::map<int, QWidget*> controls_;
  QLineEdit* file_name_ = nullptr;
  QLabel* access_path_ = nullptr;
  QCheckBox* recursive_ = nullptr;
  QComboBox* source_ = nullptr;
  QComboBox* target_ = nullptr;
  QListWidget* files_ = nullptr;
  QListWidget* directories_ = nullptr;
  QListWidget* drives_ = nullptr;
  QLabel* file_count_ = nullptr;
  QLabel* length_ = nullptr;
  bool showing_ = false;  // the lists are being refilled: ignore their signals
  std::vector<ConversionResult> last_results_;
};

}  // namespace lettrix
