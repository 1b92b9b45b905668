// Word-processing documents of Microsoft Works for the Macintosh, versions 2
// and 3 (data fork only). All numbers are big-endian.
//
// File header, 32 bytes:
//   3    1   version: 8 Works 2, 9 Works 3
//   17   1   Works 3: always 1
//   18   2   number of records of the document body
//
// Records follow the header: a 6-byte record header and the record's data.
//   0    1   type
//   1    3   not used
//   4    2   length of the data
//
//   type                 Works 2              Works 3
//   0, 0x20, 0x40, 0x60  text paragraph       text paragraph (0 with length 0:
//                                             an 11-byte item follows instead)
//   0x80                 paragraph format     not read
//   2, 3                 not read             not read
//   any other            not read             text paragraph
// A text record whose type has bit 5 (0x20) set ends its paragraph.
//
// Works 3 documents begin with records that are not part of the body: the
// body starts at the first record of type 0x80. A leading record of length 0
// is followed by other data, in which the body's first byte 0x80 is found
// within 256 bytes.
//
// Text data: characters of the Macintosh character set, with format changes
// of 6 bytes: 0x02, 2 bytes not used, the point size (Works 2; 0 keeps the
// size), the style byte, 1 byte not used. Style bits: 0 bold, 1 italic,
// 2 underline, 3 outline (Works 2) or strike-through (Works 3), 4 shadow
// (Works 2), 5 superscript, 6 subscript. 0x09 is a tab; 0x10 and 0x11 are
// dropped, and in Works 3 every other byte below 0x20.
//
// Paragraph format data (Works 2): its first byte is the alignment: "L" left,
// "C" centred, "F" justified, "R" right.
//
// A spreadsheet's, a database's or a drawing's data fork begins as a
// word-processing document's does (the same header, version 8 or 9). Its
// records hold no text record; a blank word-processing document holds little
// more than a record or two, so a file whose records run to kOtherKindBytes
// without a text record among them is taken for a document of another kind.
#include "readers/works_mac.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>

#include "core/char_output.h"
#include "core/charset.h"
#include "core/emitter.h"
#include "core/handler.h"
#include "core/signature.h"
#include "core/source_detection.h"
#include "core/source_view.h"
#include "core/stream_codes.h"
#include "core/style_bits.h"
#include "readers/plain_bytes.h"
#include "readers/reader_damage.h"
#include "readers/reader_entry.h"
#include "support/file_handle.h"

namespace lettrix {

namespace {

constexpr std::uint8_t kWorks2 = 8;
constexpr std::uint8_t kWorks3 = 9;
constexpr std::size_t kFileHeaderSize = 32;
constexpr std::size_t kVersionOffset = 3;
constexpr std::size_t kWorks3MarkOffset = 17;
constexpr std::size_t kRecordCountOffset = 18;
constexpr std::size_t kRecordHeaderSize = 6;
constexpr std::uint8_t kParagraphFormat = 0x80;
constexpr std::uint8_t kEndsParagraph = 0x20;
constexpr std::uint8_t kFormatChange = 0x02;
constexpr std::size_t kFormatChangeRest = 5;  // the bytes after 0x02
constexpr std::uint64_t kWorks3EmptyItem = 11;
constexpr int kBodySearch = 256;
constexpr std::uint64_t kOtherKindBytes = 2048;  // records without text: another kind of document

// Bytes that never reach the stream as the table's plain character: the
// format change, the tab and the bytes dropped (in Works 2 the other bytes
// below 0x20 go through the table like any character, and do so in the
// slower per-byte path here).
constexpr std::array<bool, 256> text_structure_bytes() {
  std::array<bool, 256> structure{};
  for (std::size_t b = 0; b < 0x20; ++b) structure[b] = true;
  return structure;
}
constexpr std::array<bool, 256> kTextStructureBytes = text_structure_bytes();

struct Record {
  std::uint8_t type = 0;
  std::uint16_t length = 0;
};

// The body's records, read in order through the view of the data fork.
class WorksBody {
 public:
  WorksBody(SourceView& in, std::FILE* out, CharState& cs, ParaState& ps)
      : in_(in), out_(out), cs_(cs), ps_(ps), size_(in.size()) {}

  // The records that the header counts all lie in the file, or the first
  // one that does not is noted here.
  const Damage& damage() const { return damage_; }
  // The text records converted, and how far into the file the records went.
  unsigned text_records() const { return text_records_; }
  std::uint64_t records_end() const { return pos_ < size_ ? pos_ : size_; }

  void convert_works2(unsigned records);
  // False when the body's first record is not found before the end of the file.
  bool skip_leading_records();
  void convert_works3(unsigned records);

 private:
  bool read_record(Record& record);
  // A record's data, as far as the file holds it; false when it ends first.
  bool read_data(std::size_t length, std::span<const std::uint8_t>& data);
  void skip(std::uint64_t length) {
    if (pos_ > size_ || length > size_ - pos_) cut_short(pos_ + length);
    pos_ += length;
  }
  void cut_short(std::uint64_t needed) { damage_.cut_short_at_least("text", size_, needed); }
  void convert_text(std::span<const std::uint8_t> data, bool works2);
  void write_text_byte(std::uint8_t byte, bool works2);
  void paragraph_format(std::uint16_t length);

  SourceView& in_;
  std::FILE* out_;
  CharState& cs_;
  ParaState& ps_;
  PlainByteTables plain_tables_{kTextStructureBytes};
  std::uint64_t size_;
  std::uint64_t pos_ = kFileHeaderSize;
  unsigned text_records_ = 0;
  Damage damage_;
};

bool WorksBody::read_record(Record& record) {
  const std::span<const std::uint8_t> header = pos_ <= size_ ? in_.span(pos_, kRecordHeaderSize) : std::span<const std::uint8_t>();
  if (header.size() != kRecordHeaderSize) {
    cut_short(pos_ + kRecordHeaderSize);
    return false;
  }
  record.type = header[0];
  record.length = static_cast<std::uint16_t>(header[4] << 8 | header[5]);
  pos_ += kRecordHeaderSize;
  return true;
}

bool WorksBody::read_data(std::size_t length, std::span<const std::uint8_t>& data) {
  data = in_.span_up_to(pos_, length);
  const bool whole = data.size() == length;
  if (!whole) cut_short(pos_ + length);
  pos_ += length;
  return whole;
}

void WorksBody::convert_works2(unsigned records) {
  for (unsigned i = 0; i < records; ++i) {
    Record record;
    if (!read_record(record)) return;
    switch (record.type) {
      case 0x00:
      case 0x20:
      case 0x40:
      case 0x60: {
        std::span<const std::uint8_t> data;
        const bool whole = read_data(record.length, data);
        ++text_records_;
        convert_text(data, true);
        if (!whole) return;
        if (record.type & kEndsParagraph) put_byte(kParagraphEnd, out_);
        break;
      }
      case kParagraphFormat:
        paragraph_format(record.length);
        break;
      default:
        skip(record.length);
        break;
    }
  }
}

void WorksBody::paragraph_format(std::uint16_t length) {
  std::span<const std::uint8_t> data;
  read_data(length, data);
  if (data.empty()) return;
  switch (data[0]) {
    case 'L': set_alignment(out_, ps_, AlignLeft); break;
    case 'C': set_alignment(out_, ps_, AlignCentre); break;
    case 'F': set_alignment(out_, ps_, AlignJustify); break;
    case 'R': set_alignment(out_, ps_, AlignRight); break;
    default: break;
  }
}

bool WorksBody::skip_leading_records() {
  // Each turn moves on by a record header at least.
  for (;;) {
    const std::uint64_t start = pos_;
    Record record;
    if (start >= size_ || !read_record(record)) return false;
    if (record.type == kParagraphFormat) {
      pos_ = start;
      return true;
    }
    if (record.length != 0) {
      skip(record.length);
      continue;
    }
    for (int i = 0; i < kBodySearch; ++i, ++pos_) {
      const std::span<const std::uint8_t> v = in_.view(pos_);
      if (v.empty()) return false;
      if (v[0] == kParagraphFormat) return true;
    }
  }
}

void WorksBody::convert_works3(unsigned records) {
  for (unsigned i = 0; i < records; ++i) {
    Record record;
    if (!read_record(record)) return;
    if (record.type == 0x00 && record.length == 0) {
      skip(kWorks3EmptyItem);
      continue;
    }
    if (record.type == 0x02 || record.type == 0x03 || record.type == kParagraphFormat) {
      skip(record.length);
      continue;
    }
    std::span<const std::uint8_t> data;
    const bool whole = read_data(record.length, data);
    ++text_records_;
    convert_text(data, false);
    if (!whole) return;
    if (record.type & kEndsParagraph) put_byte(kParagraphEnd, out_);
  }
}

void WorksBody::convert_text(std::span<const std::uint8_t> data, bool works2) {
  const std::uint8_t* const p = data.data();
  const std::size_t n = data.size();
  const std::uint8_t* const plain = plain_tables_.bytes(kMacintoshTable);
  std::size_t i = 0;
  while (i < n) {
    // Characters that reach the stream as one plain byte each, up to the next
    // format change, control byte, escape or character written as a code.
    for (std::uint8_t b; i < n && (b = plain[p[i]]) != 0; ++i) put_byte(b, out_);
    if (i == n) break;
    const std::uint8_t byte = p[i++];
    if (byte != kFormatChange) {
      write_text_byte(byte, works2);
      continue;
    }
    // A format change cut off by the end of the record ends the record.
    if (n - i < kFormatChangeRest) return;
    const std::uint8_t size = p[i + 2];
    const std::uint8_t style = p[i + 3];
    i += kFormatChangeRest;
    if (works2) {
      set_font_size(out_, cs_, size);
      if (style == 0)
        close_attributes(out_, cs_);
      else
        write_style(out_, cs_, kMacStyle, style);
    } else {
      write_style(out_, cs_, kWorks3Style, style);
    }
  }
}

void WorksBody::write_text_byte(std::uint8_t byte, bool works2) {
  if (byte == kTab) {
    put_byte(kTab, out_);
  } else if (byte == 0x10 || byte == 0x11 || (!works2 && byte < 0x20)) {
    // dropped
  } else if (byte == kEscape) {
    write_code(out_, Backslash);
  } else {
    write_source_char(out_, kMacintoshTable, byte);
  }
}

const char* shown_name(std::uint8_t version) { return version == kWorks2 ? "MS-Works 2" : "MS-Works 3"; }

int refuse_because(std::uint8_t version, const std::string& why) { return refuse_document(shown_name(version), why); }

Confidence signature_works(const DataForkView& f, std::uint8_t version, std::string* why);

// One reader for both versions: the version byte of the file decides the
// layout, whichever reader was asked for. `version` is the one asked for,
// named in a refusal.
int read_works(const SourceFile& file, SourceView& in, std::FILE* out, std::uint8_t version) {
  std::string why;
  const DataForkView head{in.span_up_to(0, kDetectPrefix), in.size(), file.type, file.creator};
  const Confidence confidence = signature_works(head, version, &why);
  // Another kind of Works document (a spreadsheet in a wrapper that kept its
  // type) is refused whatever its bytes.
  if (const std::string kind = works_other_kind(head); !kind.empty()) return refuse_because(version, kind);
  // The reader takes more than the signature test: a version byte 8 or 9
  // (either version) whatever the bytes before it, and any type and creator.
  const std::span<const std::uint8_t> header = in.span(0, kFileHeaderSize);
  if (header.empty()) return refuse_because(version, confidence == Confidence::None ? why : "the header cannot be read");
  const std::uint8_t found = header[kVersionOffset];
  const std::uint8_t works3_mark = header[kWorks3MarkOffset];
  const unsigned records = static_cast<unsigned>(header[kRecordCountOffset] << 8 | header[kRecordCountOffset + 1]);
  if (found != kWorks2 && found != kWorks3)
    return refuse_because(version, "version byte " + std::to_string(found) + " at byte 3 is neither 8 (Works 2) nor 9 (Works 3)");
  if (found == kWorks3 && works3_mark != 1)
    return refuse_because(version, "version byte 9 (Works 3), but byte 17 is " + std::to_string(works3_mark) + ", not 1");
  CharState cs;
  ParaState ps;
  WorksBody body(in, out, cs, ps);
  if (found == kWorks2) {
    body.convert_works2(records);
  } else {
    if (!body.skip_leading_records()) {
      if (records != 0) {
        set_handler_reason("the file ends before the text begins");
        return kHandlerCannotOpen;
      }
      return refuse_because(version, "no record of type 0x80, the first of the text, before the end of the file");
    }
    body.convert_works3(records);
  }
  if (body.text_records() == 0 && body.records_end() >= kOtherKindBytes)
    return refuse_because(version, "a Works document of another kind (spreadsheet, database or drawing): no text record in " +
                                       std::to_string(body.records_end()) + " bytes of records");
  return reader_result(out, body.damage());
}

int convert_works(const char* source_path, const char* stream_path, std::uint8_t version) {
  ReaderFiles files;
  if (const int rc = open_reader_files(source_path, stream_path, files); rc != kHandlerOk) return rc;
  if (files.file.data.size == 0) {
    refuse_because(version, "it is empty");
    return kHandlerEmpty;
  }
  SourceView in(files.file.data);
  return read_works(files.file, in, files.out.get(), version);
}

}  // namespace

int orig_works_mac2(const char* source_path, const char* stream_path) {
  return convert_works(source_path, stream_path, kWorks2);
}

int orig_works_mac3(const char* source_path, const char* stream_path) {
  return convert_works(source_path, stream_path, kWorks3);
}

namespace {

bool is_works_creator(std::string_view c) { return c == "PSIP" || c == "PSI2" || c == "MSWK"; }

// Works 2 and 3: the version byte at byte 3 of the 32-byte header, zeros
// before it; Works 3 also has 1 at byte 17.
Confidence signature_works(const DataForkView& f, std::uint8_t version, std::string* why) {
  constexpr std::size_t kHeader = 32;
  // A spreadsheet's or a database's data fork begins as a word-processing
  // document's does: only the type code a wrapper kept tells them apart.
  if (const std::string kind = works_other_kind(f); !kind.empty()) return refuse(why, kind);
  if (f.head.size() < kHeader)
    return refuse(why, "shorter than the 32-byte header (" + std::to_string(f.head.size()) + " bytes)");
  if (f.head[3] != version)
    return refuse(why, "version byte " + std::to_string(f.head[3]) + " at byte 3 is not " + std::to_string(version) +
                           " (Works " + (version == 8 ? "2" : "3") + ")");
  if (f.type == "AWWP" && is_works_creator(f.creator)) return Confidence::Certain;
  if (f.head[0] != 0 || f.head[1] != 0 || f.head[2] != 0) return refuse(why, "bytes 0 to 2 are not zero");
  if (version == 9 && f.head[17] != 1)
    return refuse(why, "byte 17 is " + std::to_string(f.head[17]) + ", not 1");
  return f.type.empty() ? Confidence::Likely : Confidence::Possible;
}

}  // namespace

std::string works_other_kind(const DataForkView& f) {
  if (!is_works_creator(f.creator) || f.type.empty() || f.type == "AWWP") return {};
  const char* kind = f.type == "AWSS" ? "a spreadsheet" : f.type == "AWDB" ? "a database" : "not word processing";
  return "a Works document of another kind (type " + code_text(f.type) + ": " + kind + ")";
}

Confidence signature_works_2(const DataForkView& f, std::string* why) { return signature_works(f, 8, why); }
Confidence signature_works_3(const DataForkView& f, std::string* why) { return signature_works(f, 9, why); }

}  // namespace lettrix
