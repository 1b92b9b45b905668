#include "ui/qt/template_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>

#include "ui/qt/program_icon.h"

namespace lettrix {

DialogBaseUnits base_units(const QFont& font) {
  QFontMetrics fm(font);
  const int width = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return base_units_from_font(width, fm.height());
}

QRect to_pixels(const Rect& dlu, DialogBaseUnits base) {
  Rect r = dialog_rect_to_pixels(dlu, base);
  return QRect(r.x, r.y, r.width, r.height);
}

namespace {

QListWidget* make_list(QWidget* parent, QAbstractItemView::SelectionMode mode) {
  auto* list = new QListWidget(parent);
  list->setSelectionMode(mode);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  list->setUniformItemSizes(true);
  list->setSortingEnabled(false);  // the dialog's logic keeps the order
  return list;
}

QLabel* make_label(const char* text, Qt::Alignment align, QWidget* parent) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setAlignment(align | Qt::AlignVCenter);
  return label;
}

}  // namespace

QWidget* create_control(const TemplateControl& item, DialogBaseUnits base, QWidget* parent) {
  QRect geometry = to_pixels(item.dlu, base);
  QWidget* w = nullptr;
  switch (item.kind) {
    case ControlKind::Icon: {
      auto* icon = new QLabel(parent);
      const int side = std::min(32, std::min(geometry.width(), geometry.height()));
      icon->setPixmap(program_icon(side));
      icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      w = icon;
      break;
    }
    case ControlKind::Label: w = make_label(item.text, Qt::AlignLeft, parent); break;
    case ControlKind::LabelRight: w = make_label(item.text, Qt::AlignRight, parent); break;
    case ControlKind::LabelCentred: {
      auto* label = make_label(item.text, Qt::AlignHCenter, parent);
      label->setWordWrap(true);
      w = label;
      break;
    }
    case ControlKind::Edit: w = new QLineEdit(parent); break;
    case ControlKind::CheckBox: w = new QCheckBox(QString::fromUtf8(item.text), parent); break;
    case ControlKind::DropDownSorted: {
      auto* combo = new QComboBox(parent);
      combo->setEditable(false);
      // The template's height is that of the open list; closed, the box is one line high.
      const int closed = combo->sizeHint().height();
      const int row = std::max(1, QFontMetrics(combo->font()).height() + 2);
      combo->setMaxVisibleItems(std::max(1, (geometry.height() - closed) / row));
      geometry.setHeight(closed);
      w = combo;
      break;
    }
    case ControlKind::ListMultiSorted: w = make_list(parent, QAbstractItemView::MultiSelection); break;
    case ControlKind::ListSorted:
    case ControlKind::ListUnsorted: w = make_list(parent, QAbstractItemView::SingleSelection); break;
    case ControlKind::PushButton:
    case ControlKind::DefaultPushButton: {
      auto* button = new QPushButton(QString::fromUtf8(item.text), parent);
      // Only the template's default button is a default; the dialogs handle
      // Enter on a focused button themselves.
      button->setAutoDefault(item.kind == ControlKind::DefaultPushButton);
      button->setDefault(item.kind == ControlKind::DefaultPushButton);
      w = button;
      break;
    }
    case ControlKind::ProgressBar: {
      auto* bar = new QProgressBar(parent);
      bar->setTextVisible(false);  // the label above it says how far
      bar->setRange(0, 1);
      bar->setValue(0);
      w = bar;
      break;
    }
    case ControlKind::Frame: {
      auto* frame = new QFrame(parent);
      frame->setFrameStyle(QFrame::Box | QFrame::Plain);
      frame->setLineWidth(1);
      w = frame;
      break;
    }
  }
  if (item.id != kNoId) w->setObjectName(QString::number(item.id));
  w->setFocusPolicy(item.tab_stop ? Qt::StrongFocus : Qt::NoFocus);
  if (item.id == kNoId && (item.kind == ControlKind::Label || item.kind == ControlKind::LabelRight)) {
    // A fixed label whose text is wider in this font than in the template's
    // grows away from its aligned edge instead of being clipped.
    const int needed = w->sizeHint().width();
    if (needed > geometry.width()) {
      if (item.kind == ControlKind::LabelRight) geometry.setLeft(geometry.right() + 1 - needed);
      else geometry.setWidth(needed);
    }
  }
  w->setGeometry(geometry);
  return w;
}

void link_controls(const DialogTemplate& t, const std::vector<QWidget*>& widgets) {
  QWidget* previous = nullptr;
  for (std::size_t i = 0; i < t.controls.size() && i < widgets.size(); ++i) {
    if (!t.controls[i].tab_stop) continue;
    if (previous) QWidget::setTabOrder(previous, widgets[i]);
    previous = widgets[i];
  }
  for (std::size_t i = 0; i < t.controls.size() && i < widgets.size(); ++i) {
    auto* label = qobject_cast<QLabel*>(widgets[i]);
    if (!label || !QString::fromUtf8(t.controls[i].text).contains(QLatin1Char('&'))) continue;
    for (std::size_t j = i + 1; j < t.controls.size() && j < widgets.size(); ++j) {
      if (t.controls[j].tab_stop) {
        label->setBuddy(widgets[j]);
        break;
      }
    }
  }
}

QPixmap program_icon(int size) {
  QPixmap pm(32, 32);
  pm.fill(Qt::transparent);
  {
    QPainter p(&pm);
    draw_program_icon(p);
  }
  return size == 32 ? pm : pm.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

}  // namespace lettrix
