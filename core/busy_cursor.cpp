#include "core/busy_cursor.h"

#include <utility>

namespace lettrix {

namespace {
int g_frame = 0;
std::function<void(int)> g_hook;
}  // namespace

void busy_cursor_step() {
  g_frame = g_frame % kBusyCursorFrames + 1;
  if (g_hook) g_hook(g_frame);
}

int busy_cursor_frame() { return g_frame; }

std::function<void(int)> set_busy_cursor_hook(std::function<void(int)> hook) {
  return std::exchange(g_hook, std::move(hook));
}

void reset_busy_cursor() { g_frame = 0; }

}  // namespace lettrix
