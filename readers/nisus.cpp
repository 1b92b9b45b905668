// Nisus Writer documents, taken as MacBinary files: the text is the data fork,
// the footnote texts are resources of type "FNTX" in the resource fork
// (core/resource_fork.h). All numbers are big-endian.
//
// MacBinary header, 128 bytes:
//   0    1   0 (or 0x80)
//   1    1   length k of the file name, not 0; byte k + 3 is 0
//   65   4   file type: "TEXT" (Nisus Writer keeps plain text in the data
//            fork, so its documents are text files to the Finder)
//   83   4   data fork length D
//   87   4   resource fork length
// The data fork follows at 128, the resource fork at 128 + D rounded up to a
// multiple of 128.
//
// A data fork alone is read when a wrapper in front of the reader supplied
// its resource fork (core/wrapped_source.h), and the file type the wrapper
// kept, if any, is "TEXT": the whole file is then the text.
//
// Text: characters of the Macintosh character set; 0x1C marks a footnote
// reference. The "FNTX" resources, taken in the order of the map, hold the
// footnote texts one after another, each introduced by 0x1C: the n-th text
// belongs to the n-th reference.
#include "readers/nisus.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "core/byte_helpers.h"
#include "core/char_output.h"
#include "core/charset.h"
#include "core/driver_state.h"
#include "core/emitter.h"
#include "core/handler.h"
#include "core/resource_fork.h"
#include "core/stream_codes.h"
#include "readers/reader_damage.h"
#include "support/byte_io.h"
#include "support/file_handle.h"
#include "support/work_file.h"

namespace lettrix {

namespace {

constexpr long kMacBinaryHeaderSize = 128;
constexpr std::size_t kFileTypeOffset = 65;
constexpr std::uint8_t kTextType[] = {'T', 'E', 'X', 'T'};
constexpr std::size_t kDataLengthOffset = 83;
constexpr std::uint8_t kNoteMark = 0x1C;
constexpr std::uint32_t kFootnoteType = resource_type("FNTX");

// Where the forks lie; false when the file is no text file. A fork that the
// file holds only in part is noted as damage: the text is read as far as the
// file goes, and a cut resource fork is left out (its footnotes are lost).
struct Forks {
  long data_offset = kMacBinaryHeaderSize;
  std::uint32_t data_length = 0;
  long resource_offset = 0;
  std::uint32_t resource_length = 0;
};

bool locate_forks(std::FILE* in, long file_size, Forks& forks, Damage& damage) {
  std::uint8_t header[kMacBinaryHeaderSize];
  if (std::fseek(in, 0, SEEK_SET) != 0 || std::fread(header, 1, sizeof header, in) != sizeof header) return false;
  ByteReader h(header, sizeof header);
  h.seek(kFileTypeOffset);
  const auto type = h.bytes(sizeof kTextType);
  if (!h.ok() || !std::equal(type.begin(), type.end(), std::begin(kTextType))) return false;
  h.seek(kDataLengthOffset);
  forks.data_length = h.be32();
  forks.resource_length = h.be32();
  if (!h.ok()) return false;
  const std::uint64_t size = static_cast<std::uint64_t>(file_size);
  const std::uint64_t data_end = kMacBinaryHeaderSize + std::uint64_t{forks.data_length};
  if (data_end > size) {
    check_macbinary_data_fork(forks.data_length, size, damage);
    forks.data_length = static_cast<std::uint32_t>(size - kMacBinaryHeaderSize);
    forks.resource_length = 0;
  }
  const std::uint64_t resource_offset = (data_end + 127) / 128 * 128;
  if (forks.resource_length != 0 &&
      (resource_offset > size || forks.resource_length > size - resource_offset)) {
    damage.cut_short("resource fork", size, resource_offset + forks.resource_length);
    forks.resource_length = 0;
  }
  forks.resource_offset = static_cast<long>(resource_offset < size ? resource_offset : size);
  return true;
}

// The forks of a bare data fork whose resource fork lies in a file of its own.
bool separate_forks(long data_size, std::FILE* resource, Forks& forks) {
  const long resource_size = stream_size(resource);
  if (resource_size < 0 || data_size > 0xFFFFFFFFL || resource_size > 0xFFFFFFFFL) return false;
  forks.data_offset = 0;
  forks.data_length = static_cast<std::uint32_t>(data_size);
  forks.resource_offset = 0;
  forks.resource_length = static_cast<std::uint32_t>(resource_size);
  return true;
}

// Appends the data of every "FNTX" resource to the notes file. False when the
// resource fork is damaged (the reason given) or the notes cannot be written.
bool collect_footnotes(std::FILE* in, const Forks& forks, std::FILE* notes) {
  ResourceFork fork(in, forks.resource_offset, forks.resource_length);
  const ResourceForkStatus status = fork.read_map();
  if (status == ResourceForkStatus::Empty) return true;
  if (status != ResourceForkStatus::Ok) {
    set_handler_reason("the resource fork's map points outside the fork");
    return false;
  }
  std::vector<std::uint8_t> data;
  for (const ResourceRef& ref : fork.refs()) {
    if (ref.type != kFootnoteType) continue;
    if (!fork.read_data(ref, data)) {
      set_handler_reason("a footnote lies outside the resource fork");
      return false;
    }
    if (!data.empty() && std::fwrite(data.data(), 1, data.size(), notes) != data.size()) return false;
  }
  return std::fflush(notes) == 0 && std::fseek(notes, 0, SEEK_SET) == 0;
}

void write_text_byte(std::FILE* out, int byte) {
  if (byte == kEscape)
    write_code(out, Backslash);
  else if (byte >= 0x80)
    write_source_char(out, kMacintoshTable, static_cast<std::uint8_t>(byte));
  else
    put_byte(byte, out);
}

// The next footnote text: from the next 0x1C of the notes file up to the one
// after it (left for the next note) or the end of the file.
void write_next_footnote(std::FILE* notes, std::FILE* out) {
  int c;
  while ((c = get_byte(notes)) != EOF && c != kNoteMark) {
  }
  if (c == EOF) return;
  while ((c = get_byte(notes)) != EOF) {
    if (c == kNoteMark) {
      std::ungetc(c, notes);
      return;
    }
    write_text_byte(out, c);
  }
}

}  // namespace

int orig_nisus(const char* source_path, const char* stream_path) {
  FilePtr in = open_file(source_path, "rb");
  FilePtr out = open_file(stream_path, "w+b");
  if (!in || !out) return -1;
  const long size = stream_size(in.get());
  if (size < 0) return -1;
  if (size == 0) return -2;
  Forks forks;
  Damage damage;
  FilePtr resource_file;
  std::FILE* resource = in.get();
  if (macbinary_data_offset(in.get()) == kMacBinaryHeaderSize) {
    if (!locate_forks(in.get(), size, forks, damage)) return -1;
  } else {
    // Nisus Writer documents are text files to the Finder.
    const std::string& resource_path = resource_fork_of(source_path);
    const std::string& type = file_type_of(source_path);
    if (resource_path.empty() || (!type.empty() && type != "TEXT")) return -1;
    resource_file = open_file(resource_path, "rb");
    resource = resource_file.get();
    if (!resource || !separate_forks(size, resource, forks)) return -1;
  }

  FilePtr notes = open_work_file();
  if (!notes || !collect_footnotes(resource, forks, notes.get())) return -1;

  if (std::fseek(in.get(), forks.data_offset, SEEK_SET) != 0) return -1;
  unsigned note_count = 0;
  for (std::uint32_t i = 0; i < forks.data_length; ++i) {
    const int c = get_byte(in.get());
    if (c == EOF) return -1;  // the file changed under us: it held the fork a moment ago
    if (c != kNoteMark) {
      write_text_byte(out.get(), c);
      continue;
    }
    ++note_count;
    write_code(out.get(), NoteCall, note_count & 0xFF, 0);
    write_next_footnote(notes.get(), out.get());
    write_code(out.get(), EndOfText);
  }
  if (std::ferror(notes.get())) return -1;
  return reader_result(out.get(), damage);
}

// Nisus Writer keeps plain text in its data fork: only its creator tells,
// which a wrapper (MacBinary, BinHex, AppleSingle, AppleDouble) keeps.
Confidence signature_nisus(const DataForkView& f, std::string* why) {
  if (f.creator == "NISI") return Confidence::Certain;
  return refuse(why, f.creator.empty() ? "no creator code (a Nisus Writer document is told by its creator \"NISI\", "
                                         "which only a wrapper keeps)"
                                       : "its creator code " + code_text(f.creator) + " is not \"NISI\"");
}

}  // namespace lettrix
