#include "readers/ragtime_common.h"

#include "core/byte_helpers.h"
#include "core/handler.h"
#include "core/char_output.h"
#include "core/stream_codes.h"
#include "support/byte_io.h"
#include "support/whole_file.h"

namespace lettrix::ragtime {

namespace {

constexpr std::size_t kMacBinaryHeader = 128;
constexpr std::size_t kMacBinaryNameLength = 1;
constexpr std::size_t kMacBinaryZero1 = 74;
constexpr std::size_t kMacBinaryZero2 = 82;
constexpr std::size_t kMaxNameLength = 63;

}  // namespace

namespace {

// The data fork length when the bytes start with what looks like a MacBinary
// header, whether or not the file holds the whole fork; -1 otherwise.
long stated_data_length(Bytes file) {
  ByteReader r(file);
  if (!r.has(kMacBinaryHeader)) return -1;
  const std::uint8_t zero = r.u8();
  const std::size_t name_length = r.u8();
  r.seek(kMacBinaryZero1);
  const std::uint8_t zero1 = r.u8();
  r.seek(kMacBinaryZero2);
  const std::uint8_t zero2 = r.u8();
  const std::uint32_t length = r.be32();  // at 83
  if (zero != 0 || name_length == 0 || name_length > kMaxNameLength || zero1 != 0 || zero2 != 0) return -1;
  return static_cast<long>(length);
}

}  // namespace

long macbinary_data_length(Bytes file) {
  const long length = stated_data_length(file);
  return length >= 0 && static_cast<std::size_t>(length) <= file.size() - kMacBinaryHeader ? length : -1;
}

int open_source(const char* source_path, const char* stream_path, bool (*is_format)(Bytes), Source& source) {
  FilePtr in = open_file(source_path, "rb");
  source.out = open_file(stream_path, "w+b");
  if (!in || !source.out || !read_whole_file(in.get(), source.file)) return -1;
  const Bytes all(source.file);
  const long fork = macbinary_data_length(all);
  source.doc = fork < 0 ? all : all.subspan(kMacBinaryHeader, static_cast<std::size_t>(fork));
  source.base = fork < 0 ? 0 : kMacBinaryHeader;
  if (source.doc.empty()) return -2;
  if (is_format(source.doc)) return 0;
  // A MacBinary header whose data fork is cut short: the document is the part
  // the file holds, when that part is one.
  const long stated = stated_data_length(all);
  if (fork < 0 && stated > 0 && is_format(all.subspan(kMacBinaryHeader))) {
    source.doc = all.subspan(kMacBinaryHeader);
    source.base = kMacBinaryHeader;
    source.damage.cut_short("text", all.size(), kMacBinaryHeader + static_cast<std::size_t>(stated));
    return 0;
  }
  return -1;
}

int finish_stream(Source& source) { return reader_result(source.out.get(), source.damage); }

namespace {

// Takes `count` records of `size` bytes, or as many whole records as remain.
Bytes take_records(ByteReader& r, std::size_t count, std::size_t size) {
  const std::size_t whole = r.remaining() / size;
  return r.bytes((count < whole ? count : whole) * size);
}

}  // namespace

std::size_t run_start(Bytes run) { return ByteReader(run).be16(); }

std::size_t locate_text(Bytes doc, std::size_t text_at, std::size_t declared, bool zero_before_count,
                        TextComponent& c) {
  ByteReader r(doc);
  r.seek(text_at < doc.size() ? text_at : doc.size());
  c.text_cut = declared > r.remaining();
  c.text = r.bytes(c.text_cut ? r.remaining() : declared);
  c.needed = text_at + declared + 2;
  if (!r.has(2)) return r.position();
  std::size_t runs = r.be16();
  if (runs == 0 && zero_before_count && r.has(1)) {
    r.seek(r.position() - 1);
    runs = r.be16();
    ++c.needed;
  }
  c.needed += runs * c.run_size + 2;
  c.runs = take_records(r, runs, c.run_size);
  if (c.runs.size() == runs * c.run_size && r.has(2)) {
    const std::size_t formats = r.be16();
    c.needed += formats * c.format_size;
    c.formats = take_records(r, formats, c.format_size);
  }
  return r.position();
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

void switch_on(Writer& w, Attributes a) {
  struct On {
    std::uint8_t flags1, flags2;
    void (*on)(std::FILE*, CharState&, int);
  };
  static constexpr On kOn[] = {
      {kBold, 0, bold_on},           {kItalic, 0, italic_on},       {kUnderline, 0, underline_on},
      {kSuperscript, 0, superscript_on}, {kSubscript, 0, subscript_on}, {kStrike, 0, strike_on},
      {kCaps, 0, caps_on},           {kHidden, 0, hidden_on},       {0, kOutline, outline_on},
      {0, kShadow, shadow_on},       {0, kSmallCaps, small_caps_on}, {0, kDoubleUnderline, double_underline_on},
  };
  for (const On& o : kOn)
    if ((a.flags1 & o.flags1) || (a.flags2 & o.flags2)) o.on(w.out, w.cs, 1);
}

namespace {

constexpr std::size_t kAlignmentOffset = 6;  // in a paragraph format

enum class Last { Nothing, ParagraphEnd, Other };

class TextWalk {
 public:
  TextWalk(Writer& w, const TextComponent& c, const TextRules& rules, ApplyRun apply_run, void* context)
      : w_(w), c_(c), rules_(rules), apply_run_(apply_run), context_(context) {}

  void run() {
    if (c_.run_count() > 0) apply_run(0);
    next_run_ = 1;
    next_format();
    for (std::size_t i = 0; i < c_.text.size(); ++i) {
      const std::size_t position = i + 1;
      while (next_run_ < c_.run_count() && run_start(c_.run(next_run_)) <= position) apply_run(next_run_++);
      write_byte(c_.text[i]);
    }
    if (rules_.final_paragraph && !c_.text_cut && last_ == Last::Other) paragraph_end();
  }

 private:
  void apply_run(std::size_t i) {
    apply_run_(w_, c_.run(i), context_);
    carried_ = false;
  }

  void next_format() {
    if (next_format_ >= c_.format_count()) return;
    ByteReader format(c_.format(next_format_++));
    format.seek(kAlignmentOffset);
    apply_alignment(w_, format.u8());
  }

  void paragraph_end() {
    if (!carried_) carry_ = {w_.cs.flags1, w_.cs.flags2};
    carried_ = true;
    close_attributes(w_.out, w_.cs);
    put_byte(kParagraphEnd, w_.out);
    last_ = Last::ParagraphEnd;
  }

  // The run in force keeps its attributes after a paragraph end.
  void before_content() {
    if (carried_) switch_on(w_, carry_);
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
  const TextComponent& c_;
  const TextRules& rules_;
  ApplyRun apply_run_;
  void* context_;
  std::size_t next_run_ = 0;
  std::size_t next_format_ = 0;
  Attributes carry_;
  bool carried_ = false;
  Last last_ = Last::Nothing;
};

}  // namespace

void write_text(Writer& w, const TextComponent& c, const TextRules& rules, ApplyRun apply_run, void* context) {
  TextWalk(w, c, rules, apply_run, context).run();
}

}  // namespace lettrix::ragtime
