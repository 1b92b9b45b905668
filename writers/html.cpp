// HTML from the intermediate stream: one HTML5 file in UTF-8,
//
//   <!DOCTYPE html>
//   <html>
//   <head>
//   <meta charset="utf-8">
//   <meta name="generator" content="Lettrix">
//   <title>Document</title>
//   <style>
//   p{margin:0;line-height:100%;white-space:pre-wrap;tab-size:36pt}  (and the other fixed rules)
//   .p1{text-align:center}                          (a class per paragraph format)
//   .c1{font-family:'Times New Roman',serif;font-size:10pt}  (per character format)
//   </style>
//   </head>
//   <body>
//   <header><div title="header">the headers' paragraphs</div></header>
//   <p class="p1"><span class="c1">text<sup><a href="#fn1" id="ref1">1</a></sup></span></p>
//   <section class="footnotes"><ol><li id="fn1"><p ...>note <a href="#ref1">&#8617;</a></p></li></ol></section>
//   <footer><div title="footer">the footers' paragraphs</div></footer>
//   </body>
//   </html>
//
//   paragraph        <p> with the class of its format (alignment, left and
//                    right indents, first-line indent, line spacing, tab
//                    interval, a page break before it), taken from the codes in
//                    force at its first content; an empty paragraph holds <br>
//   text             in a <span> with the class of its character format
//                    (font, size, attributes, colour); a new span where the
//                    format changes; & < > " ' as &amp; &lt; &gt; &quot; &#39;;
//                    every other character its Unicode character in UTF-8
//   spaces and tabs  kept (in the span before them when that shows them
//                    alike, at a paragraph's start outside any span):
//                    paragraphs are white-space:pre-wrap, and a tab is
//                    the tab character, which a browser advances to the next
//                    multiple of the paragraph's tab-size: the interval of its
//                    first tab stop (36 points where none is set). Tab stops
//                    are approximated so: evenly spaced, all aligned left
//   line break       <br>; a soft hyphen is dropped with the line break after it
//   page break       the next paragraph's class has break-before:page (and
//                    page-break-before:always for older readers); a page
//                    break inside a paragraph ends it there
//   headers, footers each distinct text once, in <header> at the start of the
//                    body and <footer> at its end, each in a <div title="header">
//                    or "footer", which LibreOffice imports as the page's header
//                    or footer
//   notes            a numbered link at the call, to the note in the list at
//                    the end, which links back
//   pictures         the PNG drawn of a Macintosh picture, in an <img> whose
//                    source is a data URI, sized in points; a picture that
//                    cannot be drawn, <span class="picture">[picture]</span>
//
// The classes go in the head, before the body, so the body, the heads and the
// notes are written to work files while the classes are collected (a bounded
// table, writers/html_styles.h), and the file is put together at the end:
// memory stays the same for any size of document.
#include "writers/html.h"

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "core/driver_state.h"
#include "core/handler.h"
#include "core/pc_fonts.h"
#include "core/stream_codes.h"
#include "core/stream_reader.h"
#include "core/unicode_tables.h"
#include "core/units.h"
#include "support/block_input.h"
#include "support/file_handle.h"
#include "support/output_buffer.h"
#include "support/work_file.h"
#include "writers/html_styles.h"
#include "writers/picture_png.h"
#include "writers/system_symbols.h"
#include "writers/text_run.h"
#include "writers/paragraph_codes.h"
#include "writers/unicode_chars.h"

namespace lettrix {

namespace {

constexpr std::string_view kPreamble =
    "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<meta name=\"generator\" content=\"Lettrix\">\n";
constexpr std::string_view kFixedStyle =
    "<title>Document</title>\n<style>\n"
    "p{margin:0;line-height:100%;white-space:pre-wrap;tab-size:36pt}\n"
    "header{margin-bottom:12pt}\n"
    "footer,.footnotes{margin-top:12pt;border-top:1px solid #7F7F7F}\n"
    ".picture{color:#7F7F7F}\n";

// The right margin of the stream's initial state: no right indent.
constexpr int kDefaultRightMargin = 79;
// At most this many headers and footers are kept (the others are dropped).
constexpr std::size_t kMaxHeads = 1024;

// What HTML writes for an ASCII character: itself, or its reference.
std::string_view escaped(char c) {
  switch (c) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '"': return "&quot;";
    case '\'': return "&#39;";
    default: return {};
  }
}

bool needs_escape(std::string_view text) {
  for (const char c : text)
    if (!escaped(c).empty()) return true;
  return false;
}

// Stop bytes of the copy loop: the escape, control bytes but the tab, every
// byte above 0x7E and the characters HTML escapes.
constexpr std::array<bool, 256> kStopBytes = [] {
  std::array<bool, 256> stop{};
  for (int b = 0; b < 0x20; ++b) stop[static_cast<std::size_t>(b)] = b != kTab;
  for (int b = 0x7F; b < 0x100; ++b) stop[static_cast<std::size_t>(b)] = true;
  for (const char c : std::string_view("&<>\"'")) stop[static_cast<unsigned char>(c)] = true;
  stop[kEscape] = true;
  return stop;
}();

// The UTF-8 of every repertoire position the copy loop can take ("_" where
// the repertoire defines none); the system font's symbols and any text HTML
// would have to escape are left to the pass.
WideCharBytes utf8_chars() {
  WideCharBytes chars;
  for (int table = 1; table <= WideCharBytes::kTables; ++table)
    for (int index = 0; index < 256; ++index) {
      if (system_symbol(table, index) >= 0) continue;
      const char* text = position_utf8(table, index);
      if (!text) text = "_";
      const std::size_t n = std::strlen(text);
      if (n <= WideCharBytes::kMaxBytes && !needs_escape(text))
        chars.set(table, index, reinterpret_cast<const std::uint8_t*>(text), n);
    }
  return chars;
}

// One header or footer in the heads' work file: where its HTML lies, and a
// digest of it by which the same text met again is written once.
struct HeadText {
  bool footer = false;
  bool visible = false;  // whether it shows any character
  long start = 0;
  long length = 0;
  std::uint64_t digest = 0xCBF29CE484222325ULL;  // FNV-1a

  void add(std::string_view s) {
    length += static_cast<long>(s.size());
    for (const char c : s) digest = (digest ^ static_cast<std::uint8_t>(c)) * 0x100000001B3ULL;
  }
};

enum class Part { Body, Head, Note };

// What is open in the HTML of one part (the body, or the header, footer or
// note being read).
struct Open {
  bool paragraph = false;
  bool span = false;
  HtmlCharFormat span_format{};
};

struct Sinks {
  OutputBuffer& body;
  OutputBuffer& notes;
  OutputBuffer& heads;
};

class Pass {
 public:
  Pass(std::FILE* in, Sinks sinks, HtmlClasses& classes) : input_(in), sinks_(sinks), classes_(classes) {}

  const std::vector<HeadText>& heads() const { return heads_; }
  int notes() const { return notes_; }

  bool run() {
    static constexpr TextStops kStops = text_stops(kStopBytes);
    static const WideCharBytes kChars = utf8_chars();
    CharState cs;
    init_stream_state(input_, cs, ps_, &tabs_);
    StreamItem item;
    for (;;) {
      // Text in the format of the open span goes through the copy loop.
      if (settled_ && copy_run(kStops, kChars)) continue;
      const int c = input_.get();
      if (c == EOF) break;
      if (c == kEscape) {
        if (!read_stream_code_inline(input_, item)) break;
        code(item);
      } else if (c == kParagraphEnd) {
        end_paragraph();
      } else if (c == kLineBreak) {
        before_visible();
        put("<br>");
      } else if (c == kPageBreak) {
        page_break();
      } else if (c == ' ' || c == kTab) {
        space(static_cast<char>(c));
      } else if (c >= 0x20 && c < 0x7F) {
        character(static_cast<char>(c));
      } else if (c >= 0x7F) {
        character('_');
      }
    }
    if (part_ != Part::Body) end_of_text();
    close_paragraph();
    return !input_.failed();
  }

 private:
  OutputBuffer* buffer() const {
    switch (part_) {
      case Part::Body: return &sinks_.body;
      case Part::Note: return &sinks_.notes;
      case Part::Head: return head_ ? &sinks_.heads : nullptr;
    }
    return nullptr;
  }
  Open& open() { return part_ == Part::Body ? body_ : embedded_; }

  void put(std::string_view s) {
    if (OutputBuffer* out = buffer()) {
      out->put(s);
      if (part_ == Part::Head) heads_.back().add(s);
    }
  }

  // A run of text copied as it stands; false when the next item is none.
  bool copy_run(const TextStops& stops, const WideCharBytes& chars) {
    OutputBuffer* out = buffer();
    if (out && part_ != Part::Head) return copy_text(input_, *out, stops, chars).taken > 0;
    std::uint8_t block[4096];
    const TextRun run = copy_text(input_, block, sizeof block, stops, chars);
    put(std::string_view(reinterpret_cast<const char*>(block), run.written));
    return run.taken > 0;
  }

  HtmlParaFormat paragraph_format() const {
    const ParaState& ps = part_ == Part::Note ? note_ps_ : ps_;
    const TabTable& tabs = part_ == Part::Note ? note_tabs_ : tabs_;
    HtmlParaFormat f;
    f.align = ps.centre ? HtmlAlign::Centre : ps.justify ? HtmlAlign::Justify : ps.right ? HtmlAlign::Right : HtmlAlign::Left;
    f.page_break_before = part_ == Part::Body && page_break_pending_;
    // A hanging indent: the lines after the first align at the indent column.
    f.margin_left = static_cast<std::int16_t>(ps.left_margin + ps.hanging_indent);
    f.text_indent = static_cast<std::int16_t>(ps.hanging_indent != 0 ? -ps.hanging_indent : ps.second_indent);
    if (ps.right_margin < kDefaultRightMargin) f.margin_right = static_cast<std::int16_t>(kDefaultRightMargin - ps.right_margin);
    if (ps.line_spacing > 0 && ps.line_spacing != units::kSingleSpacing)
      f.line_spacing = static_cast<std::int16_t>(ps.line_spacing);
    for (int column = 1; column < TabTable::kColumns; ++column) {
      const std::int32_t kind = tabs.entries[column];
      if (kind >= TabLeft && kind <= TabDecimal) {
        f.tab_size = static_cast<std::int16_t>(column);
        break;
      }
    }
    return f;
  }

  void open_paragraph() {
    put("<p");
    put(classes_.attribute(paragraph_format()));
    put(">");
    if (part_ == Part::Body) page_break_pending_ = false;
    open().paragraph = true;
    split_ = false;
  }

  void close_span() {
    Open& o = open();
    if (!o.span) return;
    put("</span>");
    o.span = false;
    settled_ = false;
  }

  void close_paragraph() {
    if (!open().paragraph) return;
    close_span();
    put("</p>\n");
    open().paragraph = false;
    settled_ = false;
  }

  // Before anything shown: the paragraph opens, and a span in the format in
  // force.
  void before_visible() {
    Open& o = open();
    if (!o.paragraph) open_paragraph();
    if (!o.span || !(o.span_format == wanted_)) {
      close_span();
      put("<span");
      put(classes_.attribute(wanted_));
      put(">");
      o.span = true;
      o.span_format = wanted_;
    }
    if (part_ == Part::Head && head_) heads_.back().visible = true;
    settled_ = true;
  }

  void text(std::string_view s) {
    before_visible();
    put(s);
  }

  void character(char c) {
    before_visible();
    const std::string_view e = escaped(c);
    put(e.empty() ? std::string_view(&c, 1) : e);
  }

  // Spaces and tabs go on in the span open when it shows them as the format
  // in force would (bold or italic make no difference to a space); before
  // any span of the paragraph they stand in the paragraph itself, unless a
  // line under or through them shows. A span of spaces alone, which HTML
  // tools drop as empty, is left for spaces between two differently
  // underlined or struck words.
  void space(char c) {
    const Open& o = open();
    if (o.span ? !same_spaces(o.span_format, wanted_) : shows_lines(wanted_))
      before_visible();
    else if (!o.paragraph)
      open_paragraph();
    put(std::string_view(&c, 1));
  }
  static bool shows_lines(const HtmlCharFormat& f) {
    return (f.flags1 & (kUnderline | kStrike)) || (f.flags2 & kDoubleUnderline);
  }
  static bool same_spaces(const HtmlCharFormat& a, const HtmlCharFormat& b) {
    constexpr std::uint8_t kSeen1 = kUnderline | kStrike | kHidden;
    return a.font == b.font && a.points == b.points && a.colour == b.colour && (a.flags1 & kSeen1) == (b.flags1 & kSeen1) &&
           (a.flags2 & kDoubleUnderline) == (b.flags2 & kDoubleUnderline);
  }

  void end_paragraph() {
    if (!open().paragraph) {
      if (split_ && part_ == Part::Body) {  // the paragraph a page break ended ends here
        split_ = false;
        return;
      }
      open_paragraph();
      put("<br>");
    }
    close_paragraph();
  }

  void page_break() {
    if (part_ != Part::Body) return;
    page_break_pending_ = true;
    if (body_.paragraph) {
      close_paragraph();
      split_ = true;
    }
  }

  void begin_head(bool footer) {
    if (part_ != Part::Body) return;  // embedded texts never nest
    saved_ = wanted_;
    part_ = Part::Head;
    embedded_ = Open{};
    settled_ = false;
    head_ = heads_.size() < kMaxHeads;
    if (head_) {
      HeadText h;
      h.footer = footer;
      h.start = heads_.empty() ? 0 : heads_.back().start + heads_.back().length;
      heads_.push_back(h);
    }
  }

  void note_call() {
    if (part_ != Part::Body) return;
    const std::string n = std::to_string(++notes_);
    text("<sup><a href=\"#fn" + n + "\" id=\"ref" + n + "\">" + n + "</a></sup>");
    saved_ = wanted_;
    part_ = Part::Note;
    embedded_ = Open{};
    settled_ = false;
    note_ps_ = ParaState{};
    note_tabs_ = TabTable{};
    put("<li id=\"fn" + n + "\">");
  }

  void end_of_text() {
    if (part_ == Part::Body) return;
    if (part_ == Part::Note) {
      const std::string back = "<a href=\"#ref" + std::to_string(notes_) + "\">&#8617;</a>";
      if (embedded_.paragraph) {
        close_span();
        put(" " + back);
        close_paragraph();
      } else {
        put(back);
      }
      put("</li>\n");
    } else {
      close_paragraph();
    }
    part_ = Part::Body;
    wanted_ = saved_;
    settled_ = false;
  }

  void attribute(std::uint8_t& flags, std::uint8_t bit, bool on) {
    flags = static_cast<std::uint8_t>(on ? flags | bit : flags & ~bit);
    settled_ = false;
  }

  void code(const StreamItem& item) {
    switch (item.value) {
      case TableChar: {
        char buf[4];
        for (const char c : table_char_text(item.op1, item.op2, buf)) character(c);
        break;
      }
      case UnicodeChar: {
        char buf[4];
        for (const char c : unicode_char_text(item.op1, item.op2, buf)) character(c);
        break;
      }
      case HardSpace: text("\xC2\xA0"); break;
      case Backslash: character('\\'); break;
      case SoftHyphen: {
        // A line break right after it belongs to it: the word continues.
        const int next = input_.get();
        if (next != EOF && next != kLineBreak) input_.unget();
        break;
      }
      case BoldOn: attribute(wanted_.flags1, kBold, true); break;
      case BoldOff: attribute(wanted_.flags1, kBold, false); break;
      case ItalicOn: attribute(wanted_.flags1, kItalic, true); break;
      case ItalicOff: attribute(wanted_.flags1, kItalic, false); break;
      case UnderlineOn: attribute(wanted_.flags1, kUnderline, true); break;
      case UnderlineOff: attribute(wanted_.flags1, kUnderline, false); break;
      case StrikeOn: attribute(wanted_.flags1, kStrike, true); break;
      case StrikeOff: attribute(wanted_.flags1, kStrike, false); break;
      case SuperscriptOn: attribute(wanted_.flags1, kSuperscript, true); break;
      case SuperscriptOff: attribute(wanted_.flags1, kSuperscript, false); break;
      case SubscriptOn: attribute(wanted_.flags1, kSubscript, true); break;
      case SubscriptOff: attribute(wanted_.flags1, kSubscript, false); break;
      case CapsOn: attribute(wanted_.flags1, kCaps, true); break;
      case CapsOff: attribute(wanted_.flags1, kCaps, false); break;
      case HiddenOn: attribute(wanted_.flags1, kHidden, true); break;
      case HiddenOff: attribute(wanted_.flags1, kHidden, false); break;
      case DoubleUnderlineOn: attribute(wanted_.flags2, kDoubleUnderline, true); break;
      case DoubleUnderlineOff: attribute(wanted_.flags2, kDoubleUnderline, false); break;
      case SmallCapsOn: attribute(wanted_.flags2, kSmallCaps, true); break;
      case SmallCapsOff: attribute(wanted_.flags2, kSmallCaps, false); break;
      case ShadowOn: attribute(wanted_.flags2, kShadow, true); break;
      case ShadowOff: attribute(wanted_.flags2, kShadow, false); break;
      case OutlineOn: attribute(wanted_.flags2, kOutline, true); break;
      case OutlineOff: attribute(wanted_.flags2, kOutline, false); break;
      case Font:
        wanted_.font = class_fonts(item.op2).rtf;
        settled_ = false;
        break;
      case FontSize:
        if (const int points = decode_font_size(item.op2); points > 0) wanted_.points = static_cast<std::uint8_t>(points);
        settled_ = false;
        break;
      case TextColour:
        wanted_.colour = item.op2;
        settled_ = false;
        break;
      case CenterOn: case CenterOff: case JustifyOn: case JustifyOff: case RightOn: case RightOff:
      case SetTab: case ClearTab: case ClearAllTabs: case LeftMargin: case RightMargin:
      case IndentHere: case Indent2: case IndentReset: case LineSpacing:
        apply_paragraph_code(ps_, tabs_, no_border_, item);  // HTML draws no borders
        if (part_ == Part::Note) apply_paragraph_code(note_ps_, note_tabs_, no_border_, item);
        break;
      case HeaderEven:
      case HeaderOdd:
      case HeaderAll: begin_head(false); break;
      case FooterEven:
      case FooterOdd:
      case FooterAll: begin_head(true); break;
      case NoteCall: note_call(); break;
      case EndOfText: end_of_text(); break;
      case Picture: picture(item); break;
      default: break;
    }
  }

  // A Macintosh picture as the PNG drawn of it, in the page itself (a data
  // URI) at its size in points; one that cannot be drawn, a placeholder.
  void picture(const StreamItem& item) {
    RenderedPicture png;
    if (!picture_png(item, ++pictures_, png)) {
      text("<span class=\"picture\">[picture]</span>");
      return;
    }
    std::string tag = "<img class=\"picture\" alt=\"picture " + std::to_string(pictures_) + "\" style=\"width:" +
                      points_text(png.width_pt) + "pt;height:" + points_text(png.height_pt) +
                      "pt\" src=\"data:image/png;base64,";
    append_base64(tag, png.png);
    tag += "\">";
    text(tag);
  }

  BlockInput input_;
  Sinks sinks_;
  HtmlClasses& classes_;
  Part part_ = Part::Body;
  Open body_;
  Open embedded_;              // the header, footer or note being read
  HtmlCharFormat wanted_{};    // the character format in force
  HtmlCharFormat saved_{};     // the body's, while a header, footer or note is read
  ParaState ps_{};
  TabTable tabs_{};
  std::uint8_t no_border_ = 0;  // the border codes change nothing here
  ParaState note_ps_{};        // a note's paragraphs start from the defaults
  TabTable note_tabs_{};
  bool settled_ = false;       // a span in the format in force is open: text goes as it stands
  bool page_break_pending_ = false;
  bool split_ = false;         // a page break ended the paragraph; its end is still to come
  bool head_ = false;          // the header or footer being read is kept
  std::vector<HeadText> heads_;
  int notes_ = 0;
  int pictures_ = 0;
};

// Appends `length` bytes of a work file from `start` (the whole file for -1).
bool append_file(std::FILE* from, long start, long length, OutputBuffer& out) {
  if (std::fflush(from) != 0 || std::fseek(from, start, SEEK_SET) != 0) return false;
  char block[1 << 14];
  std::size_t left = length < 0 ? SIZE_MAX : static_cast<std::size_t>(length);
  while (left > 0) {
    const std::size_t n = std::fread(block, 1, left < sizeof block ? left : sizeof block, from);
    if (n == 0) break;
    out.put(std::string_view(block, n));
    left -= length < 0 ? 0 : n;
  }
  return !std::ferror(from) && (length < 0 || left == 0);
}

// The headers (or footers) that show something, each distinct text once.
bool put_heads(std::FILE* file, const std::vector<HeadText>& heads, bool footers, OutputBuffer& out) {
  std::vector<const HeadText*> written;
  for (const HeadText& h : heads) {
    if (h.footer != footers || !h.visible) continue;
    bool again = false;
    for (const HeadText* w : written) again |= w->digest == h.digest && w->length == h.length;
    if (again) continue;
    if (written.empty()) out.put(footers ? "<footer><div title=\"footer\">\n" : "<header><div title=\"header\">\n");
    written.push_back(&h);
    if (!append_file(file, h.start, h.length, out)) return false;
  }
  if (!written.empty()) out.put(footers ? "</div></footer>\n" : "</div></header>\n");
  return true;
}

}  // namespace

int dest_html(const char* stream_path, const char* target_path) {
  set_target_kind(KindNeutral);
  begin_document_pictures();
  FilePtr in = open_file(stream_path, "rb");
  if (!in) return kHandlerCannotOpen;
  FilePtr out = open_file(target_path, "w+b");
  if (!out) return kHandlerCannotOpen;
  FilePtr body = open_work_file();
  FilePtr notes = open_work_file();
  FilePtr heads = open_work_file();
  if (!body || !notes || !heads) return kHandlerCannotOpen;
  HtmlClasses classes;
  std::vector<HeadText> head_texts;
  int note_count = 0;
  bool ok = true;
  {
    OutputBuffer body_text(body.get()), note_text(notes.get()), head_text(heads.get());
    Pass pass(in.get(), Sinks{body_text, note_text, head_text}, classes);
    ok = pass.run();
    head_texts = pass.heads();
    note_count = pass.notes();
  }
  for (std::FILE* f : {body.get(), notes.get(), heads.get()}) ok = ok && !std::ferror(f);
  {
    OutputBuffer target(out.get());
    target.put(kPreamble);
    target.put(kFixedStyle);
    target.put(classes.css());
    target.put("</style>\n</head>\n<body>\n");
    ok = ok && put_heads(heads.get(), head_texts, false, target);
    ok = ok && append_file(body.get(), 0, -1, target);
    if (note_count > 0) {
      target.put("<section class=\"footnotes\">\n<ol>\n");
      ok = ok && append_file(notes.get(), 0, -1, target);
      target.put("</ol>\n</section>\n");
    }
    ok = ok && put_heads(heads.get(), head_texts, true, target);
    target.put("</body>\n</html>\n");
  }
  if (!ok || std::fflush(out.get()) != 0 || std::ferror(out.get())) return kHandlerCannotOpen;
  return kHandlerOk;
}

OutputMatch output_test_html(std::span<const std::uint8_t> head) {
  return starts_with(head, kPreamble) ? OutputMatch{"HTML"} : OutputMatch{};
}

}  // namespace lettrix
