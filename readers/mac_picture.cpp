#include "readers/mac_picture.h"

#include <cstring>

#include "core/byte_helpers.h"
#include "core/emitter.h"
#include "core/stream_codes.h"
#include "support/byte_io.h"

namespace lettrix {

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

}  // namespace lettrix
