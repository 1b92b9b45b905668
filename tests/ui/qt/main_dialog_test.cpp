// The conversion dialog on screen (offscreen platform): its controls, its
// commands, and one conversion from the Files list to the new file.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QThread>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

#include "core/busy_cursor.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "ui/logic/dialog_templates.h"
#include "ui/qt/busy_cursor_qt.h"
#include "ui/qt/main_dialog.h"
#include "ui/qt/summary_dialog.h"
#include "ui/qt/template_widgets.h"

using namespace lettrix;

namespace {

bool g_cursor_busy_in_handler = false;

int g_slow_reader_ms = 0;  // each conversion takes this long

int copy_reader(const char* in, const char* out) {
  if (g_slow_reader_ms > 0) QThread::msleep(static_cast<unsigned long>(g_slow_reader_ms));
  const QCursor* c = QApplication::overrideCursor();
  g_cursor_busy_in_handler = c && c->shape() == Qt::BitmapCursor;
  // Writes into the stream the driver created (a new file under its name
  // would be taken for a swapped name and left alone).
  QFile src(QString::fromLocal8Bit(in));
  QFile dst(QString::fromLocal8Bit(out));
  if (!src.open(QIODevice::ReadOnly) || !dst.open(QIODevice::WriteOnly | QIODevice::Truncate)) return -1;
  return dst.write(src.readAll()) >= 0 ? 0 : -1;
}

int rtf_writer(const char* in, const char* out) {
  QFile src(QString::fromLocal8Bit(in));
  QFile dst(QString::fromLocal8Bit(out));
  if (!src.open(QIODevice::ReadOnly) || !dst.open(QIODevice::WriteOnly | QIODevice::Truncate)) return -1;
  dst.write("{\\rtf1 " + src.readAll() + "}");
  return 0;
}

QStringList texts(const QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

// Runs trigger, waits for the modal message dialog it opens, reads its text
// and title, and presses its OK button.
struct SeenMessage {
  QString text;
  QString title;
  Qt::Alignment alignment;
  bool ok_is_default = false;
};
SeenMessage press_ok_on_next_message(const std::function<void()>& trigger, const QString& screenshot = {}) {
  SeenMessage seen;
  auto* poll = new QTimer;
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, [&seen, poll, screenshot] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal->objectName() != QLatin1String("1001")) return;
    poll->stop();
    auto* label = modal->findChild<QLabel*>(QStringLiteral("19128"));
    auto* ok = modal->findChild<QPushButton*>(QStringLiteral("101"));
    seen.title = modal->windowTitle();
    if (!screenshot.isEmpty()) modal->grab().save(QStringLiteral(LETTRIX_BINARY_DIR "/") + screenshot);
    if (label) {
      seen.text = label->text();
      seen.alignment = label->alignment();
    }
    if (ok) {
      seen.ok_is_default = ok->isDefault();
      ok->click();
    }
  });
  poll->start();
  QTimer::singleShot(5000, poll, [] {
    if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
  });
  trigger();
  delete poll;
  return seen;
}

}  // namespace

class MainDialogTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir* dir_ = nullptr;
  QString previous_;
  std::unique_ptr<MainDialog> dialog_;

  QString path(const QString& name) const { return dir_->filePath(name); }
  void write(const QString& name, const QByteArray& data) {
    QFile f(path(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
  }
  template <typename W>
  W* ctl(int id) {
    W* w = qobject_cast<W*>(dialog_->control(id));
    if (!w) qFatal("control %d missing", id);
    return w;
  }
  void open_dialog(bool real_handlers = false) {
    DialogState state;
    const std::string volume = QDir(dir_->path()).canonicalPath().toStdString();
    state.drive_table_source = [volume] {
      return std::vector<DriveEntry>{{"[/]", "/", true}, {"Scratch [" + volume + "]", volume, true}};
    };
    if (real_handlers) {
      state.format_chooser = [](int s, int t) {
        choose_formats(s, t);
        set_chosen_handlers(nullptr, nullptr);  // as long as these formats are not built
      };
    } else {
      state.format_chooser = [](int s, int t) {
        choose_formats(s, t);
        set_chosen_handlers(copy_reader, rtf_writer);
      };
    }
    dialog_ = std::make_unique<MainDialog>(std::move(state));
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
  }
  void choose_source(const char* text) {
    auto* source = ctl<QComboBox>(IdSourceFormat);
    source->setCurrentIndex(source->findText(QString::fromUtf8(text)));
    QCOMPARE(source->currentText(), QString::fromUtf8(text));
  }
  void click_item(QListWidget* list, const QString& text) {
    auto found = list->findItems(text, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found[0]).center());
  }
  void double_click_item(QListWidget* list, const QString& text) {
    auto found = list->findItems(text, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    const QPoint at = list->visualItemRect(found[0]).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  }

 private slots:
  void initTestCase() { install_busy_cursor(); }

  void init() {
    dir_ = new QTemporaryDir;
    QVERIFY(dir_->isValid());
    previous_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir_->path()));
  }

  void cleanup() {
    dialog_.reset();
    QDir::setCurrent(previous_);
    delete dir_;
    dir_ = nullptr;
  }

  void controlSet() {
    write("letter.txt", "Dear Paul");
    open_dialog();
    QCOMPARE(dialog_->windowTitle(), QStringLiteral("Lettrix - A Little Text Converter"));

    const DialogBaseUnits base = base_units(dialog_->font());
    QCOMPARE(dialog_->size(), to_pixels({0, 0, 335, 257}, base).size());
    for (const TemplateControl& item : kMainDialogTemplate.controls) {
      if (item.id == kNoId) continue;
      QWidget* w = dialog_->findChild<QWidget*>(QString::number(item.id));
      QVERIFY2(w, qPrintable(QString::number(item.id)));
      QCOMPARE(w->x(), to_pixels(item.dlu, base).x());
      QCOMPARE(w->y(), to_pixels(item.dlu, base).y());
      QCOMPARE(w->width(), to_pixels(item.dlu, base).width());
      if (item.kind != ControlKind::DropDownSorted) QCOMPARE(w->height(), to_pixels(item.dlu, base).height());
    }
    // The texts of the labels, check box and buttons.
    QStringList labels;
    for (QLabel* l : dialog_->findChildren<QLabel*>()) labels << l->text();
    for (const char* t : {"File &Name:", "Access Path:", "&Source Format:", "&Target Format:", "Target Fo&lder:", "&Files:",
                          "&Directories:", "Dri&ves:", "Files", "Length"})
      QVERIFY2(labels.contains(QString::fromUtf8(t)), t);
    QCOMPARE(ctl<QCheckBox>(IdRecursive)->text(), QStringLiteral("&Recursive search in subdirectories"));
    QVERIFY(!ctl<QCheckBox>(IdRecursive)->isChecked());
    QCOMPARE(ctl<QPushButton>(IdRootButton)->text(), QStringLiteral(" [:\\]"));
    QCOMPARE(ctl<QPushButton>(IdParentButton)->text(), QStringLiteral(" [..]"));
    QCOMPARE(ctl<QPushButton>(IdHelp)->text(), QStringLiteral("&Help"));
    QCOMPARE(ctl<QPushButton>(IdExit)->text(), QStringLiteral("E&xit/Cancel"));
    QCOMPARE(ctl<QPushButton>(IdConvert)->text(), QStringLiteral("&Conversion"));
    QCOMPARE(dialog_->findChildren<QFrame*>().size() > 0, true);

    // Lists: one multi-selection list, two single; the format lists start sorted.
    QCOMPARE(ctl<QListWidget>(IdFiles)->selectionMode(), QAbstractItemView::MultiSelection);
    QCOMPARE(ctl<QListWidget>(IdDirectories)->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(ctl<QListWidget>(IdDrives)->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(ctl<QComboBox>(IdSourceFormat)->currentText(), QStringLiteral("Automatic (by content)"));
    QCOMPARE(ctl<QComboBox>(IdSourceFormat)->itemText(1), QStringLiteral("Claris/AppleWorks"));
    QVERIFY(ctl<QLineEdit>(IdTargetFolder)->text().isEmpty());
    QCOMPARE(ctl<QPushButton>(IdBrowse)->text(), QStringLiteral("&Browse..."));
    QVERIFY(!ctl<QPushButton>(IdStop)->isEnabled());
    QCOMPARE(ctl<QComboBox>(IdTargetFormat)->currentText(), QStringLiteral("Ansi (Windows)"));
    QCOMPARE(ctl<QComboBox>(IdSourceFormat)->count(), static_cast<int>(registry_size(source_formats)) + 1);
    QCOMPARE(ctl<QComboBox>(IdTargetFormat)->count(), static_cast<int>(registry_size(target_formats)));
    QCOMPARE(ctl<QLineEdit>(IdFileName)->text(), QStringLiteral("*.*"));
    QCOMPARE(texts(ctl<QListWidget>(IdFiles)), QStringList{QStringLiteral("letter.txt")});
    QCOMPARE(texts(ctl<QListWidget>(IdDirectories)), QStringList{QStringLiteral("[..]")});
    QCOMPARE(ctl<QListWidget>(IdDrives)->count(), 2);
    QCOMPARE(ctl<QLabel>(IdFileCount)->text(), QStringLiteral("1"));
    QCOMPARE(ctl<QLabel>(IdLength)->text(), QStringLiteral("9"));
    QCOMPARE(ctl<QLabel>(IdAccessPath)->text(), QDir(dir_->path()).canonicalPath() + "/");

    // Focus starts in the File Name field; Tab walks the template's order.
    QCOMPARE(QApplication::focusWidget(), ctl<QWidget>(IdFileName));
    QList<int> order;
    QWidget* w = ctl<QWidget>(IdFileName);
    for (int guard = 0; guard < 200; ++guard) {
      bool ok = false;
      int id = w->objectName().toInt(&ok);
      if (ok && (w->focusPolicy() & Qt::TabFocus) && !order.contains(id)) order << id;
      w = w->nextInFocusChain();
      if (w == ctl<QWidget>(IdFileName)) break;
    }
    QCOMPARE(order, (QList<int>{IdFileName, IdRecursive, IdSourceFormat, IdTargetFormat, IdTargetFolder, IdBrowse,
                                IdFiles, IdDirectories, IdRootButton, IdParentButton, IdDrives, IdHelp, IdExit,
                                IdConvert, IdStop}));

    // Each control the Tab key reaches has a mnemonic of its own or its
    // label's, all different (the two folder buttons have their brackets).
    QMap<QChar, int> mnemonic_of;
    for (int id : order) {
      QString text;
      if (auto* b = qobject_cast<QAbstractButton*>(ctl<QWidget>(id))) text = b->text();
      for (QLabel* l : dialog_->findChildren<QLabel*>())
        if (l->buddy() == ctl<QWidget>(id)) text = l->text();
      const qsizetype amp = text.indexOf(QLatin1Char('&'));
      if (id == IdRootButton || id == IdParentButton) continue;
      QVERIFY2(amp >= 0 && amp + 1 < text.size(), qPrintable(QString::number(id)));
      const QChar key = text[amp + 1].toLower();
      QVERIFY2(!mnemonic_of.contains(key), qPrintable(text));
      mnemonic_of[key] = id;
    }

    // Centred on the screen.
    const QRect area = dialog_->screen()->availableGeometry();
    const QSize frame = dialog_->frameGeometry().size();
    QVERIFY(qAbs(dialog_->frameGeometry().center().x() - area.center().x()) <= qMax(2, frame.width() - dialog_->width()));
    QVERIFY(qAbs(dialog_->frameGeometry().center().y() - area.center().y()) <= qMax(2, frame.height() - dialog_->height()));
  }

  void enterTakesTheFileNameAsMask() {
    write("a.txt", "12");
    write("b.mw", "12345");
    write("c.txt", "123");
    open_dialog();
    auto* files = ctl<QListWidget>(IdFiles);
    QCOMPARE(files->count(), 3);
    auto* field = ctl<QLineEdit>(IdFileName);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("*.txt"));
    QCOMPARE(files->count(), 3);  // nothing happens before Enter
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(texts(files), (QStringList{QStringLiteral("a.txt"), QStringLiteral("c.txt")}));
    QCOMPARE(ctl<QLabel>(IdFileCount)->text(), QStringLiteral("2"));
    QCOMPARE(ctl<QLabel>(IdLength)->text(), QStringLiteral("5"));

    // Counters follow the selection.
    click_item(files, QStringLiteral("c.txt"));
    QCOMPARE(ctl<QLabel>(IdFileCount)->text(), QStringLiteral("1"));
    QCOMPARE(ctl<QLabel>(IdLength)->text(), QStringLiteral("3"));
    click_item(files, QStringLiteral("c.txt"));  // a click toggles
    QCOMPARE(ctl<QLabel>(IdFileCount)->text(), QStringLiteral("2"));
  }

  void conversionFromTheFilesList() {
    write("letter.txt", "Dear Paul");
    write("other.txt", "untouched");
    open_dialog();
    auto* files = ctl<QListWidget>(IdFiles);
    click_item(files, QStringLiteral("letter.txt"));
    QCOMPARE(files->selectedItems().size(), 1);
    auto* source = ctl<QComboBox>(IdSourceFormat);
    auto* target = ctl<QComboBox>(IdTargetFormat);
    source->setCurrentIndex(source->findText(QStringLiteral("Mac Text Only")));
    target->setCurrentIndex(target->findText(QStringLiteral("RTF Ansi (Windows)")));
    reset_busy_cursor();
    g_cursor_busy_in_handler = false;

    QTest::mouseClick(ctl<QPushButton>(IdConvert), Qt::LeftButton);

    QFile out(path("letter.rtf"));
    QVERIFY(out.open(QIODevice::ReadOnly));
    QCOMPARE(out.readAll(), QByteArray("{\\rtf1 Dear Paul}"));
    QVERIFY(!QFile::exists(path("other.rtf")));
    QVERIFY(!QFile::exists(path("letter.###")));
    QCOMPARE(texts(files), (QStringList{QStringLiteral("letter.rtf"), QStringLiteral("letter.txt"),
                                        QStringLiteral("other.txt")}));
    QVERIFY(files->selectedItems().isEmpty());
    QCOMPARE(ctl<QLabel>(IdFileCount)->text(), QStringLiteral("3"));
    QCOMPARE(chosen_source_row(), static_cast<int>(SrcMacText));
    QCOMPARE(chosen_target_row(), static_cast<int>(DstRtfAnsi));
    QCOMPARE(dialog_->last_results().size(), std::size_t(1));
    QVERIFY(dialog_->last_results()[0].ok());
    // The clock showed while the handlers ran, and the normal cursor is back.
    QVERIFY(g_cursor_busy_in_handler);
    QCOMPARE(busy_cursor_frame(), 3);
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }

  // The summary window of the last batch: its text, then closed.
  QString take_summary() {
    auto* summary = dialog_->summary_window();
    if (!summary) return QStringLiteral("(no summary)");
    auto* text = summary->findChild<QPlainTextEdit*>(QStringLiteral("summary-text"));
    const QString seen = text ? text->toPlainText() : QString();
    summary->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return seen;
  }

  void failedConversionIsReported() {
    write("memo.mw", "not yet readable");
    open_dialog(true);
    choose_source("Claris/AppleWorks");
    click_item(ctl<QListWidget>(IdFiles), QStringLiteral("memo.mw"));
    QTest::mouseClick(ctl<QPushButton>(IdConvert), Qt::LeftButton);
    QVERIFY(dialog_->summary_window());
    QCOMPARE(dialog_->summary_window()->windowTitle(), QStringLiteral("Lettrix"));
    QVERIFY(dialog_->summary_window()->isModal());
    dialog_->summary_window()->grab().save(QStringLiteral(LETTRIX_BINARY_DIR "/lettrix-failures.png"));
    const QString seen = take_summary();
    QVERIFY2(seen.startsWith(QStringLiteral("0 converted, 1 failed, 0 skipped, 0 not started.\n\n"
                                            "1 file failed:\nmemo.mw: format not available yet")),
             qPrintable(seen));
    QVERIFY(!QFile::exists(path("memo.asc")));
    QVERIFY(QApplication::overrideCursor() == nullptr);

    // A batch in which every file converts lists it with its target.
    dialog_.reset();
    open_dialog();
    choose_source("Claris/AppleWorks");
    ctl<QLineEdit>(IdFileName)->setText(QStringLiteral("*.mw"));
    QTest::mouseClick(ctl<QPushButton>(IdConvert), Qt::LeftButton);
    QVERIFY(QFile::exists(path("memo.asc")));
    QCOMPARE(take_summary(), QStringLiteral("1 converted, 0 failed, 0 skipped, 0 not started.\n\n1 file converted:\nmemo.mw: memo.asc"));
    QCOMPARE(texts(ctl<QListWidget>(IdFiles)), QStringList{QStringLiteral("memo.mw")});
  }

  // A target folder typed (or chosen): the targets go there, the sources'
  // folders kept below it, even when the source folder cannot be written.
  void targetFolderTakesTheTargets() {
    QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("cd/sub")));
    QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("out")));
    write("cd/a.txt", "A");
    write("cd/sub/b.txt", "B");
    QFile::setPermissions(path("cd/sub"), QFile::ReadOwner | QFile::ExeOwner);
    QFile::setPermissions(path("cd"), QFile::ReadOwner | QFile::ExeOwner);
    QVERIFY(QDir::setCurrent(path("cd")));
    open_dialog();
    choose_source("Mac Text Only");
    ctl<QLineEdit>(IdFileName)->setText(QStringLiteral("*.txt"));
    ctl<QCheckBox>(IdRecursive)->setChecked(true);
    ctl<QLineEdit>(IdTargetFolder)->setText(QStringLiteral("../out"));
    QTest::mouseClick(ctl<QPushButton>(IdConvert), Qt::LeftButton);
    QFile::setPermissions(path("cd"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(path("cd/sub"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(QFile::exists(path("out/a.asc")));
    QVERIFY(QFile::exists(path("out/sub/b.asc")));
    auto* summary = dynamic_cast<SummaryDialog*>(dialog_->summary_window());
    QVERIFY(summary);
    QCOMPARE(summary->folder(), QDir(path("out")).canonicalPath());
    QVERIFY2(summary->text().startsWith(QStringLiteral("2 converted, 0 failed")), qPrintable(summary->text()));
    QCOMPARE(dialog_->last_outcome().results.size(), std::size_t(2));
    take_summary();
  }

  // Stop while a batch runs: the window answers meanwhile, the file being
  // converted is finished, the rest are not started and counted so.
  void stopEndsTheBatchAfterItsFile() {
    for (int i = 0; i < 30; ++i) write(QStringLiteral("doc%1.txt").arg(i, 2, 10, QLatin1Char('0')), "text");
    open_dialog();
    choose_source("Mac Text Only");
    g_slow_reader_ms = 30;
    ctl<QLineEdit>(IdFileName)->setText(QStringLiteral("*.txt"));
    QString during;
    bool list_disabled = false;
    QTimer::singleShot(200, dialog_.get(), [&] {
      during = ctl<QLabel>(IdProgressText)->text();
      list_disabled = !ctl<QListWidget>(IdFiles)->isEnabled();
      dialog_->grab().save(QStringLiteral(LETTRIX_BINARY_DIR "/lettrix-progress.png"));
      QTest::mouseClick(ctl<QPushButton>(IdStop), Qt::LeftButton);
    });
    QTest::mouseClick(ctl<QPushButton>(IdConvert), Qt::LeftButton);
    g_slow_reader_ms = 0;
    QVERIFY(list_disabled);
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d+ of 30: doc\\d\\d\\.txt$")).match(during).hasMatch(), qPrintable(during));
    const BatchOutcome& out = dialog_->last_outcome();
    QVERIFY(out.stopped);
    QVERIFY(!out.results.empty() && out.results.size() < 30);
    QCOMPARE(out.results.size() + out.not_started, std::size_t(30));
    int targets = 0;
    for (const QString& name : QDir(dir_->path()).entryList(QDir::Files)) {
      QVERIFY2(name.endsWith(QLatin1String(".txt")) || name.endsWith(QLatin1String(".asc")), qPrintable(name));
      targets += name.endsWith(QLatin1String(".asc"));
    }
    QCOMPARE(std::size_t(targets), out.results.size());
    const QString seen = take_summary();
    QVERIFY2(seen.startsWith(QStringLiteral("Stopped. %1 converted, 0 failed, 0 skipped, %2 not started.")
                                 .arg(out.results.size()).arg(out.not_started)),
             qPrintable(seen));
    QVERIFY(ctl<QPushButton>(IdConvert)->isEnabled());
    QVERIFY(!ctl<QPushButton>(IdStop)->isEnabled());
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }

  // Files named at start are selected; dropped ones converted once confirmed.
  void dropAndOpen() {
    write("a.txt", "A");
    write("b.txt", "B");
    open_dialog();
    choose_source("Mac Text Only");
    dialog_->select_files({"b.txt"});
    QCOMPARE(ctl<QListWidget>(IdFiles)->selectedItems().size(), 1);
    QCOMPARE(ctl<QListWidget>(IdFiles)->selectedItems()[0]->text(), QStringLiteral("b.txt"));
    QCOMPARE(ctl<QLabel>(IdFileCount)->text(), QStringLiteral("1"));
    const std::string a = QFile::encodeName(path("a.txt")).toStdString();
    QString asked;
    QVERIFY(!dialog_->convert_dropped({a}, [&](const QString& question) {
      asked = question;
      return false;
    }));
    QCOMPARE(asked, QStringLiteral("Convert 1 file to Ansi (Windows)?"));
    QVERIFY(!QFile::exists(path("a.asc")));
    QVERIFY(dialog_->convert_dropped({a}, [](const QString&) { return true; }));
    QVERIFY(QFile::exists(path("a.asc")));
    QVERIFY(!QFile::exists(path("b.asc")));
    QVERIFY2(take_summary().startsWith(QStringLiteral("1 converted,")), "summary");
    QVERIFY(dialog_->acceptDrops());
  }

  void directoriesDrivesAndButtons() {
    QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("Letters/Old")));
    write("Letters/Old/paul.txt", "x");
    write("top.txt", "t");
    open_dialog();
    const QString root = QDir(dir_->path()).canonicalPath() + "/";
    auto* dirs = ctl<QListWidget>(IdDirectories);
    double_click_item(dirs, QStringLiteral("[Letters]"));
    QCOMPARE(ctl<QLabel>(IdAccessPath)->text(), root + "Letters/");
    double_click_item(dirs, QStringLiteral("[Old]"));
    QCOMPARE(texts(ctl<QListWidget>(IdFiles)), QStringList{QStringLiteral("paul.txt")});

    // "[..]" in the list and the " [..]" button do the same.
    double_click_item(dirs, QStringLiteral("[..]"));
    const QString via_list = ctl<QLabel>(IdAccessPath)->text();
    QCOMPARE(via_list, root + "Letters/");
    double_click_item(dirs, QStringLiteral("[Old]"));
    QTest::mouseClick(ctl<QPushButton>(IdParentButton), Qt::LeftButton);
    QCOMPARE(ctl<QLabel>(IdAccessPath)->text(), via_list);
    QCOMPARE(QDir::currentPath() + "/", via_list);
    // Enter on a focused button presses it rather than taking the mask.
    double_click_item(dirs, QStringLiteral("[Old]"));
    ctl<QPushButton>(IdParentButton)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(ctl<QLabel>(IdAccessPath)->text(), via_list);

    // " [:\]" goes to the root of the volume that holds the path.
    QTest::mouseClick(ctl<QPushButton>(IdRootButton), Qt::LeftButton);
    QCOMPARE(ctl<QLabel>(IdAccessPath)->text(), root);
    QCOMPARE(texts(ctl<QListWidget>(IdFiles)), QStringList{QStringLiteral("top.txt")});

    // Drives are entered by their path.
    auto* drives = ctl<QListWidget>(IdDrives);
    double_click_item(drives, QStringLiteral("[/]"));
    QCOMPARE(ctl<QLabel>(IdAccessPath)->text(), QStringLiteral("/"));
    QVERIFY(!texts(dirs).contains(QStringLiteral("[..]")));
    double_click_item(drives, QStringLiteral("Scratch [") + QDir(dir_->path()).canonicalPath() + "]");
    QCOMPARE(ctl<QLabel>(IdAccessPath)->text(), root);
  }

  void aboutExitAndEscape() {
    open_dialog();
    SeenMessage about = press_ok_on_next_message(
        [this] { QTest::mouseClick(ctl<QPushButton>(IdHelp), Qt::LeftButton); }, QStringLiteral("lettrix-about.png"));
    QCOMPARE(about.text, QStringLiteral("Lettrix v. 7.5\nA little text converter\nfor some Macintosh text processors"));
    QVERIFY(about.alignment & Qt::AlignHCenter);
    QVERIFY(about.ok_is_default);
    QVERIFY(dialog_->isVisible());

    QTest::keyClick(dialog_.get(), Qt::Key_Escape);
    QVERIFY(!dialog_->isVisible());
    QCOMPARE(dialog_->result(), int(QDialog::Rejected));

    dialog_.reset();
    open_dialog();
    QTest::mouseClick(ctl<QPushButton>(IdExit), Qt::LeftButton);
    QVERIFY(!dialog_->isVisible());
  }

  void busyCursorFacesDiffer() {
    std::vector<QPixmap> faces = draw_clock_faces();
    QCOMPARE(faces.size(), std::size_t(12));
    for (std::size_t i = 0; i < faces.size(); ++i) {
      QCOMPARE(faces[i].size(), QSize(32, 32));
      for (std::size_t j = 0; j < i; ++j) QVERIFY(faces[i].toImage() != faces[j].toImage());
    }
    // On a screen of two device pixels per pixel: twice as fine, as large.
    const std::vector<QPixmap> fine = draw_clock_faces(2.0);
    QCOMPARE(fine[0].size(), QSize(64, 64));
    QCOMPARE(fine[0].deviceIndependentSize(), QSizeF(32, 32));
  }

  void screenshot() {
    write("Letter to Paul.mw", QByteArray(2048, 'x'));
    write("notes.txt", "n");
    QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("archive")));
    open_dialog();
    click_item(ctl<QListWidget>(IdFiles), QStringLiteral("notes.txt"));
    const QString file = QStringLiteral(LETTRIX_BINARY_DIR "/lettrix-dialog.png");
    QVERIFY(dialog_->grab().save(file));
    QVERIFY(QFile::exists(file));
  }
};

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  MainDialogTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "main_dialog_test.moc"
