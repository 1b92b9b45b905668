// Unicode text from the intermediate stream, beginning with the byte order
// mark (EF BB BF) by which Windows programs know UTF-8 and detection knows
// a text this program wrote:
//   - plain bytes are ASCII; a TableChar code is its repertoire position's
//     Unicode text (core/unicode_tables.h), "_" where the repertoire has none;
//     the system font's symbols are their Unicode characters, the Apple logo
//     the word (writers/system_symbols.h);
//   - a paragraph end and a line break end the line (LF), and the last line
//     of the text ends as every other one does; a page break is a
//     form feed, a tab a tab, a hard space U+00A0; a soft hyphen is dropped
//     with the line break that may follow it; other control bytes, and
//     plain bytes above 0x7E (no reader writes them), are dropped or "_";
//   - the texts of headers and footers are written once each, in their order
//     of appearance, the headers before the text and the footers after it
//     (the same text twice, as odd and even heads often are, once);
//   - a note's text is replaced by "[n]" at its call and written, as
//     "[n] text", after the document's text, before the footers;
//   - a picture is "[picture 185 × 113]", its width and height in points.
// The stream is read twice: first for the running heads, then for the text.
// Heads and notes wait in work files, so memory stays the same for any size.
#include "writers/utf8_text.h"

#include <algorithm>
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

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Where the text of the stream goes at a moment of the pass.
enum class Part { Body, Header, Footer, Note };

// Stop bytes: the escape, the structure bytes, every other control byte and
// every byte above 0x7E, which the loop of the pass handles one by one.
constexpr std::array<bool, 256> kStopBytes = [] {
  std::array<bool, 256> stop{};
  for (int b = 0; b < 0x20; ++b) stop[static_cast<std::size_t>(b)] = b != kTab;
  for (int b = 0x7F; b < 0x100; ++b) stop[static_cast<std::size_t>(b)] = true;
  stop[kEscape] = true;
  return stop;
}();

// One pass over the stream. Each part's text goes to its buffer, or nowhere
// when that buffer is null.
struct Sinks {
  OutputBuffer* body = nullptr;
  OutputBuffer* notes = nullptr;
  // The first pass: each head's text into `heads` (headers) or `feet`, so
  // that the second pass can write each distinct text once.
  std::vector<std::string>* heads = nullptr;
  std::vector<std::string>* feet = nullptr;
};

class Pass {
 public:
  Pass(std::FILE* in, Sinks sinks) : input_(in), sinks_(sinks) {}

  // Whether the text written to the body so far is empty or ends its line.
  bool body_ends_line() const { return body_ends_line_; }

  bool run() {
    static constexpr TextStops kStops = text_stops(kStopBytes);
    static const WideCharBytes kChars = unicode_char_bytes(true);
    StreamItem item;
    for (;;) {
      if (copy_run(kStops, kChars)) continue;
      const int c = input_.get();
      if (c == EOF) break;
      if (c == kEscape) {
        if (!read_stream_code_inline(input_, item)) break;
        code(item);
      } else if (c == kParagraphEnd || c == kLineBreak) {
        put("\n");
      } else if (c == kPageBreak) {
        if (part_ == Part::Body) put("\f");
      } else if (c >= 0x7F) {
        put("_");
      }
    }
    return !input_.failed();
  }

 private:
  // Where the current part's text goes: a buffer, a head's string, or
  // nowhere (both null).
  OutputBuffer* buffer() const {
    switch (part_) {
      case Part::Body: return sinks_.body;
      case Part::Note: return sinks_.notes;
      default: return nullptr;
    }
  }
  std::string* head_text() {
    std::vector<std::string>* list = part_ == Part::Header ? sinks_.heads : part_ == Part::Footer ? sinks_.feet : nullptr;
    return list && !list->empty() ? &list->back() : nullptr;
  }

  // A run of text copied as it stands; false when the next item is none.
  // Text that goes nowhere (the first pass's body) is passed over up to the
  // next code, which may begin a head.
  bool copy_run(const TextStops& stops, const WideCharBytes& chars) {
    if (!buffer() && !head_text()) {
      if (!input_.fill() || input_.data()[0] == kEscape) return false;
      input_.skip_codes(kEscape, TableChar, 4);
      return true;
    }
    if (OutputBuffer* out = buffer()) {
      const TextRun run = copy_text(input_, *out, stops, chars);
      if (run.written > 0 && part_ == Part::Body) body_ends_line_ = false;
      return run.taken > 0;
    }
    std::uint8_t block[4096];
    const TextRun run = copy_text(input_, block, sizeof block, stops, chars);
    if (std::string* text = head_text()) text->append(reinterpret_cast<const char*>(block), run.written);
    return run.taken > 0;
  }

  void put(std::string_view s) {
    if (OutputBuffer* out = buffer()) {
      out->put(s);
      if (part_ == Part::Body && !s.empty()) body_ends_line_ = s.back() == '\n';
    } else if (std::string* text = head_text()) {
      text->append(s);
    }
  }

  void begin_head(std::vector<std::string>* list, Part part) {
    part_ = part;
    if (list) list->emplace_back();
  }

  void code(const StreamItem& item) {
    switch (item.value) {
      case TableChar: {
        char buf[4];
        put(table_char_text(item.op1, item.op2, buf));
        break;
      }
      case UnicodeChar: {
        char buf[4];
        put(unicode_char_text(item.op1, item.op2, buf));
        break;
      }
      case HardSpace: put("\xC2\xA0"); break;
      case Backslash: put("\\"); break;
      case SoftHyphen: {
        // A line break right after it belongs to it: the word continues.
        const int next = input_.get();
        if (next != EOF && next != kLineBreak) input_.unget();
        break;
      }
      case HeaderEven:
      case HeaderOdd:
      case HeaderAll: begin_head(sinks_.heads, Part::Header); break;
      case FooterEven:
      case FooterOdd:
      case FooterAll: begin_head(sinks_.feet, Part::Footer); break;
      case NoteCall: {
        std::string mark = std::to_string(++notes_);  // "[n]" (built so, GCC 12 warns of "[" + ... falsely)
        mark.insert(mark.begin(), '[');
        mark += ']';
        put(mark);  // at the call, in the body (or in a head or note that holds it)
        part_ = Part::Note;
        put(mark + " ");
        break;
      }
      case EndOfText:
        if (part_ == Part::Note) put("\n");
        part_ = Part::Body;
        break;
      case Picture: put(picture_placeholder(item)); break;
      default: break;  // formatting leaves no trace
    }
  }

  BlockInput input_;
  Sinks sinks_;
  Part part_ = Part::Body;
  int notes_ = 0;
  bool body_ends_line_ = true;
};

// Each distinct text once, in order, with its line end.
void put_heads(OutputBuffer& out, const std::vector<std::string>& texts) {
  std::vector<const std::string*> written;
  for (const std::string& text : texts) {
    if (text.find_first_not_of(" \t\n\f") == std::string::npos) continue;  // an empty head shows nothing
    bool again = false;
    for (const std::string* w : written) again |= *w == text;
    if (again) continue;
    written.push_back(&text);
    out.put(text);
    if (text.back() != '\n') out.put('\n');
  }
}

}  // namespace

int dest_utf8_text(const char* stream_path, const char* target_path) {
  set_target_kind(KindNeutral);
  FilePtr in = open_file(stream_path, "rb");
  FilePtr out = open_file(target_path, "w+b");
  if (!in || !out) return -1;
  // First pass: the texts of the running heads.
  std::vector<std::string> heads, feet;
  if (!Pass(in.get(), Sinks{nullptr, nullptr, &heads, &feet}).run()) return -1;
  if (std::fseek(in.get(), 0, SEEK_SET) != 0) return -1;
  FilePtr notes = open_work_file();
  if (!notes) return -1;
  bool ok = true;
  {
    OutputBuffer target(out.get());
    target.put(kByteOrderMark);
    put_heads(target, heads);
    {
      OutputBuffer note_text(notes.get());
      Pass text(in.get(), Sinks{&target, &note_text, nullptr, nullptr});
      ok = text.run();
      if (!text.body_ends_line()) target.put('\n');  // a text's last line ends too
    }
    ok = ok && !std::ferror(notes.get()) && append_work_file(notes.get(), target);
    put_heads(target, feet);
  }
  if (!ok || std::fflush(out.get()) != 0 || std::ferror(out.get())) return -1;
  return 0;
}

// Text after the byte order mark, no NUL byte in it: a Macintosh text never
// begins so (the mark reads as three accented capitals in the Macintosh
// character set).
OutputMatch output_test_utf8_text(std::span<const std::uint8_t> head) {
  if (head.size() < 3 || std::memcmp(head.data(), kByteOrderMark.data(), 3) != 0) return {};
  if (std::find(head.begin() + 3, head.end(), std::uint8_t{0}) != head.end()) return {};
  return {"Unicode text", false};
}

}  // namespace lettrix
