// Rich Text Format from the intermediate stream, in one pass.
//
//   {\rtf1\ansi {\fonttbl...}{\colortbl...}\f0\fs20 \pard text\par \pard\qc ...}
//
// Fonts (core/pc_fonts.h): 0 Times New Roman (the document's font), 1 Symbol,
// 2 Arial, 3 Courier New, 4 Wingdings; Symbol and Wingdings are symbol fonts
// (\fcharset2), so readers take their bytes as symbols, not as letters.
// Character attributes open a group ("{\b ") and their off code closes it
// and resets the character formatting ("}\plain\fs20\f0 "); since attributes
// in the stream need not nest, the size, font, attributes still on and colour
// are written again after the reset. Every paragraph starts with "\pard" and
// its own properties (rtf_paragraph.cpp). Headers, footers and notes become
// \header, \footer and \footnote groups that start from plain formatting;
// characters that only the Symbol font has become a "{\f1 " group, and those
// that the code page lacks "\uN" with the code page's stand-in after it
// ("\u960\'5f" for pi). The writer counts every group it opens and closes
// exactly those at the end.
#include "writers/rtf.h"

#include <cmath>
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

#include "core/charset.h"
#include "core/driver_state.h"
#include "core/emitter.h"
#include "core/handler.h"
#include "core/pc_fonts.h"
#include "core/stream_codes.h"
#include "core/stream_reader.h"
#include "core/unicode_tables.h"
#include "support/file_handle.h"
#include "support/output_buffer.h"
#include "writers/rtf_keywords.h"
#include "writers/rtf_writer.h"
#include "writers/picture_png.h"
#include "writers/system_symbols.h"
#include "writers/text_run.h"

namespace lettrix {

namespace {

// "{\fonttbl{\f0\froman Times New Roman;}...}": the PC fonts in their
// order, a symbol font with its character set. Returns the length; writes the
// text when given where.
constexpr std::size_t font_table_text(char* out) {
  std::size_t n = 0;
  auto put = [&](std::string_view text) {
    for (char c : text) {
      if (out) out[n] = c;
      ++n;
    }
  };
  auto put_digit = [&](std::size_t digit) {
    const char c = static_cast<char>('0' + digit);
    put(std::string_view(&c, 1));
  };
  put("{\\fonttbl");
  for (std::size_t number = 0; number < kPcFonts.size(); ++number) {
    const PcFontFace& face = kPcFonts[number];
    put("{\\f");
    put_digit(number);
    put("\\");
    put(rtf_family_keyword(face.family));
    if (font_charset(face) != 0) {
      put("\\fcharset");
      put_digit(font_charset(face));
    }
    put(" ");
    put(face.name);
    put(";}");
  }
  put("}");
  return n;
}
static_assert(kPcFonts.size() <= 10);  // one digit each
constexpr auto kFontTableText = [] {
  std::array<char, font_table_text(nullptr)> text{};
  font_table_text(text.data());
  return text;
}();
constexpr std::string_view kFontTable(kFontTableText.data(), kFontTableText.size());
constexpr std::string_view kColourTable =
    "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red0\\green255\\blue255;\\red0\\green255\\blue0;\r\n"
    "\\red255\\green0\\blue255;\\red255\\green0\\blue0;\\red255\\green255\\blue0;\\red255\\green255\\blue255;"
    "\\red0\\green0\\blue127;\\red0\\green127\\blue127;\\red0\\green127\\blue0;\\red127\\green0\\blue127;"
    "\\red127\\green0\\blue0;\\red127\\green127\\blue0;\\red127\\green127\\blue127;\r\n"
    "\\red192\\green192\\blue192;}\r\n";
// The note's mark in the text, and the note group with the same mark.
constexpr std::string_view kNoteMark = "{\\super\\chftn}";
constexpr std::string_view kHexDigits = "0123456789ABCDEF";
// Document formatting after the tables: page margins of an inch, as the
// Macintosh programs set them, then notes at the foot of the page. When the
// stream has texts for even or odd pages only, the eight bytes of the latter
// become "\\facingp" once the stream has been read, which makes RTF readers
// keep the left-hand and right-hand headers and footers apart.
constexpr std::string_view kPageMargins = "\\margl1440\\margr1440";
constexpr std::string_view kDocumentFormat = "\\ftnbj\r\n";
constexpr std::string_view kFacingPages = "\\facingp";
static_assert(kDocumentFormat.size() == kFacingPages.size());

// The RTF source is wrapped after this many plain characters on one line.
constexpr int kLineWrap = 101;
// A PC font's number, as its digit: the font of the document and the Symbol font.
constexpr char font_digit_of(PcFont font) { return static_cast<char>('0' + font); }
constexpr char kDefaultFont = font_digit_of(kDocumentFont);
constexpr char kSymbolFont = font_digit_of(PcSymbol);

// Font number (as its digit) for a font class of the stream.
char font_digit(std::uint8_t font_class) { return font_digit_of(class_fonts(font_class).rtf); }

// A character attribute: its codes, its bit in the character state and its
// control word (with a parameter for sub- and superscript).
struct Attribute {
  std::uint8_t on;
  std::uint8_t off;
  bool in_flags2;
  std::uint8_t bit;
  RtfKeyword keyword;
  int parameter;  // -1: none
};

// In the order in which attributes still on are written again.
constexpr Attribute kAttributes[] = {
    {BoldOn, BoldOff, false, kBold, KwB, -1},
    {UnderlineOn, UnderlineOff, false, kUnderline, KwUl, -1},
    {SuperscriptOn, SuperscriptOff, false, kSuperscript, KwUp, 6},
    {SubscriptOn, SubscriptOff, false, kSubscript, KwDn, 6},
    {StrikeOn, StrikeOff, false, kStrike, KwStrike, -1},
    {ItalicOn, ItalicOff, false, kItalic, KwI, -1},
    {CapsOn, CapsOff, false, kCaps, KwCaps, -1},
    {SmallCapsOn, SmallCapsOff, true, kSmallCaps, KwScaps, -1},
    {DoubleUnderlineOn, DoubleUnderlineOff, true, kDoubleUnderline, KwUldb, -1},
    {HiddenOn, HiddenOff, false, kHidden, KwV, -1},
    {OutlineOn, OutlineOff, true, kOutline, KwOutl, -1},
    {ShadowOn, ShadowOff, true, kShadow, KwShad, -1},
};

const Attribute* attribute_of(std::uint8_t code, bool& is_on) {
  for (const Attribute& a : kAttributes) {
    if (code == a.on || code == a.off) {
      is_on = code == a.on;
      return &a;
    }
  }
  return nullptr;
}

std::uint8_t& flags_of(CharState& cs, const Attribute& a) { return a.in_flags2 ? cs.flags2 : cs.flags1; }

bool same_character_format(const CharState& a, const CharState& b) {
  return a.font_class == b.font_class && a.size == b.size && a.flags1 == b.flags1 && a.flags2 == b.flags2 &&
         a.colour == b.colour;
}

void close_symbol_run(RtfWriter& w) {
  if (!w.symbol_run) return;
  w.out.put('}');
  --w.depth;
  w.symbol_run = false;
}

// A symbol of the system font: its Unicode character, with the stand-in
// that readers without Unicode show in its place, in a group of its own
// ("{\uc3\u8984 Cmd}"); the stand-in alone where it has none.
void write_system_symbol(RtfWriter& w, const SystemSymbolForms& symbol) {
  close_symbol_run(w);
  const std::string_view stand_in = w.dos ? symbol.code_page_437 : symbol.code_page_1252;
  if (symbol.unicode != 0) {
    w.out.put('{');
    keyword_number(w, KwUc, static_cast<long long>(stand_in.size()));
    keyword_number(w, KwU, symbol.unicode);
    w.out.put(' ');
  }
  for (const char c : stand_in) {
    const auto byte = static_cast<std::uint8_t>(c);
    if (byte < 0x80) {
      w.out.put(c);
    } else {
      const char hex[4] = {'\\', '\'', kHexDigits[byte >> 4], kHexDigits[byte & 0x0F]};
      w.out.put(std::string_view(hex, 4));
    }
  }
  if (symbol.unicode != 0) w.out.put('}');
}

// A character the code page lacks, which the group gives as a substitute or
// as "_": "\uN" (N its Unicode number, as a signed 16-bit number) and the
// group's byte after it, for readers that do not know "\u" (one byte, the
// default of \uc). 0 for a character the code page has (or that only the
// Symbol font has, written in that font), and for a position without a
// single code point: the group's byte alone, as before.
std::size_t unicode_form(bool dos, int table, int index, std::uint16_t entry, char (&out)[12]) {
  if (entry & kSymbolFlag) return 0;
  const std::uint16_t cp = position_code_point(table, index);
  const std::uint8_t byte = entry & 0xFF;
  if (cp == 0 || cp == (dos ? kCodePage437Unicode : kCodePage1252Unicode)[byte]) return 0;
  const int number = cp < 0x8000 ? cp : static_cast<int>(cp) - 0x10000;
  const std::string digits = std::to_string(number);
  std::size_t n = 0;
  out[n++] = '\\';
  out[n++] = 'u';
  for (const char d : digits) out[n++] = d;
  out[n++] = '\\';
  out[n++] = '\'';
  out[n++] = kHexDigits[byte >> 4];
  out[n++] = kHexDigits[byte & 0x0F];
  return n;
}

void write_character(RtfWriter& w, int table, int index) {
  if (table < 1 || table > 14) return;
  start_paragraph_if_pending(w);
  if (const SystemSymbolForms* symbol = system_symbol_forms(table, index)) {
    write_system_symbol(w, *symbol);
    return;
  }
  std::uint16_t entry = translate_position(w.group, table, index);
  bool symbol = (entry & 0xFF00) != 0;
  if (symbol && !w.symbol_run) {
    w.out.put('{');
    keyword(w, KwF);
    w.out.put(kSymbolFont);
    w.out.put(' ');
    w.symbol_run = true;
    ++w.depth;
  } else if (!symbol) {
    close_symbol_run(w);
  }
  const std::uint8_t byte = entry & 0xFF;
  char form[12];
  if (const std::size_t n = unicode_form(w.dos, table, index, entry, form)) {
    w.out.put(std::string_view(form, n));
    return;
  }
  const char hex[4] = {'\\', '\'', kHexDigits[byte >> 4], kHexDigits[byte & 0x0F]};
  w.out.put(std::string_view(hex, 4));
}

// The characters of the repertoire as write_character writes them: "\'e9",
// and a Symbol character in a group of its own, "{\f1 \'b0}", where no other
// one follows it (a table of wide entries, which only code page 1252 needs).
template <typename Chars>
Chars rtf_char_bytes(const TranslationGroup& group) {
  Chars chars;
  const bool dos = &group == select_translation_group(0);
  for (int table = 1; table <= Chars::kTables; ++table) {
    for (int index = 0; index < 256; ++index) {
      if (system_symbol(table, index) >= 0) continue;  // write_character's own
      const std::uint16_t entry = translate_position(group, table, index);
      char form[12];
      if (const std::size_t n = unicode_form(dos, table, index, entry, form)) {
        if (n <= Chars::kMaxBytes) chars.set(table, index, reinterpret_cast<const std::uint8_t*>(form), n);
        continue;  // else write_character's
      }
      const std::uint8_t byte = entry & 0xFF;
      const std::uint8_t hex[4] = {'\\', '\'', static_cast<std::uint8_t>(kHexDigits[byte >> 4]),
                                   static_cast<std::uint8_t>(kHexDigits[byte & 0x0F])};
      if ((entry & 0xFF00) == 0) {
        chars.set(table, index, hex, 4);
      } else if (Chars::kMaxBytes >= 10) {
        const std::uint8_t symbol[10] = {'{', '\\', 'f', kSymbolFont, ' ', hex[0], hex[1], hex[2], hex[3], '}'};
        chars.set(table, index, symbol, sizeof symbol, true);
      }
    }
  }
  return chars;
}

void open_attribute_group(RtfWriter& w, const Attribute& a) {
  (w.in_embedded ? w.embedded_attribute_groups : w.attribute_groups).push_back(a.on);
  w.out.put('{');
  if (a.parameter >= 0) {
    keyword_number(w, a.keyword, a.parameter);
    w.out.put(' ');
  } else {
    keyword_space(w, a.keyword);
  }
}

// Between paragraphs the group waits for the paragraph's first content, so
// that the paragraph's properties stand outside it: an RTF reader may undo
// paragraph properties set inside a group at the group's end.
void attribute_on(RtfWriter& w, const Attribute& a) {
  flags_of(w.cs, a) |= a.bit;
  if (w.paragraph_pending)
    w.deferred_groups.push_back(a.on);
  else
    open_attribute_group(w, a);
}

// "}" ends the innermost attribute group and "\plain" every character format
// in force; size, font, the attributes still on and the colour are set again.
// An off code with no group of its own to close (inside a header, footer or
// note, for an attribute switched on outside it) writes "\plain" alone, so
// the embedded text's group is left whole.
void attribute_off(RtfWriter& w, const Attribute& a) {
  flags_of(w.cs, a) &= static_cast<std::uint8_t>(~a.bit);
  // A group not opened yet is simply not opened.
  for (auto it = w.deferred_groups.rbegin(); it != w.deferred_groups.rend(); ++it) {
    if (*it == a.on) {
      w.deferred_groups.erase(std::next(it).base());
      return;
    }
  }
  // "}" ends the innermost group, whichever attribute opened it; the group
  // around it that this attribute opened now holds what "\plain" and the
  // restated formatting leave on, so the attribute's own entry goes.
  std::vector<std::uint8_t>& groups = w.in_embedded ? w.embedded_attribute_groups : w.attribute_groups;
  for (auto it = groups.rbegin(); it != groups.rend(); ++it) {
    if (*it == a.on) {
      w.out.put('}');
      groups.erase(std::next(it).base());
      break;
    }
  }
  restate_character(w);
}

// A header, footer or note starts: its text is a group of its own that starts
// from plain character formatting and a paragraph of its own.
void embedded_text_start(RtfWriter& w, bool note) {
  w.saved_deferred_groups.swap(w.deferred_groups);
  w.deferred_groups.clear();
  w.embedded_depth = w.depth;
  w.saved_cs = w.cs;
  w.saved_pending = w.paragraph_pending;
  w.in_embedded = true;
  w.in_note = note;
  w.embedded_attribute_groups.clear();
  ++w.depth;
}

int running_head_keyword(std::uint8_t code) {
  switch (code) {
    case HeaderEven: return KwHeaderl;  // even pages are the left-hand ones
    case HeaderOdd: return KwHeaderr;
    case FooterEven: return KwFooterl;
    case FooterOdd: return KwFooterr;
    case FooterAll: return KwFooter;
    default: return KwHeader;
  }
}

void running_head(RtfWriter& w, std::uint8_t code) {
  if (w.in_embedded) return;  // embedded texts never nest
  if (code != HeaderAll && code != FooterAll) w.facing_pages = true;
  embedded_text_start(w, false);
  w.out.put('{');
  keyword(w, running_head_keyword(code));
  restate_character(w);
  w.paragraph_pending = true;
}

void note_call(RtfWriter& w) {
  if (w.in_embedded) return;
  start_paragraph_if_pending(w);
  embedded_text_start(w, true);
  w.note_ps = ParaState{};
  w.note_tabs = TabTable{};
  w.note_border = 0;
  w.out.put(kNoteMark);
  w.out.put('{');
  keyword(w, KwFootnote);
  keyword(w, KwPard);
  restate_character(w);
  w.out.put(kNoteMark);
  w.paragraph_pending = false;
}

void end_of_text(RtfWriter& w) {
  if (!w.in_embedded) return;  // no embedded text to end
  close_symbol_run(w);
  for (; !w.embedded_attribute_groups.empty(); w.embedded_attribute_groups.pop_back()) w.out.put('}');
  for (; w.depth > w.embedded_depth; --w.depth) w.out.put('}');
  w.in_embedded = false;
  w.in_note = false;
  w.paragraph_pending = w.saved_pending;
  w.deferred_groups.swap(w.saved_deferred_groups);
  // The group's end brings back the formatting in force at its start; the
  // stream's own formatting is set again when the text changed it.
  if (!same_character_format(w.cs, w.saved_cs)) restate_character(w);
}

// The PNG drawn of a Macintosh picture, in the group that word processors of
// today read: "{\*\shppict{\pict\pngblip\picwN\pichN\picwgoalN\pichgoalN
// HEX}}" (size in pixels, then in twips), the picture itself after it in
// "{\nonshppict ...}" for the readers that know only that.
void png_picture(RtfWriter& w, const RenderedPicture& png) {
  static constexpr char kHex[] = "0123456789abcdef";
  const auto twips = [](double points) { return static_cast<long long>(std::llround(points * 20)); };
  w.out.put("{\\*\\shppict{\\pict\\pngblip\\picw");
  w.out.put(std::to_string(png.width_px));
  w.out.put("\\pich");
  w.out.put(std::to_string(png.height_px));
  w.out.put("\\picwgoal");
  w.out.put(std::to_string(twips(png.width_pt)));
  w.out.put("\\pichgoal");
  w.out.put(std::to_string(twips(png.height_pt)));
  w.out.put(' ');
  char pair[2];
  for (const char c : png.png) {
    const auto byte = static_cast<std::uint8_t>(c);
    pair[0] = kHex[byte >> 4];
    pair[1] = kHex[byte & 0x0F];
    w.out.put(std::string_view(pair, 2));
  }
  w.out.put("}}{\\nonshppict");
}

// item.data: height and width (32-bit big-endian each), then hex digits.
void picture(RtfWriter& w, const StreamItem& item) {
  const int kind = item.op1;
  if (kind < 1 || kind > 3) return;  // no picture type to declare: left out
  start_paragraph_if_pending(w);
  RenderedPicture png;
  const bool drawn = picture_png(item, ++w.pictures, png);
  if (drawn) png_picture(w, png);
  w.out.put('{');
  keyword(w, KwPict);
  keyword(w, KwPict + kind);
  keyword_number(w, KwPicw, picture_width(item));
  keyword_number(w, KwPich, picture_height(item));
  // The size to show it at, in twips: without it readers take the numbers
  // above as pixels of a screen of their own and show the picture tiny.
  w.out.put("\\picwgoal");
  w.out.put(std::to_string(picture_width(item) * 20));
  w.out.put("\\pichgoal");
  w.out.put(std::to_string(picture_height(item) * 20));
  w.out.put(' ');
  for (std::size_t i = 8; i < item.data.size(); ++i) {
    char c = static_cast<char>(item.data[i]);
    if (c >= 'A' && c <= 'F') c = static_cast<char>(c - 'A' + 'a');
    if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')) w.out.put(c);
  }
  w.out.put('}');
  if (drawn) w.out.put('}');  // the \nonshppict group
}

void write_code(RtfWriter& w, const StreamItem& item) {
  bool is_on = false;
  if (const Attribute* a = attribute_of(item.value, is_on)) {
    is_on ? attribute_on(w, *a) : attribute_off(w, *a);
    return;
  }
  if (paragraph_code(w, item)) return;
  switch (item.value) {
    case HardSpace:
      start_paragraph_if_pending(w);
      w.out.put("\\~");
      break;
    case Backslash:
      start_paragraph_if_pending(w);
      w.out.put("\\\\");
      break;
    case UnicodeChar: {
      // A character of another script: its code point (a signed 16-bit
      // number), and "_" for readers that know no \u.
      start_paragraph_if_pending(w);
      const int cp = item.op1 << 8 | item.op2;
      w.out.put("\\u");
      w.out.put(std::to_string(cp < 0x8000 ? cp : cp - 0x10000));
      w.out.put("\\'5F");
      break;
    }
    case PageNumber:  // the number of the page it is printed on
      start_paragraph_if_pending(w);
      keyword_space(w, KwChpgn);
      break;
    case Font:
      w.cs.font_class = static_cast<std::uint8_t>(font_digit(item.op2));
      keyword(w, KwF);
      w.out.put(static_cast<char>(w.cs.font_class));
      w.out.put(' ');
      break;
    case FontSize:
      w.cs.size = -decode_font_size(item.op2);
      font_size_keyword(w);
      w.out.put(' ');
      break;
    case TextColour:
      w.cs.colour = item.op2;
      keyword_number(w, KwCf, item.op2);
      w.out.put(' ');
      break;
    case HeaderEven:
    case HeaderOdd:
    case HeaderAll:
    case FooterEven:
    case FooterOdd:
    case FooterAll: running_head(w, item.value); break;
    case NoteCall: note_call(w); break;
    case EndOfText: end_of_text(w); break;
    case Picture: picture(w, item); break;
    default: break;  // no RTF form (SoftHyphen too: its line break is written as usual)
  }
}

void write_byte(RtfWriter& w, std::uint8_t byte) {
  if (byte == kPageBreak) {
    // Between paragraphs a page break belongs to the next one: an RTF reader
    // would give it the properties of the paragraph before.
    if (w.paragraph_pending)
      ++w.page_breaks_pending;
    else
      keyword_space(w, KwPage);
    return;
  }
  start_paragraph_if_pending(w);
  switch (byte) {
    case kTab: keyword_space(w, KwTab); break;
    case kLineBreak:
      w.out.put(" \r\n");
      w.line_length = 0;
      break;
    case kParagraphEnd: {
      // The paragraph's attribute groups end with it and open again in the
      // next one, after its properties: each paragraph is whole.
      std::vector<std::uint8_t>& groups = w.in_embedded ? w.embedded_attribute_groups : w.attribute_groups;
      for (std::uint8_t on : groups) {
        w.out.put('}');
        bool is_on = false;
        const Attribute* a = attribute_of(on, is_on);
        const bool still_on = a && (flags_of(w.cs, *a) & a->bit);
        if (still_on && std::find(w.deferred_groups.begin(), w.deferred_groups.end(), on) == w.deferred_groups.end())
          w.deferred_groups.push_back(on);
      }
      groups.clear();
      w.out.put("\r\n");
      w.line_length = 0;
      keyword_space(w, KwPar);
      w.paragraph_pending = true;
      break;
    }
    case '{':
    case '}':
      w.out.put('\\');
      w.out.put(static_cast<char>(byte));
      break;
    case 127: w.out.put('_'); break;
    default:
      w.out.put(static_cast<char>(byte));
      if (++w.line_length >= kLineWrap) {
        w.out.put("\r\n");
        w.line_length = 0;
      }
      break;
  }
}

template <typename Chars>
void write_body(RtfWriter& w, const Chars& chars) {
  w.out.put(kFontTable);
  w.out.put(kColourTable);
  w.out.put(kPageMargins);
  w.out.put(kDocumentFormat);
  w.cs.font_class = kDefaultFont;
  keyword(w, KwF);
  w.out.put(kDefaultFont);
  font_size_keyword(w);
  w.out.put(' ');
  // The stream in blocks; a run of bytes that go to the target as they
  // stand is copied in one piece, up to the end of the source line.
  BlockInput& input = w.in;
  static constexpr auto kSpecial =
      stop_bytes(kEscape, kParagraphEnd, kLineBreak, kPageBreak, kTab, '{', '}', 127);
  StreamItem item;
  for (;;) {
    static constexpr TextStops kText = text_stops(kSpecial);
    // (A Symbol character right after one in an open symbol run joins it.)
    if (!(w.symbol_run && starts_alone(input, chars)) && starts_text(input, kText, chars)) {
      close_symbol_run(w);
      start_paragraph_if_pending(w);
      const std::size_t room = w.line_length < kLineWrap ? static_cast<std::size_t>(kLineWrap - w.line_length) : 1;
      const TextRun run = copy_text(input, w.out, kText, chars, room);
      w.line_length += static_cast<int>(run.plain);
      if (w.line_length >= kLineWrap) {
        w.out.put("\r\n");
        w.line_length = 0;
      }
      continue;
    }
    const int c = input.get();
    if (c == EOF) break;
    // A symbol run holds symbol characters only: what follows must not take
    // the Symbol font, nor have its group closed by the run's brace.
    if (c != kEscape) {
      close_symbol_run(w);
      write_byte(w, static_cast<std::uint8_t>(c));
    } else if (!read_stream_code_inline(input, item)) {
      break;
    } else if (item.value == TableChar) {
      write_character(w, item.op1, item.op2);
    } else {
      close_symbol_run(w);
      write_code(w, item);
    }
  }
  w.read_failed = input.failed();
  if (w.page_breaks_pending > 0) start_paragraph_if_pending(w);
  const std::size_t open =
      static_cast<std::size_t>(w.depth) + w.attribute_groups.size() + w.embedded_attribute_groups.size();
  for (std::size_t i = 0; i < open; ++i) w.out.put('}');
}

int write_rtf(const char* stream_path, const char* target_path, bool dos) {
  begin_document_pictures();
  FilePtr in = open_file(stream_path, "rb");
  if (!in) return kHandlerCannotOpen;  // (before the target is created)
  FilePtr out = open_file(target_path, "w+b");
  if (!out) return kHandlerCannotOpen;
  set_target_kind(dos ? KindRtfDos : KindRtfWindows);
  const TranslationGroup* group = select_translation_group(dos ? 0 : 1);
  if (!group) return kHandlerCannotOpen;

  OutputBuffer buffer(out.get());
  BlockInput input(in.get());
  RtfWriter w{input, buffer, *group, dos, {}, {}, {}};
  // An empty stream is a blank document: the tables and nothing else.
  init_stream_state(input, w.cs, w.ps, &w.tabs);
  const std::string_view prefix = dos ? "{\\rtf1\\pc " : "{\\rtf1\\ansi ";
  buffer.put(prefix);
  if (dos) {
    static const CharBytes kChars = rtf_char_bytes<CharBytes>(*select_translation_group(0));
    write_body(w, kChars);
  } else {
    static const WideCharBytes kChars = rtf_char_bytes<WideCharBytes>(*select_translation_group(1));
    write_body(w, kChars);
  }
  buffer.flush();
  if (w.facing_pages) {
    const long at = static_cast<long>(prefix.size() + kFontTable.size() + kColourTable.size() + kPageMargins.size());
    if (std::fseek(out.get(), at, SEEK_SET) != 0 ||
        std::fwrite(kFacingPages.data(), 1, kFacingPages.size(), out.get()) != kFacingPages.size())
      return kHandlerCannotOpen;
  }
  if (std::fflush(out.get()) != 0 || std::ferror(out.get()) || w.read_failed) return kHandlerCannotOpen;
  return kHandlerOk;
}

}  // namespace

void open_deferred_attribute_groups(RtfWriter& w) {
  for (std::uint8_t on : w.deferred_groups) {
    bool is_on = false;
    if (const Attribute* a = attribute_of(on, is_on)) open_attribute_group(w, *a);
  }
  w.deferred_groups.clear();
}

void restate_character(RtfWriter& w) {
  keyword(w, KwPlain);
  font_size_keyword(w);
  keyword(w, KwF);
  w.out.put(static_cast<char>(w.cs.font_class));
  for (const Attribute& still : kAttributes) {
    if (!(flags_of(w.cs, still) & still.bit)) continue;
    if (still.parameter >= 0)
      keyword_number(w, still.keyword, still.parameter);
    else
      keyword(w, still.keyword);
  }
  if (w.cs.colour != 0) keyword_number(w, KwCf, w.cs.colour);
  w.out.put(' ');
}

int dest_rtf_ascii(const char* stream_path, const char* target_path) { return write_rtf(stream_path, target_path, true); }
int dest_rtf_ansi(const char* stream_path, const char* target_path) { return write_rtf(stream_path, target_path, false); }

OutputMatch output_test_rtf(std::span<const std::uint8_t> b) {
  return starts_with(b, "{\\rtf") ? OutputMatch{"RTF"} : OutputMatch{};
}

}  // namespace lettrix
