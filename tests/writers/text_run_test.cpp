// The writers' text loop: plain bytes and TableChar codes taken in one piece,
// up to the first item the writer's own code must see.
#include "writers/text_run.h"

#include <gtest/gtest.h>

#include <string>

#include "core/stream_codes.h"
#include "core/stream_reader.h"
#include "test_util.h"

namespace lettrix {
namespace {

using testing::bytes;

std::string table_char(int table, int index) { return bytes({kEscape, TableChar, table, index}); }

TEST(TextRun, CopiesTextAndKnownCharactersUpToTheFirstOtherItem) {
  static constexpr TextStops kStop = text_stops(stop_bytes(kEscape, kParagraphEnd, kTab));
  static_assert(kStop.by_words);
  CharBytes chars;
  const std::uint8_t e_acute[] = {'\\', '\'', 'e', '9'};
  chars.set(1, 41, e_acute, 4);
  const std::uint8_t one = 0x82;
  chars.set(1, 40, &one, 1);
  struct Case {
    std::string stream;
    std::size_t room, plain_limit;
    std::string written;
    std::size_t taken, plain, codes;
    int last;
  };
  const Case cases[] = {
      {"abc" + table_char(1, 41) + "d\rrest", 64, SIZE_MAX, "abc\\'e9d", 8, 4, 1, 'd'},
      {"x" + table_char(1, 40), 64, SIZE_MAX, "x\x82", 5, 1, 1, -1},
      // A character without bytes, a table outside 1 to 14, another code: left to the writer.
      {"ab" + table_char(1, 42) + "c", 64, SIZE_MAX, "ab", 2, 2, 0, 'b'},
      {"ab" + table_char(0, 41), 64, SIZE_MAX, "ab", 2, 2, 0, 'b'},
      {"ab" + table_char(15, 41), 64, SIZE_MAX, "ab", 2, 2, 0, 'b'},
      {"ab" + bytes({kEscape, BoldOn}), 64, SIZE_MAX, "ab", 2, 2, 0, 'b'},
      {"\tab", 64, SIZE_MAX, "", 0, 0, 0, -1},
      // A code cut off by the end of the stream is not taken.
      {"ab" + bytes({kEscape, TableChar, 1}), 64, SIZE_MAX, "ab", 2, 2, 0, 'b'},
      // The limit counts plain bytes only; the room counts every byte written.
      {"ab" + table_char(1, 41) + "cdef", 64, 3, "ab\\'e9c", 7, 3, 1, 'c'},
      {"abcdef", 4, SIZE_MAX, "abcd", 4, 4, 0, 'd'},
      {"ab" + table_char(1, 41), 5, SIZE_MAX, "ab", 2, 2, 0, 'b'},  // no room for the four bytes
      {"", 64, SIZE_MAX, "", 0, 0, 0, -1},
      // Longer text goes eight bytes at a time: bytes that may be stop
      // bytes but are none of this writer's ("-", "{", "~", 0x80 and up)
      // are text like any other.
      {"well-{known}~ text" + table_char(1, 41) + "\x85more text, and more" + table_char(1, 40) + "x\tnext", 64,
       SIZE_MAX, "well-{known}~ text\\'e9\x85more text, and more\x82x", 47, 39, 2, 'x'},
      {"0123456789abcdef" + table_char(1, 41) + "0123456789abcdef", 64, 20, "0123456789abcdef\\'e90123", 24, 20, 1, '3'},
      {"0123456789abcdef" + table_char(1, 42) + "0123456789", 64, SIZE_MAX, "0123456789abcdef", 16, 16, 0, 'f'},
      {"0123456789abcdef", 13, SIZE_MAX, "0123456789abc", 13, 13, 0, 'c'},
  };
  // The same with a stop byte that the eight-byte test does not cover ("Q"):
  // byte by byte, to the same result.
  static constexpr TextStops kStopQ = text_stops(stop_bytes(kEscape, kParagraphEnd, kTab, 'Q'));
  static_assert(!kStopQ.by_words);
  for (const TextStops* stops : {&kStop, &kStopQ})
  for (const Case& c : cases) {
    auto in = testing::memory_stream(c.stream);
    BlockInput input(in.get());
    std::string out(c.room, '\0');
    const TextRun run =
        copy_text(input, reinterpret_cast<std::uint8_t*>(out.data()), c.room, *stops, chars, c.plain_limit);
    out.resize(run.written);
    EXPECT_EQ(out, c.written) << c.stream;
    EXPECT_EQ(run.taken, c.taken) << c.stream;
    EXPECT_EQ(run.plain, c.plain) << c.stream;
    EXPECT_EQ(run.chars, c.codes) << c.stream;
    EXPECT_EQ(run.last, c.last) << c.stream;
    // What was not taken is read next.
    std::string rest;
    for (int b = input.get(); b != EOF; b = input.get()) rest += static_cast<char>(b);
    EXPECT_EQ(rest, c.stream.substr(c.taken)) << c.stream;
    // starts_text agrees with whether anything was taken.
    auto again = testing::memory_stream(c.stream);
    BlockInput second(again.get());
    if (c.room >= 4 && c.plain_limit > 0) {
      EXPECT_EQ(starts_text(second, *stops, chars), c.taken > 0) << c.stream;
    }
  }
}

TEST(TextRun, CharactersAloneAreTakenOnlyWithoutAnotherRightAfter) {
  static constexpr TextStops kStop = text_stops(stop_bytes(kEscape, kParagraphEnd));
  WideCharBytes chars;
  const std::uint8_t group[] = {'{', 'S', 'y', 'm', '}'};
  chars.set(6, 1, group, sizeof group, true);
  chars.set(6, 2, group, sizeof group, true);
  const std::uint8_t plain[] = {'e'};
  chars.set(1, 41, plain, 1);
  const std::string text(20, 't');
  struct Case {
    std::string stream, written;
    std::size_t taken;
  };
  const Case cases[] = {
      {"a" + table_char(6, 1) + "b", "a{Sym}b", 6},
      {text + table_char(6, 1) + table_char(1, 41) + text, text + "{Sym}e" + text, 48},
      // Two in a row: the writer's own code takes them (they share a group).
      {"a" + table_char(6, 1) + table_char(6, 2) + "b", "a", 1},
      {text + table_char(6, 1) + table_char(6, 2) + text, text, 20},
      // Nor before a character of no table, which leaves the group open.
      {"a" + table_char(6, 1) + table_char(15, 2) + "b", "a", 1},
      {text + table_char(6, 1) + table_char(0, 2) + text, text, 20},
      // Nothing known after it: left to the writer too.
      {"a" + table_char(6, 1), "a", 1},
      {"a" + table_char(6, 1) + bytes({kEscape}), "a", 1},
      {"a" + table_char(6, 1) + bytes({kEscape, BoldOn}), "a{Sym}", 5},
  };
  for (const Case& c : cases) {
    auto in = testing::memory_stream(c.stream);
    BlockInput input(in.get());
    std::string out(64, '\0');
    const TextRun run = copy_text(input, reinterpret_cast<std::uint8_t*>(out.data()), out.size(), kStop, chars);
    out.resize(run.written);
    EXPECT_EQ(out, c.written) << c.stream;
    EXPECT_EQ(run.taken, c.taken) << c.stream;
    if (c.written.find("{Sym}") == std::string::npos) {
      // Refused: the character alone is next, and not text to take.
      EXPECT_TRUE(starts_alone(input, chars)) << c.stream;
      EXPECT_FALSE(starts_text(input, kStop, chars)) << c.stream;
    }
  }
}

TEST(TextRun, OutputBufferTakesRunsAcrossItsBlocks) {
  // More than a block of output: the buffer sends full blocks on and the
  // text arrives whole and in order.
  static constexpr TextStops kStop = text_stops(stop_bytes(kEscape));
  CharBytes chars;
  const std::uint8_t hex[] = {'<', '>'};
  chars.set(2, 7, hex, 2);
  std::string stream, expected;
  // (Six bytes a step: the first block of the stream ends inside a code.)
  for (int i = 0; i < 30000; ++i) {
    stream += "ab" + table_char(2, 7);
    expected += "ab<>";
  }

  auto in = testing::memory_stream(stream);
  testing::ScratchDir dir;
  const std::string path = dir.file("out");
  {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    BlockInput input(in.get());
    {
      OutputBuffer out(f);
      int split = 0;
      for (;;) {
        if (copy_text(input, out, kStop, chars).taken > 0) continue;
        // A code that the block read ahead holds only in part is read as an
        // item (and the next block with it).
        StreamItem item;
        if (!read_stream_item(input, item)) break;
        ASSERT_TRUE(item.is_code(TableChar));
        out.put("<>");
        ++split;
      }
      EXPECT_GE(split, 1);
    }
    std::fclose(f);
  }
  EXPECT_EQ(testing::read_file(path), expected);
}

}  // namespace
}  // namespace lettrix
