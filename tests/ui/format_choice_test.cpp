#include "ui/logic/format_choice.h"

#include <iconv.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "core/format_registry.h"

namespace lettrix {
namespace {

// Code page 1252 to 437 through the C library's converter, -1 when it has no mapping.
int iconv_437(unsigned char c) {
  iconv_t cd = iconv_open("IBM437", "CP1252");
  if (cd == reinterpret_cast<iconv_t>(-1)) return -2;
  char in[1] = {static_cast<char>(c)};
  char out[4] = {};
  char* ip = in;
  char* op = out;
  std::size_t il = 1, ol = sizeof out;
  std::size_t rc = iconv(cd, &ip, &il, &op, &ol);
  iconv_close(cd);
  if (rc == static_cast<std::size_t>(-1) || op - out != 1) return -1;
  return static_cast<unsigned char>(out[0]);
}

bool is_ascii_letter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

TEST(WindowsToDosTable, AgreesWithTheCodePages) {
  const ByteTable& t = windows_to_dos_table();
  for (int c = 0; c < 0x20; ++c) EXPECT_EQ(t[c], (c == '\r' || c == '\n') ? c : 0) << "byte " << c;
  for (int c = 0x20; c <= 0x7F; ++c) EXPECT_EQ(t[c], c);
  EXPECT_EQ(t[0x91], '\'');
  EXPECT_EQ(t[0x92], '\'');
  EXPECT_EQ(t[0x93], '"');
  EXPECT_EQ(t[0x94], '"');
  for (int c : {0x80, 0x83, 0x8A, 0x95, 0x99, 0x9F}) EXPECT_EQ(t[c], '_') << "byte " << c;
  for (int c = 0xC0; c <= 0xC3; ++c) EXPECT_EQ(t[c], 'A');

  if (iconv_437(0xE9) == -2) GTEST_SKIP() << "no IBM437 converter";
  int mapped = 0;
  for (int c = 0xA0; c <= 0xFF; ++c) {
    int expected = iconv_437(static_cast<unsigned char>(c));
    if (expected >= 0x20) {
      EXPECT_EQ(t[c], expected) << "byte " << std::hex << c;
      ++mapped;
    } else {
      // No counterpart: a base letter for an accented letter, else "_".
      EXPECT_TRUE(t[c] == '_' || is_ascii_letter(t[c])) << "byte " << std::hex << c;
    }
  }
  EXPECT_GT(mapped, 50);
}

TEST(FindFormatRow, ExactShownNamesElseRowZero) {
  EXPECT_EQ(find_format_row("Claris/AppleWorks", source_formats), SrcClarisWorks);
  EXPECT_EQ(find_format_row("Nisus Writer", source_formats), SrcNisus);
  EXPECT_EQ(find_format_row("RTF Ansi (Windows)", target_formats), DstRtfAnsi);
  EXPECT_EQ(find_format_row("Wordperfect 5", target_formats), DstWordPerfect5);
  // Case counts, unknown names and French names give row 0.
  EXPECT_EQ(find_format_row("rtf ansi (windows)", target_formats), 0);
  EXPECT_EQ(find_format_row("Texte Mac seul", source_formats), 0);
  EXPECT_EQ(find_format_row("", target_formats), 0);
  EXPECT_EQ(find_format_row("Word Windows 2 ", target_formats), 0);
  // The name goes through the code-page table first: a control character
  // ends it, as the terminator it becomes.
  EXPECT_EQ(find_format_row("Word Windows 2\x01xyz", target_formats), DstWinWord2);
  EXPECT_EQ(find_format_row("MacWrite\xA0II", source_formats), 0);
}

TEST(SortedFormatNames, AlphabeticalIgnoringCase) {
  // Every row's name, once, in the list's order.
  for (const FormatRegistry* registry : {&source_formats, &target_formats}) {
    const auto names = sorted_format_names(*registry);
    ASSERT_EQ(names.size(), registry_size(*registry));
    for (std::size_t i = 0; i + 1 < names.size(); ++i) EXPECT_TRUE(list_order_less(names[i], names[i + 1])) << names[i];
    for (std::size_t i = 0; i < names.size(); ++i)
      EXPECT_NE(std::find(names.begin(), names.end(), registry->rows[i].name), names.end()) << registry->rows[i].name;
  }
  // Capitals count as small letters, and digits come before letters.
  const auto sources = sorted_format_names(source_formats);
  const auto at = [&](const char* name) { return std::find(sources.begin(), sources.end(), name) - sources.begin(); };
  EXPECT_LT(at("Claris/AppleWorks"), at("Mac Text Only"));
  EXPECT_LT(at("MacWrite 4.6"), at("MacWrite II"));
  EXPECT_LT(at("MacWrite II"), at("MS-Works 2"));
  const auto targets = sorted_format_names(target_formats);
  EXPECT_LT(std::find(targets.begin(), targets.end(), "Word 3/4/5 DOS"),
            std::find(targets.begin(), targets.end(), "Word Windows 2"));
  EXPECT_TRUE(list_order_less("abc", "ABD"));
  EXPECT_TRUE(list_order_less("ABC", "abc"));
  EXPECT_FALSE(list_order_less("abc", "ABC"));
  EXPECT_TRUE(list_order_less("[..]", "[a]"));
  EXPECT_TRUE(list_order_less("_x", "a"));
}

}  // namespace
}  // namespace lettrix
