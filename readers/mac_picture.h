// Macintosh pictures (QuickDraw pictures) as the readers find them in a
// document beside its text, and their Picture code in the stream.
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>

namespace lettrix {

// A Macintosh picture as a document places it: an 8-byte frame on the page
// (top, left, bottom, right, signed 16-bit points) followed by the picture
// itself (a 2-byte size, its own 8-byte frame, then version 1 opcodes from
// 0x1101 or version 2 opcodes from 0x0011 0x02FF). In a MacWrite document a
// picture whose frame is "MAGICPIC" holds nothing to draw: it stands on a
// page of its own to force the text after it onto the next page.
enum class MacPictureKind { None, Picture, PageBreak };
MacPictureKind classify_mac_picture(std::span<const std::uint8_t> data);

// Writes a picture as the Picture code of kind 1 (Macintosh picture): its
// height and width from the frame on the page (from the picture's own frame
// when that one is empty), the picture's bytes as hexadecimal digits and
// EndOfText. The data must be one that classify_mac_picture calls a picture.
void write_mac_picture(std::FILE* out, std::span<const std::uint8_t> data);

}  // namespace lettrix
