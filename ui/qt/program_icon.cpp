#include "ui/qt/program_icon.h"

#include <QPainter>
#include <QPainterPath>

namespace lettrix {

void draw_program_icon(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  // A page with a folded corner, a few lines of text and a bold "L".
  QPainterPath page;
  page.moveTo(6, 2);
  page.lineTo(21, 2);
  page.lineTo(27, 8);
  page.lineTo(27, 30);
  page.lineTo(6, 30);
  page.closeSubpath();
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::white);
  p.drawPath(page);
  p.drawLine(21, 2, 21, 8);
  p.drawLine(21, 8, 27, 8);
  p.setPen(QPen(QColor(120, 120, 120), 1));
  for (int y = 20; y <= 27; y += 3) p.drawLine(9, y, 24, y);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 64, 160));
  p.drawRect(9, 5, 3, 12);
  p.drawRect(9, 14, 9, 3);
}

QImage program_icon_image(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.scale(size / 32.0, size / 32.0);
  draw_program_icon(p);
  return image;
}

}  // namespace lettrix
