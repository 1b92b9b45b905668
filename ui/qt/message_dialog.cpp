#include "ui/qt/message_dialog.h"

#include <QDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "ui/logic/dialog_templates.h"
#include "ui/logic/window_placement.h"
#include "ui/qt/template_widgets.h"

namespace lettrix {

namespace {

QScreen* screen_of(QWidget* window, QWidget* reference) {
  if (reference && reference->screen()) return reference->screen();
  if (window && window->screen()) return window->screen();
  return QGuiApplication::primaryScreen();
}

// How much wider and taller than the template's text field the text needs,
// within the room the screen leaves.
QSize extra_room(const QLabel& label, const QString& text, const QRect& field, const QRect& screen) {
  QFontMetrics fm(label.font());
  int widest = 0;
  for (const QString& line : text.split(QLatin1Char('\n'))) widest = std::max(widest, fm.horizontalAdvance(line) + 4);
  const int max_width = std::max(field.width(), screen.width() / 2);
  const int width = std::clamp(widest, field.width(), max_width);
  const int height = fm.boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap | Qt::AlignHCenter, text).height();
  const int max_height = std::max(field.height(), screen.height() / 2);
  return QSize(width - field.width(), std::clamp(height, field.height(), max_height) - field.height());
}

}  // namespace

void center_window(QWidget* window, QWidget* reference) {
  if (!window) return;
  QScreen* screen = screen_of(window, reference);
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  const QSize size = window->isVisible() ? window->frameGeometry().size() : window->size();
  Rect screen_rect{area.x(), area.y(), area.width(), area.height()};
  Rect ref_rect;
  if (reference) {
    QRect g = reference->frameGeometry();
    ref_rect = {g.x(), g.y(), g.width(), g.height()};
  }
  Point p = centered_position(size.width(), size.height(), reference ? &ref_rect : nullptr, screen_rect);
  window->move(p.x, p.y);
}

int show_message(QWidget* owner, const QString& text) {
  QDialog dialog(owner);
  dialog.setObjectName(QString::fromUtf8(kMessageDialogTemplate.name));
  dialog.setWindowTitle(QString::fromUtf8(kMessageTitle));
  dialog.setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  const DialogBaseUnits base = base_units(dialog.font());

  std::vector<QWidget*> widgets;
  QLabel* label = nullptr;
  for (const TemplateControl& item : kMessageDialogTemplate.controls) {
    QWidget* w = create_control(item, base, &dialog);
    widgets.push_back(w);
    if (item.id == IdMessageText) label = qobject_cast<QLabel*>(w);
    if (item.id == IdMessageOk) QObject::connect(qobject_cast<QPushButton*>(w), &QPushButton::clicked, &dialog, &QDialog::accept);
  }
  link_controls(kMessageDialogTemplate, widgets);
  label->setTextFormat(Qt::PlainText);
  label->setText(text);

  QSize size = to_pixels({0, 0, kMessageDialogTemplate.dlu.width, kMessageDialogTemplate.dlu.height}, base).size();
  QScreen* screen = screen_of(&dialog, owner);
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  const QSize extra = extra_room(*label, text, label->geometry(), area);
  if (!extra.isNull()) {
    // Long texts: the field and its frame grow, the button and the icon move along.
    for (std::size_t i = 0; i < widgets.size(); ++i) {
      const TemplateControl& item = kMessageDialogTemplate.controls[i];
      QRect g = widgets[i]->geometry();
      if (item.id == IdMessageText || item.kind == ControlKind::Frame) {
        g.setSize(g.size() + extra);
      } else if (item.id == IdMessageOk) {
        g.translate(extra.width() / 2, extra.height());
      } else {
        g.translate(extra.width(), extra.height());
      }
      widgets[i]->setGeometry(g);
    }
    size += extra;
  }
  dialog.setFixedSize(size);
  center_window(&dialog, owner);
  dialog.exec();  // OK, Enter, Esc and Close all simply end it
  return 0;
}

}  // namespace lettrix
