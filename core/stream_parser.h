// Reads the printed form of an intermediate stream (core/stream_printer.h)
// back into the stream's bytes: parse_stream(print_stream(bytes)) == bytes for
// any bytes, in the multiline form as in the single-line one. Tests and the
// seeds of the fuzz targets spell their streams this way:
//   parse_stream("{BoldOn}Hello{BoldOff}¶").bytes == "\x5C\x23Hello\x5C\x24\r"
//
// Besides the printed form the parser takes upper- or lower-case hex digits
// and decimal numbers with leading zeros.
// A newline stands only right after ¶ (and is not a byte of the stream); a
// backslash, a lone brace or any character outside printable ASCII is an
// error, as is a code whose operands do not fit it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lettrix {

struct ParsedStream {
  std::string bytes;       // the stream, when the whole text was read
  std::string error;       // empty, or what is wrong, where:
                           // `offset 14 (line 2): "{Bold}": no code has this name`
  std::size_t offset = 0;  // byte offset in the text of the token at fault

  bool ok() const { return error.empty(); }
};

ParsedStream parse_stream(std::string_view text);

}  // namespace lettrix
