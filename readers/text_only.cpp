// Macintosh plain text: bytes in the Macintosh character set, paragraphs ended
// by CR (0x0D). There is no header; the first byte is text. Files that passed
// through other systems may end their lines with LF or CR LF instead.
//
//   0x08        overstrike: character, backspace, character makes an accented
//               letter the old typewriter way ("e" BS "'" is e-acute)
//   0x09        tab                0x0B, 0x0D   paragraph end
//   0x0A        paragraph end, unless it follows a CR (CR LF is one end)
//   0x0C        page break         0x1A         Ctrl-Z, dropped (not an end mark)
//   0x5C        backslash          other < 0x20 dropped
//   0x20-0xFF   through the Macintosh character table
#include "readers/text_only.h"

#include <cstdint>

#include "core/byte_helpers.h"
#include "core/char_output.h"
#include "core/charset.h"
#include "core/stream_codes.h"
#include "support/byte_io.h"
#include "support/file_handle.h"

namespace lettrix {

namespace {

}  // namespace

int orig_text_only(const char* source_path, const char* stream_path) {
  FilePtr in = open_file(source_path, "rb");
  FilePtr out = open_file(stream_path, "w+b");
  if (!in || !out) return -1;
  std::FILE* src = in.get();
  std::FILE* dst = out.get();

  int previous = 0;       // the source byte before this one
  int composable = 0;     // the plain byte written for it, when an accent can go over it
  for (int c; (c = get_byte(src)) != EOF; previous = c) {
    int written = 0;
    switch (c) {
      case 0x08:
        // Without a plain character before it there is nothing to strike over:
        // the backspace is dropped and the next character read as usual.
        if (composable) compose_accent(src, dst, composable);
        break;
      case 0x09: put_byte(kTab, dst); break;
      case 0x0B:
      case 0x0D: put_byte(kParagraphEnd, dst); break;
      case 0x0A:
        if (previous != 0x0D) put_byte(kParagraphEnd, dst);
        break;
      case 0x0C: put_byte(kPageBreak, dst); break;
      case 0x5C:
        put_byte(kEscape, dst);
        put_byte(Backslash, dst);
        break;
      default:
        if (c >= 0x20) written = write_source_char(dst, kMacintoshTable, static_cast<std::uint8_t>(c));
        break;
    }
    composable = written;
  }
  return std::ferror(dst) ? -1 : 0;
}

}  // namespace lettrix
