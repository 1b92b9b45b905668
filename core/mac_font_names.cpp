#include "core/mac_font_names.h"

#include <cstddef>

#include "core/mac_fonts.h"

namespace lettrix {

namespace {

struct FontRow {
  std::string_view family;
  FontClass font_class;
};

// Families as the Macintosh system, the PostScript printers and the common
// font packages named them.
constexpr FontRow kFontRows[] = {
    // serif
    {"Times", FontSerif}, {"Times New Roman", FontSerif}, {"New York", FontSerif}, {"Palatino", FontSerif},
    {"Bookman", FontSerif}, {"New Century Schoolbook", FontSerif}, {"Century Schoolbook", FontSerif},
    {"Century", FontSerif}, {"Garamond", FontSerif}, {"Georgia", FontSerif}, {"Book Antiqua", FontSerif},
    {"Baskerville", FontSerif}, {"Caslon", FontSerif}, {"Goudy", FontSerif}, {"Bodoni", FontSerif},
    {"Didot", FontSerif}, {"Minion", FontSerif}, {"Utopia", FontSerif}, {"Korinna", FontSerif},
    {"Cheltenham", FontSerif}, {"Stone Serif", FontSerif}, {"Lucida Bright", FontSerif}, {"Athens", FontSerif},
    {"Toronto", FontSerif}, {"London", FontSerif}, {"Zapf Chancery", FontSerif}, {"Hoefler Text", FontSerif},
    {"Trump Mediaeval", FontSerif}, {"Galliard", FontSerif}, {"Janson", FontSerif}, {"Sabon", FontSerif},
    // sans serif
    {"Helvetica", FontSans}, {"Geneva", FontSans}, {"Arial", FontSans}, {"Chicago", FontSans},
    {"Charcoal", FontSans}, {"Avant Garde", FontSans}, {"AvantGarde", FontSans}, {"Gill Sans", FontSans},
    {"Futura", FontSans}, {"Optima", FontSans}, {"Verdana", FontSans}, {"Tahoma", FontSans},
    {"Trebuchet MS", FontSans}, {"Univers", FontSans}, {"Frutiger", FontSans}, {"Franklin Gothic", FontSans},
    {"Lucida Grande", FontSans}, {"Lucida Sans", FontSans}, {"Stone Sans", FontSans}, {"News Gothic", FontSans},
    {"Eras", FontSans}, {"Kabel", FontSans}, {"Swiss", FontSans}, {"MS Sans Serif", FontSans},
    {"Capitals", FontSans}, {"Espy Sans", FontSans}, {"Skia", FontSans},
    // symbols and dingbats
    {"Symbol", FontSymbol},
    {"Zapf Dingbats", FontDingbats}, {"ZapfDingbats", FontDingbats}, {"Wingdings", FontDingbats},
    {"Webdings", FontDingbats}, {"Dingbats", FontDingbats},
    // fixed width
    {"Courier", FontFixed}, {"Courier New", FontFixed}, {"Monaco", FontFixed}, {"Andale Mono", FontFixed},
    {"Lucida Console", FontFixed}, {"ProFont", FontFixed}, {"Letter Gothic", FontFixed}, {"Prestige", FontFixed},
};

struct NumberedFont {
  int number;
  std::string_view name;
};

constexpr NumberedFont kNumberedFonts[] = {
    {2, "New York"},  {3, "Geneva"},       {4, "Monaco"},         {5, "Venice"},
    {6, "London"},    {7, "Athens"},       {9, "Toronto"},        {13, "Zapf Dingbats"},
    {14, "Bookman"},  {15, "Helvetica Narrow"}, {16, "Palatino"}, {18, "Zapf Chancery"},
    {20, "Times"},    {21, "Helvetica"},   {22, "Courier"},       {23, "Symbol"},
    {33, "Avant Garde"}, {34, "New Century Schoolbook"},
};

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// True when name is family, or family followed by a separator and more.
bool names_family(std::string_view name, std::string_view family) {
  if (name.size() < family.size()) return false;
  for (std::size_t i = 0; i < family.size(); ++i)
    if (lower(name[i]) != lower(family[i])) return false;
  if (name.size() == family.size()) return true;
  const char next = name[family.size()];
  return next == ' ' || next == '-' || next == '.';
}

}  // namespace

FontClass mac_font_class(std::string_view name) {
  // The longest matching family wins ("Times New Roman" over "Times").
  const FontRow* best = nullptr;
  for (const FontRow& row : kFontRows)
    if (names_family(name, row.family) && (!best || row.family.size() > best->family.size())) best = &row;
  return best ? best->font_class : FontOther;
}

const ReaderTable& select_mac_font_name(CharState& cs, std::string_view name, std::FILE* out) {
  const FontClass font_class = mac_font_class(name);
  set_font_class(out, cs, font_class);
  if (font_class == FontSymbol) return kSymbolTable;
  if (font_class == FontDingbats) return kDingbatTable;
  return kMacintoshTable;
}

std::string_view mac_font_number_name(int font_number) {
  for (const NumberedFont& font : kNumberedFonts)
    if (font.number == font_number) return font.name;
  return {};
}

const ReaderTable& select_mac_font_number(CharState& cs, int font_number, std::FILE* out) {
  const std::string_view name = mac_font_number_name(font_number);
  if (name.empty()) return select_mac_font(cs, font_number, out);
  return select_mac_font_name(cs, name, out);
}

const ReaderTable& MacFontNumberCache::select(CharState& cs, int font_number, std::FILE* out) {
  Slot& slot = slots_[static_cast<unsigned>(font_number) % slots_.size()];
  if (slot.table && slot.number == font_number) {
    set_font_class(out, cs, slot.font_class);
    return *slot.table;
  }
  const ReaderTable& table = select_mac_font_number(cs, font_number, out);
  slot = {font_number, cs.font_class, &table};
  return table;
}

}  // namespace lettrix
