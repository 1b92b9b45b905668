#include "ui/qt/main_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "ui/logic/conversion_command.h"
#include "ui/logic/dialog_templates.h"
#include "ui/qt/message_dialog.h"
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
  setWindowIcon(QIcon(program_icon(32)));

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
  apply_mask(state_, bytes_of(file_name_->text()));
  show_state();
}

void MainDialog::run_conversion_command() {
  ConversionRequest request;
  request.recursive = recursive_->isChecked();
  request.source_format = source_->currentText().toStdString();
  request.target_format = target_->currentText().toStdString();
  request.file_name_text = bytes_of(file_name_->text());

  // The mouse cursor hides while the batch runs; the busy cursor replaces it.
  QApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
  last_results_ = run_conversion(state_, request);
  QApplication::restoreOverrideCursor();
  show_state();

  const std::string summary = conversion_summary(last_results_);
  if (!summary.empty()) show_message(this, shown(summary));
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
