// The program's icon as a drawing, so that it can be rendered at any size:
// the dialog's window icon and the PNG files a desktop menu shows.
#pragma once

#include <QImage>

class QPainter;

namespace lettrix {

// Draws the icon on a 32 x 32 canvas (scale the painter for other sizes).
void draw_program_icon(QPainter& p);

// The icon drawn at size x size pixels on a transparent background.
QImage program_icon_image(int size);

}  // namespace lettrix
