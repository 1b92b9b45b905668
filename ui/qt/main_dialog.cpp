#include "ui/qt/main_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>

#include "ui/logic/conversion_command.h"
#include "ui/logic/dialog_templates.h"
#include "ui/logic/open_files.h"
#include "ui/qt/message_dialog.h"
#include "ui/qt/summary_dialog.h"
#include "ui/qt/template_widgets.h"

namespace lettrix {

namespace {

// File names are bytes; the widgets show them in the locale's encoding.
QString shown(const std::string& bytes) { return QFile::decodeName(QByteArray::fromStdString(bytes)); }
std::string bytes_of(const QString& text) { return QFile::encodeName(text).toStdString(); }

void fill(QListWidget* list, const std::vector<QString>& items) {
  list->clear();
  for (const QString& text : items) list->addItem(text);
}

}  // namespace

MainDialog::MainDialog(DialogState state, QWidget* parent) : QDialog(parent), state_(std::move(state)) {
  setObjectName(QString::fromUtf8(kMainDialogTemplate.name));
  setWindowTitle(QString::fromUtf8(kMainTitle));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  QIcon icon;
  for (const int side : {16, 24, 32, 48, 64, 128}) icon.addPixmap(program_icon(side));
  setWindowIcon(icon);

  const DialogBaseUnits base = base_units(font());
  std::vector<QWidget*> widgets;
  for (const TemplateControl& item : kMainDialogTemplate.controls) {
    QWidget* w = create_control(item, base, this);
    widgets.push_back(w);
    if (item.id != kNoId) controls_[item.id] = w;
  }
  link_controls(kMainDialogTemplate, widgets);
  setFixedSize(to_pixels({0, 0, kMainDialogTemplate.dlu.width, kMainDialogTemplate.dlu.height}, base).size());

  file_name_ = qobject_cast<QLineEdit*>(control(IdFileName));
  access_path_ = qobject_cast<QLabel*>(control(IdAccessPath));
  recursive_ = qobject_cast<QCheckBox*>(control(IdRecursive));
  source_ = qobject_cast<QComboBox*>(control(IdSourceFormat));
  target_ = qobject_cast<QComboBox*>(control(IdTargetFormat));
  files_ = qobject_cast<QListWidget*>(control(IdFiles));
  directories_ = qobject_cast<QListWidget*>(control(IdDirectories));
  drives_ = qobject_cast<QListWidget*>(control(IdDrives));
  file_count_ = qobject_cast<QLabel*>(control(IdFileCount));
  length_ = qobject_cast<QLabel*>(control(IdLength));
  target_folder_ = qobject_cast<QLineEdit*>(control(IdTargetFolder));
  progress_text_ = qobject_cast<QLabel*>(control(IdProgressText));
  progress_ = qobject_cast<QProgressBar*>(control(IdProgress));
  stop_ = qobject_cast<QPushButton*>(control(IdStop));
  progress_text_->setTextFormat(Qt::PlainText);
  target_folder_->setPlaceholderText(QStringLiteral("beside each source"));
  stop_->setEnabled(false);
  setAcceptDrops(true);
  access_path_->setTextFormat(Qt::PlainText);
  file_name_->setMaxLength(static_cast<int>(kMaxMaskLength));

  connect(files_, &QListWidget::itemSelectionChanged, this, [this] { files_selection_changed(); });
  connect(directories_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    enter_directory_entry(state_, static_cast<std::size_t>(directories_->row(item)));
    show_state();
  });
  connect(drives_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    enter_drive_entry(state_, static_cast<std::size_t>(drives_->row(item)));
    show_state();
  });
  auto on_click = [this](int id, auto action) {
    connect(qobject_cast<QPushButton*>(control(id)), &QPushButton::clicked, this, action);
  };
  on_click(IdRootButton, [this] {
    go_to_volume_root(state_);
    show_state();
  });
  on_click(IdParentButton, [this] {
    go_to_parent(state_);
    show_state();
  });
  on_click(IdHelp, [this] { show_about(); });
  on_click(IdExit, [this] { reject(); });
  on_click(IdConvert, [this] { run_conversion_command(); });
  on_click(IdBrowse, [this] { choose_target_folder(); });
  on_click(IdStop, [this] { stop_batch(); });

  // Initialisation: the state, then the controls that show it.
  center_window(this, nullptr);
  init_dialog(state_);
  file_name_->setText(shown(state_.selection_mask));
  for (const std::string& name : state_.source_names) source_->addItem(QString::fromStdString(name));
  for (const std::string& name : state_.target_names) target_->addItem(QString::fromStdString(name));
  source_->setCurrentIndex(0);
  target_->setCurrentIndex(0);
  show_state();
  file_name_->setFocus();
}

QWidget* MainDialog::control(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

void MainDialog::show_state() {
  showing_ = true;
  access_path_->setText(shown(state_.path_display));
  access_path_->setToolTip(shown(state_.current_path));
  std::vector<QString> items;
  for (const ListEntry& e : state_.files) items.push_back(shown(e.text));
  fill(files_, items);
  for (std::size_t i = 0; i < state_.file_selected.size() && i < items.size(); ++i)
    if (state_.file_selected[i]) files_->item(static_cast<int>(i))->setSelected(true);
  items.clear();
  for (const ListEntry& e : state_.directories) items.push_back(shown(e.text));
  fill(directories_, items);
  items.clear();
  for (const DriveEntry& e : state_.drive_table) items.push_back(shown(e.text));
  fill(drives_, items);
  for (int i = 0; i < drives_->count(); ++i) drives_->item(i)->setToolTip(drives_->item(i)->text());
  showing_ = false;
  show_counters();
}

void MainDialog::show_counters() {
  file_count_->setText(QString::number(state_.counted_files));
  length_->setText(QString::number(state_.counted_length));
}

void MainDialog::files_selection_changed() {
  if (showing_) return;
  state_.file_selected.assign(state_.files.size(), false);
  for (int i = 0; i < files_->count() && static_cast<std::size_t>(i) < state_.files.size(); ++i)
    state_.file_selected[static_cast<std::size_t>(i)] = files_->item(i)->isSelected();
  update_counters(state_);
  show_counters();
}

void MainDialog::take_file_name_as_mask() {
  if (running_) return;  // the working directory is the batch's
  apply_mask(state_, bytes_of(file_name_->text()));
  show_state();
}

void MainDialog::run_conversion_command() {
  if (running_) return;
  ConversionRequest request;
  request.recursive = recursive_->isChecked();
  request.source_format = source_->currentText().toStdString();
  request.target_format = target_->currentText().toStdString();
  request.file_name_text = bytes_of(file_name_->text());
  request.target_folder = bytes_of(target_folder_->text());
  run_batch(plan_conversion(state_, request));
}

namespace {

// The local files and folders among dropped URLs, as byte paths.
std::vector<std::string> dropped_paths(const QMimeData* data) {
  std::vector<std::string> paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) paths.push_back(bytes_of(url.toLocalFile()));
  return paths;
}

}  // namespace

void MainDialog::dragEnterEvent(QDragEnterEvent* event) {
  if (!running_ && !dropped_paths(event->mimeData()).empty()) event->acceptProposedAction();
}

void MainDialog::dropEvent(QDropEvent* event) {
  const std::vector<std::string> paths = dropped_paths(event->mimeData());
  if (running_ || paths.empty()) return;
  event->acceptProposedAction();
  // Not from within the drop: the drag source waits for it to end.
  QMetaObject::invokeMethod(this, [this, paths] { convert_dropped(paths); }, Qt::QueuedConnection);
}

bool MainDialog::convert_dropped(const std::vector<std::string>& paths,
                                 const std::function<bool(const QString&)>& confirm) {
  if (running_) return false;
  ConversionRequest request;
  request.recursive = recursive_->isChecked();
  request.source_format = source_->currentText().toStdString();
  request.target_format = target_->currentText().toStdString();
  request.target_folder = bytes_of(target_folder_->text());
  const BatchPlan plan = plan_drop(state_, request, paths);
  const QString question = QString::fromStdString(drop_question(count_planned_files(plan), request.target_format));
  const bool yes = confirm ? confirm(question)
                           : QMessageBox::question(this, QString::fromUtf8(kMessageTitle), question,
                                                   QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
                                 QMessageBox::Yes;
  if (!yes) return false;
  run_batch(plan);
  return true;
}

void MainDialog::select_files(const std::vector<std::string>& names) {
  if (running_) return;
  lettrix::select_files(state_, names);
  show_state();
  if (!names.empty()) files_->setFocus();
}

void MainDialog::run_batch(const BatchPlan& plan) {
  if (running_) return;
  plan_ = plan;
  if (summary_) summary_->close();

  // The mouse cursor hides while the batch runs; the busy cursor replaces it.
  QApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
  set_batch_controls(true);
  stop_flag_ = false;
  progress_posted_ = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    progress_seen_ = BatchProgress{};
    outcome_ = BatchOutcome{};
  }
  running_ = true;
  worker_done_ = false;
  // The driver's state and the working directory belong to the worker
  // until it posts batch_finished.
  worker_ = std::thread([this, plan = plan_] {
    BatchOutcome outcome = run_plan(plan, &stop_flag_, [this](const BatchProgress& p) {
      {
        std::lock_guard<std::mutex> lock(mutex_);
        progress_seen_ = p;
      }
      if (!progress_posted_.exchange(true)) QMetaObject::invokeMethod(this, [this] { show_progress(); }, Qt::QueuedConnection);
    });
    {
      std::lock_guard<std::mutex> lock(mutex_);
      outcome_ = std::move(outcome);
    }
    worker_done_ = true;
    QMetaObject::invokeMethod(this, [this] { batch_finished(); }, Qt::QueuedConnection);
  });
  QEventLoop loop;
  batch_loop_ = &loop;
  loop.exec();
  batch_loop_ = nullptr;
}

void MainDialog::show_progress() {
  progress_posted_ = false;
  BatchProgress p;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    p = progress_seen_;
  }
  const std::size_t total = std::max(p.total, p.started);
  progress_->setRange(0, static_cast<int>(std::min<std::size_t>(total, 1u << 30)));
  progress_->setValue(static_cast<int>(std::min<std::size_t>(p.started, 1u << 30)));
  progress_text_->setText(shown(progress_text(p)));
}

void MainDialog::batch_finished() {
  if (closing_) return;
  if (worker_.joinable()) worker_.join();
  running_ = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    last_outcome_ = std::move(outcome_);
    outcome_ = BatchOutcome{};
  }
  last_results_ = last_outcome_.results;
  QApplication::restoreOverrideCursor();
  set_batch_controls(false);
  progress_text_->clear();
  progress_->setRange(0, 1);
  progress_->setValue(0);
  finish_conversion(state_);
  show_state();

  auto* summary = new SummaryDialog(shown(batch_summary(last_outcome_)), shown(summary_folder(plan_)), this);
  summary->setAttribute(Qt::WA_DeleteOnClose);
  summary_ = summary;
  summary->open();
  if (batch_loop_) batch_loop_->quit();
}

void MainDialog::set_batch_controls(bool running) {
  // While a batch runs only Stop acts; the lists and fields keep what they show.
  for (const auto& [id, w] : controls_) {
    if (id == IdStop) {
      w->setEnabled(running);
    } else if (id != IdProgress && id != IdProgressText) {
      w->setEnabled(!running);
    }
  }
  if (running) stop_->setFocus();
}

void MainDialog::stop_batch() {
  if (!running_) return;
  stop_flag_ = true;
  stop_->setEnabled(false);
  progress_text_->setText(progress_text_->text() + QStringLiteral(" (stopping)"));
}

void MainDialog::choose_target_folder() {
  if (running_) return;
  QString start = target_folder_->text().trimmed();
  if (start.isEmpty()) start = shown(state_.current_path);
  const QString dir = QFileDialog::getExistingDirectory(this, QStringLiteral("Target Folder"), start);
  if (!dir.isEmpty()) target_folder_->setText(dir);
}

QDialog* MainDialog::summary_window() const { return summary_; }

void MainDialog::reject() {
  if (running_) {
    stop_batch();
    return;
  }
  QDialog::reject();
}

void MainDialog::closeEvent(QCloseEvent* event) {
  if (running_) {
    stop_batch();
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

MainDialog::~MainDialog() {
  if (!worker_.joinable()) return;
  // Destroyed while a batch runs: it ends after its file. The worker may
  // wait for this thread to show a cursor frame, so events go on meanwhile.
  closing_ = true;
  stop_flag_ = true;
  while (!worker_done_) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
  worker_.join();
}

void MainDialog::show_about() { show_message(this, QString::fromUtf8(about_text())); }

void MainDialog::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    // A focused push button takes Enter as a click; elsewhere Enter takes the
    // File Name field as the selection mask.
    if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
      button->click();
    } else {
      take_file_name_as_mask();
    }
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);  // Esc ends the dialog
}

}  // namespace lettrix
