#include "writers/wp5_columns.h"

#include <algorithm>

#include "core/stream_codes.h"
#include "core/stream_reader.h"
#include "writers/wp5_embedded.h"
#include "writers/wp5_functions.h"

namespace lettrix::wp5 {

namespace {

// Skips the rest of the paragraph, its end included, code by code. The end of
// a header, footer or note is not skipped: it closes its function.
void skip_paragraph(Wp5Writer& w) {
  StreamItem item;
  while (read_stream_item(*w.in, item)) {
    if (item.is_byte(kParagraphEnd)) return;
    if (item.is_code(EndOfText)) {
      end_embedded(w);
      return;
    }
  }
}

void skip_item(Wp5Writer& w) {
  StreamItem item;
  if (read_stream_item(*w.in, item) && item.is_code(EndOfText)) end_embedded(w);
}

// Column break: the next column, or after the last one the end of the
// columns on this line.
void column_break(Wp5Writer& w) {
  --w.columns_left;
  if (w.columns_left > 0) {
    w.out.push_back(static_cast<char>(kHardPage));
    skip_paragraph(w);
  } else {
    w.out.push_back(static_cast<char>(kColumnEnd));
    skip_item(w);
    w.columns_left = w.newspaper_columns;
  }
}

}  // namespace

void define_columns(Wp5Writer& w, int count) {
  if (count < 1) {  // no columns to define
    w.newspaper_columns = 0;
    return;
  }
  put_column_definition(w.out, count, w.ps.left_margin, w.ps.right_margin);
  w.newspaper_columns = std::min(count, kMaxColumns);
}

void column_control(Wp5Writer& w, std::uint8_t code) {
  switch (code) {
    case ColumnControl: w.columns_left = w.newspaper_columns; break;
    case ColumnControl50:
      if (w.columns_left == w.newspaper_columns) w.out.push_back(static_cast<char>(kColumnsOn));
      break;
    case ColumnControl51: column_break(w); break;
    default: break;
  }
}

}  // namespace lettrix::wp5
