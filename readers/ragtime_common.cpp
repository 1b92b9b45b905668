#include "readers/ragtime_common.h"
#include "readers/reader_entry.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "core/byte_helpers.h"
#include "core/char_output.h"
#include "core/handler.h"
#include "core/source_detection.h"
#include "core/stream_codes.h"
#include "support/byte_io.h"

namespace lettrix::ragtime {

int open_source(const char* source_path, const char* stream_path, const FormatTests& tests, Source& source) {
  ReaderFiles files;
  if (const int rc = open_reader_files(source_path, stream_path, files); rc != kHandlerOk) return rc;
  source.file = std::move(files.file);
  source.out = std::move(files.out);
  SourceView& doc = source.doc.emplace(source.file.data);
  if (doc.size() == 0) return refuse_document(tests.shown_name, "its data fork is empty", kHandlerEmpty);
  const Bytes head = doc.span_up_to(0, kDetectPrefix);
  if (doc.failed()) {
    set_handler_reason("the file could not be read");
    return -1;
  }
  if (tests.is_format(head, doc.size())) return 0;
  std::string why;
  const DataForkView fork{head, doc.size(), source.file.type, source.file.creator};
  if (tests.signature(fork, &why) != Confidence::None || why.empty()) why = "its header does not read as one";
  return refuse_document(tests.shown_name, why);
}

int finish_stream(Source& source) {
  if (source.doc && source.doc->failed()) {
    set_handler_reason("a part of the file could not be read");
    return -1;
  }
  return reader_result(source.out.get(), source.damage);
}

namespace {

// Takes `count` records of `size` bytes, or as many whole records as the
// `room` bytes hold.
std::size_t whole_records(std::size_t count, std::size_t size, std::size_t room) {
  const std::size_t whole = room / size;
  return count < whole ? count : whole;
}

}  // namespace

std::size_t locate_text(SourceView& doc, std::size_t text_at, std::size_t declared, bool zero_before_count,
                        TextComponent& c) {
  const std::size_t size = doc.size();
  std::size_t at = text_at < size ? text_at : size;
  c.text_cut = declared > size - at;
  c.text_at = at;
  c.text_size = c.text_cut ? size - at : declared;
  at += c.text_size;
  c.needed = text_at + declared + 2;
  std::uint16_t word = 0;
  if (size - at < 2 || !doc.be16(at, word)) return at;
  at += 2;
  std::size_t runs = word;
  if (runs == 0 && zero_before_count && size - at >= 1 && doc.be16(at - 1, word)) {
    runs = word;
    ++at;
    ++c.needed;
  }
  c.needed += runs * c.run_size + 2;
  c.runs_at = at;
  c.run_count = whole_records(runs, c.run_size, size - at);
  at += c.run_count * c.run_size;
  if (c.run_count == runs && size - at >= 2 && doc.be16(at, word)) {
    at += 2;
    const std::size_t formats = word;
    c.needed += formats * c.format_size;
    c.formats_at = at;
    c.format_count = whole_records(formats, c.format_size, size - at);
    at += c.format_count * c.format_size;
  }
  return at;
}

void apply_alignment(Writer& w, std::uint8_t alignment) {
  switch (alignment) {
    case 0: set_alignment(w.out, w.ps, AlignLeft); break;
    case 1: set_alignment(w.out, w.ps, AlignCentre); break;
    case 2: set_alignment(w.out, w.ps, AlignRight); break;
    case 3: set_alignment(w.out, w.ps, AlignJustify); break;
    default: break;
  }
}

namespace {

constexpr std::size_t kAlignmentOffset = 6;  // in a paragraph format

// The order in which a run's attributes come back after a paragraph end.
constexpr AttributeOrder kCarryOrder{Attr::Bold,   Attr::Italic, Attr::Underline, Attr::Superscript,
                                     Attr::Subscript, Attr::Strike, Attr::Caps,   Attr::Hidden,
                                     Attr::Outline, Attr::Shadow, Attr::SmallCaps, Attr::DoubleUnderline};

enum class Last { Nothing, ParagraphEnd, Other };

// A run start beyond every text position.
constexpr std::size_t kNever = SIZE_MAX;

class TextWalk {
 public:
  TextWalk(Writer& w, SourceView& doc, const TextComponent& c, const TextRules& rules, ApplyRun apply_run,
           void* context)
      : w_(w), doc_(doc), c_(c), rules_(rules), apply_run_(apply_run), context_(context) {}

  // The text comes through a view of the document, taken again whenever a
  // run or a format was read from another part of it.
  void run() {
    if (c_.run_count > 0) apply_run(0);
    next_run_ = 1;
    next_start_ = run_start(next_run_);
    next_format();
    std::size_t done = 0;  // text bytes written
    while (done < c_.text_size) {
      const Bytes v = doc_.view(c_.text_at + done);
      if (v.empty()) return;  // unreadable: the conversion fails
      const std::uint8_t* const p = v.data();
      const std::size_t n = std::min(v.size(), c_.text_size - done);
      std::size_t k = 0;   // bytes of the view done; the text position of p[k] is done + k + 1
      bool moved = false;  // the view may be stale
      while (k < n && !moved) {
        // Characters up to the next run start or structure byte.
        if (done + k + 1 < next_start_ && !carried_) {
          const std::size_t plain_end = std::min(n, next_start_ - 1 - done);
          const std::size_t first = k;
          const std::uint8_t* const plain = w_.plain.bytes(*w_.table);
          std::FILE* const out = w_.out;
          for (std::uint8_t b; k < plain_end && (b = plain[p[k]]) != 0; ++k) put_byte(b, out);
          if (k > first) last_ = Last::Other;
          if (k == n) break;
        }
        const std::uint8_t byte = p[k++];
        const std::size_t position = done + k;
        if (position >= next_start_) {
          while (next_start_ <= position) {
            apply_run(next_run_++);
            next_start_ = run_start(next_run_);
          }
          moved = true;
        }
        if (byte == 0x00) moved = true;
        write_byte(byte);
      }
      done += k;
    }
    if (rules_.final_paragraph && !c_.text_cut && last_ == Last::Other) paragraph_end();
  }

 private:
  // The position (from 1) at which run k starts: its first word; kNever when
  // there is none.
  std::size_t run_start(std::size_t k) {
    std::uint16_t start = 0;
    return k < c_.run_count && doc_.be16(c_.run(k), start) ? start : kNever;
  }

  void apply_run(std::size_t k) {
    const Bytes run = c_.run_size <= kMaxRunSize ? doc_.span(c_.run(k), c_.run_size) : Bytes();
    if (run.size() == c_.run_size) apply_run_(w_, run, context_);
    carried_ = false;
  }

  void next_format() {
    if (next_format_ >= c_.format_count) return;
    std::uint8_t alignment = 0;
    if (doc_.read(c_.format(next_format_++) + kAlignmentOffset, &alignment, 1)) apply_alignment(w_, alignment);
  }

  void paragraph_end() {
    if (!carried_) carry_ = char_format(w_.cs);
    carried_ = true;
    close_attributes(w_.out, w_.cs);
    put_byte(kParagraphEnd, w_.out);
    last_ = Last::ParagraphEnd;
  }

  // The run in force keeps its attributes after a paragraph end.
  void before_content() {
    if (carried_) change_attributes(w_.out, w_.cs, carry_, kCarryOrder);
    carried_ = false;
    last_ = Last::Other;
  }

  void write_byte(std::uint8_t byte) {
    switch (byte) {
      case 0x00: next_format(); return;
      case 0x1F: return;
      case 0x0B:
      case 0x0D: paragraph_end(); return;
      case 0x09:
        before_content();
        put_byte(kTab, w_.out);
        return;
      case kEscape:
        before_content();
        write_code(w_.out, Backslash);
        return;
      case 0x03:
        if (rules_.hash_for_03) {
          before_content();
          put_byte('#', w_.out);
          return;
        }
        break;
      case 0xCA:
        if (rules_.hard_space_code) {
          before_content();
          write_code(w_.out, HardSpace);
          return;
        }
        break;
      default: break;
    }
    if ((*w_.table)[byte] == 0) return;  // a control byte without a character
    before_content();
    write_source_char(w_.out, *w_.table, byte);
  }

  Writer& w_;
  SourceView& doc_;
  const TextComponent& c_;
  const TextRules& rules_;
  ApplyRun apply_run_;
  void* context_;
  std::size_t next_run_ = 0;
  std::size_t next_start_ = kNever;  // where run next_run_ starts
  std::size_t next_format_ = 0;
  CharFormat carry_;
  bool carried_ = false;
  Last last_ = Last::Nothing;
};

}  // namespace

void write_text(Writer& w, SourceView& doc, const TextComponent& c, const TextRules& rules, ApplyRun apply_run,
                void* context) {
  TextWalk(w, doc, c, rules, apply_run, context).run();
}

}  // namespace lettrix::ragtime
