// MFS volumes (the first Macintosh floppies), as this lister reads them.
// Numbers are big-endian; a "block" is 512 bytes.
//
// Master directory block, at byte 1024 of the volume:
//   0    2   0xD2D7
//   12   2   number of files
//   14   2   first block of the file directory
//   16   2   blocks of the file directory
//   18   2   number of allocation blocks
//   20   4   allocation block size (a multiple of 512)
//   28   2   where allocation block 2 starts, in blocks (the first is 2)
//   36   28  the volume's name (length byte, at most 27 characters)
//   64   ... the allocation block map: 12 bits for each allocation block
//            from 2 on, two in three bytes, high bits first: 0 free, 1 the
//            last block of its file, else the file's next block
//
// The file directory: entries one after another in each block, none across
// two blocks; a block's entries end at one whose first byte is 0.
//   0    1   flags, 0x80 when the entry is used
//   2    4   type          6   4  creator
//   18   4   file number
//   22   2   data fork's first allocation block (0: none)
//   24   4   data fork length
//   32   2   resource fork's first allocation block
//   34   4   resource fork length
//   50   1   length of the name, the name after it; the entry is padded to
//            an even length
// MFS has no folders a file system keeps (the Finder's are in its own
// file), so its files are listed side by side.
#include <algorithm>

#include "core/byte_helpers.h"
#include "volumes/file_systems.h"
#include "volumes/volume_names.h"

namespace lettrix {
namespace {

constexpr std::size_t kMdbSize = 64;
constexpr std::size_t kEntryHead = 51;
constexpr std::size_t kBlock = 512;

struct Mfs {
  Mfs(VolumeScan& s, std::uint64_t e) : scan(s), end(e) {}
  VolumeScan& scan;
  std::uint64_t end = 0;
  std::uint64_t block_size = 0;
  std::uint64_t block_two = 0;  // where allocation block 2 lies in the image
  std::uint32_t blocks = 0;
  std::vector<std::uint8_t> map;
  // Blocks seen in the chain being followed: those that hold its stamp.
  std::vector<std::uint32_t> seen;
  std::uint32_t stamp = 0;
  // Blocks that all chains together may still visit: a sound volume's
  // chains share none, so they visit fewer than the volume has.
  std::uint64_t steps_left = 0;

  // The next block after block n (2 <= n < blocks + 2) in its file's chain.
  std::uint32_t next(std::uint32_t n) const {
    const std::size_t index = n - 2;
    const std::size_t at = index * 3 / 2;
    return index % 2 == 0 ? (std::uint32_t{map[at]} << 4 | map[at + 1] >> 4)
                          : (std::uint32_t{map[at] & 0x0Fu} << 8 | map[at + 1]);
  }

  VolumeFork fork(std::uint32_t first, std::uint64_t length, const std::string& label, const char* which);
};

VolumeFork Mfs::fork(std::uint32_t first, std::uint64_t length, const std::string& label, const char* which) {
  VolumeFork fork;
  if (first == 0) {
    if (length > 0) scan.problem(label + ": its " + which + " has no blocks");
    return fork;
  }
  ++stamp;
  const std::uint64_t needed = (length + block_size - 1) / block_size;
  bool broken = false;
  std::uint64_t held = 0;
  for (std::uint32_t n = first; held < needed;) {
    if (n < 2 || n >= blocks + 2) {
      scan.problem(label + ": its " + which + " leads to block " + std::to_string(n) + ", outside the volume");
      broken = true;
      break;
    }
    if (seen[n] == stamp) {
      scan.problem(label + ": its " + which + " comes back to block " + std::to_string(n));
      broken = true;
      break;
    }
    if (steps_left == 0) {
      scan.problem(label + ": the files' chains share blocks; its " + which + " is not followed");
      broken = true;
      break;
    }
    --steps_left;
    seen[n] = stamp;
    if (!add_range(fork, block_two + (n - 2) * block_size, block_size, end)) {
      scan.problem(label + ": extent beyond the end of the image");
      broken = true;
      break;
    }
    ++held;
    const std::uint32_t after = next(n);
    if (after == 1) break;
    if (after == 0 && held < needed) {
      scan.problem(label + ": its " + which + " leads to a free block");
      broken = true;
      break;
    }
    n = after;
  }
  if (!trim_fork(fork, length) && !broken)
    scan.problem(label + ": its " + which + " has " + std::to_string(fork.size) + " of its " +
                 std::to_string(length) + " bytes on the volume");
  return fork;
}

}  // namespace

bool list_mfs(VolumeScan& scan, std::uint64_t end, std::string& why_not) {
  const std::span<const std::uint8_t> mdb = scan.image.span(scan.base + kMasterDirectoryBlock, kMdbSize);
  if (mdb.empty()) {
    why_not = "MFS: the master directory block is cut short";
    return false;
  }
  if (be16_at(mdb.data()) != kMfsSignature) {
    why_not = "MFS: no master directory block";
    return false;
  }
  Mfs mfs(scan, end);
  mfs.block_size = be32_at(mdb.data() + 20);
  mfs.blocks = be16_at(mdb.data() + 18);
  mfs.block_two = scan.base + std::uint64_t{be16_at(mdb.data() + 28)} * kBlock;
  if (mfs.block_size == 0 || mfs.block_size % kBlock != 0) {
    why_not = "MFS: allocation block size " + std::to_string(mfs.block_size) + " is not a multiple of 512";
    return false;
  }
  scan.volume.name = mac_roman_to_utf8(pascal_string(mdb.subspan(36), 27));
  mfs.seen.assign(mfs.blocks + 2, 0);
  mfs.steps_left = 2 * (std::uint64_t{mfs.blocks} + 2);
  const std::size_t map_size = (std::size_t{mfs.blocks} * 3 + 1) / 2;
  mfs.map.resize(map_size + 1, 0);  // one byte more: the last odd entry reads two
  if (!scan.image.read(scan.base + kMasterDirectoryBlock + kMdbSize, mfs.map.data(), map_size)) {
    scan.problem("MFS: the allocation block map is cut short");
    std::fill(mfs.map.begin(), mfs.map.end(), 0);
  }

  const std::uint64_t first = be16_at(mdb.data() + 14);
  const std::uint64_t count = be16_at(mdb.data() + 16);
  std::vector<ScannedItem> items;
  for (std::uint64_t b = 0; b < count; ++b) {
    const std::span<const std::uint8_t> block = scan.image.span(scan.base + (first + b) * kBlock, kBlock);
    if (block.empty()) {
      scan.problem("MFS: the file directory is cut short at its block " + std::to_string(b));
      break;
    }
    // The entries of this block, copied first: the forks' look-ups below
    // may read other blocks of the image.
    const std::vector<std::uint8_t> entries(block.begin(), block.end());
    for (std::size_t at = 0; at + kEntryHead <= kBlock && (entries[at] & 0x80);) {
      const std::uint8_t* e = entries.data() + at;
      const std::size_t size = (kEntryHead + e[50] + 1) & ~std::size_t{1};
      if (at + size > kBlock) {
        scan.problem("MFS: an entry of directory block " + std::to_string(b) + " runs past the block");
        break;
      }
      at += size;
      if (items.size() >= kMaxVolumeEntries) break;
      ScannedItem item;
      item.mac_name.assign(reinterpret_cast<const char*>(e + kEntryHead), e[50]);
      item.type.assign(reinterpret_cast<const char*>(e + 2), 4);
      item.creator.assign(reinterpret_cast<const char*>(e + 6), 4);
      const std::string label = item_label(item);
      item.data = mfs.fork(be16_at(e + 22), be32_at(e + 24), label, "data fork");
      item.resource = mfs.fork(be16_at(e + 32), be32_at(e + 34), label, "resource fork");
      items.push_back(std::move(item));
    }
  }
  place_items(scan, items, 0);
  return true;
}

}  // namespace lettrix
