// The resource fork of a Macintosh file, as the Resource Manager lays it out.
// All numbers are big-endian; offsets count from the start of the fork.
//
//   fork header, 16 bytes
//     0   4   offset of the data area
//     4   4   offset of the map
//     8   4   length of the data area
//     12  4   length of the map
//   data area: one item per resource, a 32-bit length and that many bytes
//   map
//     0   16  a copy of the fork header (not read)
//     16  6   handle and file reference of a loaded map (not read)
//     22  2   map attributes (not read)
//     24  2   offset of the type list from the map, 28 in every map the
//             Resource Manager writes: the type list follows at map offset 28
//     26  2   offset of the name list from the map
//     28      type list: the number of types minus 1 (16-bit), then 8 bytes
//             per type: type code (4 characters), number of resources of the
//             type minus 1 (16-bit), offset of the type's reference list from
//             the type list (16-bit)
//             reference lists: 12 bytes per resource: id (16-bit), offset of
//             its name from the name list (16-bit, -1 when unnamed),
//             attributes (1 byte), offset of its data item from the data area
//             (24-bit), handle of a loaded resource (4 bytes, not read)
//             name list: Pascal strings (a length byte and the characters)
//
// A sound map holds each resource's reference once, and sound data items do
// not overlap: the walk below refuses a map whose references would need more
// room than the map has, and stops reading data once more bytes have been
// asked for than the data area holds, so that a hostile fork costs no more
// than its size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/source_view.h"

namespace lettrix {

// A four-character type code as a 32-bit number: resource_type("FNTX").
constexpr std::uint32_t resource_type(const char (&code)[5]) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(code[0])) << 24 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(code[1])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(code[2])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(code[3]));
}

// One reference of the map.
struct ResourceRef {
  std::uint32_t type = 0;
  std::int16_t id = 0;
  std::uint8_t attributes = 0;
  std::string name;             // empty when the resource has none
  std::uint32_t data_item = 0;  // offset of its data item from the data area
};

enum class ResourceForkStatus {
  Ok,
  Empty,    // a fork of length 0: no resources
  Damaged,  // the header, map or a reference list lies outside the fork
};

// A resource fork read through a view of it (SourceFile::resource, or bytes
// in memory); the view must outlive the ResourceFork.
class ResourceFork {
 public:
  explicit ResourceFork(SourceView& fork) : fork_(fork), fork_length_(fork.size()) {}

  // Reads the header and the map: every reference, types in the order of the
  // type list, resources in the order of each reference list.
  ResourceForkStatus read_map();
  const std::vector<ResourceRef>& refs() const { return refs_; }

  // The data of a resource (the length word excluded). False when its item
  // does not lie inside the data area, when the fork cannot be read, or when
  // the reads of this fork have asked for more bytes than the data area holds.
  bool read_data(const ResourceRef& ref, std::vector<std::uint8_t>& data);
  // Where the data of a resource lies in the fork, checked as read_data
  // checks it (and counted as handed out), without reading it.
  bool locate_data(const ResourceRef& ref, std::uint64_t& offset, std::uint32_t& length);

 private:
  bool read_at(std::uint64_t offset, std::size_t length, std::vector<std::uint8_t>& bytes);

  SourceView& fork_;
  std::uint64_t fork_length_;
  std::uint32_t data_offset_ = 0;
  std::uint32_t data_length_ = 0;  // as far as the fork holds it
  std::uint64_t data_read_ = 0;    // bytes handed out by read_data so far
  std::vector<ResourceRef> refs_;
};

}  // namespace lettrix
