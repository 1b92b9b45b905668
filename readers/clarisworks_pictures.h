// Pictures in the text of a ClarisWorks/AppleWorks document: the references
// that the main zone's D item keeps for its 0x03 text bytes, and the picture
// that a graphics zone holds in its E item. The layouts are drawn in
// clarisworks.cpp; this module decodes them, checking every offset and count
// against the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/source_view.h"

namespace lettrix::clarisworks {

// One record of the D item: the text position of a 0x03 byte and the number
// of the zone that holds what stands there.
struct PictureRef {
  std::uint32_t position = 0;
  std::uint32_t zone = 0;
};

// The picture references among the `size` bytes of the D item at `at`, in
// the order of the file (records of another kind are passed over).
std::vector<PictureRef> read_picture_refs(SourceView& file, std::size_t at, std::size_t size);

// What a graphics zone holds at its E item.
enum class ZonePicture { Picture, NotPicture, Damaged };

// Reads the picture of a graphics zone whose A item's length word is at
// `head_length` and whose E item is the `size` bytes at `at`. Picture: `framed`
// holds the 8-byte frame the page shows it in (top, left, bottom, right, in
// points; zeros when the zone gives none) followed by the picture itself, as
// readers/macwrite_common.h writes it. NotPicture: the item holds something
// else (the objects of a drawing). Damaged: `why` says what is wrong.
ZonePicture read_zone_picture(SourceView& file, std::size_t head_length, std::size_t at, std::size_t size,
                              std::vector<std::uint8_t>& framed, std::string& why);

}  // namespace lettrix::clarisworks
