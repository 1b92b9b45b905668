#include "core/char_output.h"

namespace lettrix {

void write_table_char(std::FILE* out, std::uint16_t entry) {
  const unsigned char code[4] = {kEscape, TableChar, static_cast<unsigned char>(entry_table(entry)),
                                 static_cast<unsigned char>(entry_index(entry))};
  std::fwrite(code, 1, sizeof code, out);
}

void write_backslash(std::FILE* out) {
  put_byte(kEscape, out);
  put_byte(Backslash, out);
}

}  // namespace lettrix
