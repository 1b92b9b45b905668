// Renders an intermediate stream as readable tokens, for test messages, the
// golden streams of the samples (tests/golden/) and
// `lettrix-convert --dump-stream`:
//   {BoldOn}H{BoldOff}{TableChar 1,41}{NoteCall 0,1}N{EndOfText}¶
// The print holds every byte of the stream: parse_stream (core/stream_parser.h)
// turns it back into the same bytes.
//
// Plain bytes:
//   printable ASCII   itself, except "{" and "}", which are doubled
//   13                ¶ (followed by a newline in the multiline form)
//   10, 9, 12         {LF}, {Tab}, {PageBreak}
//   any other byte    {0xNN} (two upper-case hex digits)
// Codes:
//   {Name}                    a named code without operands
//   {Name a,b}                a named code with two operands (decimal)
//   {Code 0xNN}, {Code 0xNN a,b}
//                             a code byte that has no name, with the
//                             operands its byte range gives it
//   {StyleSheet HEX}          the style sheet's bytes, two upper-case hex
//                             digits each ({StyleSheet} when empty; the length
//                             operand is their count)
//   {Picture K HxW DIGITS}    kind K, height H and width W (decimal, 32 bits)
//                             and the picture's hex digits as they stand;
//                             {Picture K,Z ...} when the byte after the kind is
//                             not 0; no DIGITS for an empty picture, and
//                             #HEX (each byte in two hex digits) for one that
//                             holds a byte other than a hex digit
//   {Truncated HEX}           the bytes of a code cut short by the end of
//                             the stream, which the writers never see; always
//                             the last token
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace lettrix {

// multiline: put a newline after each paragraph end.
std::string print_stream(std::string_view bytes, bool multiline = false);
// The same for the rest of a C stream.
std::string print_stream(std::FILE* in, bool multiline = false);

}  // namespace lettrix
