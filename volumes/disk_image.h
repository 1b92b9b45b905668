// Macintosh disk images read as folders: the volume in an image file found
// and its files listed, each with its path, its type and creator and its two
// forks as byte ranges of the image; then any one of them handed to the
// readers as a SourceFile, as if it had come in its MacBinary form.
//
// Where the volume lies in the image:
//
//   Disk Copy 4.2   an 84-byte header, the disk's blocks from byte 84, then
//                   the tags (ignored)
//                     0   1   length of the disk's name, at most 63
//                     1   63  the name
//                     64  4   bytes of data (the blocks)
//                     68  4   bytes of tags
//                     72  4   checksum of the data: for each big-endian
//                             16-bit word, add it, then rotate the 32-bit
//                             sum right by one bit
//                     76  4   checksum of the tags
//                     80  1   disk format (0 400K, 1 800K, 2 720K, 3 1440K)
//                     81  1   format byte
//                     82  2   0x0100
//   partition map   block 0 'ER' (driver descriptor), from block 1 one
//                   512-byte entry per partition: 'PM' at 0, entries in the
//                   map at 4, first block at 8, blocks at 12 (512-byte blocks
//                   whatever the device's block size, 2048 on a CD-ROM),
//                   name at 16 and type at 48 (32 characters each); the HFS
//                   volume is the partition of type "Apple_HFS"
//   raw volume      the volume from byte 0: two boot blocks, then the master
//                   directory block at 1024, 'BD' (HFS) or 0xD2D7 (MFS)
//
// The file systems themselves are described in volumes/hfs_volume.cpp and
// volumes/mfs_volume.cpp.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/source_view.h"

namespace lettrix {

// Bytes of the image file (of the fork given as the image: its offset
// excluded).
struct ImageRange {
  std::uint64_t offset = 0;
  std::uint64_t length = 0;
};

// One fork of a file in the volume: its length and where its bytes are, in
// order, adjacent ranges joined (so a fork in one piece has one range, an
// empty fork none).
struct VolumeFork {
  std::uint64_t size = 0;
  std::vector<ImageRange> extents;
  bool contiguous() const { return extents.size() <= 1; }
};

struct VolumeEntry {
  // Inside the volume, "/" between folders: each name turned from Mac Roman
  // into UTF-8 and made one a PC can hold (volumes/volume_names.h).
  std::string path;
  bool folder = false;
  std::string type;  // four bytes each, as the Finder has them (files only)
  std::string creator;
  VolumeFork data;
  VolumeFork resource;
};

struct Volume {
  std::string name;  // UTF-8
  std::string kind;  // "HFS", "MFS", "Disk Copy 4.2 (HFS)", "Disk Copy 4.2 (MFS)"
  // Folders before what they hold, each folder's entries in the volume's order.
  std::vector<VolumeEntry> entries;
  // What could not be read ("HFS: catalog node 12 links back to node 3",
  // "file 'X': extent beyond the end of the image"); the entries are what
  // could.
  std::vector<std::string> problems;
};

// The most entries a volume is listed with, and the deepest folder path.
inline constexpr std::size_t kMaxVolumeEntries = 1000000;
inline constexpr int kMaxVolumeDepth = 100;

// Whether the image holds a volume this reader lists, from a few of its
// first blocks: kind as in Volume::kind, or false with the reason.
bool probe_volume(SourceView& image, std::string& kind, std::string& why_not);
bool probe_volume(const SourceFork& image, std::string& kind, std::string& why_not);

// Lists the volume in the image. False with the reason when it holds none
// (as probe_volume); otherwise true, with the problems of a damaged volume
// in volume.problems.
bool read_volume(SourceView& image, Volume& volume, std::string& why_not);
bool read_volume(const SourceFork& image, Volume& volume, std::string& why_not);

// What a listing of a volume in an image of image_size bytes must never
// break, for tests and fuzzing: "" when it keeps to it, else the first
// fault ("entry 3: its data fork's ranges hold 512 bytes, not 600").
std::string listing_fault(const Volume& volume, std::uint64_t image_size);

// The file `entry` of the volume read from `image`, for a reader: a fork in
// one piece is a range of the image file itself, a fragmented one is copied
// into a private work file that no name leads to. Type and creator are set,
// the wrapper is None. False with the reason for a folder, a range outside
// the image or a work file that failed.
bool open_volume_entry(const SourceFork& image, const VolumeEntry& entry, SourceFile& file, std::string& error);

}  // namespace lettrix
