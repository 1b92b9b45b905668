// ClarisWorks and AppleWorks documents (creator "BOBO"), data fork only. All
// numbers are big-endian.
//
//   offset  size  content
//   0       1     format version: 1 to 3 (ClarisWorks 1 to 3), 4 (ClarisWorks 4),
//                 5 (AppleWorks 5), 6 (AppleWorks 6)
//   4       4     "BOBO"
//
// The rest is a sequence of zones, each introduced by the tag "DSET". The first
// zone of a word-processing document holds the main text; the footnote texts
// are the zones after it, one per footnote, in the order of the references.
// From the byte after the tag:
//
//   A   4 + A bytes   zone header; a text zone's number in the word at 14
//   B   4 + B bytes   paragraph runs (below)
//   C   4 + C bytes   character runs (below)
//   D   4 + D bytes   the main zone: what stands at its 0x03 text bytes
//   E   4 + E bytes   a graphics zone holding a picture: the picture
//   text chunks       each a 32-bit length L and L bytes of text; a length of
//                     0 ends the zone, and so does a 0x00 byte in the text
//                     (every zone's text ends with one)
//
// A spreadsheet or drawing document has the same frame, but its first zone
// holds no text chunk at all (its chunk list starts with a length of 0), where
// even a blank word-processing document has one: the 0x00 that ends its text.
//
// What stands at a 0x03 text byte (a picture or a drawing in the line): the
// main zone's D item holds a record of 32 bytes for each, in text order.
//
//   0   4   position of the 0x03 in the zone's text
//   4   2   1 (records of other kinds are not read)
//   6   4   the number of the zone that holds it (its A item's word at 14)
//   14  8   not read (sizes: as shown, and the picture's own plus 2)
//
// A graphics zone holds no text: its A item is a list (below) of its objects
// (records of 38 bytes in version 1, 40 in version 2 and 46 in version 4),
// whose extension starts with 0 and the zone's number as two 16-bit words.
// An object's rectangle in the zone, as four 24.8 fixed-point numbers, lies
// at 4 (top), 8 (left), 12 (bottom) and 16 (right): the first object's is
// the size the page shows the picture at. In the documents of versions 1 and
// 2 at hand a picture's zone has five items, the last (E) the Macintosh
// picture itself: a 2-byte size, its own 8-byte frame, then version 2
// opcodes from 0x0011 0x02FF, or version 1 opcodes from 0x1101, which a run
// of 0x00 bytes (version 1 no-operations, not counted in the size) may
// precede. From version 4 on the zones of drawings made with ClarisWorks's
// own tools end after four items, and their objects are not pictures: they
// are left out, as is a graphics zone that does not fit the file.
//
// Character run: 10 bytes up to version 3, 12 in versions 4 and 5, 18 in 6.
//
//   0   4   position in the zone's text (0x00 not counted) where the run starts
//   4   2   font: up to version 3 the Macintosh font number; from version 4 on
//           an index into the document's own list of font names
//   6   1   vertical position: 1 superscript, 2 subscript
//   7   1   style: bit 0 bold, 1 italic, 2 underline, 3 outline, 4 shadow
//   8   1   size in points
//   12  2   version 6 only: underline, nonzero when underlined (bit 2 of the
//           style byte is then clear)
//
// Paragraph run: 6 bytes in version 1, 8 from version 2 on.
//
//   0   4   position in the zone's text where the paragraph starts
//   4   2   ruler number: up to version 3 an index into the ruler list; from
//           version 4 on a style number, whose style names the ruler (below)
//
// Lists. The tables of a document share one layout:
//
//   0   4   L, the bytes that follow
//   4   2   n, the number of records
//   10  2   s, the size of a record
//   12  2   e, the size of the head extension
//   16  e   head extension; from version 4 on it starts with the list's tag
//   16+e    n records of s bytes (12 + e + n * s = L)
//
// Ruler list (versions 1 to 3): a list without extension at a fixed place of
// the document head, 0x114 in version 1 (92-byte rulers) and 0x158 from
// version 2 on (96-byte rulers). Version 3 is taken to be as version 2; a
// list whose sizes do not add up is not used.
//
//   0   2   paragraphs that use the ruler
//   2   1   bits 7-6: alignment, 0 left, 1 centre, 2 right, 3 justified
//   4   2   first line indent, points, relative to the left indent (signed)
//   6   2   left indent, points from the text's left edge
//   8   2   right indent, points from the text's right edge
//   10  2   version 1: tab count t (at most 20), then t stops of 4 bytes
//   14  2   version 2: tab count t (at most 20), then t stops from 16
//   tab stop: 2 position in points from the text's left edge; 1 kind (0
//   left, and as taken here 1 centre, 2 right, 3 decimal); 1 decimal character
//
// Font list (versions 4 to 6): the list tagged "FNTM"; records of 68 bytes:
// 2 font number, 2 not read, then the font's name as a Pascal string. The
// font field of a character run is an index into this list.
//
// Frames (versions 1 to 3): a zone whose A item is a list of 40-byte records
// (38 in version 1) places other zones on the page: each record holds the
// placed zone's rectangle as four 24.8 fixed-point numbers (top at 4, left at
// 8, bottom at 12, right at 16) and its zone number (at 32, in version 1 at
// 30). The frame that places the main text also places its headers (above
// the main text's rectangle) and footers (below it); their zones are text
// zones like any other.
//
// From version 4 on, paragraph runs name a style, and the style its ruler:
//
// Style list: the list tagged "STYL"; records of 28 bytes (30 in version 6)
//   8   2   the style's number, as paragraph runs name it
//   24  2   the index of its ruler in the ruler list (0xFFFF: none)
//
// Ruler list: the list tagged "RULR"; records of 108 bytes. A ruler holds
// every field, those its style gives it included.
//
//   0   6   as a style record's head: not read
//   6   2   mask of the fields the ruler sets itself        not read
//   8   2   mask of the fields it takes from its style      not read
//   10  4                                                   not read (0)
//   14  1   bits 7-6: alignment, 0 left, 1 centre, and as taken here (as up
//           to version 3) 2 right, 3 justified
//   15  1                                                   not read
//   16  2   first line indent, points from the left indent (signed)
//   18  2   left indent, points from the text's left edge
//   20  2   right indent, points from the text's right edge (as up to
//           version 3; 0 in every ruler at hand)
//   22  4                                                   not read
//   26  2   tab count t (at most 20), then t stops from 28
//   tab stop: 2 position in points from the text's left edge; 1 kind in bits
//   7-6 (0 left, 1 centre, 2 right, and as taken here 3 decimal); 1 decimal
//   character
//
// The space before and after a paragraph has no code in the stream. Where a
// ruler keeps them and its line spacing is not known: in the documents at
// hand the bytes at 10 and 22 are 0, or the words at 22 and 24 are 2 and 2
// in a ruler that ClarisWorks itself exports as single spaced without space
// around.
//
// Text bytes: 0x00 end of the text, 0x01 page break, 0x02 footnote reference,
// 0x03 a picture or drawing (in the main text), 0x06 a header's or footer's
// page number, 0x07 dropped, 0x09 tab, 0x0D paragraph end, 0xCA non-breaking
// space; the others, 0x5C among them (a backslash in most fonts, but the
// Symbol font's ∴ and the dingbat ✼), are characters of the run's font.
#include "readers/clarisworks.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/byte_helpers.h"
#include "core/char_output.h"
#include "core/charset.h"
#include "core/emitter.h"
#include "core/handler.h"
#include "core/mac_font_names.h"
#include "core/source_detection.h"
#include "core/source_view.h"
#include "core/stream_codes.h"
#include "core/style_bits.h"
#include "support/byte_io.h"
#include "support/file_handle.h"
#include "support/strings.h"
#include "readers/clarisworks_document.h"
#include "readers/clarisworks_pictures.h"
#include "readers/mac_picture.h"
#include "readers/plain_bytes.h"
#include "readers/reader_damage.h"
#include "readers/reader_entry.h"

namespace lettrix {

namespace {

using clarisworks::Ruler;
using Bytes = std::span<const std::uint8_t>;

constexpr const char* kShownName = "Claris/AppleWorks";
constexpr std::uint8_t kZoneTag[] = {'D', 'S', 'E', 'T'};
constexpr int kZoneItems = 5;      // A to E
constexpr int kParagraphItem = 1;  // B
constexpr std::size_t kZoneIdAt = 14;  // in A
constexpr int kRunItem = 2;        // C
constexpr int kRefItem = 3;        // D
constexpr int kLastItem = 4;       // E

// The underline bit of a run's style byte (kClarisWorksStyle), which version 6
// keeps in a word of its own.
constexpr std::uint8_t kStyleUnderline = 0x04;

// The attributes a run sets, as a note hands them back to the main text: the
// off codes first.
constexpr AttributeOrder kRestoreOrder({Attr::Bold, Attr::Italic, Attr::Underline, Attr::Outline, Attr::Shadow,
                                        Attr::Superscript, Attr::Subscript},
                                       true);

constexpr int kInitialPoints = 10;  // the size every stream starts with

// How the character runs of a document are laid out, from its version byte.
struct RunFormat {
  std::size_t record_size = 10;
  bool font_is_number = true;   // the font field is a Macintosh font number
  bool underline_word = false;  // underline lives in the word at 12
  std::size_t paragraph_record_size = 8;
};

RunFormat run_format(std::uint8_t version) {
  if (version <= 1) return {10, true, false, 6};
  if (version <= 3) return {10, true, false, 8};
  if (version <= 5) return {12, false, false, 8};
  return {18, false, true, 8};
}

struct Run {
  std::uint32_t start = 0;
  int font = 0;
  std::uint8_t vertical = 0;
  std::uint8_t style = 0;
  std::uint8_t size = 0;
};

// A run from its record (format.record_size bytes).
Run decode_run(std::span<const std::uint8_t> record, const RunFormat& format) {
  ByteReader r(record);
  Run run;
  run.start = r.be32();
  run.font = r.be16();
  run.vertical = r.u8();
  run.style = r.u8();
  run.size = r.u8();
  if (format.underline_word) {
    r.seek(12);
    if (r.be16() != 0) run.style |= kStyleUnderline;
  }
  return run;
}

// A stretch of the file: where it starts and how long it is.
struct Part {
  std::size_t at = 0;
  std::size_t size = 0;
};

// A zone located in the file: its character runs and where its text chunks start.
struct Zone {
  std::size_t tag = 0;   // offset of "DSET"
  Part head;             // the A item
  Part paragraphs;       // the B item
  Part runs;             // the C item
  Part refs;             // the D item
  Part last;             // the E item
  std::size_t text = 0;  // offset of the first chunk's length
  std::uint64_t needed = 0;  // for a damaged zone: the end of the item that runs past the file's
};

enum class ZoneSearch { Found, Damaged, None };

// Looks for the next zone from `from`. Damaged: a tag whose items A to E run
// past the end of the file (zone.tag is set). With `tags` the tag is looked
// up among those already found.
ZoneSearch find_zone(SourceView& file, std::size_t from, Zone& zone, clarisworks::ZoneTags* tags = nullptr) {
  if (from >= file.size()) return ZoneSearch::None;
  const std::size_t hit = tags ? tags->find(from) : file.find(from, kZoneTag);
  if (hit == file.size()) return ZoneSearch::None;
  zone.tag = hit;
  std::size_t at = zone.tag + sizeof kZoneTag;
  for (int item = 0; item < kZoneItems; ++item) {
    std::uint32_t length = 0;
    zone.needed = at + 4;
    if (file.size() - at < 4 || !file.be32(at, length)) return ZoneSearch::Damaged;
    at += 4;
    zone.needed = at + length;
    if (length > file.size() - at) return ZoneSearch::Damaged;
    if (item == 0) zone.head = {at, length};
    if (item == kParagraphItem) zone.paragraphs = {at, length};
    if (item == kRunItem) zone.runs = {at, length};
    if (item == kRefItem) zone.refs = {at, length};
    if (item == kLastItem) zone.last = {at, length};
    at += length;
  }
  zone.text = at;
  return ZoneSearch::Found;
}

// Walks the text chunks of a zone. A length of 0 or the end of the file ends
// the walk. A chunk that runs past the end of the file gives the bytes the
// file holds (the text is cut short there; a 0x00 among them still ends it)
// and ends the walk.
struct ChunkWalk {
  SourceView& file;
  std::size_t next = 0;    // after the walk: the offset just after the zone
  std::size_t needed = 0;  // when the file ends inside the zone: the bytes it needs

  bool step(Part& chunk) {
    std::uint32_t length = 0;
    if (file.size() - next < 4) {
      if (needed == 0) needed = next + 4;
      next = file.size();
      return false;
    }
    if (!file.be32(next, length)) {  // unreadable: the conversion fails
      next = file.size();
      return false;
    }
    next += 4;
    if (length > file.size() - next) {
      if (needed == 0) needed = next + length;
      chunk = {next, file.size() - next};
      next = file.size();
      return chunk.size != 0;
    }
    if (length == 0) return false;
    chunk = {next, length};
    next += length;
    return true;
  }
};

// Whether the stretch of the file holds a 0x00 byte.
bool holds_zero(SourceView& file, Part part) {
  while (part.size > 0) {
    const Bytes v = file.view(part.at);
    if (v.empty()) return false;
    const std::size_t n = std::min(v.size(), part.size);
    if (std::memchr(v.data(), 0, n)) return true;
    part.at += n;
    part.size -= n;
  }
  return false;
}

// Where the zone's text ends: just after its chunk that holds the 0x00, or
// after its last chunk. `inside`, when given, tells whether the file holds
// every chunk up to there.
std::size_t zone_end(SourceView& file, const Zone& zone, bool* inside = nullptr) {
  ChunkWalk walk{file, zone.text};
  Part chunk;
  while (walk.step(chunk))
    if (holds_zero(file, chunk)) break;
  if (inside) *inside = walk.needed == 0;
  return walk.next;
}

// A text zone's number, by which frames place it; -1 when its head is too short.
int zone_id(SourceView& file, const Zone& zone) {
  std::uint16_t id = 0;
  return zone.head.size >= kZoneIdAt + 2 && file.be16(zone.head.at + kZoneIdAt, id) ? id : -1;
}

bool has_text(SourceView& file, const Zone& zone) {
  ChunkWalk walk{file, zone.text};
  Part chunk;
  return walk.step(chunk);
}

// The class and table that a font of a run gave the first time it was met:
// a run names one of a few fonts again and again.
struct FontChoice {
  bool known = false;
  std::uint8_t font_class = 0;
  const ReaderTable* table = nullptr;
};

// Text bytes that are not simply characters of the run's font (0x00 included).
constexpr std::array<bool, 256> kStructureBytes = [] {
  std::array<bool, 256> b{};
  for (int c : {0x00, 0x01, 0x02, 0x03, 0x06, 0x07, 0x09, 0x0D, 0xCA, int{kEscape}})
    b[static_cast<std::size_t>(c)] = true;
  return b;
}();

// A whole zone other than the main one, by its number.
struct NumberedZone {
  std::uint32_t number = 0;
  Zone zone;
};

// One conversion: the source and the stream being written.
struct Conversion {
  explicit Conversion(SourceView& source) : file(source), tags(source) {}

  SourceView& file;
  clarisworks::ZoneTags tags;  // the zone tags, kept from the first search
  std::FILE* out = nullptr;
  RunFormat format;
  clarisworks::Rulers rulers;
  std::vector<std::string> font_names;   // versions 4 to 6
  std::vector<FontChoice> font_choices;  // by place in font_names; the last for a place beyond the list
  MacFontNumberCache font_numbers;       // versions 1 to 3
  PlainByteTables plain{kStructureBytes};
  clarisworks::ParagraphFormat paragraph;
  std::vector<std::size_t> head_tags;   // zones of the headers and footers
  int notes = 0;                     // references met so far
  std::size_t note_search = 0;       // where the next footnote zone is looked for
  bool zones_exhausted = false;      // no zone is left for further references
  // Pictures: the main zone's references, the next one to meet, the zones
  // (indexed when the first picture is met), and how many picture bytes may
  // still be written.
  std::vector<clarisworks::PictureRef> picture_refs;
  std::size_t next_picture = 0;
  std::vector<std::uint32_t> picture_zones;  // the zone numbers they name, sorted: no note's
  bool zones_indexed = false;
  std::vector<NumberedZone> numbered_zones;  // by number, then in file order
  std::uint64_t picture_budget = 0;
  std::vector<std::uint8_t> picture;  // the picture being written
  Damage damage;
};

// The whole zone with the number, other than the main one (the first in the
// file when several have it); null when there is none. The zones are indexed by
// one walk over the file the first time.
const NumberedZone* find_numbered_zone(Conversion& c, std::uint32_t number) {
  if (!c.zones_indexed) {
    c.zones_indexed = true;
    std::size_t from = 0;
    Zone zone;
    for (ZoneSearch s; (s = find_zone(c.file, from, zone, &c.tags)) != ZoneSearch::None;
         from = zone.tag + sizeof kZoneTag, zone = Zone{}) {
      if (from == 0) continue;  // the main zone comes first
      const int id = zone_id(c.file, zone);
      if (id >= 0 && s == ZoneSearch::Found) c.numbered_zones.push_back({static_cast<std::uint32_t>(id), zone});
    }
    std::stable_sort(c.numbered_zones.begin(), c.numbered_zones.end(),
                     [](const NumberedZone& a, const NumberedZone& b) { return a.number < b.number; });
  }
  const auto at = std::lower_bound(c.numbered_zones.begin(), c.numbered_zones.end(), number,
                                   [](const NumberedZone& z, std::uint32_t n) { return z.number < n; });
  return at != c.numbered_zones.end() && at->number == number ? &*at : nullptr;
}

// What a zone's text is in the stream: the body, a note's text or a header's
// or footer's text. Notes and running heads are embedded texts: a paragraph
// mark at their end is not kept and references in them are dropped. Rulers
// apply to the body and the running heads; a note keeps the paragraph in force.
enum class ZoneKind { Body, Note, RunningHead };

// A run or paragraph start beyond every text position.
constexpr std::uint64_t kNever = std::uint64_t{1} << 32;

// Converts one zone's text. An embedded text (main_state given) starts from
// the state at its place in the stream, with its size cleared so that its
// first run writes one, and hands that state back to the stream before it ends.
class ZoneWriter {
 public:
  ZoneWriter(Conversion& c, const Zone& zone, ZoneKind kind, const CharState* main_state)
      : c_(c), zone_(zone), footnote_(kind != ZoneKind::Body), paragraphs_(kind != ZoneKind::Note),
        running_head_(kind == ZoneKind::RunningHead), run_count_(zone.runs.size / c.format.record_size),
        paragraph_count_(paragraphs_ ? zone.paragraphs.size / c.format.paragraph_record_size : 0) {
    if (main_state) cs_ = *main_state;
    cs_.size = 0;
    plain_ = c_.plain.bytes(*table_);
    next_run_start_ = run_start(0);
    next_paragraph_start_ = paragraph_start(0);
  }

  void convert() {
    ChunkWalk walk{c_.file, zone_.text};
    Part chunk;
    bool ended = false;
    while (!ended && walk.step(chunk)) ended = convert_chunk(chunk);
    if (!ended && walk.needed != 0) c_.damage.cut_short_at_least("text", c_.file.size(), walk.needed);
  }

  // Back to the main text's formatting, so that nothing set inside the note
  // outlives its EndOfText: first the attributes the note has on and the main
  // text has not, then those the main text has on, then size and font class.
  void restore(const CharState& main_state) {
    change_attributes(c_.out, cs_, char_format(main_state), kRestoreOrder);
    if (cs_.size != 0) set_font_size(c_.out, cs_, main_state.size != 0 ? -main_state.size : kInitialPoints);
    set_font_class(c_.out, cs_, main_state.font_class);
  }

  const CharState& state() const { return cs_; }

 private:
  // True when the zone's text ends in this chunk (or cannot be read). Before
  // each byte the paragraph runs and then the character runs that start at
  // its position apply. The bytes come through a view of the file, taken
  // again whenever another part of the file was read (runs, a note's zone).
  bool convert_chunk(Part chunk) {
    std::FILE* const out = c_.out;
    std::size_t done = 0;
    while (done < chunk.size) {
      const Bytes v = c_.file.view(chunk.at + done);
      if (v.empty()) return true;
      const std::uint8_t* const p = v.data();
      const std::size_t n = std::min(v.size(), chunk.size - done);
      std::size_t i = 0;
      bool moved = false;  // the view may be stale
      while (i < n && !moved) {
        // Characters up to the next run or structure byte.
        const std::size_t plain_end =
            std::min<std::uint64_t>(n, i + (next_event() > position_ ? next_event() - position_ : 0));
        const std::uint8_t* const plain = plain_;
        const std::size_t first = i;
        for (std::uint8_t b; i < plain_end && (b = plain[p[i]]) != 0; ++i) put_byte(b, out);
        position_ += static_cast<std::uint32_t>(i - first);
        if (i == n) break;
        const std::uint8_t byte = p[i++];
        if (byte == 0x00) return true;
        if (position_ >= next_event()) {
          if (position_ >= next_paragraph_start_) apply_paragraph_runs();
          if (position_ >= next_run_start_) apply_runs();
          moved = true;
        }
        // A note or a picture reads other parts of the file.
        if ((byte == 0x02 || byte == 0x03) && !footnote_) moved = true;
        // A note's own paragraph mark at its end is not kept.
        const bool note_end = footnote_ && done + i + 1 >= chunk.size;
        write_byte(byte, note_end);
        ++position_;
      }
      done += i;
    }
    return false;
  }

  std::uint64_t next_event() const { return std::min(next_run_start_, next_paragraph_start_); }

  // Where run k starts; kNever when there is none.
  std::uint64_t run_start(std::size_t k) {
    std::uint32_t start = 0;
    if (k >= run_count_ || !c_.file.be32(zone_.runs.at + k * c_.format.record_size, start)) return kNever;
    return start;
  }
  std::uint64_t paragraph_start(std::size_t k) {
    std::uint32_t start = 0;
    if (k >= paragraph_count_ || !c_.file.be32(zone_.paragraphs.at + k * c_.format.paragraph_record_size, start))
      return kNever;
    return start;
  }

  // Applies the last run that starts at or before the position. A run that
  // starts before the one in force (out of order) is passed over.
  void apply_runs() {
    const std::size_t size = c_.format.record_size;
    std::uint32_t floor = last_start_;
    bool found = false;
    Run run;
    while (next_run_start_ <= position_) {
      const std::size_t k = next_run_++;
      Bytes record;
      if (next_run_start_ >= floor && (record = c_.file.span(zone_.runs.at + k * size, size)).size() == size) {
        run = decode_run(record, c_.format);
        floor = run.start;
        found = true;
      }
      next_run_start_ = run_start(next_run_);
    }
    if (!found) return;
    last_start_ = floor;
    apply(run);
  }

  // Applies the ruler of the last paragraph run that starts at or before the
  // position, passing over runs out of order as for character runs. A number
  // that names no ruler changes nothing.
  void apply_paragraph_runs() {
    const std::size_t size = c_.format.paragraph_record_size;
    std::uint32_t floor = last_paragraph_start_;
    int ruler = -1;
    while (next_paragraph_start_ <= position_) {
      const std::size_t k = next_paragraph_++;
      std::uint16_t number = 0;
      if (next_paragraph_start_ >= floor && c_.file.be16(zone_.paragraphs.at + k * size + 4, number)) {
        ruler = number;
        floor = static_cast<std::uint32_t>(next_paragraph_start_);
      }
      next_paragraph_start_ = paragraph_start(next_paragraph_);
    }
    if (ruler < 0) return;
    last_paragraph_start_ = floor;
    if (const Ruler* r = c_.rulers.find(ruler)) clarisworks::apply_ruler(c_.out, c_.paragraph, *r);
  }

  // Up to version 3 a run names its font by number, from version 4 on by its
  // place in the document's font list.
  const ReaderTable& select_font(int font) {
    if (c_.format.font_is_number) return c_.font_numbers.select(cs_, font, c_.out);
    const std::size_t place = std::min(static_cast<std::size_t>(font), c_.font_names.size());
    FontChoice& choice = c_.font_choices[place];
    if (choice.known) {
      set_font_class(c_.out, cs_, choice.font_class);
      return *choice.table;
    }
    std::string_view name;
    if (place < c_.font_names.size()) name = c_.font_names[place];
    const ReaderTable& table = select_mac_font_name(cs_, name, c_.out);
    choice = {true, cs_.font_class, &table};
    return table;
  }

  void apply(const Run& run) {
    std::FILE* out = c_.out;
    set_font_size(out, cs_, run.size);
    const ReaderTable* table = &select_font(run.font);
    if (table != table_) {
      table_ = table;
      plain_ = c_.plain.bytes(*table);
    }
    if (run.style != 0)
      write_style(out, cs_, kClarisWorksStyle, run.style);
    else
      close_attributes(out, cs_);
    write_style(out, cs_, kClarisWorksPosition, run.vertical);
  }

  void write_byte(std::uint8_t byte, bool note_end) {
    std::FILE* out = c_.out;
    switch (byte) {
      case 0x01: put_byte(kPageBreak, out); break;
      case 0x02:
        if (!footnote_) write_note();  // notes do not nest: a reference inside one is dropped
        break;
      case 0x03:  // a picture in the body; nothing elsewhere
        if (!footnote_) write_picture();
        break;
      case 0x06:  // the page number field of a header or footer
        if (running_head_) write_code(out, PageNumber);
        else write_char(byte);
        break;
      case 0x07: break;
      case 0x09: put_byte(kTab, out); break;
      case 0x0D:
        if (!note_end) put_byte(kParagraphEnd, out);
        break;
      case 0xCA: write_code(out, HardSpace); break;
      default: write_char(byte); break;  // 0x5C too: a Backslash code where the font's is one
    }
  }

  void write_char(std::uint8_t byte) { write_source_char(c_.out, *table_, byte); }

  // A reference: NoteCall with the note's number, the text of the next zone
  // after the last one used, EndOfText. When the zones have run out the note
  // is left empty.
  void write_note() {
    Conversion& c = c_;
    ++c.notes;
    write_code(c.out, NoteCall, 0, c.notes & 0xFF);
    while (!c.zones_exhausted) {
      Zone zone;
      const ZoneSearch found = find_zone(c.file, c.note_search, zone, &c.tags);
      if (found == ZoneSearch::None) {
        c.zones_exhausted = true;
        break;
      }
      if (found == ZoneSearch::Damaged) {
        c.note_search = zone.tag + sizeof kZoneTag;
        break;
      }
      c.note_search = zone_end(c.file, zone);
      // A header or footer is no note, nor is a picture's zone.
      if (std::find(c.head_tags.begin(), c.head_tags.end(), zone.tag) != c.head_tags.end()) continue;
      if (const int id = zone_id(c.file, zone);
          id >= 0 && std::binary_search(c.picture_zones.begin(), c.picture_zones.end(), static_cast<std::uint32_t>(id)))
        continue;
      ZoneWriter note(c, zone, ZoneKind::Note, &cs_);
      note.convert();
      note.restore(cs_);
      break;
    }
    write_code(c.out, EndOfText);
  }

  // The picture that the main zone's reference at this text position names:
  // the Picture code, or nothing when the zone holds no picture (a drawing
  // of ClarisWorks's own objects) or the position has no reference.
  void write_picture() {
    Conversion& c = c_;
    std::vector<clarisworks::PictureRef>& refs = c.picture_refs;
    while (c.next_picture < refs.size() && refs[c.next_picture].position < position_) ++c.next_picture;
    if (c.next_picture == refs.size() || refs[c.next_picture].position != position_) return;
    const std::uint32_t number = refs[c.next_picture++].zone;
    // The zones of a drawing's objects end before an E item from version 4
    // on, and a picture's zone that runs past the end of the file is not
    // whole: neither is found, and the text goes on without them.
    const NumberedZone* found = find_numbered_zone(c, number);
    if (!found) return;
    const Zone* zone = &found->zone;
    if (zone->last.size > c.picture_budget) {
      c.picture_budget = 0;
      return;
    }
    c.picture_budget -= zone->last.size;
    std::string why;
    const std::size_t head_length = zone->head.at - 4;
    switch (clarisworks::read_zone_picture(c.file, head_length, zone->last.at, zone->last.size, c.picture, why)) {
      case clarisworks::ZonePicture::Picture: write_mac_picture(c.out, c.picture); break;
      case clarisworks::ZonePicture::Damaged:
        c.damage.note("the picture at text position " + with_thousands(position_) + " is damaged: " + why);
        break;
      case clarisworks::ZonePicture::NotPicture: break;
    }
  }

  Conversion& c_;
  const Zone& zone_;
  const bool footnote_;      // an embedded text
  const bool paragraphs_;    // rulers apply
  const bool running_head_;
  const std::size_t run_count_;
  const std::size_t paragraph_count_;  // 0 when rulers do not apply
  CharState cs_{};
  const ReaderTable* table_ = &kMacintoshTable;
  const std::uint8_t* plain_ = nullptr;  // plain bytes of table_
  std::uint32_t position_ = 0;
  std::size_t next_run_ = 0;
  std::uint64_t next_run_start_ = kNever;
  std::uint32_t last_start_ = 0;  // start of the run in force
  std::size_t next_paragraph_ = 0;
  std::uint64_t next_paragraph_start_ = kNever;
  std::uint32_t last_paragraph_start_ = 0;
};

// The least 32-bit word made of four letters.
constexpr std::uint64_t kLeastLetterWord = 0x41414141;

// From its first zone on, a document is a sequence of tags (four letters:
// "DSET", "FNTM", "ETBL", ...) and items (a 32-bit length and that many
// bytes), zones and their text chunks included; the last item ends where the
// file ends. A length of four letters would exceed any file, so the two
// cannot be taken for each other. Notes an item that runs past the end.
void check_items(SourceView& file, std::size_t first_zone, Damage& damage) {
  const auto letter = [](std::uint32_t word, int shift) {
    const std::uint8_t b = static_cast<std::uint8_t>(word >> shift);
    return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
  };
  std::size_t at = first_zone;
  while (at < file.size()) {  // every step moves on by 4 bytes at least
    if (file.size() - at < 4) {
      damage.cut_short_at_least("document", file.size(), at + 4);
      return;
    }
    std::uint32_t word = 0;
    if (!file.be32(at, word)) return;
    at += 4;
    if (letter(word, 24) && letter(word, 16) && letter(word, 8) && letter(word, 0)) continue;
    const std::uint32_t length = word;
    if (length > file.size() - at) {
      damage.cut_short_at_least("document", file.size(), at + length);
      return;
    }
    at += length;
  }
}

// The text zone with the number id, other than the main text; false when
// there is none.
bool find_zone_by_id(SourceView& file, clarisworks::ZoneTags& tags, int id, const Zone& main_zone, Zone& found) {
  std::size_t from = 0;
  Zone zone;
  for (ZoneSearch s; (s = find_zone(file, from, zone, &tags)) != ZoneSearch::None; from = zone.tag + sizeof kZoneTag) {
    if (s == ZoneSearch::Found && zone.tag != main_zone.tag && zone_id(file, zone) == id && has_text(file, zone)) {
      found = zone;
      return true;
    }
  }
  return false;
}

// Headers and footers, ahead of the body: HeaderAll or FooterAll, the text,
// EndOfText. The body then starts from the stream's initial character state.
void write_running_heads(Conversion& c, const Zone& main_zone, int version) {
  for (const clarisworks::RunningHead& head :
       clarisworks::read_running_heads(c.file, c.tags, version, zone_id(c.file, main_zone))) {
    Zone zone;
    if (!find_zone_by_id(c.file, c.tags, head.zone_id, main_zone, zone)) continue;
    if (std::find(c.head_tags.begin(), c.head_tags.end(), zone.tag) != c.head_tags.end()) continue;
    c.head_tags.push_back(zone.tag);
    write_plain_code(c.out, head.footer ? FooterAll : HeaderAll);
    const CharState initial{};
    ZoneWriter writer(c, zone, ZoneKind::RunningHead, &initial);
    writer.convert();
    writer.restore(initial);
    write_code(c.out, EndOfText);
  }
}

int unreadable() {
  set_handler_reason("a part of the file could not be read");
  return -1;
}

// The document is known to be one (its signature test passed).
int convert(SourceView& file, std::FILE* out) {
  const Bytes head = file.span(0, 1);
  if (head.empty()) return unreadable();
  const std::uint8_t version = head[0];

  Zone main_zone;
  const ZoneSearch main_search = find_zone(file, 0, main_zone);
  if (file.failed()) return unreadable();
  if (main_search == ZoneSearch::Damaged)
    set_handler_reason("the main text's zone (its tag at byte " + with_thousands(main_zone.tag) +
                       ") runs past the end of the file: it needs " + with_thousands(main_zone.needed) + " bytes of " +
                       with_thousands(file.size()));
  if (main_search == ZoneSearch::None) set_handler_reason("no text zone: the file ends before its first zone");
  if (main_search != ZoneSearch::Found) return -1;
  if (!has_text(file, main_zone)) {
    ChunkWalk walk{file, main_zone.text};
    Part chunk;
    walk.step(chunk);
    if (file.failed()) return unreadable();
    Damage cut;
    if (walk.needed != 0) cut.cut_short_at_least("text", file.size(), walk.needed);
    // A spreadsheet or a drawing, or a text cut off before its first chunk.
    set_handler_reason(cut.found() ? cut.reason
                                   : "its first zone (the tag at byte " + with_thousands(main_zone.tag) +
                                         ") holds no text: a spreadsheet or a drawing");
    return -1;
  }

  Conversion c(file);
  c.out = out;
  c.format = run_format(version);
  c.rulers = clarisworks::read_rulers(file, version);
  if (!c.format.font_is_number) {
    c.font_names = clarisworks::read_font_names(file);
    c.font_choices.resize(c.font_names.size() + 1);
  }
  c.picture_refs = clarisworks::read_picture_refs(file, main_zone.refs.at, main_zone.refs.size);
  for (const clarisworks::PictureRef& ref : c.picture_refs) c.picture_zones.push_back(ref.zone);
  std::sort(c.picture_zones.begin(), c.picture_zones.end());
  c.picture_budget = 4 * file.size() + 4096;
  bool main_inside = false;
  const std::size_t main_end = zone_end(file, main_zone, &main_inside);
  c.note_search = main_end;
  write_running_heads(c, main_zone, version);
  ZoneWriter(c, main_zone, ZoneKind::Body, nullptr).convert();
  // Up to the end of its text the main zone is a tag, its five items and its
  // chunks, found whole in the file: in a file smaller than any length word
  // of four letters none of them can be taken for a tag, so the items are
  // checked from there on.
  const bool main_checked = main_inside && file.size() < kLeastLetterWord;
  check_items(file, main_checked ? main_end : main_zone.tag, c.damage);
  // A source that could not be read whole gives no result.
  if (file.failed()) return unreadable();
  return reader_result(c.out, c.damage);
}

}  // namespace

int orig_clarisworks(const char* source_path, const char* stream_path) {
  ReaderFiles files;
  if (const int rc = open_reader_files(source_path, stream_path, files); rc != kHandlerOk) return rc;
  SourceView file(files.file.data);
  std::string why;
  if (signature_clarisworks(signature_view_of(files.file, file), &why) == Confidence::None)
    return refuse_document(kShownName, why);
  return convert(file, files.out.get());
}

// ClarisWorks and AppleWorks: "BOBO" at byte 4, in every version, and room
// for the 256-byte header, the first zone's "DSET" tag and its header length:
// a Finder-information file, which holds the creator "BOBO" at byte 4 too, is
// 32 bytes.
Confidence signature_clarisworks(const DataForkView& f, std::string* why) {
  constexpr std::uint64_t kSmallest = 256 + 4 + 4;
  if (!starts_with(f.head, "BOBO", 4)) return refuse(why, "no \"BOBO\" at byte 4");
  if (f.size < kSmallest)
    return refuse(why, "too short for a document: " + std::to_string(f.size) + " bytes, less than the " +
                           std::to_string(kSmallest) + " of the header, the first zone's tag and its length");
  return Confidence::Certain;
}

}  // namespace lettrix
