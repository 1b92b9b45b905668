// Newspaper columns: the column definition and the three column controls
// of the stream (0x4D starts counting the columns of a line, 0x50 turns
// column mode on at its first column, 0x51 breaks to the next column).
#pragma once

#include <cstdint>

#include "writers/wp5_state.h"

namespace lettrix::wp5 {

// Column definition for count columns between the margins (none for 0).
void define_columns(Wp5Writer& w, int count);
// One of the codes ColumnControl, ColumnControl50, ColumnControl51.
void column_control(Wp5Writer& w, std::uint8_t code);

}  // namespace lettrix::wp5
