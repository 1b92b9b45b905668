// Rich Text Format from the intermediate stream, in one pass.
//
//   {\rtf1\ansi {\fonttbl...}{\colortbl...}\f0 text ... \par ... }}}}}}}}}}}
//
// Fonts: 0 Times New Roman, 1 Symbol, 2 Arial, 3 Courier New, 4 Wingdings.
// Character attributes open a group ("{\b ") and their off code closes it and
// resets the character formatting ("}\plain\f0 "); since attributes in the
// stream need not nest, the attributes still on are written again after the
// reset. Headers, footers and notes become \header, \footer and \footnote
// groups, characters that only the Symbol font has become a "{\f1 " group.
// The writer counts the groups it opens for those (not the attribute groups)
// and closes them at their end mark and at the end of the stream, followed by
// ten more closing braces for attribute groups left open by the stream.
#include "writers/rtf.h"

#include <cstdint>
#include <string_view>

#include "core/charset.h"
#include "core/driver_state.h"
#include "core/emitter.h"
#include "core/handler.h"
#include "core/stream_codes.h"
#include "core/stream_reader.h"
#include "support/file_handle.h"
#include "support/output_buffer.h"
#include "writers/rtf_keywords.h"

namespace lettrix {

namespace {

constexpr std::string_view kFontTable =
    "{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\froman Symbol;}{\\f2\\fswiss Arial;}"
    "{\\f3\\fmodern Courier New;}{\\f4\\fnil Wingdings;}}";
constexpr std::string_view kColourTable =
    "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red0\\green255\\blue255;\\red0\\green255\\blue0;\r\n"
    "\\red255\\green0\\blue255;\\red255\\green0\\blue0;\\red255\\green255\\blue0;\\red255\\green255\\blue255;"
    "\\red0\\green0\\blue127;\\red0\\green127\\blue127;\\red0\\green127\\blue0;\\red127\\green0\\blue127;"
    "\\red127\\green0\\blue0;\\red127\\green127\\blue0;\\red127\\green127\\blue127;\r\n"
    "\\red192\\green192\\blue192;}\r\n";
constexpr std::string_view kNoteOpening = "{\\chftn {\\footnote {\\chftn }{";
constexpr std::string_view kHexDigits = "0123456789ABCDEF";

// The RTF source is wrapped after this many plain characters on one line.
constexpr int kLineWrap = 101;
// Closing braces written after the counted groups, for attribute groups the
// stream left open.
constexpr int kExtraClosingBraces = 10;

// Font number (as its digit) for a font class of the stream.
char font_digit(int font_class) {
  switch (font_class) {
    case FontSerif: return '0';
    case FontSans: return '2';
    case FontSymbol: return '1';
    case FontDingbats: return '4';
    default: return '3';
  }
}

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

struct RtfWriter {
  std::FILE* in;
  OutputBuffer& out;
  const TranslationGroup& group;
  bool dos;
  CharState cs;       // font_class holds the font digit ('0' to '4')
  ParaState ps;
  TabTable tabs;
  int depth = 1;           // counted open groups: the document, embedded texts, symbol runs
  int embedded_depth = 1;  // depth at the start of the current header, footer or note
  bool in_embedded = false;
  // Attribute groups opened inside the current embedded text: an off code
  // there may only close one of these, never a group of the text around it.
  int embedded_attribute_groups = 0;
  char saved_font = '0';  // font digit at the start of the current embedded text
  bool symbol_run = false;
  int line_length = 0;
};

void keyword(RtfWriter& w, int number) {
  w.out.put('\\');
  w.out.put(rtf_keyword(number));
}

void keyword_space(RtfWriter& w, int number) {
  keyword(w, number);
  w.out.put(' ');
}

void keyword_number(RtfWriter& w, int number, long long value) {
  keyword(w, number);
  w.out.put_number(value);
}

int points(const CharState& cs) { return -static_cast<int>(cs.size); }

std::uint8_t& flags_of(CharState& cs, const Attribute& a) { return a.in_flags2 ? cs.flags2 : cs.flags1; }

void close_symbol_run(RtfWriter& w) {
  if (!w.symbol_run) return;
  w.out.put('}');
  --w.depth;
  w.symbol_run = false;
}

void write_character(RtfWriter& w, int table, int index) {
  if (table < 1 || table > 14) return;
  std::uint16_t entry = translate_position(w.group, table, index);
  bool symbol = (entry & 0xFF00) != 0;
  if (symbol && !w.symbol_run) {
    w.out.put('{');
    keyword(w, KwF);
    w.out.put("1 ");  // font 1: Symbol
    w.symbol_run = true;
    ++w.depth;
  } else if (!symbol) {
    close_symbol_run(w);
  }
  std::uint8_t byte = entry & 0xFF;
  w.out.put("\\'");
  w.out.put(kHexDigits[byte >> 4]);
  w.out.put(kHexDigits[byte & 0x0F]);
}

// The stops in force, written after a paragraph mark; positions in twips
// with one character column as wide as the font size.
void write_tab_stops(RtfWriter& w) {
  const long long column_width = static_cast<long long>(points(w.cs)) * 20;
  for (int column = 0; column < TabTable::kColumns; ++column) {
    const std::int32_t kind = w.tabs.entries[column];
    if (kind == 0) continue;
    const long long position = column * column_width;
    if (kind == TabBar) {
      if (w.dos) keyword_number(w, KwTb, position);
      continue;
    }
    if (kind == TabCentre) keyword(w, KwTqc);
    if (kind == TabRight) keyword(w, KwTqr);
    if (kind == TabDecimal) keyword(w, KwTqdec);
    keyword_number(w, KwTx, position);
  }
  w.out.put(' ');
}

void attribute_on(RtfWriter& w, const Attribute& a) {
  flags_of(w.cs, a) |= a.bit;
  if (w.in_embedded) ++w.embedded_attribute_groups;
  w.out.put('{');
  if (a.parameter >= 0) {
    keyword_number(w, a.keyword, a.parameter);
    w.out.put(' ');
  } else {
    keyword_space(w, a.keyword);
  }
}

// "}" ends the attribute's group and "\plain" every character format in
// force; size, font, the attributes still on and the colour are set again.
// Inside a header, footer or note an attribute switched on outside it has no
// group of its own there: "\plain" alone ends it, and the note's group is
// left whole.
void attribute_off(RtfWriter& w, const Attribute& a) {
  flags_of(w.cs, a) &= static_cast<std::uint8_t>(~a.bit);
  if (!w.in_embedded || w.embedded_attribute_groups > 0) {
    w.out.put('}');
    if (w.in_embedded) --w.embedded_attribute_groups;
  }
  keyword(w, KwPlain);
  if (points(w.cs) != 10) keyword_number(w, KwFs, 2LL * points(w.cs));
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

void alignment(RtfWriter& w, std::int32_t& flag, int value, int number) {
  flag = value;
  w.ps.alignment_count += value ? 1 : -1;
  keyword_space(w, number);
}

void embedded_text_start(RtfWriter& w) {
  w.embedded_depth = w.depth;
  w.saved_font = static_cast<char>(w.cs.font_class);
  w.in_embedded = true;
  w.embedded_attribute_groups = 0;
}

void header_or_footer(RtfWriter& w, int number) {
  keyword_space(w, KwPar);
  embedded_text_start(w);
  ++w.depth;
  w.out.put('{');
  keyword_space(w, number);
}

void end_of_text(RtfWriter& w) {
  if (!w.in_embedded) return;  // no embedded text to end
  close_symbol_run(w);
  for (; w.embedded_attribute_groups > 0; --w.embedded_attribute_groups) w.out.put('}');
  for (; w.depth > w.embedded_depth; --w.depth) w.out.put('}');
  w.in_embedded = false;
  if (w.cs.font_class != static_cast<std::uint8_t>(w.saved_font)) {
    w.cs.font_class = static_cast<std::uint8_t>(w.saved_font);
    keyword(w, KwF);
    w.out.put(w.saved_font);
    w.out.put(' ');
  }
}

// Each side keyword is followed by the line of that side.
void border_on(RtfWriter& w, std::uint8_t sides) {
  constexpr std::uint8_t kAllSides = kBorderTop | kBorderLeft | kBorderBottom | kBorderRight;
  auto side = [&](int number) {
    keyword(w, number);
    keyword(w, (sides & kBorderDouble) ? KwBrdrdb : KwBrdrs);
    keyword_number(w, KwBrdrw, 15);
    keyword_number(w, KwBrsp, 20);
  };
  if ((sides & kAllSides) == 0) return;
  if ((sides & kAllSides) == kAllSides) {
    side(KwBox);
  } else {
    if (sides & kBorderTop) side(KwBrdrt);
    if (sides & kBorderLeft) side(KwBrdrl);
    if (sides & kBorderBottom) side(KwBrdrb);
    if (sides & kBorderRight) side(KwBrdrr);
  }
  w.out.put(' ');
}

// item.data: height and width (32-bit big-endian each), then hex digits.
void picture(RtfWriter& w, const StreamItem& item) {
  const int kind = item.op1;
  if (kind < 1 || kind > 3) return;  // no picture type to declare: left out
  w.out.put('{');
  keyword(w, KwPict);
  keyword(w, KwPict + kind);
  keyword_number(w, KwPicw, picture_width(item));
  keyword_number(w, KwPich, picture_height(item));
  w.out.put(' ');
  for (std::size_t i = 8; i < item.data.size(); ++i) {
    char c = static_cast<char>(item.data[i]);
    if (c >= 'A' && c <= 'F') c = static_cast<char>(c - 'A' + 'a');
    if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')) w.out.put(c);
  }
  w.out.put('}');
}

void write_code(RtfWriter& w, const StreamItem& item) {
  bool is_on = false;
  if (const Attribute* a = attribute_of(item.value, is_on)) {
    is_on ? attribute_on(w, *a) : attribute_off(w, *a);
    return;
  }
  switch (item.value) {
    case CenterOn: alignment(w, w.ps.centre, 1, KwQc); break;
    case CenterOff: alignment(w, w.ps.centre, 0, KwQl); break;
    case JustifyOn: alignment(w, w.ps.justify, 1, KwQj); break;
    case JustifyOff: alignment(w, w.ps.justify, 0, KwQl); break;
    case RightOn: alignment(w, w.ps.right, 1, KwQr); break;
    case RightOff: alignment(w, w.ps.right, 0, KwQl); break;
    case LeftOn: w.ps.left = 1; break;
    case HardSpace: w.out.put("\\~"); break;
    case Backslash: w.out.put("\\\\"); break;
    case SetTab:
      w.tabs.entries[item.op2] = item.op1;
      w.tabs.entries[TabTable::kSentinel] = 255;
      break;
    case ClearTab:
      w.tabs.entries[item.op2] = 0;
      w.tabs.entries[TabTable::kSentinel] = 255;
      break;
    case Font:
      w.cs.font_class = static_cast<std::uint8_t>(font_digit(item.op2));
      keyword(w, KwF);
      w.out.put(static_cast<char>(w.cs.font_class));
      w.out.put(' ');
      break;
    case FontSize:
      w.cs.size = -decode_font_size(item.op2);
      keyword_number(w, KwFs, 2LL * points(w.cs));
      w.out.put(' ');
      break;
    case TextColour:
      w.cs.colour = item.op2;
      keyword_number(w, KwCf, item.op2);
      w.out.put(' ');
      break;
    case HeaderEven:
    case HeaderOdd:
    case HeaderAll: header_or_footer(w, KwHeader); break;
    case FooterEven:
    case FooterOdd:
    case FooterAll: header_or_footer(w, KwFooter); break;
    case NoteCall:
      embedded_text_start(w);
      w.depth += 3;
      w.out.put(kNoteOpening);
      break;
    case EndOfText: end_of_text(w); break;
    case BorderOn: border_on(w, item.op1); break;
    case BorderOff: keyword_space(w, KwPard); break;
    case Picture: picture(w, item); break;
    default: break;  // no RTF form (SoftHyphen too: its line break is written as usual)
  }
}

void write_byte(RtfWriter& w, std::uint8_t byte) {
  switch (byte) {
    case kTab: keyword_space(w, KwTab); break;
    case kLineBreak:
      w.out.put(" \r\n");
      w.line_length = 0;
      break;
    case kPageBreak: break;
    case kParagraphEnd:
      w.out.put("\r\n");
      w.line_length = 0;
      keyword_space(w, KwPar);
      if (w.tabs.entries[TabTable::kSentinel] != 0) write_tab_stops(w);
      break;
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

void write_body(RtfWriter& w) {
  w.out.put(kFontTable);
  w.out.put(kColourTable);
  w.cs.font_class = '0';
  keyword(w, KwF);
  w.out.put("0 ");
  StreamItem item;
  while (read_stream_item(w.in, item)) {
    // A symbol run holds symbol characters only: what follows must not take
    // the Symbol font, nor have its group closed by the run's brace.
    if (item.kind == StreamItem::Kind::Byte) {
      close_symbol_run(w);
      write_byte(w, item.value);
    } else if (item.value == TableChar) {
      write_character(w, item.op1, item.op2);
    } else {
      close_symbol_run(w);
      write_code(w, item);
    }
  }
  for (int i = 0; i < w.depth + kExtraClosingBraces; ++i) w.out.put('}');
}

int write_rtf(const char* stream_path, const char* target_path, bool dos) {
  FilePtr in = open_file(stream_path, "rb");
  if (!in) return kHandlerCannotOpen;  // (before the target is created)
  FilePtr out = open_file(target_path, "w+b");
  if (!out) return kHandlerCannotOpen;
  set_target_kind(dos ? KindRtfDos : KindRtfWindows);
  const TranslationGroup* group = select_translation_group(dos ? 0 : 1);
  if (!group) return kHandlerCannotOpen;

  OutputBuffer buffer(out.get());
  RtfWriter w{in.get(), buffer, *group, dos, {}, {}, {}};
  // An empty stream is no document: nothing is written.
  if (init_stream_state(in.get(), w.cs, w.ps, &w.tabs) != 0) return kHandlerEmpty;
  buffer.put("{\\rtf1");
  keyword_space(w, dos ? KwPc : KwAnsi);
  write_body(w);
  buffer.flush();
  if (std::fflush(out.get()) != 0 || std::ferror(out.get()) || std::ferror(in.get())) return kHandlerCannotOpen;
  return kHandlerOk;
}

}  // namespace

int dest_rtf_ascii(const char* stream_path, const char* target_path) { return write_rtf(stream_path, target_path, true); }
int dest_rtf_ansi(const char* stream_path, const char* target_path) { return write_rtf(stream_path, target_path, false); }

}  // namespace lettrix
