// The wrappers in which Macintosh files travel on other systems, each one
// file that carries the data fork, the resource fork and the Finder's type
// and creator codes:
//
// MacBinary (I, II, III): a 128-byte header, the data fork, the resource
// fork, each fork padded with zeros to a multiple of 128. Numbers big-endian.
//   0    1   0
//   1    1   length of the file name, 1 to 63
//   2    63  file name
//   65   4   file type          69  4  creator
//   74   1   0                  82  1  0
//   83   4   data fork length   87  4  resource fork length
//   99   2   II: length of the Get Info comment (after the resource fork)
//   102  4   III: "mBIN"
//   120  2   II: length of a secondary header between this one and the data
//   122  1   II: 129, III: 130 (version that wrote it)
//   123  1   II: 129 (version needed to read it)
//   124  2   II: CRC (core/crc_ccitt.h) of bytes 0 to 123
// MacBinary I has no CRC and zeros from 99 on. A header whose CRC field
// holds 0 is taken as written without a CRC, and then the rest of the header
// must look right on its own (see probe_macbinary).
//
// AppleSingle and AppleDouble: a header and an entry table, then the entries.
//   0    4   0x00051600 AppleSingle, 0x00051607 AppleDouble
//   4    4   version, 0x00010000 or 0x00020000
//   8    16  filler (version 1: the home file system's name)
//   24   2   number of entries
//   26   12  per entry: id, offset from the start of the file, length
// Entry ids: 1 data fork, 2 resource fork, 3 real name, 9 Finder info
// (file type at 0, creator at 4). An AppleDouble file ("._NAME" beside NAME)
// holds everything but the data fork, which is the file NAME itself.
//
// BinHex 4.0 is in core/binhex.h.
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

namespace lettrix {

enum class WrapperKind { None, MacBinary, BinHex, AppleSingle, AppleDouble };

// "MacBinary", "BinHex", "AppleSingle", "AppleDouble", or "" for None.
const char* wrapper_name(WrapperKind kind);

// What a wrapper says of the file it carries.
struct WrappedFile {
  WrapperKind kind = WrapperKind::None;
  int version = 0;           // MacBinary 1 to 3, AppleSingle/AppleDouble 1 or 2, BinHex 4
  std::string name;          // the Macintosh file name, when the wrapper keeps one
  std::string type;          // four characters, or empty when the wrapper keeps none
  std::string creator;
  std::uint64_t data_offset = 0;  // where the fork starts in the wrapper file
  std::uint64_t data_length = 0;  //   (BinHex: in the decoded stream)
  std::uint64_t resource_offset = 0;
  std::uint64_t resource_length = 0;
  bool has_data_fork = true;  // false for an AppleDouble header file

  // "MacBinary II", "AppleSingle", "BinHex 4.0".
  std::string description() const;
};

enum class WrapperCheck {
  NotWrapped,  // not this wrapper
  Ok,          // this wrapper, sound as far as the bytes given show
  Damaged,     // this wrapper, but its CRC or a length is wrong (see the error)
};

// How many bytes from the start of a file the probes below want to see.
inline constexpr std::size_t kWrapperProbeSize = 4096;

// MacBinary, from the first bytes of a file and its size. Without a CRC the
// header counts only when byte 0, 74 and 82 are 0 and the name has 1 to 63
// characters none below 0x20; then it is sound when both forks lie inside
// the file, and a wrapper cut short (Damaged) when they do not but the type
// and creator are four printable characters each. A MacWrite data fork (it
// starts 00 03 or 00 06) must not pass for one.
WrapperCheck probe_macbinary(std::span<const std::uint8_t> head, std::uint64_t file_size, WrappedFile& info,
                             std::string& error);

// AppleSingle or AppleDouble, from the first bytes of a file and its size.
// Every entry of the table must lie inside the file.
WrapperCheck probe_applesingle(std::span<const std::uint8_t> head, std::uint64_t file_size, WrappedFile& info,
                               std::string& error);

// The name of the AppleDouble file that would go with path: "dir/._NAME".
std::string appledouble_companion(const std::string& path);
// True when the file name starts with "._".
bool is_appledouble_name(const std::string& path);

}  // namespace lettrix
