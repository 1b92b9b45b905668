#include "core/mac_font_names.h"

#include <gtest/gtest.h>

#include "core/stream_printer.h"

namespace lettrix {
namespace {

TEST(MacFontNames, NameGivesClass) {
  const struct {
    const char* name;
    FontClass font_class;
  } cases[] = {
      {"Times", FontSerif},          {"times", FontSerif},           {"Times New Roman", FontSerif},
      {"Times-Bold", FontSerif},     {"New York", FontSerif},        {"Palatino", FontSerif},
      {"Bookman", FontSerif},        {"Helvetica", FontSans},        {"HELVETICA NARROW", FontSans},
      {"Geneva", FontSans},          {"Arial", FontSans},            {"Chicago", FontSans},
      {"Symbol", FontSymbol},        {"Zapf Dingbats", FontDingbats}, {"Wingdings", FontDingbats},
      {"Courier", FontFixed},        {"Courier New", FontFixed},     {"Monaco", FontFixed},
      {"Timesless", FontOther},      {"Helv", FontOther},            {"", FontOther},
      {"Unknown Face", FontOther},   {"Symbolic", FontOther},
  };
  for (const auto& c : cases) EXPECT_EQ(mac_font_class(c.name), c.font_class) << c.name;

  // Numbers with a fixed face go through the same table; 0 and 1 (system and
  // application font) and unknown numbers keep their class by number.
  EXPECT_EQ(mac_font_number_name(3), "Geneva");
  EXPECT_EQ(mac_font_number_name(16), "Palatino");
  EXPECT_EQ(mac_font_number_name(22), "Courier");
  EXPECT_EQ(mac_font_number_name(0), "");
  EXPECT_EQ(mac_font_number_name(1), "");
  EXPECT_EQ(mac_font_number_name(-5), "");
}

TEST(MacFontNames, SelectWritesClassAndGivesTable) {
  std::FILE* out = std::tmpfile();
  ASSERT_NE(out, nullptr);
  CharState cs{};
  EXPECT_EQ(&select_mac_font_name(cs, "Helvetica", out), &kMacintoshTable);
  EXPECT_EQ(&select_mac_font_name(cs, "Geneva", out), &kMacintoshTable);  // still sans: nothing written
  EXPECT_EQ(&select_mac_font_name(cs, "Symbol", out), &kSymbolTable);
  EXPECT_EQ(&select_mac_font_name(cs, "Zapf Dingbats", out), &kDingbatTable);
  EXPECT_EQ(&select_mac_font_name(cs, "Monaco", out), &kMacintoshTable);
  EXPECT_EQ(&select_mac_font_number(cs, 16, out), &kMacintoshTable);   // Palatino
  EXPECT_EQ(&select_mac_font_number(cs, 23, out), &kSymbolTable);      // Symbol
  EXPECT_EQ(&select_mac_font_number(cs, 156, out), &kMacintoshTable);  // by number: serif
  EXPECT_EQ(&select_mac_font_number(cs, 1, out), &kMacintoshTable);    // by number: class 0
  std::rewind(out);
  EXPECT_EQ(print_stream(out), "{Font 0,2}{Font 2,3}{Font 3,4}{Font 4,5}{Font 5,1}{Font 1,3}{Font 3,1}{Font 1,0}");
  std::fclose(out);
}

TEST(MacFontNames, NumberCacheWritesAndGivesWhatTheLookUpDoes) {
  // Numbers with and without a face, repeated and sharing cache slots
  // (n and n + 32), in an order that changes the class often.
  const int numbers[] = {20, 21, 20, 52, 23, 13, 13, 156, 0, 1, 22, 54, 20, 23, 300, 332, 300, 65535, 2, 34, 2, 21,
                         -1, 31, -1, 16, 48, 16, 3, 35, 3, 21, 20, 156, 124};
  std::FILE* cached_out = std::tmpfile();
  std::FILE* direct_out = std::tmpfile();
  ASSERT_NE(cached_out, nullptr);
  ASSERT_NE(direct_out, nullptr);
  MacFontNumberCache cache;
  CharState cached{}, direct{};
  for (int n : numbers) {
    EXPECT_EQ(&cache.select(cached, n, cached_out), &select_mac_font_number(direct, n, direct_out)) << n;
    EXPECT_EQ(cached.font_class, direct.font_class) << n;
  }
  std::rewind(cached_out);
  std::rewind(direct_out);
  EXPECT_EQ(print_stream(cached_out), print_stream(direct_out));
  std::fclose(cached_out);
  std::fclose(direct_out);
}

}  // namespace
}  // namespace lettrix
