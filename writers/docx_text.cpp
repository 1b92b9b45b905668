// The text of the stream in WordprocessingML, in one pass:
//
//   <w:p><w:pPr><w:tabs>...</w:tabs><w:spacing/><w:ind/><w:jc/></w:pPr>
//     <w:r><w:rPr><w:rFonts/><w:b/>...<w:sz/></w:rPr><w:t xml:space="preserve">text</w:t><w:tab/></w:r>
//   </w:p>
//
// A paragraph's properties are those in force at its first content (or at
// its end, for an empty one): positions in twips, a stream column being a
// tenth of an inch; a hanging indent puts the lines after the first at the
// indent column, a second indent the first line that many columns to the
// right; line spacing in 240ths of a line. A run's properties are written
// when the character formatting differs from the run's: the font class as a
// real family of the shared font table, the size in half points, the
// attributes and the colour; the document's font and 10 points are the
// styles' defaults and are left out. Characters are their Unicode text in
// UTF-8, "&", "<" and ">" escaped; control bytes other than the stream's
// structure are dropped. A line break is <w:br/>, a page break
// <w:br w:type="page"/>; a soft hyphen is <w:softHyphen/>, with the line
// break that may follow it dropped (the word goes on).
//
// A note's call is a w:footnoteReference run; its text, a w:footnote
// element numbered from 1, goes to the notes buffer as it is read, its
// paragraphs starting from the plain paragraph defaults. A header's or
// footer's text becomes a whole part in a work file of its own; a later text
// of the same kind takes its place. A picture of the body is the PNG drawn
// of it (word/media/imageN.png); in a note or head it is "[picture]".
#include "writers/docx_text.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include "core/emitter.h"
#include "core/pc_fonts.h"
#include "core/stream_codes.h"
#include "core/stream_reader.h"
#include "core/unicode_tables.h"
#include "core/units.h"
#include "support/block_input.h"
#include "support/work_file.h"
#include "writers/docx_parts.h"
#include "writers/picture_png.h"
#include "writers/system_symbols.h"
#include "writers/text_run.h"
#include "writers/paragraph_codes.h"
#include "writers/unicode_chars.h"

namespace lettrix {

namespace {

// The right margin of the stream's initial state: no right indent.
constexpr int kDefaultRightMargin = 79;
constexpr int kDefaultHalfPoints = 20;
// At most this many pictures become images; the others are "[picture]".
constexpr std::size_t kMaxImages = 4096;

// The colours of the TextColour code (1 to 16), as RTF's colour table has them.
constexpr const char* kColours[17] = {nullptr,  "000000", "0000FF", "00FFFF", "00FF00", "FF00FF",
                                      "FF0000", "FFFF00", "FFFFFF", "00007F", "007F7F", "007F00",
                                      "7F007F", "7F0000", "7F7F00", "7F7F7F", "C0C0C0"};

// The character formatting of a run.
struct RunFormat {
  std::uint8_t font = kDocumentFont;  // PcFont
  int half_points = kDefaultHalfPoints;
  std::uint8_t flags1 = 0;
  std::uint8_t flags2 = 0;
  std::uint8_t colour = 0;
  bool operator==(const RunFormat&) const = default;
};

// "<w:rPr>...</w:rPr>", or nothing for the defaults.
void run_properties(std::string& text, const RunFormat& f) {
  text.clear();
  if (f == RunFormat{}) return;
  text += "<w:rPr>";
  if (f.font != kDocumentFont) {
    const std::string_view name = kPcFonts[f.font].name;
    for (const char* attribute : {"<w:rFonts w:ascii=\"", "\" w:hAnsi=\"", "\" w:cs=\""}) {
      text += attribute;
      text += name;
    }
    text += "\"/>";
  }
  if (f.flags1 & kBold) text += "<w:b/>";
  if (f.flags1 & kItalic) text += "<w:i/>";
  if (f.flags1 & kCaps) text += "<w:caps/>";
  if (f.flags2 & kSmallCaps) text += "<w:smallCaps/>";
  if (f.flags1 & kStrike) text += "<w:strike/>";
  if (f.flags2 & kOutline) text += "<w:outline/>";
  if (f.flags2 & kShadow) text += "<w:shadow/>";
  if (f.flags1 & kHidden) text += "<w:vanish/>";
  if (f.colour >= 1 && f.colour <= 16) {
    text += "<w:color w:val=\"";
    text += kColours[f.colour];
    text += "\"/>";
  }
  if (f.half_points != kDefaultHalfPoints) {
    text += "<w:sz w:val=\"";
    text += std::to_string(f.half_points);
    text += "\"/>";
  }
  if (f.flags2 & kDoubleUnderline)
    text += "<w:u w:val=\"double\"/>";
  else if (f.flags1 & kUnderline)
    text += "<w:u w:val=\"single\"/>";
  if (f.flags1 & kSuperscript)
    text += "<w:vertAlign w:val=\"superscript\"/>";
  else if (f.flags1 & kSubscript)
    text += "<w:vertAlign w:val=\"subscript\"/>";
  text += "</w:rPr>";
}

void attribute(std::string& text, std::string_view name, long long value) {
  text += ' ';
  text += name;
  text += "=\"";
  text += std::to_string(value);
  text += '"';
}

void border_side(std::string& text, std::string_view side, bool twice) {
  text += "<w:";
  text += side;
  text += twice ? " w:val=\"double\"" : " w:val=\"single\"";
  text += " w:sz=\"6\" w:space=\"1\" w:color=\"auto\"/>";
}

// "<w:pPr>...</w:pPr>", or nothing for the defaults.
void paragraph_properties(std::string& text, const ParaState& ps, const TabTable& tabs, std::uint8_t border,
                          bool note) {
  text.clear();
  text += "<w:pPr>";
  if (note) text += "<w:pStyle w:val=\"FootnoteText\"/>";
  if (border & (kBorderTop | kBorderLeft | kBorderBottom | kBorderRight)) {
    const bool twice = border & kBorderDouble;
    text += "<w:pBdr>";
    if (border & kBorderTop) border_side(text, "top", twice);
    if (border & kBorderLeft) border_side(text, "left", twice);
    if (border & kBorderBottom) border_side(text, "bottom", twice);
    if (border & kBorderRight) border_side(text, "right", twice);
    text += "</w:pBdr>";
  }
  bool any_tab = false;
  for (int column = 0; column < TabTable::kColumns; ++column) {
    const std::int32_t kind = tabs.entries[column];
    if (kind == 0) continue;
    if (!any_tab) text += "<w:tabs>";
    any_tab = true;
    text += "<w:tab w:val=\"";
    text += kind == TabCentre ? "center" : kind == TabRight ? "right" : kind == TabDecimal ? "decimal"
                                                        : kind == TabBar   ? "bar"
                                                                           : "left";
    text += '"';
    attribute(text, "w:pos", units::columns_to_twips(static_cast<long long>(ps.left_margin) + column));
    text += "/>";
  }
  if (any_tab) text += "</w:tabs>";
  if (ps.line_spacing > 0 && ps.line_spacing != units::kSingleSpacing) {
    text += "<w:spacing";
    attribute(text, "w:line", units::spacing_to_twips(ps.line_spacing));
    text += " w:lineRule=\"auto\"/>";
  }
  const long long left = static_cast<long long>(ps.left_margin) + ps.hanging_indent;
  const bool right = ps.right_margin < kDefaultRightMargin;
  if (left != 0 || right || ps.hanging_indent != 0 || ps.second_indent != 0) {
    text += "<w:ind";
    if (left != 0) attribute(text, "w:left", units::columns_to_twips(left));
    if (right)
      attribute(text, "w:right", units::columns_to_twips(static_cast<long long>(kDefaultRightMargin) - ps.right_margin));
    if (ps.hanging_indent != 0)
      attribute(text, "w:hanging", units::columns_to_twips(ps.hanging_indent));
    else if (ps.second_indent != 0)
      attribute(text, "w:firstLine", units::columns_to_twips(ps.second_indent));
    text += "/>";
  }
  if (ps.centre)
    text += "<w:jc w:val=\"center\"/>";
  else if (ps.justify)
    text += "<w:jc w:val=\"both\"/>";
  else if (ps.right)
    text += "<w:jc w:val=\"right\"/>";
  if (text.size() == 7) text.clear();  // "<w:pPr>" alone: the defaults
  else text += "</w:pPr>";
}

// The UTF-8 bytes of every repertoire position the copy loop can take, with
// the characters XML reserves escaped.
WideCharBytes xml_chars() {
  WideCharBytes chars;
  for (int table = 1; table <= WideCharBytes::kTables; ++table)
    for (int index = 0; index < 256; ++index) {
      if (system_symbol(table, index) >= 0) continue;
      const char* text = position_utf8(table, index);
      std::string escaped;
      for (const char* c = text ? text : "_"; *c; ++c) {
        if (*c == '&') escaped += "&amp;";
        else if (*c == '<') escaped += "&lt;";
        else if (*c == '>') escaped += "&gt;";
        else if (static_cast<unsigned char>(*c) >= 0x20) escaped += *c;
      }
      if (escaped.size() <= WideCharBytes::kMaxBytes)
        chars.set(table, index, reinterpret_cast<const std::uint8_t*>(escaped.data()), escaped.size());
    }
  return chars;
}

// Stop bytes: the escape, every control byte, the bytes XML reserves and
// every byte above 0x7E.
constexpr std::array<bool, 256> kStopBytes = [] {
  std::array<bool, 256> stop{};
  for (int b = 0; b < 0x20; ++b) stop[static_cast<std::size_t>(b)] = true;
  for (int b = 0x7F; b < 0x100; ++b) stop[static_cast<std::size_t>(b)] = true;
  stop[kEscape] = true;
  stop['&'] = stop['<'] = stop['>'] = true;
  return stop;
}();

enum class Where { Body, Note, Head };

// One of the texts being written, with the elements it has open.
struct Sink {
  OutputBuffer* out = nullptr;
  bool in_paragraph = false;  // <w:p> and its properties written
  bool in_run = false;        // <w:r> and its properties written
  bool in_text = false;       // <w:t> written
  bool note_mark = false;     // a note's mark still to come, before its first content
  int paragraphs = 0;
  RunFormat run{};
};

class Pass {
 public:
  Pass(std::FILE* in, OutputBuffer& body, OutputBuffer& notes, DocxText& result)
      : input_(in), notes_out_(notes), result_(result) {
    body_.out = &body;
  }

  bool run() {
    static constexpr TextStops kStops = text_stops(kStopBytes);
    static const WideCharBytes kChars = xml_chars();
    init_stream_state(input_, cs_, ps_, &tabs_);
    StreamItem item;
    for (;;) {
      if (starts_text(input_, kStops, kChars)) {
        open_text();
        copy_text(input_, *sink().out, kStops, kChars);
        continue;
      }
      const int c = input_.get();
      if (c == EOF) break;
      if (c == kEscape) {
        if (!read_stream_code_inline(input_, item)) break;
        code(item);
      } else {
        byte(c);
      }
    }
    if (where_ != Where::Body) end_of_text();
    if (body_.in_paragraph || page_breaks_ > 0 || body_.paragraphs == 0) end_paragraph();
    result_.read_failed = input_.failed();
    return ok_;
  }

 private:
  Sink& sink() { return where_ == Where::Body ? body_ : other_; }
  OutputBuffer& out() { return *sink().out; }

  void byte(int c) {
    switch (c) {
      case kParagraphEnd: end_paragraph(); break;
      case kTab: open_run(); out().put("<w:tab/>"); break;
      case kLineBreak: open_run(); out().put("<w:br/>"); break;
      case kPageBreak:
        // Between paragraphs it starts the next one; only the body has pages.
        if (where_ != Where::Body) break;
        if (!body_.in_paragraph) ++page_breaks_;
        else {
          open_run();
          out().put("<w:br w:type=\"page\"/>");
        }
        break;
      case '&': put_text("&amp;"); break;
      case '<': put_text("&lt;"); break;
      case '>': put_text("&gt;"); break;
      default:
        if (c >= 0x7F) put_text("_");  // no reader writes these
        break;  // other control bytes have no place in XML
    }
  }

  void code(const StreamItem& item) {
    if (apply_paragraph_code(ps_, tabs_, border_, item)) {
      if (where_ == Where::Note) apply_paragraph_code(note_ps_, note_tabs_, note_border_, item);
      para_valid_ = false;
      return;
    }
    switch (item.value) {
      case TableChar: table_char(item.op1, item.op2); break;
      case UnicodeChar: {
        char buf[4];
        put_text(unicode_char_text(item.op1, item.op2, buf));
        break;
      }
      case HardSpace: put_text("\xC2\xA0"); break;
      case Backslash: put_text("\\"); break;
      case SoftHyphen: {
        open_run();
        out().put("<w:softHyphen/>");
        const int next = input_.get();
        if (next != EOF && next != kLineBreak) input_.unget();
        break;
      }
      case BoldOn: cs_.flags1 |= kBold; break;
      case BoldOff: cs_.flags1 &= static_cast<std::uint8_t>(~kBold); break;
      case ItalicOn: cs_.flags1 |= kItalic; break;
      case ItalicOff: cs_.flags1 &= static_cast<std::uint8_t>(~kItalic); break;
      case UnderlineOn: cs_.flags1 |= kUnderline; break;
      case UnderlineOff: cs_.flags1 &= static_cast<std::uint8_t>(~kUnderline); break;
      case SuperscriptOn: cs_.flags1 |= kSuperscript; break;
      case SuperscriptOff: cs_.flags1 &= static_cast<std::uint8_t>(~kSuperscript); break;
      case SubscriptOn: cs_.flags1 |= kSubscript; break;
      case SubscriptOff: cs_.flags1 &= static_cast<std::uint8_t>(~kSubscript); break;
      case StrikeOn: cs_.flags1 |= kStrike; break;
      case StrikeOff: cs_.flags1 &= static_cast<std::uint8_t>(~kStrike); break;
      case CapsOn: cs_.flags1 |= kCaps; break;
      case CapsOff: cs_.flags1 &= static_cast<std::uint8_t>(~kCaps); break;
      case HiddenOn: cs_.flags1 |= kHidden; break;
      case HiddenOff: cs_.flags1 &= static_cast<std::uint8_t>(~kHidden); break;
      case SmallCapsOn: cs_.flags2 |= kSmallCaps; break;
      case SmallCapsOff: cs_.flags2 &= static_cast<std::uint8_t>(~kSmallCaps); break;
      case DoubleUnderlineOn: cs_.flags2 |= kDoubleUnderline; break;
      case DoubleUnderlineOff: cs_.flags2 &= static_cast<std::uint8_t>(~kDoubleUnderline); break;
      case OutlineOn: cs_.flags2 |= kOutline; break;
      case OutlineOff: cs_.flags2 &= static_cast<std::uint8_t>(~kOutline); break;
      case ShadowOn: cs_.flags2 |= kShadow; break;
      case ShadowOff: cs_.flags2 &= static_cast<std::uint8_t>(~kShadow); break;
      case Font: cs_.font_class = item.op2; break;
      case FontSize: cs_.size = -decode_font_size(item.op2); break;
      case TextColour: cs_.colour = item.op2; break;
      case PageNumber:
        close_run();
        open_paragraph();
        out().put("<w:fldSimple w:instr=\" PAGE \">");
        open_text();
        out().put("1");
        close_run();
        out().put("</w:fldSimple>");
        break;
      case HeaderEven:
      case HeaderOdd:
      case HeaderAll:
      case FooterEven:
      case FooterOdd:
      case FooterAll: running_head(item.value - HeaderEven); break;
      case NoteCall: note_call(); break;
      case EndOfText: end_of_text(); break;
      case Picture: picture(item); break;
      default: break;  // no form in WordprocessingML
    }
  }

  void table_char(int table, int index) {
    char buf[4];
    if (const SystemSymbolForms* symbol = system_symbol_forms(table, index)) {
      put_text(symbol->unicode ? utf8_of(symbol->unicode, buf) : symbol->code_page_1252);
      return;
    }
    if (table < 1 || table > 14) return;
    // Positions whose text the copy loop cannot take (longer than its entries).
    std::string escaped;
    const char* text = position_utf8(table, index);
    for (const char* c = text ? text : "_"; *c; ++c) {
      if (*c == '&') escaped += "&amp;";
      else if (*c == '<') escaped += "&lt;";
      else if (*c == '>') escaped += "&gt;";
      else if (static_cast<unsigned char>(*c) >= 0x20) escaped += *c;
    }
    put_text(escaped);
  }

  RunFormat current_format() const {
    RunFormat f;
    f.font = class_fonts(cs_.font_class).rtf;
    const int points = -static_cast<int>(cs_.size);
    f.half_points = static_cast<int>(units::points_to_half_points(points < 1 ? 1 : points > 1638 ? 1638 : points));
    f.flags1 = cs_.flags1;
    f.flags2 = cs_.flags2;
    f.colour = cs_.colour;
    return f;
  }

  void open_paragraph() {
    Sink& s = sink();
    if (s.in_paragraph) return;
    s.in_paragraph = true;
    ++s.paragraphs;
    OutputBuffer& o = *s.out;
    o.put("<w:p>");
    const bool note = where_ == Where::Note;
    if (!para_valid_ || para_note_ != note) {
      paragraph_properties(para_text_, note ? note_ps_ : ps_, note ? note_tabs_ : tabs_,
                           note ? note_border_ : border_, note);
      para_valid_ = true;
      para_note_ = note;
    }
    o.put(para_text_);
    if (s.note_mark) {
      s.note_mark = false;
      o.put("<w:r><w:rPr><w:rStyle w:val=\"FootnoteReference\"/></w:rPr><w:footnoteRef/></w:r>");
    }
    if (where_ == Where::Body)
      for (; page_breaks_ > 0; --page_breaks_) o.put("<w:r><w:br w:type=\"page\"/></w:r>");
  }

  // A run in the current formatting, open for elements.
  void open_run() {
    open_paragraph();
    Sink& s = sink();
    const RunFormat f = current_format();
    if (s.in_run && !(s.run == f)) close_run();
    if (s.in_text) {
      s.out->put("</w:t>");
      s.in_text = false;
    }
    if (s.in_run) return;
    if (!(f == run_format_)) {
      run_properties(run_text_, f);
      run_format_ = f;
    }
    s.out->put("<w:r>");
    s.out->put(run_text_);
    s.run = f;
    s.in_run = true;
  }

  // A run in the current formatting, open for text.
  void open_text() {
    Sink& s = sink();
    if (s.in_text && s.run == current_format()) return;
    open_run();
    s.out->put("<w:t xml:space=\"preserve\">");
    s.in_text = true;
  }

  void put_text(std::string_view text) {
    open_text();
    out().put(text);
  }

  // A Macintosh picture in the body: the PNG drawn of it, in a run of its
  // own at its size in points (12,700 EMU each); elsewhere, and for a
  // picture that cannot be drawn, "[picture]".
  void picture(const StreamItem& item) {
    RenderedPicture png;
    if (where_ != Where::Body || result_.images.size() >= kMaxImages || !picture_png(item, ++pictures_, png)) {
      put_text("[picture]");
      return;
    }
    if (!result_.media && !(result_.media = open_work_file())) {
      ok_ = false;
      return;
    }
    std::FILE* media = result_.media.get();
    const long start = std::ftell(media);
    if (start < 0 || std::fwrite(png.png.data(), 1, png.png.size(), media) != png.png.size()) {
      ok_ = false;
      return;
    }
    result_.images.push_back({static_cast<std::uint64_t>(start), png.png.size()});
    const std::string n = std::to_string(result_.images.size());
    const std::string cx = std::to_string(std::llround(png.width_pt * 12700));
    const std::string cy = std::to_string(std::llround(png.height_pt * 12700));
    close_run();
    open_paragraph();
    out().put(
        "<w:r><w:drawing><wp:inline xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\" "
        "distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\"><wp:extent cx=\"" + cx + "\" cy=\"" + cy +
        "\"/><wp:docPr id=\"" + n + "\" name=\"Picture " + n +
        "\"/><a:graphic xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\"><a:graphicData "
        "uri=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"><pic:pic "
        "xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"><pic:nvPicPr><pic:cNvPr id=\"" + n +
        "\" name=\"Picture " + n + "\"/><pic:cNvPicPr/></pic:nvPicPr><pic:blipFill><a:blip r:embed=\"rIdImage" + n +
        "\"/><a:stretch><a:fillRect/></a:stretch></pic:blipFill><pic:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"" +
        cx + "\" cy=\"" + cy +
        "\"/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></pic:spPr></pic:pic></a:graphicData>"
        "</a:graphic></wp:inline></w:drawing></w:r>");
  }

  void close_run() {
    Sink& s = sink();
    if (s.in_text) s.out->put("</w:t>");
    if (s.in_run) s.out->put("</w:r>");
    s.in_text = s.in_run = false;
  }

  void end_paragraph() {
    open_paragraph();
    close_run();
    out().put("</w:p>");
    sink().in_paragraph = false;
  }

  // A running head's text starts: its part in a new work file.
  void running_head(int kind) {
    if (where_ != Where::Body || kind < 0 || kind >= kDocxHeadKinds) return;  // texts never nest
    head_file_ = open_work_file();
    if (!head_file_) {
      ok_ = false;
      return;
    }
    head_out_ = std::make_unique<OutputBuffer>(head_file_.get());
    head_kind_ = kind;
    where_ = Where::Head;
    other_ = Sink{head_out_.get()};
    const bool header = kind < 3;
    head_out_->put(kXmlDeclaration);
    head_out_->put(header ? "<w:hdr" : "<w:ftr");
    head_out_->put(kWordNamespaces);
    head_out_->put(">");
  }

  void note_call() {
    if (where_ != Where::Body) return;  // a note only in the body's text
    const int number = ++result_.notes;
    close_run();
    open_paragraph();
    OutputBuffer& o = out();
    o.put("<w:r><w:rPr><w:rStyle w:val=\"FootnoteReference\"/></w:rPr><w:footnoteReference w:id=\"");
    o.put_number(number);
    o.put("\"/></w:r>");
    where_ = Where::Note;
    other_ = Sink{&notes_out_};
    other_.note_mark = true;
    note_ps_ = ParaState{};
    note_tabs_ = TabTable{};
    note_border_ = 0;
    para_valid_ = false;
    notes_out_.put("<w:footnote w:id=\"");
    notes_out_.put_number(number);
    notes_out_.put("\">");
  }

  void end_of_text() {
    if (where_ == Where::Body) return;  // no text to end
    // A part's text ends with a paragraph: the open one, or an empty one.
    if (other_.in_paragraph || other_.paragraphs == 0 || other_.note_mark) end_paragraph();
    if (where_ == Where::Note) {
      notes_out_.put("</w:footnote>");
    } else {
      head_out_->put(head_kind_ < 3 ? "</w:hdr>" : "</w:ftr>");
      head_out_->flush();
      head_out_.reset();
      if (std::fflush(head_file_.get()) != 0 || std::ferror(head_file_.get())) ok_ = false;
      result_.heads[static_cast<std::size_t>(head_kind_)] = std::move(head_file_);
    }
    where_ = Where::Body;
  }

  BlockInput input_;
  OutputBuffer& notes_out_;
  DocxText& result_;
  CharState cs_;
  ParaState ps_;
  TabTable tabs_;
  std::uint8_t border_ = 0;
  // A note's paragraphs start from the plain defaults: only the paragraph
  // codes inside it shape them (they still change the stream's state).
  ParaState note_ps_;
  TabTable note_tabs_;
  std::uint8_t note_border_ = 0;
  Where where_ = Where::Body;
  Sink body_;
  Sink other_;  // the note or head being written
  int page_breaks_ = 0;  // met between the body's paragraphs
  int pictures_ = 0;     // pictures met, counted for the notes of -v
  FilePtr head_file_;
  std::unique_ptr<OutputBuffer> head_out_;
  int head_kind_ = 0;
  bool ok_ = true;
  // The properties last written, kept from paragraph to paragraph and run to run.
  std::string para_text_;
  bool para_valid_ = false;  // para_text_ holds the properties in force
  bool para_note_ = false;   // (of a note's paragraph)
  RunFormat run_format_{};
  std::string run_text_;
};

}  // namespace

bool write_docx_text(std::FILE* in, OutputBuffer& body, OutputBuffer& notes, DocxText& text) {
  return Pass(in, body, notes, text).run();
}

}  // namespace lettrix
