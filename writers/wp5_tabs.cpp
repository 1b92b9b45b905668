#include "writers/wp5_tabs.h"

#include "writers/wp5_functions.h"

namespace lettrix::wp5 {

namespace {

// Set by set_tab_series for the default stops; a merged table holds 0 there.
constexpr std::int32_t kDefaultStops = 255;

}  // namespace

void apply_pending_tabs(Wp5Writer& w) {
  if (w.pending.entries[TabTable::kSentinel] == 0 || w.fn.value < 0) return;
  if (w.fn.value > 0) {
    TabTable inside;
    for (int c = 0; c < TabTable::kColumns; ++c)
      if (w.pending.entries[c] > 0) inside.entries[c] = w.pending.entries[c];
    put_tab_set(w.out, w.tabs, inside, w.ps.left_margin, w.ps.right_margin);
    w.fn.value = -w.fn.value;
    return;
  }
  const TabTable old = w.tabs;
  if (w.tabs.entries[TabTable::kSentinel] == kDefaultStops) w.tabs = TabTable{};
  for (int c = 0; c < TabTable::kColumns; ++c) {
    const std::int32_t change = w.pending.entries[c];
    if (change > 0) w.tabs.entries[c] = change;
    if (change < 0) w.tabs.entries[c] = 0;
  }
  w.pending = TabTable{};
  put_tab_set(w.out, old, w.tabs, w.ps.left_margin, w.ps.right_margin);
}

void end_alignment_tab(Wp5Writer& w) {
  if (!w.alignment_open) return;
  w.out.push_back(static_cast<char>(kEndAlignment));
  w.alignment_open = false;
}

}  // namespace lettrix::wp5
