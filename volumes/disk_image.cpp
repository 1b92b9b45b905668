#include "volumes/disk_image.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/byte_helpers.h"
#include "volumes/file_systems.h"

namespace lettrix {
namespace {

constexpr std::uint64_t kDiskCopyHeader = 84;
constexpr std::uint64_t kBlock = 512;
constexpr std::size_t kMaxPartitions = 64;

// Where the volume lies in the image.
struct Location {
  std::uint64_t base = 0;
  std::uint64_t end = 0;       // the end of its bytes in the image
  bool hfs = false;            // else MFS
  bool disk_copy = false;
  std::uint64_t disk_copy_data = 0;  // the data size the Disk Copy header gives
};

// Whether a master directory block with this signature is at `base` + 1024
// and its numbers could be a volume's.
bool plausible_volume(SourceView& image, std::uint64_t base, bool& hfs) {
  const std::span<const std::uint8_t> mdb = image.span(base + kMasterDirectoryBlock, 64);
  if (mdb.empty()) return false;
  const std::uint16_t signature = be16_at(mdb.data());
  if (signature != kHfsSignature && signature != kMfsSignature) return false;
  hfs = signature == kHfsSignature;
  if (hfs && image.span(base + kMasterDirectoryBlock, 162).empty()) return false;  // cut inside its block
  const std::uint32_t block_size = be32_at(mdb.data() + 20);
  const std::uint16_t blocks = be16_at(mdb.data() + 18);
  return block_size != 0 && block_size % kBlock == 0 && blocks != 0 && mdb[36] <= 27;
}

bool find_in_partition_map(SourceView& image, Location& at, std::string& why_not) {
  std::uint32_t entries = 1;
  for (std::uint32_t i = 1; i <= entries && i <= kMaxPartitions; ++i) {
    const std::span<const std::uint8_t> entry = image.span(i * kBlock, kBlock);
    if (entry.empty() || be16_at(entry.data()) != 0x504D) break;  // 'PM'
    if (i == 1) entries = be32_at(entry.data() + 4);
    const char* type = reinterpret_cast<const char*>(entry.data() + 48);
    if (strnlen(type, 32) != 9 || std::memcmp(type, "Apple_HFS", 9) != 0) continue;
    const std::uint64_t start = std::uint64_t{be32_at(entry.data() + 8)} * kBlock;
    const std::uint64_t length = std::uint64_t{be32_at(entry.data() + 12)} * kBlock;
    if (!plausible_volume(image, start, at.hfs) || !at.hfs) continue;
    at.base = start;
    at.end = std::min(image.size(), start + length);
    return true;
  }
  why_not = "an Apple partition map without an HFS partition";
  return false;
}

bool find_volume_place(SourceView& image, Location& at, std::string& why_not) {
  const std::span<const std::uint8_t> head = image.span(0, kDiskCopyHeader);
  if (!head.empty() && head[82] == 1 && head[83] == 0 && head[0] <= 63) {
    const std::uint64_t data = be32_at(head.data() + 64);
    if (data != 0 && data % kBlock == 0 && plausible_volume(image, kDiskCopyHeader, at.hfs)) {
      at.base = kDiskCopyHeader;
      at.end = std::min(image.size(), kDiskCopyHeader + data);
      at.disk_copy = true;
      at.disk_copy_data = data;
      return true;
    }
  }
  std::uint16_t signature = 0;
  if (image.be16(0, signature) && signature == 0x4552)  // 'ER'
    return find_in_partition_map(image, at, why_not);
  if (plausible_volume(image, 0, at.hfs)) {
    at.end = image.size();
    return true;
  }
  if (image.be16(kMasterDirectoryBlock, signature) && (signature == 0x482B || signature == 0x4858)) {
    why_not = "an HFS Plus volume: not read";
    return false;
  }
  why_not = "no Macintosh volume (no master directory block at byte 1024)";
  return false;
}

// The volume's place, an HFS Plus volume in an HFS wrapper refused.
bool find_volume(SourceView& image, Location& at, std::string& why_not) {
  if (!find_volume_place(image, at, why_not)) return false;
  std::uint16_t embedded = 0;
  if (at.hfs && image.be16(at.base + kMasterDirectoryBlock + 124, embedded) && embedded == 0x482B) {
    why_not = "an HFS Plus volume (in an HFS wrapper): not read";
    return false;
  }
  return true;
}

// The Disk Copy 4.2 checksum of `length` bytes at `offset`.
bool disk_copy_checksum(SourceView& image, std::uint64_t offset, std::uint64_t length, std::uint32_t& sum) {
  sum = 0;
  for (std::uint64_t at = offset; at < offset + length;) {
    std::span<const std::uint8_t> v = image.view(at);
    if (v.size() < 2) return false;
    const std::size_t words = static_cast<std::size_t>(std::min<std::uint64_t>(v.size(), offset + length - at)) / 2;
    if (words == 0) return false;
    const std::uint8_t* p = v.data();
    for (std::size_t i = 0; i < words; ++i, p += 2) {
      sum += static_cast<std::uint32_t>(p[0] << 8 | p[1]);
      sum = sum >> 1 | sum << 31;
    }
    at += 2 * words;
  }
  return true;
}

bool write_all(int fd, const std::uint8_t* from, std::size_t count, std::uint64_t offset) {
  while (count > 0) {
    const ssize_t put = ::pwrite(fd, from, count, static_cast<off_t>(offset));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    from += put;
    count -= static_cast<std::size_t>(put);
    offset += static_cast<std::uint64_t>(put);
  }
  return true;
}

bool open_fork(const SourceFork& image, const VolumeFork& fork, SourceFork& out, std::string& error) {
  std::uint64_t total = 0;
  for (const ImageRange& r : fork.extents) {
    if (r.offset > image.size || r.length > image.size - r.offset) {
      error = "a fork lies beyond the end of the image";
      return false;
    }
    total += r.length;
  }
  if (total != fork.size) {
    error = "a fork's ranges do not hold its bytes";
    return false;
  }
  if (fork.extents.size() <= 1) {
    out = {image.file, image.offset + (fork.extents.empty() ? 0 : fork.extents[0].offset), fork.size};
    return true;
  }
  auto work = anonymous_work_file(error);
  if (!work) return false;
  SourceView view(image);
  std::uint64_t written = 0;
  for (const ImageRange& r : fork.extents) {
    for (std::uint64_t done = 0; done < r.length;) {
      const std::span<const std::uint8_t> piece = view.span_up_to(r.offset + done, static_cast<std::size_t>(
                                                                     std::min<std::uint64_t>(r.length - done, SourceView::kPageSize)));
      if (piece.empty()) {
        error = "the image cannot be read";
        return false;
      }
      if (!write_all(work->fd, piece.data(), piece.size(), written)) {
        error = "cannot write the work file";
        return false;
      }
      done += piece.size();
      written += piece.size();
    }
  }
  out = {work, 0, written};
  return true;
}

}  // namespace

bool probe_volume(SourceView& image, std::string& kind, std::string& why_not) {
  Location at;
  if (!find_volume(image, at, why_not)) return false;
  kind = at.hfs ? "HFS" : "MFS";
  if (at.disk_copy) kind = "Disk Copy 4.2 (" + kind + ")";
  return true;
}

bool probe_volume(const SourceFork& image, std::string& kind, std::string& why_not) {
  SourceView view(image);
  return probe_volume(view, kind, why_not);
}

bool read_volume(SourceView& image, Volume& volume, std::string& why_not) {
  volume = Volume{};
  Location at;
  if (!find_volume(image, at, why_not)) return false;
  VolumeScan scan{image, at.base, volume};
  volume.kind = at.hfs ? "HFS" : "MFS";
  if (at.disk_copy) {
    volume.kind = "Disk Copy 4.2 (" + volume.kind + ")";
    std::uint32_t sum = 0;
    if (at.end - at.base < at.disk_copy_data)
      scan.problem("Disk Copy 4.2: the image is cut short (" + std::to_string(at.end - at.base) + " of its " +
                   std::to_string(at.disk_copy_data) + " bytes of data)");
    else if (!disk_copy_checksum(image, at.base, at.disk_copy_data, sum) || sum != be32_at(image.span(72, 4).data()))
      scan.problem("Disk Copy 4.2: data checksum mismatch");
  }
  const bool listed = at.hfs ? list_hfs(scan, at.end, why_not) : list_mfs(scan, at.end, why_not);
  scan.finish();
  return listed;
}

bool read_volume(const SourceFork& image, Volume& volume, std::string& why_not) {
  SourceView view(image);
  return read_volume(view, volume, why_not);
}

bool open_volume_entry(const SourceFork& image, const VolumeEntry& entry, SourceFile& file, std::string& error) {
  file = SourceFile{};
  if (entry.folder) {
    error = "'" + entry.path + "' is a folder";
    return false;
  }
  if (!image.present()) {
    error = "the image is not open";
    return false;
  }
  if (!open_fork(image, entry.data, file.data, error) || !open_fork(image, entry.resource, file.resource, error)) {
    error = "'" + entry.path + "': " + error;
    file = SourceFile{};
    return false;
  }
  file.type = entry.type;
  file.creator = entry.creator;
  file.whole = file.data;
  return true;
}

}  // namespace lettrix
