// Renders an intermediate stream as readable tokens, for test messages and for
// `lettrix-convert --dump-stream`:
//   {BoldOn}H{BoldOff}{TableChar 1,41}{NoteCall 0,1}N{EndOfText}¶
// Printable ASCII stands as itself ("{" and "}" doubled), 13 as "¶", 10 as
// {LF}, 9 as {Tab}, 12 as {PageBreak}, other bytes as {0xNN}.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace lettrix {

// multiline: put a newline after each paragraph end.
std::string print_stream(std::string_view bytes, bool multiline = false);
std::string print_stream(std::FILE* in, bool multiline = false);

}  // namespace lettrix
