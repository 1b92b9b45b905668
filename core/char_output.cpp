#include "core/char_output.h"

namespace lettrix {

void write_backslash(std::FILE* out) {
  put_byte(kEscape, out);
  put_byte(Backslash, out);
}

}  // namespace lettrix
