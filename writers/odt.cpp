// OpenDocument Text from the intermediate stream, in one pass.
//
//   paragraph        <text:p text:style-name="P1">, its style made from the
//                    alignment, indents, line spacing, border and tab stops
//                    in force at its first content; a page break before it
//                    makes it start a page (fo:break-before)
//   characters       UTF-8 in <text:span text:style-name="T1"> where the
//                    character format is not the document's; a space after
//                    a space, or at a line's start, as <text:s/>; tabs and
//                    line breaks as <text:tab/> and <text:line-break/>
//   headers, footers the master page's style:header (odd or every page),
//                    style:header-left (even pages), style:footer and
//                    style:footer-left in styles.xml
//   notes            <text:note> at the call, numbered from 1, its
//                    paragraphs in the note's body
//   pictures         a Macintosh picture as the PNG drawn of it,
//                    Pictures/N.png; one that cannot be drawn, and the
//                    other kinds, as their bytes, Pictures/N.pct or .wmf;
//                    each shown by a draw:frame in the line
//
// The body goes to a work file as the stream is read; the package reads
// content.xml from it, after the fonts and the automatic styles the body
// used. The running heads, which are small, are kept in memory (at most
// kMaxHeadBytes each).
#include "writers/odt.h"

#include <array>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "core/driver_state.h"
#include "core/emitter.h"
#include "core/handler.h"
#include "core/pc_fonts.h"
#include "core/stream_codes.h"
#include "core/stream_reader.h"
#include "core/unicode_tables.h"
#include "support/block_input.h"
#include "support/file_handle.h"
#include "support/output_buffer.h"
#include "support/work_file.h"
#include "writers/odt_package.h"
#include "writers/odt_styles.h"
#include "writers/picture_png.h"
#include "writers/system_symbols.h"
#include "writers/text_run.h"
#include "writers/unicode_chars.h"

namespace lettrix {

namespace {

constexpr std::string_view kMimeType = "application/vnd.oasis.opendocument.text";
constexpr std::size_t kMaxHeadBytes = 1 << 20;
constexpr std::size_t kMaxPictures = 1024;
// The right margin of the stream's initial state: no right indent.
constexpr int kDefaultRightMargin = 79;

// Bytes that are never text as they stand: XML's markup characters, the
// space (a run of them needs <text:s/>), control bytes, bytes above 0x7E.
constexpr std::array<bool, 256> kStopBytes = [] {
  std::array<bool, 256> stop{};
  for (int b = 0; b < 0x21; ++b) stop[static_cast<std::size_t>(b)] = true;
  for (int b = 0x7F; b < 0x100; ++b) stop[static_cast<std::size_t>(b)] = true;
  for (const char c : std::string_view("<>&")) stop[static_cast<unsigned char>(c)] = true;
  stop[kEscape] = true;
  return stop;
}();

// The UTF-8 of every defined position that needs no escaping (the others,
// and the system font's symbols, are left to the writer's code).
WideCharBytes xml_chars() {
  WideCharBytes chars;
  for (int table = 1; table <= WideCharBytes::kTables; ++table)
    for (int index = 0; index < 256; ++index) {
      const char* text = position_utf8(table, index);
      if (!text || system_symbol(table, index) >= 0) continue;
      const std::size_t n = std::strlen(text);
      bool plain = n > 0 && n <= WideCharBytes::kMaxBytes;
      for (std::size_t i = 0; i < n; ++i) plain &= !kStopBytes[static_cast<unsigned char>(text[i])] || text[i] < 0;
      if (plain) chars.set(table, index, reinterpret_cast<const std::uint8_t*>(text), n);
    }
  return chars;
}

// A character attribute: its codes and its bit in flags1 or flags2.
struct Attribute {
  std::uint8_t on;
  std::uint8_t off;
  bool in_flags2;
  std::uint8_t bit;
};
constexpr Attribute kAttributes[] = {
    {BoldOn, BoldOff, false, kBold},
    {UnderlineOn, UnderlineOff, false, kUnderline},
    {SuperscriptOn, SuperscriptOff, false, kSuperscript},
    {SubscriptOn, SubscriptOff, false, kSubscript},
    {StrikeOn, StrikeOff, false, kStrike},
    {ItalicOn, ItalicOff, false, kItalic},
    {CapsOn, CapsOff, false, kCaps},
    {HiddenOn, HiddenOff, false, kHidden},
    {SmallCapsOn, SmallCapsOff, true, kSmallCaps},
    {DoubleUnderlineOn, DoubleUnderlineOff, true, kDoubleUnderline},
    {OutlineOn, OutlineOff, true, kOutline},
    {ShadowOn, ShadowOff, true, kShadow},
};

// A picture kept in the pictures' work file.
struct PictureEntry {
  std::uint64_t start;
  std::uint64_t length;
  const char* extension;   // ".png", ".pct", ".wmf"
  const char* media_type;  // "image/png" ...
};

// Where the writer's text goes: the body's buffer, or a running head's text.
struct Sink {
  OutputBuffer* buffer = nullptr;
  std::string* text = nullptr;
  void put(std::string_view s) const {
    if (buffer)
      buffer->put(s);
    else
      text->append(s);
  }
};

// The paragraph state of one part (the body, or a note).
struct ParagraphState {
  ParaState ps{};
  TabTable tabs{};
  std::uint8_t border = 0;
  unsigned tabs_version = 0;  // a number no other tab table has had
};

class OdtWriter {
 public:
  OdtWriter(std::FILE* in, OutputBuffer& body, std::FILE* pictures, OdtStyles& styles, OdtHeads& heads)
      : input_(in), body_(body), pictures_(pictures), styles_(styles), heads_(heads) {}

  bool run() {
    static constexpr TextStops kStops = text_stops(kStopBytes);
    static const WideCharBytes kChars = xml_chars();
    StreamItem item;
    for (;;) {
      // Text in an open paragraph, in its format, goes through the copy loop.
      if (open_ && !format_changed_) {
        const Sink out = sink();
        TextRun run;
        if (out.buffer) {
          run = copy_text(input_, *out.buffer, kStops, kChars);
          if (run.taken > 0) after_space_ = false;
          // The space between two words, as it stands.
          if (!after_space_ && input_.available() >= 2 && input_.data()[0] == ' ' && input_.data()[1] != ' ') {
            out.buffer->put(' ');
            input_.skip(1);
            after_space_ = true;
            continue;
          }
        } else {
          std::uint8_t block[4096];
          run = copy_text(input_, block, sizeof block, kStops, kChars);
          if (writable()) out.text->append(reinterpret_cast<const char*>(block), run.written);
        }
        if (run.taken > 0) {
          after_space_ = false;
          continue;
        }
      }
      const int c = input_.get();
      if (c == EOF) break;
      if (c == kEscape) {
        if (!read_stream_code_inline(input_, item)) break;
        code(item);
      } else if (c == ' ') {
        space();
      } else if (c == kParagraphEnd) {
        end_paragraph();
      } else if (c == kLineBreak) {
        markup("<text:line-break/>");
      } else if (c == kTab) {
        markup("<text:tab/>");
      } else if (c == kPageBreak) {
        page_break();
      } else if (c == '<') {
        text("&lt;");
      } else if (c == '>') {
        text("&gt;");
      } else if (c == '&') {
        text("&amp;");
      } else if (c >= 0x21 && c < 0x7F) {
        const char ch = static_cast<char>(c);
        text(std::string_view(&ch, 1));
      } else if (c >= 0x7F) {
        text("_");
      }
    }
    // The stream ends inside a head or a note: they end with it.
    if (part_ != Part::Body) end_of_text();
    close_paragraph();
    return !input_.failed() && !pictures_failed_;
  }

  const std::vector<PictureEntry>& pictures() const { return pictures_list_; }

 private:
  enum class Part { Body, Head, Note };

  Sink sink() const { return part_ == Part::Head ? Sink{nullptr, head_} : Sink{&body_, nullptr}; }
  // A head past its limit takes no more text, nor any new element.
  bool writable() const { return part_ != Part::Head || head_->size() < kMaxHeadBytes; }
  void put(std::string_view s) { sink().put(s); }

  ParagraphState& paragraph_state() { return part_ == Part::Note ? note_ : body_state_; }

  OdtCharFormat char_format() const {
    OdtCharFormat f;
    f.font = class_fonts(font_class_).rtf;
    f.points = points_;
    f.flags1 = flags1_;
    f.flags2 = flags2_;
    f.colour = colour_;
    return f;
  }

  OdtParaFormat para_format() {
    ParagraphState& state = paragraph_state();
    const ParaState& ps = state.ps;
    OdtParaFormat f;
    f.align = ps.centre ? OdtParaFormat::Center
              : ps.justify ? OdtParaFormat::Justify
              : ps.right   ? OdtParaFormat::End
                           : OdtParaFormat::Start;
    // A hanging indent: the lines after the first align at the indent column.
    f.left = ps.left_margin + ps.hanging_indent;
    f.indent = ps.hanging_indent != 0 ? -ps.hanging_indent : ps.second_indent;
    f.right = ps.right_margin < kDefaultRightMargin ? kDefaultRightMargin - ps.right_margin : 0;
    f.spacing = ps.line_spacing;
    f.border = state.border & (kBorderTop | kBorderLeft | kBorderBottom | kBorderRight | kBorderDouble);
    if (!(f.border & (kBorderTop | kBorderLeft | kBorderBottom | kBorderRight))) f.border = 0;
    // Tab stops count from the paragraph's left indent; the stream's from the
    // left margin.
    const int offset = ps.hanging_indent;
    if (tab_cache_.version != state.tabs_version || tab_cache_.offset != offset || tab_cache_.note != (part_ == Part::Note)) {
      stops_.clear();
      for (int column = 0; column < TabTable::kColumns; ++column) {
        const std::int32_t kind = state.tabs.entries[column];
        if (kind >= TabLeft && kind <= TabDecimal) stops_.push_back({column - offset, kind});
      }
      tab_cache_ = {state.tabs_version, offset, part_ == Part::Note, styles_.tab_set(stops_)};
    }
    f.tabs = tab_cache_.set;
    return f;
  }

  void open_paragraph() {
    if (open_ || !writable()) return;
    OdtParaFormat f = para_format();
    if (part_ == Part::Body && page_breaks_ > 0) {
      f.page_break = true;
      page_breaks_ = 0;
    }
    const std::uint32_t style = styles_.paragraph_style(f);
    if (style != 0) {
      put("<text:p text:style-name=\"P");
      put(std::to_string(style));
      put("\">");
    } else {
      put("<text:p>");
    }
    open_ = true;
    span_ = 0;
    format_changed_ = true;
    after_space_ = true;
  }

  // Before text: the paragraph open, in the span of the character format.
  bool ready() {
    open_paragraph();
    if (!open_ || !writable()) return false;
    if (format_changed_) {
      const std::uint32_t wanted = styles_.text_style(char_format());
      if (wanted != span_) {
        if (span_ != 0) put("</text:span>");
        if (wanted != 0) {
          put("<text:span text:style-name=\"T");
          put(std::to_string(wanted));
          put("\">");
        }
        span_ = wanted;
      }
      format_changed_ = false;
    }
    return true;
  }

  void text(std::string_view s) {
    if (!ready()) return;
    put(s);
    after_space_ = false;
  }

  // An element that counts as white space before it: a space after it is
  // written as <text:s/>.
  void markup(std::string_view s) {
    if (!ready()) return;
    put(s);
    after_space_ = true;
  }

  void space() {
    if (!ready()) return;
    if (!after_space_) {
      put(" ");
      after_space_ = true;
      return;
    }
    long long n = 1;
    while (input_.peek() == ' ') {
      input_.get();
      ++n;
    }
    if (n == 1) {
      put("<text:s/>");
    } else {
      put("<text:s text:c=\"");
      put(std::to_string(n));
      put("\"/>");
    }
  }

  void close_paragraph() {
    if (!open_) return;
    if (span_ != 0) put("</text:span>");
    put(part_ == Part::Note ? "</text:p>" : "</text:p>\n");
    span_ = 0;
    open_ = false;
  }

  void end_paragraph() {
    open_paragraph();  // an empty paragraph stays one
    close_paragraph();
  }

  // Between paragraphs a page break belongs to the next one; inside one it
  // ends it, and the rest starts the page.
  void page_break() {
    if (part_ != Part::Body) return;
    close_paragraph();
    ++page_breaks_;
  }

  void character(const StreamItem& item) {
    char buf[4];
    if (const SystemSymbolForms* symbol = system_symbol_forms(item.op1, item.op2)) {
      if (symbol->unicode) {
        text(utf8_of(symbol->unicode, buf));
      } else {
        std::string escaped;
        put_escaped(escaped, symbol->code_page_1252);
        text(escaped);
      }
    } else if (item.op1 >= 1 && item.op1 <= 14) {
      if (const char* u = position_utf8(item.op1, item.op2)) {
        std::string escaped;
        put_escaped(escaped, u);
        if (escaped == " ")
          space();
        else
          text(escaped);
      } else {
        text("_");
      }
    }
  }

  void attribute(const StreamItem& item) {
    for (const Attribute& a : kAttributes) {
      if (item.value != a.on && item.value != a.off) continue;
      std::uint8_t& flags = a.in_flags2 ? flags2_ : flags1_;
      flags = item.value == a.on ? static_cast<std::uint8_t>(flags | a.bit) : static_cast<std::uint8_t>(flags & ~a.bit);
      format_changed_ = true;
      return;
    }
  }

  // The change a paragraph code makes to one paragraph state.
  void apply(ParagraphState& s, const StreamItem& item) {
    ParaState& ps = s.ps;
    switch (item.value) {
      case CenterOn: ps.centre = 1; break;
      case CenterOff: ps.centre = 0; break;
      case JustifyOn: ps.justify = 1; break;
      case JustifyOff: ps.justify = 0; break;
      case RightOn: ps.right = 1; break;
      case RightOff: ps.right = 0; break;
      case SetTab: s.tabs.entries[item.op2] = item.op1; s.tabs_version = ++tab_tables_; break;
      case ClearTab: s.tabs.entries[item.op2] = 0; s.tabs_version = ++tab_tables_; break;
      case ClearAllTabs:
        for (int column = 0; column < TabTable::kColumns; ++column) s.tabs.entries[column] = 0;
        s.tabs_version = ++tab_tables_;
        break;
      case LeftMargin: ps.left_margin = item.op2; break;
      case RightMargin: ps.right_margin = item.op2; break;
      case IndentHere: ps.hanging_indent = item.op2; break;
      case Indent2: ps.second_indent = item.op2; break;
      case IndentReset:
        ps.hanging_indent = 0;
        ps.second_indent = 0;
        break;
      case LineSpacing: ps.line_spacing = item.op2; break;
      case BorderOn: s.border = item.op1; break;
      case BorderOff: s.border = 0; break;
      default: break;
    }
  }

  void running_head(std::uint8_t code) {
    if (part_ != Part::Body) return;  // heads and notes never nest
    OdtHeads::Part part = OdtHeads::Header;
    switch (code) {
      case HeaderEven: part = OdtHeads::HeaderLeft; break;
      case FooterEven: part = OdtHeads::FooterLeft; break;
      case FooterOdd:
      case FooterAll: part = OdtHeads::Footer; break;
      default: break;
    }
    save_body();
    part_ = Part::Head;
    head_ = &heads_.text[part];
    head_->clear();  // the last text of each kind is the one shown
    heads_.present[part] = true;
  }

  void note_call() {
    if (part_ != Part::Body) return;
    if (!ready()) return;
    if (span_ != 0) put("</text:span>");
    span_ = 0;
    const std::string number = std::to_string(++notes_);
    put("<text:note text:id=\"ftn");
    put(number);
    put("\" text:note-class=\"footnote\"><text:note-citation>");
    put(number);
    put("</text:note-citation><text:note-body>");
    save_body();
    part_ = Part::Note;
    note_ = ParagraphState{};
    note_.tabs_version = ++tab_tables_;
  }

  void save_body() {
    saved_open_ = open_;
    saved_span_ = span_;
    open_ = false;
    span_ = 0;
    format_changed_ = true;
  }

  void end_of_text() {
    if (part_ == Part::Body) return;
    if (part_ == Part::Note && !open_) open_paragraph();  // a note has a paragraph
    close_paragraph();
    if (part_ == Part::Note) put("</text:note-body></text:note>");
    part_ = Part::Body;
    head_ = nullptr;
    open_ = saved_open_;
    span_ = saved_open_ ? saved_span_ : 0;
    format_changed_ = true;
  }

  void picture(const StreamItem& item) {
    const int kind = item.op1;
    if (kind < 1 || kind > 3) return;
    if (pictures_list_.size() >= kMaxPictures) {  // the package holds no more: a stand-in, as in DOCX
      text("[picture]");
      return;
    }
    if (!ready()) return;
    const long start = std::ftell(pictures_);
    if (start < 0) {
      pictures_failed_ = true;
      return;
    }
    // Its size in points; none given: an inch square.
    double width = picture_width(item) ? picture_width(item) : 72;
    double height = picture_height(item) ? picture_height(item) : 72;
    const char* extension = kind == 1 ? ".pct" : ".wmf";
    const char* media_type = kind == 1 ? "image/x-pict" : "image/x-wmf";
    std::uint64_t length = 0;
    RenderedPicture png;
    if (picture_png(item, static_cast<int>(pictures_list_.size()) + 1, png)) {
      pictures_failed_ |= std::fwrite(png.png.data(), 1, png.png.size(), pictures_) != png.png.size();
      length = png.png.size();
      width = png.width_pt;
      height = png.height_pt;
      extension = ".png";
      media_type = "image/png";
    } else {
      length = picture_bytes_to(item);
    }
    if (pictures_failed_ || length == 0) return;
    // The frame stands in the paragraph itself, outside any span: readers
    // such as pandoc take no picture from inside a span.
    if (span_ != 0) put("</text:span>");
    span_ = 0;
    format_changed_ = true;
    pictures_list_.push_back({static_cast<std::uint64_t>(start), length, extension, media_type});
    const std::string number = std::to_string(pictures_list_.size());
    put("<draw:frame draw:name=\"Picture ");
    put(number);
    put("\" text:anchor-type=\"as-char\" svg:width=\"");
    put(points_text(width));
    put("pt\" svg:height=\"");
    put(points_text(height));
    put("pt\" draw:z-index=\"0\"><draw:image xlink:href=\"Pictures/");
    put(number);
    put(extension);
    put("\" xlink:type=\"simple\" xlink:show=\"embed\" xlink:actuate=\"onLoad\"/></draw:frame>");
    after_space_ = false;
  }

  // The picture's bytes from its hex digits (a last odd digit is dropped),
  // to the pictures' work file; returns how many.
  std::uint64_t picture_bytes_to(const StreamItem& item) {
    std::uint64_t length = 0;
    int high = -1;
    std::uint8_t block[4096];
    std::size_t n = 0;
    for (std::size_t i = 8; i < item.data.size(); ++i) {
      const char c = static_cast<char>(item.data[i]);
      int digit = -1;
      if (c >= '0' && c <= '9') digit = c - '0';
      if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
      if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
      if (digit < 0) continue;
      if (high < 0) {
        high = digit;
        continue;
      }
      block[n++] = static_cast<std::uint8_t>(high << 4 | digit);
      high = -1;
      if (n == sizeof block) {
        pictures_failed_ |= std::fwrite(block, 1, n, pictures_) != n;
        length += n;
        n = 0;
      }
    }
    pictures_failed_ |= n > 0 && std::fwrite(block, 1, n, pictures_) != n;
    return length + n;
  }

  void code(const StreamItem& item) {
    switch (item.value) {
      case TableChar: character(item); return;
      case UnicodeChar: {
        char buf[4];
        text(unicode_char_text(item.op1, item.op2, buf));
        return;
      }
      case HardSpace: text("\xC2\xA0"); return;
      case Backslash: text("\\"); return;
      case SoftHyphen: {
        // The line break a hyphenation left goes with it.
        const int next = input_.get();
        if (next != EOF && next != kLineBreak) input_.unget();
        return;
      }
      case PageNumber: text("<text:page-number text:select-page=\"current\">1</text:page-number>"); return;
      case Font:
        font_class_ = item.op2;
        format_changed_ = true;
        return;
      case FontSize:
        if (decode_font_size(item.op2) > 0) points_ = static_cast<std::uint8_t>(decode_font_size(item.op2));
        format_changed_ = true;
        return;
      case TextColour:
        colour_ = item.op2;
        format_changed_ = true;
        return;
      case HeaderEven:
      case HeaderOdd:
      case HeaderAll:
      case FooterEven:
      case FooterOdd:
      case FooterAll: running_head(item.value); return;
      case NoteCall: note_call(); return;
      case EndOfText: end_of_text(); return;
      case Picture: picture(item); return;
      default: break;
    }
    attribute(item);
    // Paragraph codes change the body's state (inside a note the note's as
    // well, whose paragraphs start from the defaults).
    apply(body_state_, item);
    if (part_ == Part::Note) apply(note_, item);
  }

  BlockInput input_;
  OutputBuffer& body_;
  std::FILE* pictures_;
  OdtStyles& styles_;
  OdtHeads& heads_;

  Part part_ = Part::Body;
  std::string* head_ = nullptr;
  ParagraphState body_state_{};
  ParagraphState note_{};
  std::uint8_t font_class_ = FontOther;
  std::uint8_t points_ = 10;
  std::uint8_t flags1_ = 0;
  std::uint8_t flags2_ = 0;
  std::uint8_t colour_ = 0;

  bool open_ = false;            // a paragraph is open
  std::uint32_t span_ = 0;       // the text style of the open span, 0 for none
  bool format_changed_ = true;   // the span may no longer be the format's
  bool after_space_ = true;      // the last thing written counts as white space
  int page_breaks_ = 0;
  int notes_ = 0;
  bool saved_open_ = false;      // the body's paragraph, while a head or note is written
  std::uint32_t saved_span_ = 0;

  unsigned tab_tables_ = 1;  // tab tables numbered so far (the body's first is 0)
  std::vector<OdtTabStop> stops_;
  struct {
    unsigned version = ~0u;
    int offset = 0;
    bool note = false;
    std::uint32_t set = 0;
  } tab_cache_;

  std::vector<PictureEntry> pictures_list_;
  bool pictures_failed_ = false;
};

std::string manifest_xml(const std::vector<PictureEntry>& pictures) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\""
      " manifest:version=\"1.2\">\n"
      " <manifest:file-entry manifest:full-path=\"/\" manifest:version=\"1.2\" manifest:media-type=\"";
  xml += kMimeType;
  xml += "\"/>\n";
  for (const char* part : {"content.xml", "styles.xml", "meta.xml"}) {
    xml += " <manifest:file-entry manifest:full-path=\"";
    xml += part;
    xml += "\" manifest:media-type=\"text/xml\"/>\n";
  }
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    xml += " <manifest:file-entry manifest:full-path=\"Pictures/";
    xml += std::to_string(i + 1);
    xml += pictures[i].extension;
    xml += "\" manifest:media-type=\"";
    xml += pictures[i].media_type;
    xml += "\"/>\n";
  }
  xml += "</manifest:manifest>\n";
  return xml;
}

std::string meta_xml() {
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document-meta";
  xml += kOdtNamespaces;
  xml += "><office:meta><meta:generator>Lettrix</meta:generator></office:meta></office:document-meta>\n";
  return xml;
}

}  // namespace

int dest_odt(const char* stream_path, const char* target_path) {
  set_target_kind(KindNeutral);
  begin_document_pictures();
  FilePtr in = open_file(stream_path, "rb");
  if (!in) return kHandlerCannotOpen;
  FilePtr out = open_file(target_path, "w+b");
  if (!out) return kHandlerCannotOpen;
  FilePtr body = open_work_file();
  FilePtr pictures = open_work_file();
  if (!body || !pictures) return kHandlerCannotOpen;

  OdtStyles styles{OdtCharFormat{}};
  OdtHeads heads;
  std::vector<PictureEntry> picture_list;
  bool ok = true;
  {
    OutputBuffer body_text(body.get());
    OdtWriter writer(in.get(), body_text, pictures.get(), styles, heads);
    ok = writer.run();
    picture_list = writer.pictures();
  }
  ok = ok && std::fflush(body.get()) == 0 && !std::ferror(body.get()) && std::fflush(pictures.get()) == 0 &&
       !std::ferror(pictures.get());
  if (!ok) return kHandlerCannotOpen;

  // content.xml: the fonts, the automatic styles, then the body.
  std::string head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document-content";
  head += kOdtNamespaces;
  head += '>';
  put_font_faces(head);
  head += "<office:automatic-styles>";
  styles.put_automatic_styles(head);
  head += "</office:automatic-styles><office:body><office:text>\n";
  const long body_size = std::ftell(body.get());
  if (body_size < 0) return kHandlerCannotOpen;

  ZipPackage package(out.get());
  ok = package.add_text("mimetype", std::string(kMimeType), true) &&
       package.add_range("content.xml", body.get(), 0, static_cast<std::uint64_t>(body_size), std::move(head),
                         "</office:text></office:body></office:document-content>\n") &&
       package.add_text("styles.xml", odt_styles_xml(styles, heads)) && package.add_text("meta.xml", meta_xml());
  for (std::size_t i = 0; ok && i < picture_list.size(); ++i) {
    const std::string name = "Pictures/" + std::to_string(i + 1) + picture_list[i].extension;
    ok = package.add_range(name.c_str(), pictures.get(), picture_list[i].start, picture_list[i].length);
  }
  ok = ok && package.add_text("META-INF/manifest.xml", manifest_xml(picture_list)) && package.close();
  if (!ok || std::fflush(out.get()) != 0 || std::ferror(out.get())) return kHandlerCannotOpen;
  return kHandlerOk;
}

OutputMatch output_test_odt(std::span<const std::uint8_t> b) {
  // A local file header ("PK\3\4"), a name of 8 bytes and no extra field,
  // then the stored entry "mimetype" with the OpenDocument text's type.
  if (!starts_with(b, "PK\x03\x04") || b.size() < 30 + 8 + kMimeType.size()) return {};
  if (b[26] != 8 || b[27] != 0 || b[28] != 0 || b[29] != 0) return {};
  if (!starts_with(b, "mimetype", 30) || !starts_with(b, kMimeType, 38)) return {};
  return OutputMatch{"ODT"};
}

}  // namespace lettrix
