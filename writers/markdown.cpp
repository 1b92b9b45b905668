// Markdown from the intermediate stream.
//
//   paragraph        its text, then a blank line; its leading spaces and tabs
//                    are dropped (four would make a code block); an empty
//                    paragraph leaves nothing
//   line break       a hard line break: "\" at the end of the line, when
//                    text of the paragraph follows it
//   bold, italic     "**" and "*" around the text, opened before the first
//                    visible character and closed after the last one of the
//                    run (spaces move outside, as the markers must touch the
//                    text); closed at every line end and reopened after it
//   notes            "[^n]" at the call; after the text, "[^n]: " and the
//                    note, its further paragraphs indented by four spaces
//   headers, footers the text of each once, as paragraphs before the text
//                    and after it (the same text twice once)
//   characters       their Unicode characters in UTF-8; a hard space U+00A0;
//                    \ ` * _ [ ] < | ~ & $ ^ escaped everywhere, and at a
//                    line's start # > - + = and the "." or ")" after digits
//                    (a heading, quote, list or underline otherwise)
//   pictures         "[picture 185 × 113]" (width and height in points)
//   the rest         page breaks and other formatting leave no trace
//
// The stream is read twice: first for the running heads, then for the text;
// notes wait in a work file.
#include "writers/markdown.h"

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "core/charset.h"
#include "core/driver_state.h"
#include "core/stream_codes.h"
#include "core/stream_reader.h"
#include "core/unicode_tables.h"
#include "support/block_input.h"
#include "support/file_handle.h"
#include "support/output_buffer.h"
#include "support/work_file.h"
#include "writers/picture_png.h"
#include "writers/system_symbols.h"
#include "writers/text_run.h"
#include "writers/unicode_chars.h"

namespace lettrix {

namespace {

// ASCII characters escaped wherever they stand.
constexpr std::array<bool, 256> kEscaped = [] {
  std::array<bool, 256> e{};
  for (const char c : std::string_view("\\`*_[]<|~&$^")) e[static_cast<unsigned char>(c)] = true;
  return e;
}();

// Stop bytes of the copy loop: the stream's structure, control bytes and
// bytes above 0x7E, and every character escaped.
constexpr std::array<bool, 256> kStopBytes = [] {
  std::array<bool, 256> stop = kEscaped;
  for (int b = 0; b < 0x20; ++b) stop[static_cast<std::size_t>(b)] = true;
  for (int b = 0x7F; b < 0x100; ++b) stop[static_cast<std::size_t>(b)] = true;
  stop[kEscape] = true;
  return stop;
}();

// Where text goes: a buffer on a file, a string, or nowhere.
struct Out {
  OutputBuffer* buffer = nullptr;
  std::string* text = nullptr;
  void put(std::string_view s) const {
    if (buffer) buffer->put(s);
    else if (text) text->append(s);
  }
  bool none() const { return !buffer && !text; }
  // Puts a closing marker before the spaces and tabs that end what was
  // written (a closer must touch the text); as far as the buffer's block
  // still holds them.
  // Returns how many blanks it put back after the marker.
  std::size_t put_closer(std::string_view marker) const {
    std::size_t n = 0;
    if (buffer) {
      char blanks[64];
      n = buffer->take_back_blanks(blanks, sizeof blanks);
      buffer->put(marker);
      buffer->put(std::string_view(blanks, n));
    } else if (text) {
      n = trailing_blanks(*text);
      text->insert(text->size() - n, marker);
    }
    return n;
  }
  // Drops the spaces and tabs that end what was written (before a line end,
  // where two would make a hard line break).
  void drop_blanks() const {
    if (buffer) {
      char blanks[64];
      while (buffer->take_back_blanks(blanks, sizeof blanks) == sizeof blanks) {
      }
    } else if (text) {
      text->resize(text->size() - trailing_blanks(*text));
    }
  }
  static std::size_t trailing_blanks(const std::string& t) {
    std::size_t n = 0;
    while (n < t.size() && (t[t.size() - 1 - n] == ' ' || t[t.size() - 1 - n] == '\t')) ++n;
    return n;
  }
};

enum class Part { Body, Header, Footer, Note };

struct Sinks {
  OutputBuffer* body = nullptr;
  OutputBuffer* notes = nullptr;
  std::vector<std::string>* heads = nullptr;  // first pass: each header's text
  std::vector<std::string>* feet = nullptr;   // and each footer's
};

class Pass {
 public:
  Pass(std::FILE* in, Sinks sinks) : input_(in), sinks_(sinks) {}

  // Whether the text written ends a line (or nothing was written).
  bool at_line_start() const { return line_start_; }

  bool run() {
    static constexpr TextStops kStops = text_stops(kStopBytes);
    static const WideCharBytes kChars = unicode_char_bytes(false, true);
    StreamItem item;
    for (;;) {
      // Text that needs no care goes through the copy loop: not at a line's
      // start, and with the markers as the text wants them (with a marker
      // open, up to the next space, which may have to move past a closer).
      if (!line_start_ && !digits_ && !pending_break_ && wanted_ == open_) {
        const Out out = current();
        const TextStops& stops = kStops;  // (spaces go too: a closer is put before them)
        if (out.none()) {
          // Text that goes nowhere (the first pass's body): up to the next code.
          if (input_.fill() && input_.data()[0] != kEscape) {
            input_.skip_codes(kEscape, TableChar, 4);
            continue;
          }
        } else if (out.buffer) {
          if (copy_text(input_, *out.buffer, stops, kChars).taken > 0) continue;
        } else {
          std::uint8_t block[4096];
          const TextRun run = copy_text(input_, block, sizeof block, stops, kChars);
          if (out.text) out.text->append(reinterpret_cast<const char*>(block), run.written);
          if (run.taken > 0) continue;
        }
      }
      const int c = input_.get();
      if (c == EOF) break;
      if (c == kEscape) {
        if (!read_stream_code_inline(input_, item)) break;
        code(item);
      } else if (c == kParagraphEnd) {
        end_paragraph();
      } else if (c == kLineBreak) {
        // Written before the next character of the paragraph: a break at a
        // paragraph's start or end would show as a backslash.
        pending_break_ = !line_start_;
      } else if (c == ' ' || c == kTab) {
        space(static_cast<char>(c));
      } else if (c >= 0x20 && c < 0x7F) {
        ascii(static_cast<char>(c));
      } else if (c >= 0x7F) {
        ascii('_');
      }
    }
    close_markers();
    return !input_.failed();
  }

 private:
  Out current() const {
    switch (part_) {
      case Part::Body: return {sinks_.body, nullptr};
      case Part::Note: return {sinks_.notes, nullptr};
      case Part::Header: return {nullptr, sinks_.heads && !sinks_.heads->empty() ? &sinks_.heads->back() : nullptr};
      case Part::Footer: return {nullptr, sinks_.feet && !sinks_.feet->empty() ? &sinks_.feet->back() : nullptr};
    }
    return {};
  }
  void put(std::string_view s) { current().put(s); }

  // Before a visible character: markers no longer wanted are closed (with
  // those above them), the wanted ones opened.
  void before_visible() {
    const bool closed = wanted_ != open_ && first_unwanted() < depth_;
    if (closed) close_markers_from(first_unwanted());
    bool apart = !closed || blanks_after_close_;
    // A marker opened right where others closed would make one run of
    // stars with them ("**a*b****c*"), which CommonMark reads otherwise:
    // an empty comment keeps the runs apart.
    for (const int m : {kBold, kItalic})
      if ((wanted_ & m) && !(open_ & m)) {
        if (!apart) put("<!-- -->");
        apart = true;
        put(m == kBold ? "**" : "*");
        open_ |= m;
        order_[depth_++] = m;
      }
    line_start_ = false;
  }
  std::size_t first_unwanted() const {
    for (std::size_t i = 0; i < depth_; ++i)
      if (!(wanted_ & order_[i])) return i;
    return depth_;
  }
  void close_markers_from(std::size_t level) {
    while (depth_ > level) {
      const int m = order_[--depth_];
      blanks_after_close_ = current().put_closer(m == kBold ? "**" : "*") > 0;
      open_ &= ~m;
    }
  }
  void close_markers() {
    close_markers_from(0);
  }

  void flush_break() {
    if (!pending_break_) return;
    pending_break_ = false;
    end_line("\\\n");
  }

  void text(std::string_view s) {
    flush_break();
    before_visible();
    put(s);
  }

  // UTF-8 text whose ASCII characters are escaped as any text's are.
  void escaped_text(std::string_view s) {
    for (const char c : s) {
      if (static_cast<unsigned char>(c) < 0x80)
        ascii(c);
      else
        text(std::string_view(&c, 1));
    }
  }

  void ascii(char c) {
    flush_break();
    const bool at_start = line_start_;
    before_visible();
    if (kEscaped[static_cast<unsigned char>(c)]) {
      put("\\");
    } else if (at_start && (c == '#' || c == '>' || c == '-' || c == '+' || c == '=')) {
      put("\\");
    } else if (digits_ && (c == '.' || c == ')')) {
      put("\\");
    }
    digits_ = (at_start || digits_) && c >= '0' && c <= '9';
    put(std::string_view(&c, 1));
  }

  void space(char c) {
    if (line_start_ || pending_break_) return;  // leading spaces and tabs: dropped
    digits_ = false;
    put(std::string_view(&c, 1));
  }

  // A line ends: the markers close, the blanks before the end are dropped.
  void end_line(std::string_view end) {
    close_markers();
    digits_ = false;
    current().drop_blanks();
    put(end);
    line_start_ = true;
  }

  // An empty paragraph leaves nothing (Markdown has no empty paragraphs).
  void end_paragraph() {
    pending_break_ = false;
    if (line_start_) return;
    end_line(part_ == Part::Note ? "\n\n    " : "\n\n");
  }

  void begin(Part part, std::vector<std::string>* list) {
    end_part();
    part_ = part;
    if (list) list->emplace_back();
    line_start_ = true;
  }
  void end_part() {
    pending_break_ = false;
    close_markers();
    digits_ = false;
  }

  void code(const StreamItem& item) {
    switch (item.value) {
      case TableChar: {
        char buf[4];
        escaped_text(table_char_text(item.op1, item.op2, buf));  // a stand-in, "_" or "`" escaped
        break;
      }
      case UnicodeChar: {
        char buf[4];
        escaped_text(unicode_char_text(item.op1, item.op2, buf));
        break;
      }
      case HardSpace: text("\xC2\xA0"); break;
      case Backslash: ascii('\\'); break;
      case SoftHyphen: {
        const int next = input_.get();
        if (next != EOF && next != kLineBreak) input_.unget();
        break;
      }
      case Picture: escaped_text(picture_placeholder(item)); break;  // "\[picture 185 × 113\]": no link
      case BoldOn: wanted_ |= kBold; break;
      case BoldOff: wanted_ &= ~kBold; break;
      case ItalicOn: wanted_ |= kItalic; break;
      case ItalicOff: wanted_ &= ~kItalic; break;
      case HeaderEven:
      case HeaderOdd:
      case HeaderAll: begin(Part::Header, sinks_.heads); break;
      case FooterEven:
      case FooterOdd:
      case FooterAll: begin(Part::Footer, sinks_.feet); break;
      case NoteCall: {
        const std::string number = std::to_string(++notes_);
        text("[^" + number + "]");
        end_part();
        saved_ = {wanted_, line_start_};
        part_ = Part::Note;
        wanted_ = 0;
        put("[^" + number + "]: ");
        line_start_ = true;
        break;
      }
      case EndOfText:
        end_part();
        if (part_ == Part::Note) {
          put("\n\n");
          wanted_ = saved_.wanted;
          line_start_ = saved_.line_start;
        } else {
          line_start_ = true;
        }
        part_ = Part::Body;
        break;
      default: break;
    }
  }

  static constexpr int kBold = 1;
  static constexpr int kItalic = 2;

  BlockInput input_;
  Sinks sinks_;
  Part part_ = Part::Body;
  int notes_ = 0;
  int wanted_ = 0;  // the markers the stream's attributes ask for
  int open_ = 0;    // the markers written and not yet closed
  int order_[2] = {};
  std::size_t depth_ = 0;
  bool blanks_after_close_ = false;  // the last closer was followed by the blanks before it
  bool line_start_ = true;
  bool digits_ = false;    // only digits since the line's start
  bool pending_break_ = false;  // a line break, written before the next character
  struct {
    int wanted = 0;
    bool line_start = true;
  } saved_;  // the body's state while a note's text is read
};

// Each distinct head once, as a paragraph.
void put_heads(OutputBuffer& out, const std::vector<std::string>& texts) {
  std::vector<const std::string*> written;
  for (const std::string& text : texts) {
    const std::size_t first = text.find_first_not_of(" \t\n");
    if (first == std::string::npos) continue;
    bool again = false;
    for (const std::string* w : written) again |= *w == text;
    if (again) continue;
    written.push_back(&text);
    std::string_view t(text);
    t.remove_prefix(first);
    while (!t.empty() && (t.back() == '\n' || t.back() == ' ')) t.remove_suffix(1);
    out.put(t);
    out.put("\n\n");
  }
}

}  // namespace

int dest_markdown(const char* stream_path, const char* target_path) {
  set_target_kind(KindNeutral);
  FilePtr in = open_file(stream_path, "rb");
  FilePtr out = open_file(target_path, "w+b");
  if (!in || !out) return -1;
  std::vector<std::string> heads, feet;
  if (!Pass(in.get(), Sinks{nullptr, nullptr, &heads, &feet}).run()) return -1;
  if (std::fseek(in.get(), 0, SEEK_SET) != 0) return -1;
  FilePtr notes = open_work_file();
  if (!notes) return -1;
  bool ok = true;
  {
    OutputBuffer target(out.get());
    put_heads(target, heads);
    {
      OutputBuffer note_text(notes.get());
      Pass text(in.get(), Sinks{&target, &note_text, nullptr, nullptr});
      ok = text.run();
      if (!text.at_line_start()) target.put("\n\n");  // the last paragraph ends as the others do
    }
    ok = ok && !std::ferror(notes.get()) && append_work_file(notes.get(), target);
    put_heads(target, feet);
  }
  if (!ok || std::fflush(out.get()) != 0 || std::ferror(out.get())) return -1;
  return 0;
}

OutputMatch output_test_markdown(std::span<const std::uint8_t>) { return {}; }

}  // namespace lettrix
