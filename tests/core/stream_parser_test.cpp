#include "core/stream_parser.h"

#include <gtest/gtest.h>

#include "core/stream_codes.h"
#include "core/stream_printer.h"
#include "test_util.h"

namespace lettrix {
namespace {

using testing::bytes;

// parse(print(stream)) is the stream, and print(parse(text)) the text, in
// both forms.
void expect_round_trip(const std::string& stream, const std::string& name) {
  for (bool multiline : {false, true}) {
    const std::string text = print_stream(stream, multiline);
    const ParsedStream parsed = parse_stream(text);
    EXPECT_EQ(parsed.error, "") << name << ": " << text;
    EXPECT_EQ(parsed.bytes, stream) << name << ": " << text;
    EXPECT_EQ(print_stream(parsed.bytes, multiline), text) << name;
  }
}

TEST(StreamParser, TrickyStreamsPrintAndReadBack) {
  const struct {
    std::string stream;
    std::string text;
  } cases[] = {
      {"", ""},
      {bytes({'{', '}', '{', 0x5C, 0x23, '}'}), "{{}}{{{BoldOn}}}"},
      {bytes({'a', 13, 13, 10, 9, 12, 0x00, 0x1F, 0x7F, 0x8E, 0xFF}),
       "a¶¶{LF}{Tab}{PageBreak}{0x00}{0x1F}{0x7F}{0x8E}{0xFF}"},
      {bytes({0x5C, 0x5C, 0x5C, 0x7F, 0x5C, 0x21, 0x5C, 0x50, 0x5C, 0x51}),
       "{Backslash}{EndOfText}{Reserved21}{ColumnControl50}{ColumnControl51}"},
      // Codes without a name, among them bytes below 0x20 and those listed unnamed;
      // operands that look like escapes and line ends stay operands.
      {bytes({0x5C, 0x05, 0x5C, 0x0D, 0x5C, 0x36, 0x5C, 0x4E, 0x5C, 0xFF, 0x5C, 0x7F, 0x5C, 0x82, 13, 10}),
       "{Code 0x05}{Code 0x0D}{Code 0x36}{Code 0x4E}{Code 0xFF 92,127}{Code 0x82 13,10}"},
      {bytes({0x5C, 0x20, 0x01, 0x29, 0x5C, 0xA2, 0x00, 0x01, 'N', 0x5C, 0x7F}), "{TableChar 1,41}{NoteCall 0,1}N{EndOfText}"},
      {bytes({0x5C, 0x86, 0x00, 0x00, 0x5C, 0x86, 0x03, 0x00, 0x5C, 0x7F, 0x0D}), "{StyleSheet}{StyleSheet 5C7F0D}"},
      // Height 0x00005C7F: the end mark's bytes inside the size are size.
      {bytes({0x5C, 0xC0, 0x01, 0x00, 0, 0, 0x5C, 0x7F, 0, 0, 0, 2, '0', 'a', 'F', 'f', 0x5C, 0x7F}),
       "{Picture 1 23679x2 0aFf}"},
      {bytes({0x5C, 0xC0, 0x02, 0x07, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0x5C, 0x7F}), "{Picture 2,7 4294967295x0}"},
      // A body of other bytes, an escape among them and one just before the end mark.
      {bytes({0x5C, 0xC0, 0x01, 0x00, 0, 0, 0, 1, 0, 0, 0, 1, 'g', 0x5C, 0x23, 0x5C, 0x5C, 0x7F}),
       "{Picture 1 1x1 #675C235C}"},
      // Codes cut short by the end of the stream.
      {bytes({'x', 0x5C}), "x{Truncated 5C}"},
      {bytes({0x5C, 0x20, 0x01}), "{Truncated 5C2001}"},
      {bytes({0x5C, 0x86, 0x05, 0x00, 'a', 'b'}), "{Truncated 5C8605006162}"},
      {bytes({0x5C, 0xC0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 1, 'f', 'f', 0x5C}), "{Truncated 5CC00100000000010000000166665C}"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(print_stream(c.stream), c.text);
    expect_round_trip(c.stream, c.text);
  }
  // Every code byte, with operands where its byte range gives them.
  for (int code = 0; code < 256; ++code) {
    std::string stream = bytes({'a', 0x5C, code});
    if (code == StyleSheet) stream += bytes({0x01, 0x00, 0xAB});
    else if (code == Picture) stream += bytes({3, 0, 0, 0, 0, 9, 0, 0, 0, 8, 'c', 0x5C, 0x7F});
    else if (fixed_operand_count(static_cast<std::uint8_t>(code)) == 2) stream += bytes({0x5C, 0x7F});
    expect_round_trip(stream + "b", "code " + std::to_string(code));
  }
  EXPECT_EQ(print_stream(bytes({'a', 13, 'b', 13}), true), "a¶\nb¶\n");
  EXPECT_EQ(parse_stream("a¶\nb¶b¶\n").bytes, "a\rb\rb\r");
  EXPECT_EQ(parse_stream("{0x8e}{Code 0xff 0,1}{StyleSheet ab}").bytes, bytes({0x8E, 0x5C, 0xFF, 0, 1, 0x5C, 0x86, 1, 0, 0xAB}));
}

TEST(StreamParser, MalformedTextSaysWhereAndWhy) {
  const struct {
    std::string text;
    std::size_t offset;
    std::string message;
  } cases[] = {
      {"ab{Bold}", 2, "offset 2 (line 1): \"{Bold}\": no code has this name"},
      {"a¶\nb{BoldOn", 5, "offset 5 (line 2): \"{BoldOn\": the token is not closed"},
      {"{Bold{On}", 0, "not closed"},
      {"a}b", 1, "a lone }"},
      {"a\nb", 1, "a newline stands only after ¶"},
      {"C:\\X", 2, "a backslash would begin a code"},
      {"caf\xC3\xA9", 3, "character 0xC3 is not printable ASCII (a byte is written {0xC3})"},
      {"x\ty", 1, "character 0x09"},
      {"{0x5C}", 0, "byte 0x5C begins every code"},
      {"{0x5}", 0, "{0xNN}"},
      {"{BoldOn 1,2}", 0, "takes no operands"},
      {"{TableChar 1}", 0, "two operands"},
      {"{TableChar 1,256}", 0, "two operands"},
      {"{TableChar }", 0, "nothing after the space"},
      {"{Code 0x23}", 0, "the code has a name: {BoldOn}"},
      {"{Code 0x86 1,0}", 0, "{StyleSheet}"},
      {"{Code 0xFF}", 0, "two operands"},
      {"{StyleSheet ABC}", 0, "two hex digits"},
      {"{Picture 1 2}", 0, "{Picture K HxW DIGITS}"},
      {"{Picture 1 2x3 0g}", 0, "hex digits"},
      {"{Picture 1 2x3 #5C7F}", 0, "cannot hold the bytes 5C 7F"},
      {"{Picture 1 4294967296x3}", 0, "{Picture K HxW DIGITS}"},
      {"{Truncated 5C}x", 0, "the last token"},
      {"{Truncated 41}", 0, "begins with 5C"},
      {"{Truncated 5C23}", 0, "a whole code"},
      {"{}", 0, "no code has this name"},
  };
  for (const auto& c : cases) {
    const ParsedStream parsed = parse_stream(c.text);
    EXPECT_FALSE(parsed.ok()) << c.text;
    EXPECT_EQ(parsed.offset, c.offset) << c.text;
    EXPECT_NE(parsed.error.find(c.message), std::string::npos) << c.text << " -> " << parsed.error;
    EXPECT_EQ(parsed.bytes, "") << c.text;
  }
}

}  // namespace
}  // namespace lettrix
