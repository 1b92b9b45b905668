// MacWrite II documents (file type MW2D, creator MWII). All numbers are
// big-endian; offsets count from the start of the data fork (a wrapper such
// as MacBinary is looked through when the source is opened). The fork is a
// sequence of 256-byte blocks numbered from 1 that hold chains of blocks
// (readers/macwrite_ii_blocks.h).
//
//   offset 1, 3   at least one of the two bytes is "." (0x2E)
//   offset 512    block 3: the document chain begins
//
// Document chain:
//   4 + L            L (32-bit), then L bytes                   not used
//   4                                                           not used
//   2 + 42 N         N (16-bit), then N records of 42 bytes     not used
//   4 + 10 (S/10)    S (32-bit), then character formats of 10 bytes:
//                      +2 font number, +4 size in quarter points,
//                      +6 style byte A, +7 style byte B
//   4 + 202 (F/202)  F (32-bit), then paragraph formats of 202 bytes:
//                      +2 alignment (1 centred, 2 right, 3 justified)
//                      +42 20 tab stops of 8 bytes: kind (0 left, 1 centred,
//                          2 right, 3 decimal), a byte not used, position in
//                          points from the paragraph's left edge as a 16.16
//                          fixed-point number; the list ends at the first
//                          position of 0 or less
//   zone groups, to the end of the chain: a 10-byte header (each group after
//   the first preceded by its type word 2), then zone records of 76 bytes:
//                      +0  type: 0, 1 a zone; 2 the next group begins here;
//                          above 2 the group ends
//                      +28 first block of the zone's text chain (signed; a
//                          negative number is an extent; 0 no text)
//                      +72 32-bit, 0 for a text zone: then 3 more bytes follow
//                          the record, and 12 more after them when the block
//                          is 0 as well
//                    after a group's end, 2 bytes, then the next group
//
// Text zone chain:
//   4                not used
//   4 + L1           block list: 16-bit block number, 16-bit count of text
//                    bytes at the start of that block
//   4 + L2           character runs: 16-bit character format, 32-bit length
//   4 + L3           paragraph runs: 16-bit paragraph format, 32-bit length
//
// Text bytes: 0x02 and 0x17 are dropped; 0x03 starts a footnote's text (the
// footnote texts follow the main text); 0x05 is a footnote reference; 0x09
// tab, 0x0C page break, 0x0D paragraph end; 0xCA in a font of the Macintosh
// character set is a non-breaking space; the others are characters in the
// character set of their font.
#include "readers/macwrite_ii.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/byte_helpers.h"
#include "core/char_output.h"
#include "core/charset.h"
#include "core/emitter.h"
#include "core/handler.h"
#include "core/mac_font_names.h"
#include "core/signature.h"
#include "core/source_detection.h"
#include "core/source_view.h"
#include "core/stream_codes.h"
#include "core/style_bits.h"
#include "readers/macwrite_format.h"
#include "readers/macwrite_ii_blocks.h"
#include "readers/macwrite_ii_notes.h"
#include "readers/macwrite_ii_text.h"
#include "readers/reader_damage.h"
#include "readers/reader_entry.h"
#include "support/file_handle.h"
#include "support/platform.h"
#include "support/strings.h"
#include "support/work_file.h"

namespace lettrix {

namespace {

using macwrite_ii::BlockFile;

constexpr char kShownName[] = "MacWrite II";
constexpr long kDocumentChainStart = 3;
constexpr std::size_t kCharFormatSize = 10;
constexpr std::size_t kParaFormatSize = 202;
constexpr std::size_t kZoneRecordSize = 76;

// A character format of the document's table.
struct FormatRecord {
  int font = 0;
  int points = 0;  // quarter points / 4, toward zero
  CharFormat style;
};

struct ParaFormat {
  int alignment = 0;  // 1 centred, 2 right, 3 justified, other left
  std::vector<TabStop> tabs;
};

struct Formats {
  std::vector<FormatRecord> chars;
  std::vector<ParaFormat> paras;
};

constexpr std::size_t kTabStopsOffset = 42;
constexpr std::size_t kTabStopSize = 8;
constexpr std::size_t kTabStopsHeld = (kParaFormatSize - kTabStopsOffset) / kTabStopSize;

// The tab stops of a paragraph format as stream columns (tenths of an inch).
std::vector<TabStop> tab_stops(std::span<const std::uint8_t> record) {
  std::vector<TabStop> stops;
  for (std::size_t i = 0; i < kTabStopsHeld; ++i) {
    ByteReader stop(record.subspan(kTabStopsOffset + kTabStopSize * i, kTabStopSize));
    const std::uint8_t kind = stop.u8();
    stop.skip(1);
    const std::int32_t fixed = stop.be32s();
    if (fixed <= 0) break;
    if (kind > 3) continue;
    // Rounded to whole points; in 64 bits, as a position near the top of the
    // range rounds up past it (to 32768).
    const long column = points_to_columns(static_cast<long>((std::int64_t{fixed} + 0x8000) >> 16));
    if (column < 1 || column >= TabTable::kColumns) continue;
    stops.push_back({static_cast<int>(column), kind + TabLeft});
  }
  return stops;
}


// Why a part of the document chain cannot be read: "the character formats'
// length 5,000 runs past the end of the document chain (1,016 bytes)", or
// "the document chain (2 bytes) ends before ..." when the length itself is
// missing.
std::string chain_too_short(const ByteReader& r, const char* what, std::uint64_t length) {
  const std::string chain = "the document chain (" + with_thousands(r.size()) + " bytes)";
  if (!r.ok()) return chain + " ends before " + what;
  return std::string(what) + " " + with_thousands(length) + " runs past the end of " + chain;
}

// Reads the document chain up to its zone groups: the two format tables.
// Returns "", or why a length runs past the end of the chain.
std::string read_formats(ByteReader& r, Formats& formats) {
  const std::uint32_t skipped = r.be32();
  if (!r.ok() || !r.has(skipped)) return chain_too_short(r, "the length of its first part", skipped);
  r.skip(skipped);
  r.skip(4);
  const std::size_t records = r.be16();
  if (!r.ok() || !r.has(records * 42)) return chain_too_short(r, "the count of its 42-byte records", records);
  r.skip(records * 42);

  const std::uint32_t char_bytes = r.be32();
  const std::size_t char_count = char_bytes / kCharFormatSize;
  if (!r.ok() || !r.has(char_count * kCharFormatSize))
    return chain_too_short(r, "the character formats' length", char_bytes);
  formats.chars.reserve(char_count);
  for (std::size_t i = 0; i < char_count; ++i) {
    r.skip(2);
    const int font = r.be16();
    const int quarter_points = r.be16s();
    const std::uint8_t a = r.u8(), b = r.u8();
    r.skip(2);
    const CharFormat style = kMacWriteIIStyle.decode(static_cast<std::uint16_t>(a << 8 | b));
    formats.chars.push_back({font, quarter_points / 4, style});
  }

  const std::uint32_t para_bytes = r.be32();
  const std::size_t para_count = para_bytes / kParaFormatSize;
  if (!r.ok() || !r.has(para_count * kParaFormatSize))
    return chain_too_short(r, "the paragraph formats' length", para_bytes);
  formats.paras.reserve(para_count);
  for (std::size_t i = 0; i < para_count; ++i) {
    const auto record = r.bytes(kParaFormatSize);
    ByteReader alignment(record.subspan(2, 2));
    formats.paras.push_back({alignment.be16(), tab_stops(record)});
  }
  return {};
}

// The run lists of one text zone and the two run counters.
struct ZoneRuns {
  std::span<const std::uint8_t> chars;
  std::span<const std::uint8_t> paras;
  std::size_t next_char = 0;
  std::size_t next_para = 0;
  std::int64_t char_left = 0;
  std::int64_t para_left = 0;
};

class Conversion {
 public:
  Conversion(std::FILE* out, BlockFile& blocks, const Formats& formats, CharState& cs, ParaState& ps, TabTable& tabs)
      : out_(out), blocks_(blocks), formats_(formats), cs_(cs), ps_(ps), tabs_(tabs) {}

  long note_count() const { return notes_; }
  // The work file that holds the footnote texts (null before the first one,
  // and when none could be had).
  std::FILE* note_texts() const { return note_texts_.get(); }
  // Whether a footnote reference came before the footnote texts: the main
  // text from the first one on is then in main_tail() (null when no work
  // file could be had).
  bool has_main_tail() const { return tail_started_; }
  std::FILE* main_tail() const { return main_tail_.get(); }

  // The zone groups of the document chain, from the reader's position to the
  // end of the chain.
  void convert_zone_groups(ByteReader& r);

 private:
  void convert_zone(long first_block);
  void text_byte(std::uint8_t byte, ZoneRuns& runs);
  void next_char_run(ZoneRuns& runs);
  void next_para_run(ZoneRuns& runs);
  void write_byte(std::uint8_t byte, const ZoneRuns& runs);
  void write_character(std::uint8_t byte);
  void start_note_text();
  void start_main_tail();

  std::FILE* out_;
  BlockFile& blocks_;
  const Formats& formats_;
  CharState& cs_;
  ParaState& ps_;
  TabTable& tabs_;
  const ReaderTable* table_ = &kMacintoshTable;
  MacFontNumberCache fonts_;
  macwrite_ii::ExpansionCache expansions_;
  long notes_ = 0;
  long column_ = 0;
  FilePtr note_texts_;
  bool tail_started_ = false;
  FilePtr main_tail_;
};

void Conversion::convert_zone_groups(ByteReader& r) {
  for (bool first = true;; first = false) {
    if (!first) {
      if (!r.has(2)) return;
      r.skip(2);
    }
    if (!r.has(10)) return;
    r.skip(10);
    // Once a zone of the group starts beyond the end of the file, the
    // group's other zones are passed over; its records are still read, so
    // that the next group is found where it begins.
    bool group_ended = false;
    for (;;) {
      if (!r.has(kZoneRecordSize)) return;
      const std::size_t start = r.position();
      const std::uint8_t* record = r.bytes(kZoneRecordSize).data();
      const unsigned type = be16_at(record);
      if (type == 2) {  // a new group: its type word comes again after this one's end
        r.seek(start);
        break;
      }
      if (type > 2) break;
      const long first_block = static_cast<std::int16_t>(be16_at(record + 28));
      if (be32_at(record + 72) == 0) {
        r.skip(std::min<std::size_t>(3, r.remaining()));
        if (first_block == 0) r.skip(std::min<std::size_t>(12, r.remaining()));
      }
      if (first_block == 0 || group_ended) continue;
      if (blocks_.block_offset(first_block < 0 ? -first_block : first_block) < 0) {
        blocks_.reach(first_block < 0 ? -first_block : first_block);
        group_ended = true;
        continue;
      }
      convert_zone(first_block);
      if (blocks_.exhausted()) return;
    }
  }
}

void Conversion::convert_zone(long first_block) {
  const std::vector<std::uint8_t> chain = blocks_.flatten_chain(first_block);
  ByteReader z(chain.data(), chain.size());
  z.skip(4);
  std::span<const std::uint8_t> lists[3];
  for (auto& list : lists) {
    const std::uint32_t length = z.be32();
    if (!z.ok() || !z.has(length)) return;  // a list longer than its chain: the zone is damaged
    list = z.bytes(length);
  }
  ZoneRuns runs{lists[1], lists[2]};
  const std::span<const std::uint8_t> block_list = lists[0];

  ByteReader entries(block_list);
  while (entries.has(4)) {
    const long number = entries.be16();
    const std::size_t bytes = entries.be16();
    // Valid until the fork is read again: the text below does not read it.
    const std::span<const std::uint8_t> text = blocks_.read_block(number);
    if (text.empty()) return;  // a block outside the fork: the zone's text ends here
    const std::uint8_t* const block = text.data();
    const std::size_t count = std::min(bytes, text.size());
    for (std::size_t i = 0; i < count;) {
      // Within both runs, the bytes that write only their characters go in
      // pieces; the others, and the byte at which a run ends, one at a time.
      if (runs.char_left != 0 && runs.para_left != 0) {
        std::size_t limit = count - i;
        for (const std::int64_t left : {runs.char_left, runs.para_left}) {
          if (left > 0 && static_cast<std::uint64_t>(left) < limit) limit = static_cast<std::size_t>(left);
        }
        const std::size_t n =
            macwrite_ii::write_expanded_text(out_, expansions_.of(*table_), std::span<const std::uint8_t>(block + i, limit),
                                             column_, ps_.right_margin - ps_.left_margin);
        runs.char_left -= static_cast<std::int64_t>(n);
        runs.para_left -= static_cast<std::int64_t>(n);
        i += n;
        if (i == count) break;
      }
      text_byte(block[i++], runs);
    }
  }
}

void Conversion::text_byte(std::uint8_t byte, ZoneRuns& runs) {
  // A footnote's text begins before the codes of a run that starts with it,
  // so that they travel with the note they belong to.
  if (byte == 0x03) start_note_text();
  if (runs.char_left == 0) next_char_run(runs);
  if (runs.para_left == 0) next_para_run(runs);
  write_byte(byte, runs);
  --runs.char_left;
  --runs.para_left;
}

// A run whose format lies outside the table keeps the format in force.
void Conversion::next_char_run(ZoneRuns& runs) {
  if (runs.next_char + 6 > runs.chars.size()) return;
  const std::uint8_t* run = &runs.chars[runs.next_char];
  runs.next_char += 6;
  const std::size_t index = be16_at(run);
  if (index < formats_.chars.size()) {
    const FormatRecord& f = formats_.chars[index];
    close_attributes(out_, cs_);
    set_font_size(out_, cs_, f.points);
    table_ = &fonts_.select(cs_, f.font, out_);
    // The state takes the format as MacWrite II stores it: the font number
    // in place of the class and the size as a positive number, so the next
    // run writes Font and FontSize again.
    cs_.charset = 0;
    cs_.font_class = static_cast<std::uint8_t>(f.font & 0xFF);
    cs_.colour = 0;
    cs_.size = f.points;
    change_attributes(out_, cs_, f.style, kMacWriteIIStyle.order);
  }
  runs.char_left = be32_at(run + 2);
}

void Conversion::next_para_run(ZoneRuns& runs) {
  if (runs.next_para + 6 > runs.paras.size()) return;
  const std::uint8_t* run = &runs.paras[runs.next_para];
  runs.next_para += 6;
  const std::size_t index = be16_at(run);
  if (index < formats_.paras.size()) {
    const int alignment = formats_.paras[index].alignment;
    install_ruler(out_, tabs_, formats_.paras[index].tabs);
    close_alignment(out_, ps_);
    ps_.centre = alignment == 1;
    ps_.right = alignment == 2;
    ps_.justify = alignment == 3;
    reassert_alignment(out_, ps_);
  }
  runs.para_left = be32_at(run + 2);
}

void Conversion::write_byte(std::uint8_t byte, const ZoneRuns& runs) {
  switch (byte) {
    case 0x02:
    case 0x03:  // written by start_note_text
    case 0x17:
      break;
    case 0x05:
      if (!tail_started_ && notes_ == 0) start_main_tail();
      write_code(out_, NoteCall, 0, 0);
      write_code(out_, EndOfText);
      break;
    case 0x5C:  // a backslash in a text font; the Symbol font's ∴, the dingbat ✼
      write_character(byte);
      ++column_;
      break;
    case 0x09:
    case 0x0C:
      put_byte(byte, out_);
      break;
    case 0xCA:
      if (table_ != &kMacintoshTable) {
        write_character(byte);
      } else {
        write_code(out_, HardSpace);
      }
      ++column_;
      break;
    case 0x0D:
      if (runs.char_left == 1) close_attributes(out_, cs_);
      if (runs.para_left == 1) close_alignment(out_, ps_);
      put_byte(kParagraphEnd, out_);
      column_ = 0;
      break;
    case 0x20:
      if (column_ > ps_.right_margin - ps_.left_margin) {
        put_byte(kLineBreak, out_);
        column_ = 0;
      } else {
        put_byte(' ', out_);
      }
      break;
    default:
      write_character(byte);
      ++column_;
      break;
  }
}

// Ends the previous footnote text and marks the start of the next one; the
// footnote texts are moved to their references when the zones are done. The
// first one moves the output from the stream to a work file: the footnote
// texts follow the main text, so everything from there on is theirs.
void Conversion::start_note_text() {
  if (notes_ != 0) {
    write_code(out_, EndOfText);
  } else {
    note_texts_ = open_work_file();
    if (note_texts_) out_ = note_texts_.get();
  }
  ++notes_;
  const unsigned char marker[4] = {kEscape, macwrite_ii::kNoteTextCode, kEscape, macwrite_ii::kNoteTextCode};
  std::fwrite(marker, 1, sizeof marker, out_);
}

// The first footnote reference: the main text from here on goes to a work
// file, and the footnote texts are put in it at the end (see
// macwrite_ii_notes.h), so the text before the reference is written once.
void Conversion::start_main_tail() {
  tail_started_ = true;
  main_tail_ = open_work_file();
  if (main_tail_) out_ = main_tail_.get();
}

void Conversion::write_character(std::uint8_t byte) { write_source_char(out_, *table_, byte); }

// Whether the reader takes the fork: "." at byte 1 or 3 (the signature test
// asks for more, a zero byte among the first four, but a document named
// explicitly was read without it). Otherwise sets the reason.
bool take_fork(SourceView& fork, const SourceFile& file) {
  const std::span<const std::uint8_t> head = fork.span_up_to(0, kDetectPrefix);
  std::string why;
  const Confidence c = signature_macwrite_ii({head, fork.size(), file.type, file.creator}, &why);
  const bool dot = (head.size() > 1 && head[1] == '.') || (head.size() > 3 && head[3] == '.');
  if (dot) return true;
  if (c != Confidence::None) why = "no \".\" at byte 1 or 3";
  refuse_document(kShownName, why);
  return false;
}

// The document of `fork` to the stream `out`.
int convert_document(SourceView& fork, std::FILE* out) {
  CharState cs;
  ParaState ps;
  TabTable tabs;
  const std::uint64_t size = fork.size();
  Damage damage;
  BlockFile blocks(fork);
  const auto cut_short = [&] { return static_cast<std::uint64_t>(blocks.needed()) > size; };
  const std::vector<std::uint8_t> document = blocks.flatten_chain(kDocumentChainStart);
  ByteReader r(document.data(), document.size());
  Formats formats;
  if (const std::string why = read_formats(r, formats); !why.empty()) {
    Damage tables;
    if (cut_short()) {
      tables.cut_short_at_least("format tables", size, static_cast<std::uint64_t>(blocks.needed()));
    } else {
      tables.note("not a " + std::string(kShownName) + " document: " + why);
    }
    set_handler_reason(tables.reason);
    return kHandlerCannotOpen;
  }

  Conversion conversion(out, blocks, formats, cs, ps, tabs);
  conversion.convert_zone_groups(r);
  // Without a work file for the rest of the main text, it stayed in the
  // stream: enough when there are no footnote texts to put in it.
  if (conversion.note_count() != 0 &&
      (!conversion.note_texts() || (conversion.has_main_tail() && !conversion.main_tail()))) {
    set_handler_reason("cannot create a work file for the footnotes in " + temp_directory());
    return kHandlerCannotOpen;
  }
  if (conversion.main_tail() &&
      macwrite_ii::move_footnotes(out, conversion.main_tail(), conversion.note_texts()) != 0) {
    set_handler_reason("cannot read back the work files of the footnotes");
    return kHandlerCannotOpen;
  }
  if (fork.failed()) {
    set_handler_reason("cannot read the file");
    return kHandlerCannotOpen;
  }
  if (cut_short()) damage.cut_short_at_least("text", size, static_cast<std::uint64_t>(blocks.needed()));
  return reader_result(out, damage);
}

}  // namespace

int orig_macwII(const char* source_path, const char* stream_path) {
  ReaderFiles files;
  if (const int rc = open_reader_files(source_path, stream_path, files); rc != kHandlerOk) return rc;
  const SourceFile& file = files.file;
  FilePtr& out = files.out;
  SourceView fork(file.data);
  if (fork.size() == 0) return refuse_document(kShownName, "the file is empty", kHandlerEmpty);
  if (!take_fork(fork, file)) return kHandlerCannotOpen;
  return convert_document(fork, out.get());
}

// MacWrite II: "." at byte 1 or 3, binary bytes around it, the third block
// present (the document chain starts there).
Confidence signature_macwrite_ii(const DataForkView& f, std::string* why) {
  if (has_codes(f, "MW2D", "MWII")) return Confidence::Certain;
  const bool dot = (f.head.size() > 1 && f.head[1] == '.') || (f.head.size() > 3 && f.head[3] == '.');
  if (!dot) return refuse(why, "no \".\" at byte 1 or 3");
  if (!any_zero(f.head, 0, 4)) return refuse(why, "no zero byte among the first four");
  constexpr std::uint64_t kThirdBlockEnd = 768;
  return f.size >= kThirdBlockEnd && f.type.empty() ? Confidence::Likely : Confidence::Possible;
}

}  // namespace lettrix
