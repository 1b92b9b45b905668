// Builds Macintosh disk images: MFS volumes with their files, the Disk Copy
// 4.2 form of any disk, and an HFS volume put in an Apple partition map, as
// the Macintosh tools laid them out (layouts in volumes/disk_image.h and
// volumes/mfs_volume.cpp).
//
//   auto disk = mfs_volume({{.name = "Letter", .type = "WORD", .creator = "MACA", .data = doc}});
//   auto image = disk_copy_42(disk, "Letter disk");
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lettrix::build {

struct VolumeFile {
  std::string name;               // Mac Roman, at most 255 bytes
  std::string type = "TEXT";      // four characters
  std::string creator = "ttxt";
  std::string data = {};
  std::string resource = {};
};

struct MfsLayout {
  std::string volume_name = "Disk";
  std::uint32_t block_size = 1024;  // allocation block size
  std::uint16_t spare_blocks = 2;   // free allocation blocks after the files'
  // The files' blocks dealt out in turn (one to each file that still needs
  // one), so that files of more than one block are fragmented.
  bool interleave = false;
};

// An MFS volume: boot blocks, master directory block with the allocation
// block map, file directory, then the files' blocks (each data fork, then
// its resource fork).
std::string mfs_volume(const std::vector<VolumeFile>& files, const MfsLayout& layout = {});

// The Disk Copy 4.2 checksum of the bytes (an even number of them).
std::uint32_t disk_copy_checksum(const std::string& bytes);
// The disk in a Disk Copy 4.2 image (no tags): its 84-byte header, then the
// disk's bytes. The disk's size must be a multiple of 512.
std::string disk_copy_42(const std::string& disk, const std::string& name);

// The volume as the partition of type "Apple_HFS" of a partitioned disk:
// the driver descriptor (block size 512, or 2048 as on a CD-ROM), a map of
// two entries (the map itself, the volume), the volume from block 64 (or
// `first_block`, at least 3).
std::string partitioned_disk(const std::string& volume, std::uint16_t device_block_size = 512,
                             std::uint32_t first_block = 64);

}  // namespace lettrix::build
