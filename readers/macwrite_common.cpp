#include "readers/macwrite_common.h"

#include <cstring>

#include "core/byte_helpers.h"
#include "core/char_output.h"
#include "core/emitter.h"
#include "core/stream_codes.h"
#include "support/byte_io.h"

namespace lettrix {

long macwrite_base(std::FILE* in) {
  char header[kMacBinaryHeaderSize];
  std::rewind(in);
  const std::size_t got = std::fread(header, 1, sizeof header, in);
  std::rewind(in);
  if (got == sizeof header && std::memcmp(header + 65, kMacWriteTypeCreator, 8) == 0) return kMacBinaryHeaderSize;
  return 0;
}

MacWriteSource macwrite_source(std::FILE* in, long base) {
  MacWriteSource src;
  src.file = in;
  src.base = base;
  const long total = stream_size(in);
  src.size = total > base ? total - base : 0;
  // Behind a MacBinary header the data fork ends where the header says; the
  // padding and the resource fork after it are no part of the document.
  std::uint32_t data_length = 0;
  if (base == kMacBinaryHeaderSize && std::fseek(in, kMacBinaryDataLengthOffset, SEEK_SET) == 0 &&
      read_be32(in, data_length) && data_length > 0) {
    if (data_length < static_cast<std::uint32_t>(src.size)) src.size = static_cast<long>(data_length);
    if (data_length > static_cast<std::uint32_t>(src.size)) src.stated = static_cast<long>(data_length);
  }
  return src;
}

void need_document(MacWriteSource& src, long end) {
  if (end > src.needed) src.needed = end;
}

void check_document_size(const MacWriteSource& src, bool structures_give_size, Damage& damage) {
  const auto at = static_cast<std::uint64_t>(src.base + src.size);
  if (src.stated > src.size) {
    damage.cut_short("text", at, static_cast<std::uint64_t>(src.base + src.stated));
  } else if (src.needed > src.size && structures_give_size) {
    damage.cut_short("text", at, static_cast<std::uint64_t>(src.base + src.needed));
  } else if (src.needed > src.size) {
    damage.cut_short_at_least("text", at, static_cast<std::uint64_t>(src.base + src.needed));
  }
}

std::span<const std::uint8_t> view_document(MacWriteSource& src, long offset, long count) {
  if (offset < 0 || count <= 0 || offset >= src.size) return {};
  const long n = count < src.size - offset ? count : src.size - offset;
  const long held = static_cast<long>(src.window.size());
  if (offset < src.window_start || offset - src.window_start + n > held) {
    // A new window from a 4 KB boundary at or before the offset, so that a
    // structure just behind the last one read is still in it.
    const long start = offset & ~4095L;
    const long want = offset - start + (n > MacWriteSource::kWindowSize ? n : MacWriteSource::kWindowSize);
    const long length = want < src.size - start ? want : src.size - start;
    src.window.resize(static_cast<std::size_t>(length));
    src.window_start = start;
    if (std::fseek(src.file, src.base + start, SEEK_SET) != 0) {
      src.window.clear();
      return {};
    }
    src.window.resize(std::fread(src.window.data(), 1, src.window.size(), src.file));
  }
  const long from = offset - src.window_start;
  const long available = static_cast<long>(src.window.size()) - from;
  if (available <= 0) return {};
  return {src.window.data() + from, static_cast<std::size_t>(available < n ? available : n)};
}

std::vector<std::uint8_t> read_document(MacWriteSource& src, long offset, long count) {
  const std::span<const std::uint8_t> bytes = view_document(src, offset, count);
  return {bytes.begin(), bytes.end()};
}

bool read_document_be16(MacWriteSource& src, long offset, std::uint16_t& value) {
  const std::span<const std::uint8_t> b = view_document(src, offset, 2);
  if (b.size() != 2) return false;
  value = static_cast<std::uint16_t>((b[0] << 8) | b[1]);
  return true;
}

namespace {

constexpr std::size_t kFrameSize = 8;
constexpr std::size_t kPictureHeaderSize = 10;  // the picture's size and its own frame
constexpr char kPageBreakFrame[] = "MAGICPIC";

long frame_extent(std::span<const std::uint8_t> frame, std::size_t low, std::size_t high) {
  return static_cast<long>(be16s_at(frame.data() + high)) - be16s_at(frame.data() + low);
}

}  // namespace

MacPictureKind classify_mac_picture(std::span<const std::uint8_t> data) {
  if (data.size() < kFrameSize + kPictureHeaderSize + 2) return MacPictureKind::None;
  const std::uint8_t* picture = data.data() + kFrameSize;
  if (std::memcmp(picture + 2, kPageBreakFrame, 8) == 0) return MacPictureKind::PageBreak;
  const std::uint8_t* opcodes = picture + kPictureHeaderSize;
  const bool version1 = opcodes[0] == 0x11 && opcodes[1] == 0x01;
  const bool version2 = data.size() >= kFrameSize + kPictureHeaderSize + 4 && opcodes[0] == 0x00 &&
                        opcodes[1] == 0x11 && opcodes[2] == 0x02 && opcodes[3] == 0xFF;
  return version1 || version2 ? MacPictureKind::Picture : MacPictureKind::None;
}

void write_mac_picture(std::FILE* out, std::span<const std::uint8_t> data) {
  if (data.size() < kFrameSize) return;
  // The frame in the document; the picture's own frame when that one is empty.
  long height = frame_extent(data, 0, 4);
  long width = frame_extent(data, 2, 6);
  if ((height <= 0 || width <= 0) && data.size() >= kFrameSize + kPictureHeaderSize) {
    height = frame_extent(data.subspan(kFrameSize + 2), 0, 4);
    width = frame_extent(data.subspan(kFrameSize + 2), 2, 6);
  }
  if (height < 0) height = 0;
  if (width < 0) width = 0;
  write_code(out, Picture, 1, 0);
  for (long value : {height, width}) {
    for (int shift = 24; shift >= 0; shift -= 8) put_byte(static_cast<int>((value >> shift) & 0xFF), out);
  }
  static constexpr char kDigits[] = "0123456789abcdef";
  for (std::size_t i = kFrameSize; i < data.size(); ++i) {
    put_byte(kDigits[data[i] >> 4], out);
    put_byte(kDigits[data[i] & 0x0F], out);
  }
  write_code(out, EndOfText);
}

void follow_page(MacWritePages& pages, int page) {
  if (pages.page >= 0 && page > pages.page && !pages.at_page_start) add_page_break(pages);
  pages.page = page;
}

void add_page_break(MacWritePages& pages) {
  ++pages.pending;
  pages.at_page_start = true;
}

void start_content(std::FILE* out, MacWritePages& pages) {
  for (; pages.pending > 0; --pages.pending) put_byte(kPageBreak, out);
  pages.at_page_start = false;
}

void write_mac_char(std::FILE* out, const ReaderTable& table, std::uint8_t byte) {
  write_source_char(out, table, byte);
}

}  // namespace lettrix
