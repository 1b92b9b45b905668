// The conversion dialog (template LETTRIXE) drawn with Qt Widgets. The state
// and every decision live in ui/logic; this class shows the state and turns
// the user's actions into calls of the logic.
#pragma once

#include <QDialog>
#include <QPointer>

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "core/driver.h"
#include "ui/logic/batch_run.h"
#include "ui/logic/dialog_state.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QEventLoop;

namespace lettrix {

class MainDialog : public QDialog {
 public:
  // Initialises state from the working directory (see init_dialog); a caller
  // may prepare it (drive table source, format chooser) beforehand.
  explicit MainDialog(DialogState state = {}, QWidget* parent = nullptr);
  ~MainDialog() override;

  DialogState& state() { return state_; }
  // The control with this template id, or null.
  QWidget* control(int id) const;
  // The results of the last conversion, and what its summary said.
  const std::vector<ConversionResult>& last_results() const { return last_results_; }
  const BatchOutcome& last_outcome() const { return last_outcome_; }
  // The summary window of the last batch while it is open, or null.
  QDialog* summary_window() const;
  bool batch_running() const { return running_; }

  // The commands, as the controls trigger them.
  void take_file_name_as_mask();  // Enter
  // "Conversion": the batch runs on a worker thread while the window shows
  // its progress and takes Stop; returns when it has ended and its summary
  // window is open (window-modal, not waited for).
  void run_conversion_command();
  // Runs a planned batch as the Conversion button runs its own.
  void run_batch(const BatchPlan& plan);
  // Files and folders dropped on the window (absolute paths): after one
  // confirmation, converted with the chosen formats. False when not confirmed
  // (confirm, when given, answers instead of the question box).
  bool convert_dropped(const std::vector<std::string>& paths, const std::function<bool(const QString&)>& confirm = {});
  // Selects these files of the Files list (files named when the dialog starts).
  void select_files(const std::vector<std::string>& names);
  void stop_batch();              // "Stop"
  void choose_target_folder();    // "Browse..."
  void show_about();              // "Help"
  void reject() override;         // Exit/Cancel, Esc, closing: while a batch runs, Stop

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void show_progress();
  void batch_finished();
  void set_batch_controls(bool running);

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
  QLineEdit* target_folder_ = nullptr;
  QLabel* progress_text_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* stop_ = nullptr;
  bool showing_ = false;  // the lists are being refilled: ignore their signals
  std::vector<ConversionResult> last_results_;
  BatchOutcome last_outcome_;
  QPointer<QDialog> summary_;  // null once closed

  // The batch: the worker runs run_plan; it hands progress and the outcome
  // over under the mutex and posts a queued call for the window to show them.
  BatchPlan plan_;
  std::thread worker_;
  std::atomic<bool> stop_flag_{false};
  std::atomic<bool> progress_posted_{false};
  std::mutex mutex_;
  BatchProgress progress_seen_;  // guarded by mutex_
  BatchOutcome outcome_;         // guarded by mutex_
  std::atomic<bool> worker_done_{false};
  bool running_ = false;
  bool closing_ = false;  // destroyed while a batch ran
  QEventLoop* batch_loop_ = nullptr;
};

}  // namespace lettrix
