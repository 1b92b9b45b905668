// What the HFS and MFS listers share: the volume's place in the image, the
// list being filled and its problems, and the folder tree built from
// (parent, name) pairs into paths.
#pragma once

#include <cstdint>
#include <string>
#include <span>
#include <string_view>
#include <vector>

#include "volumes/disk_image.h"

namespace lettrix {

struct VolumeScan {
  VolumeScan(SourceView& i, std::uint64_t b, Volume& v) : image(i), base(b), volume(v) {}
  SourceView& image;
  std::uint64_t base = 0;  // where the volume starts in the image
  Volume& volume;

  // Notes a problem; after the first 100 only their number is kept.
  void problem(std::string text);
  // Notes the count of problems left out, once the listing is done.
  void finish();
  std::size_t dropped = 0;
};

// A file or folder as the volume's directory gives it, before its path is
// known.
struct ScannedItem {
  std::uint32_t parent = 0;  // the folder's id (HFS); 0 in a flat MFS volume
  std::uint32_t id = 0;      // a folder's own id
  std::string mac_name;      // Mac Roman, as stored
  bool folder = false;
  std::string type;
  std::string creator;
  VolumeFork data;
  VolumeFork resource;
};

// Appends the items reachable from the folder `root` to the volume, folders
// before their contents and depth first, each folder's items in the order
// given; items whose folder is missing or too deep are left out with a
// problem.
void place_items(VolumeScan& scan, std::vector<ScannedItem>& items, std::uint32_t root);

// "file 'NAME'" (UTF-8) for problems.
std::string item_label(const ScannedItem& item);

// Appends a range of `length` bytes at `offset` of the image to the fork,
// joined to the last one when adjacent. False (and nothing added) when the
// range does not lie in the image.
bool add_range(VolumeFork& fork, std::uint64_t offset, std::uint64_t length, std::uint64_t image_size);
// Cuts the fork's ranges to `length` bytes; the fork's size becomes the
// smaller of length and what the ranges hold. True when they held enough.
bool trim_fork(VolumeFork& fork, std::uint64_t length);

// A Pascal string of at most `max` characters at the start of bytes (its
// length byte first); empty when it does not fit.
std::string pascal_string(std::span<const std::uint8_t> bytes, std::size_t max);

}  // namespace lettrix
