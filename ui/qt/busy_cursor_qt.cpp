#include "ui/qt/busy_cursor_qt.h"

#include <QApplication>
#include <QCursor>
#include <QPainter>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <memory>

#include "core/busy_cursor.h"

namespace lettrix {

std::vector<QPixmap> draw_clock_faces(qreal ratio) {
  std::vector<QPixmap> faces;
  ratio = std::clamp<qreal>(ratio, 1.0, 8.0);
  const int side = static_cast<int>(std::lround(32 * ratio));
  constexpr double kPi = 3.14159265358979323846;
  for (int frame = 1; frame <= kBusyCursorFrames; ++frame) {
    QPixmap pm(side, side);
    pm.setDevicePixelRatio(ratio);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(16, 16);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::white);
    p.drawEllipse(centre, 14, 14);
    p.setPen(QPen(Qt::black, 1));
    for (int tick = 0; tick < 12; ++tick) {
      const double a = tick * kPi / 6;
      p.drawLine(QPointF(centre.x() + 10.5 * std::sin(a), centre.y() - 10.5 * std::cos(a)),
                 QPointF(centre.x() + 12.5 * std::sin(a), centre.y() - 12.5 * std::cos(a)));
    }
    const double a = (frame % 12) * kPi / 6;
    p.setPen(QPen(Qt::black, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, QPointF(centre.x() + 9.5 * std::sin(a), centre.y() - 9.5 * std::cos(a)));
    p.setBrush(Qt::black);
    p.setPen(Qt::NoPen);
    p.drawEllipse(centre, 2, 2);
    p.end();
    faces.push_back(pm);
  }
  return faces;
}

void install_busy_cursor() {
  auto cursors = std::make_shared<std::vector<QCursor>>();
  for (const QPixmap& face : draw_clock_faces(qApp->devicePixelRatio())) cursors->emplace_back(face, 0, 0);
  set_busy_cursor_hook([cursors](int frame) {
    if (frame < 1 || frame > static_cast<int>(cursors->size())) return;
    const QCursor& c = (*cursors)[static_cast<std::size_t>(frame - 1)];
    if (QThread::currentThread() != QCoreApplication::instance()->thread()) {
      // A batch on a worker thread: the window's thread shows the frame
      // (while the batch runs the window has set an override cursor), and the
      // worker goes on once it is shown.
      QMetaObject::invokeMethod(
          QCoreApplication::instance(),
          [c] {
            if (QApplication::overrideCursor()) QApplication::changeOverrideCursor(c);
          },
          Qt::BlockingQueuedConnection);
      return;
    }
    if (QApplication::overrideCursor()) {
      QApplication::changeOverrideCursor(c);
    } else {
      QApplication::setOverrideCursor(c);
    }
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  });
}

}  // namespace lettrix
