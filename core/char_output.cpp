#include "core/char_output.h"

namespace lettrix {

// Four unlocked byte writes: an fwrite call costs more than the bytes, and
// accented letters are frequent.
void write_table_char(std::FILE* out, std::uint16_t entry) {
  put_byte(kEscape, out);
  put_byte(TableChar, out);
  put_byte(entry_table(entry), out);
  put_byte(entry_index(entry), out);
}

void write_backslash(std::FILE* out) {
  put_byte(kEscape, out);
  put_byte(Backslash, out);
}

}  // namespace lettrix
