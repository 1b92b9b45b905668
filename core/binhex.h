// BinHex 4.0: a Macintosh file as 7-bit text, as mail and news carried it.
//
//   (This file must be converted with BinHex 4.0)
//   :<encoded lines, 64 characters each>
//   <last line>:
//
// Encoders vary: the first line only begins "(This file must be converted",
// mail or news headers and other text may come before it, and text after
// the last colon; lines may be of any length and end in CR, LF or CR LF.
// The data start at the first line after the banner that begins with ":".
//
// Between the two colons, every character of the 64-character alphabet
//   !"#$%&'()*+,-012345689@ABCDEFGHIJKLMNPQRSTUVXYZ[`abcdefhijklmpqr
// stands for 6 bits; four characters make three bytes. Line ends, spaces and
// tabs are ignored. In the bytes, 0x90 starts a run: 0x90 0 is one 0x90
// byte, 0x90 n (n > 0) repeats the byte before it n - 1 more times. The bytes
// that result, numbers big-endian:
//   1      length n of the file name, 1 to 63
//   n      file name
//   1      0 (version)
//   4, 4   file type, creator
//   2      Finder flags
//   4, 4   data fork length D, resource fork length R
//   2      CRC of the header above (core/crc_ccitt.h)
//   D, 2   data fork, its CRC
//   R, 2   resource fork, its CRC
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "core/mac_wrappers.h"

namespace lettrix {

// The largest fork this program takes from a BinHex file. The run codes let
// a small file stand for a very large one; no document comes near this.
inline constexpr std::uint64_t kMaxBinHexFork = std::uint64_t{1} << 28;

// From the first bytes of a file (the text up to kBinHexProbeSize): whether
// it is BinHex (a line that begins "(This file must be converted" and a
// line after it that starts with ":", or a first line that starts with ":"
// and holds only the alphabet; a text that only quotes the line is none), its header
// (checked against its CRC), and in data_head the first bytes of its data
// fork (as many as the text given holds, at most kBinHexProbeSize).
inline constexpr std::size_t kBinHexProbeSize = 1 << 16;
WrapperCheck probe_binhex(std::span<const std::uint8_t> head, WrappedFile& info, std::vector<std::uint8_t>& data_head,
                          std::string& error);

// Decodes a whole BinHex file: its data fork to data_out and its resource
// fork to resource_out (either may be null), both in blocks. Every CRC is
// checked; false with a reason that names BinHex ("BinHex: data fork CRC
// mismatch") when one is wrong, the text ends early or holds a character
// outside the alphabet, or a write fails.
bool decode_binhex(std::FILE* in, std::FILE* data_out, std::FILE* resource_out, std::string& error);

}  // namespace lettrix
