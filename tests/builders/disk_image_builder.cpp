#include "builders/disk_image_builder.h"

#include "builders/builder_common.h"

namespace lettrix::build {
namespace {

constexpr std::size_t kBlock = 512;

std::string four(const std::string& s) { return (s + "    ").substr(0, 4); }

std::size_t blocks_for(std::size_t bytes, std::size_t block) { return (bytes + block - 1) / block; }

// One file directory entry, padded to an even length.
std::string directory_entry(const VolumeFile& f, std::uint32_t number, std::uint16_t data_start,
                            std::uint32_t data_physical, std::uint16_t resource_start,
                            std::uint32_t resource_physical) {
  std::string e(51, '\0');
  e[0] = static_cast<char>(0x80);
  e.replace(2, 4, four(f.type));
  e.replace(6, 4, four(f.creator));
  set_be32(e, 18, number);
  set_be16(e, 22, data_start);
  set_be32(e, 24, static_cast<std::uint32_t>(f.data.size()));
  set_be32(e, 28, data_physical);
  set_be16(e, 32, resource_start);
  set_be32(e, 34, static_cast<std::uint32_t>(f.resource.size()));
  set_be32(e, 38, resource_physical);
  const std::string name = f.name.substr(0, 255);
  e[50] = static_cast<char>(name.size());
  e += name;
  if (e.size() % 2) e += '\0';
  return e;
}

}  // namespace

std::string mfs_volume(const std::vector<VolumeFile>& files, const MfsLayout& layout) {
  const std::size_t bs = layout.block_size;
  // Each fork's blocks, in order: the forks are data 0, resource 0, data 1...
  std::vector<std::size_t> need;
  for (const VolumeFile& f : files) {
    need.push_back(blocks_for(f.data.size(), bs));
    need.push_back(blocks_for(f.resource.size(), bs));
  }
  std::vector<std::vector<std::uint16_t>> chains(need.size());
  std::uint16_t next_block = 2;
  if (layout.interleave) {
    for (bool more = true; more;) {
      more = false;
      for (std::size_t k = 0; k < need.size(); ++k)
        if (chains[k].size() < need[k]) {
          chains[k].push_back(next_block++);
          more = true;
        }
    }
  } else {
    for (std::size_t k = 0; k < need.size(); ++k)
      while (chains[k].size() < need[k]) chains[k].push_back(next_block++);
  }
  const std::size_t blocks = next_block - 2 + layout.spare_blocks;

  // The directory: entries never cross a block.
  std::vector<std::string> directory(1);
  for (std::size_t i = 0; i < files.size(); ++i) {
    const std::string e = directory_entry(
        files[i], static_cast<std::uint32_t>(i + 1), chains[2 * i].empty() ? 0 : chains[2 * i][0],
        static_cast<std::uint32_t>(need[2 * i] * bs), chains[2 * i + 1].empty() ? 0 : chains[2 * i + 1][0],
        static_cast<std::uint32_t>(need[2 * i + 1] * bs));
    if (directory.back().size() + e.size() > kBlock) directory.emplace_back();
    directory.back() += e;
  }
  const std::size_t map_bytes = (blocks * 3 + 1) / 2;
  const std::size_t directory_start = 2 + blocks_for(64 + map_bytes, kBlock);
  const std::size_t first_block = directory_start + directory.size();

  std::string disk((first_block * kBlock) + blocks * bs, '\0');
  std::string mdb;
  put_be16(mdb, 0xD2D7);
  put_be32(mdb, 0);  // created
  put_be32(mdb, 0);  // backed up
  put_be16(mdb, 0);  // attributes
  put_be16(mdb, static_cast<std::uint16_t>(files.size()));
  put_be16(mdb, static_cast<std::uint16_t>(directory_start));
  put_be16(mdb, static_cast<std::uint16_t>(directory.size()));
  put_be16(mdb, static_cast<std::uint16_t>(blocks));
  put_be32(mdb, static_cast<std::uint32_t>(bs));
  put_be32(mdb, static_cast<std::uint32_t>(bs * 4));  // clump size
  put_be16(mdb, static_cast<std::uint16_t>(first_block));
  put_be32(mdb, static_cast<std::uint32_t>(files.size() + 1));  // next file number
  put_be16(mdb, static_cast<std::uint16_t>(layout.spare_blocks));
  const std::string name = layout.volume_name.substr(0, 27);
  mdb += static_cast<char>(name.size());
  mdb += name;
  mdb.resize(64, '\0');
  // The allocation block map.
  std::string map(map_bytes + 1, '\0');
  const auto set_entry = [&](std::size_t block, std::uint16_t value) {
    const std::size_t index = block - 2, at = index * 3 / 2;
    if (index % 2 == 0) {
      map[at] = static_cast<char>(value >> 4);
      map[at + 1] = static_cast<char>((map[at + 1] & 0x0F) | ((value & 0x0F) << 4));
    } else {
      map[at] = static_cast<char>((map[at] & 0xF0) | (value >> 8));
      map[at + 1] = static_cast<char>(value & 0xFF);
    }
  };
  for (const auto& chain : chains)
    for (std::size_t j = 0; j < chain.size(); ++j) set_entry(chain[j], j + 1 < chain.size() ? chain[j + 1] : 1);
  mdb += map.substr(0, map_bytes);
  disk.replace(1024, mdb.size(), mdb);
  for (std::size_t b = 0; b < directory.size(); ++b)
    disk.replace((directory_start + b) * kBlock, directory[b].size(), directory[b]);
  // The forks' bytes.
  for (std::size_t i = 0; i < files.size(); ++i)
    for (int r = 0; r < 2; ++r) {
      const std::string& fork = r ? files[i].resource : files[i].data;
      const auto& chain = chains[2 * i + r];
      for (std::size_t j = 0; j < chain.size(); ++j) {
        const std::string piece = fork.substr(j * bs, bs);
        disk.replace(first_block * kBlock + (chain[j] - 2) * bs, piece.size(), piece);
      }
    }
  return disk;
}

std::uint32_t disk_copy_checksum(const std::string& bytes) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    sum += static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[i]) << 8 | static_cast<std::uint8_t>(bytes[i + 1]));
    sum = sum >> 1 | sum << 31;
  }
  return sum;
}

std::string disk_copy_42(const std::string& disk, const std::string& name) {
  std::string header(84, '\0');
  const std::string n = name.substr(0, 63);
  header[0] = static_cast<char>(n.size());
  header.replace(1, n.size(), n);
  set_be32(header, 64, static_cast<std::uint32_t>(disk.size()));
  set_be32(header, 68, 0);
  set_be32(header, 72, disk_copy_checksum(disk));
  set_be32(header, 76, 0);
  header[80] = static_cast<char>(disk.size() == 409600 ? 0 : disk.size() == 737280 ? 2 : disk.size() == 1474560 ? 3 : 1);
  header[81] = static_cast<char>(disk.size() == 409600 ? 0x12 : 0x22);
  set_be16(header, 82, 0x0100);
  return header + disk;
}

std::string partitioned_disk(const std::string& volume, std::uint16_t device_block_size, std::uint32_t first_block) {
  const std::uint32_t volume_block = first_block < 3 ? 3 : first_block;
  const std::uint32_t volume_blocks = static_cast<std::uint32_t>(blocks_for(volume.size(), kBlock));
  std::string disk(volume_block * kBlock, '\0');
  set_be16(disk, 0, 0x4552);  // 'ER'
  set_be16(disk, 2, device_block_size);
  set_be32(disk, 4, static_cast<std::uint32_t>((volume_block + volume_blocks) * kBlock / device_block_size));
  const auto entry = [&](std::size_t index, std::uint32_t start, std::uint32_t count, const std::string& name,
                         const std::string& type) {
    const std::size_t at = index * kBlock;
    set_be16(disk, at, 0x504D);  // 'PM'
    set_be32(disk, at + 4, 2);   // entries in the map
    set_be32(disk, at + 8, start);
    set_be32(disk, at + 12, count);
    disk.replace(at + 16, name.size(), name);
    disk.replace(at + 48, type.size(), type);
    set_be32(disk, at + 84, count);  // data area: the whole partition
  };
  entry(1, 1, volume_block - 1, "Apple", "Apple_partition_map");
  entry(2, volume_block, volume_blocks, "Disk", "Apple_HFS");
  std::string padded = volume;
  padded.resize(volume_blocks * kBlock, '\0');
  return disk + padded;
}

}  // namespace lettrix::build
