// The busy cursor on screen: twelve 32x32 clock faces drawn once, shown in
// turn as the conversion core steps its busy cursor.
#pragma once

#include <QPixmap>

#include <vector>

namespace lettrix {

// Frame k (1 to 12) has its hand k steps of 30 degrees past twelve o'clock.
// ratio: device pixels per pixel (2 on a high-resolution screen): the faces
// are drawn that much finer and still show 32 pixels wide.
std::vector<QPixmap> draw_clock_faces(qreal ratio = 1.0);

// Draws the faces for the screen's pixel ratio and installs the core's busy-cursor hook: each step makes
// the frame the application's override cursor (hot spot at the top left) and
// lets the window system show it without handling user input. Called on
// another thread, it waits while the window's thread shows the frame (that
// thread must not wait for it meanwhile).
void install_busy_cursor();

}  // namespace lettrix
