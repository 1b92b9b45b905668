#include "readers/clarisworks_pictures.h"

#include <algorithm>

#include "core/byte_helpers.h"
#include "readers/clarisworks_document.h"
#include "support/strings.h"

namespace lettrix::clarisworks {

namespace {

constexpr std::size_t kRefSize = 32;
constexpr std::uint16_t kGraphicRef = 1;
constexpr std::size_t kPictureHeader = 10;  // the picture's size word and its own frame
constexpr std::size_t kFrameSize = 8;
// An object's rectangle in its zone: four 24.8 fixed-point numbers.
constexpr std::size_t kObjectRect = 4;
constexpr std::size_t kObjectRectEnd = kObjectRect + 16;

bool version2_start(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b.size() - at >= 4 && b[at] == 0x00 && b[at + 1] == 0x11 && b[at + 2] == 0x02 && b[at + 3] == 0xFF;
}

// The rectangle of the zone's first object, rounded to points, as a frame of
// 16-bit numbers; zeros when the list does not hold one.
void object_frame(SourceView& file, std::size_t head_length, std::uint8_t (&frame)[kFrameSize]) {
  std::fill(std::begin(frame), std::end(frame), 0);
  List list;
  if (!read_list(file, head_length, list) || list.count == 0 || list.record_size < kObjectRectEnd) return;
  for (std::size_t i = 0; i < 4; ++i) {
    std::uint32_t fixed = 0;
    if (!file.be32(list.record(0) + kObjectRect + 4 * i, fixed)) return;
    const std::int32_t points = (static_cast<std::int32_t>(fixed) + 0x80) / 256;
    const std::int16_t value = static_cast<std::int16_t>(std::clamp<std::int32_t>(points, -32768, 32767));
    frame[2 * i] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(value) >> 8);
    frame[2 * i + 1] = static_cast<std::uint8_t>(value & 0xFF);
  }
}

bool positive(const std::uint8_t* frame) {
  return be16s_at(frame + 4) > be16s_at(frame) && be16s_at(frame + 6) > be16s_at(frame + 2);
}

}  // namespace

std::vector<PictureRef> read_picture_refs(SourceView& file, std::size_t at, std::size_t size) {
  std::vector<PictureRef> refs;
  for (std::size_t off = 0; size - off >= kRefSize; off += kRefSize) {
    std::uint32_t position = 0, zone = 0;
    std::uint16_t kind = 0;
    if (!file.be32(at + off, position) || !file.be16(at + off + 4, kind) || !file.be32(at + off + 6, zone)) break;
    if (kind == kGraphicRef) refs.push_back({position, zone});
  }
  return refs;
}

ZonePicture read_zone_picture(SourceView& file, std::size_t head_length, std::size_t at, std::size_t size,
                              std::vector<std::uint8_t>& framed, std::string& why) {
  framed.clear();
  if (size < kPictureHeader + 2) return ZonePicture::NotPicture;
  std::vector<std::uint8_t> bytes(size);
  if (!file.read(at, bytes.data(), size)) return ZonePicture::NotPicture;
  // Version 2 opcodes start with 0x0011 0x02FF; version 1 opcodes with
  // 0x1101, which no-operation bytes (0x00) may precede: pictures pasted
  // from some programs keep a run of them, which the picture's size word
  // does not count. They are left out.
  std::size_t opcodes = kPictureHeader;
  if (!version2_start(bytes, opcodes)) {
    while (opcodes < size && bytes[opcodes] == 0x00) ++opcodes;
    if (size - opcodes < 2 || bytes[opcodes] != 0x11 || bytes[opcodes + 1] != 0x01) return ZonePicture::NotPicture;
  }
  const std::size_t kept = size - (opcodes - kPictureHeader);
  // The size word holds the low 16 bits of a larger picture's size.
  const std::uint16_t size_word = be16_at(bytes.data());
  if (kept <= 0xFFFF && size_word > kept) {
    why = "cut short: its size word says " + with_thousands(size_word) + " bytes, its zone holds " +
          with_thousands(kept);
    return ZonePicture::Damaged;
  }
  std::uint8_t frame[kFrameSize];
  object_frame(file, head_length, frame);
  if (!positive(frame) && !positive(bytes.data() + 2)) {
    why = "its frame is empty";
    return ZonePicture::Damaged;
  }
  framed.reserve(kFrameSize + kept);
  framed.assign(std::begin(frame), std::end(frame));
  framed.insert(framed.end(), bytes.begin(), bytes.begin() + kPictureHeader);
  framed.insert(framed.end(), bytes.begin() + static_cast<std::ptrdiff_t>(opcodes), bytes.end());
  return ZonePicture::Picture;
}

}  // namespace lettrix::clarisworks
