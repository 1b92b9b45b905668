#include "core/char_output.h"

#include "core/emitter.h"
#include "core/stream_codes.h"
#include "support/byte_io.h"

namespace lettrix {

int write_source_char(std::FILE* out, const ReaderTable& table, std::uint8_t byte) {
  const std::uint16_t entry = table[byte];
  if (is_table_char(entry)) {
    write_code(out, TableChar, entry_table(entry), entry_index(entry));
    return 0;
  }
  const int plain = entry_index(entry);
  if (plain == 0) return 0;
  if (plain == kEscape) {
    write_code(out, Backslash);
    return 0;
  }
  put_byte(plain, out);
  return (plain >= 0x20 && plain < 0x7F) ? plain : 0;
}

}  // namespace lettrix
