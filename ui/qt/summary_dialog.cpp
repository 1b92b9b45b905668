#include "ui/qt/summary_dialog.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/logic/dialog_templates.h"

namespace lettrix {

SummaryDialog::SummaryDialog(const QString& text, const QString& folder, QWidget* parent)
    : QDialog(parent), folder_(folder) {
  setObjectName(QStringLiteral("summary"));
  setWindowTitle(QString::fromUtf8(kMessageTitle));
  auto* layout = new QVBoxLayout(this);
  text_ = new QPlainTextEdit(this);
  text_->setObjectName(QStringLiteral("summary-text"));
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setPlainText(text);
  layout->addWidget(text_);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* open = buttons->addButton(QStringLiteral("&Open target folder"), QDialogButtonBox::ActionRole);
  open->setObjectName(QStringLiteral("open-folder"));
  QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
  ok->setDefault(true);
  layout->addWidget(buttons);
  connect(open, &QPushButton::clicked, this, [this] { open_folder(); });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  // Sized in text lines and characters, so it scales with the font.
  const QFontMetrics m(font());
  resize(m.averageCharWidth() * 96, m.lineSpacing() * 24);
  ok->setFocus();
}

QString SummaryDialog::text() const { return text_->toPlainText(); }

void SummaryDialog::open_folder() { QDesktopServices::openUrl(QUrl::fromLocalFile(folder_)); }

}  // namespace lettrix
