// The busy cursor: twelve clock faces, one step per call. The core only keeps
// the frame counter; the user interface installs a hook that shows the frame.
#pragma once

#include <functional>

namespace lettrix {

inline constexpr int kBusyCursorFrames = 12;
inline constexpr int kBusyCursorFirstResource = 12743;  // frame 1

// Advances the counter 1, 2, ..., 12, 1, ... and calls the hook with the frame.
void busy_cursor_step();
// The frame shown last (0 before the first step).
int busy_cursor_frame();
// Installs the hook (an empty function removes it). Returns the previous one.
std::function<void(int)> set_busy_cursor_hook(std::function<void(int)> hook);
void reset_busy_cursor();

}  // namespace lettrix
