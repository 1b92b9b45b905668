#include "core/resource_fork.h"

#include <new>

#include "core/byte_helpers.h"

namespace lettrix {

namespace {

constexpr std::size_t kTypeListStart = 28;
constexpr std::size_t kNameListOffsetField = 26;
constexpr std::size_t kTypeEntrySize = 8;
constexpr std::size_t kRefEntrySize = 12;
constexpr std::uint16_t kNoName = 0xFFFF;

// A count stored minus 1; 0xFFFF (-1) stands for none.
std::size_t stored_count(std::uint16_t minus_one) { return (minus_one + 1u) & 0xFFFFu; }

// Whether [offset, offset + length) lies inside a span of `size` bytes.
bool inside(std::uint64_t offset, std::uint64_t length, std::uint64_t size) {
  return offset <= size && length <= size - offset;
}

// The Pascal string at an offset of the map, or "" when it is not inside.
std::string name_at(const std::vector<std::uint8_t>& map, std::size_t offset) {
  ByteReader r(map.data(), map.size());
  r.seek(offset);
  const std::size_t length = r.u8();
  const auto chars = r.bytes(length);
  if (!r.ok()) return {};
  return std::string(chars.begin(), chars.end());
}

}  // namespace

bool ResourceFork::read_at(std::uint64_t offset, std::size_t length, std::vector<std::uint8_t>& bytes) {
  if (offset > fork_length_ || length > fork_length_ - offset) return false;
  try {
    bytes.resize(length);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return length == 0 || fork_.read(offset, bytes.data(), length);
}

ResourceForkStatus ResourceFork::read_map() {
  refs_.clear();
  if (fork_length_ == 0) return ResourceForkStatus::Empty;
  SourceCursor h(fork_);
  data_offset_ = h.be32();
  const std::uint32_t map_offset = h.be32();
  data_length_ = h.be32();
  const std::uint32_t map_length = h.be32();
  if (!h.ok()) return ResourceForkStatus::Damaged;
  if (!inside(data_offset_, data_length_, fork_length_) || !inside(map_offset, map_length, fork_length_))
    return ResourceForkStatus::Damaged;

  std::vector<std::uint8_t> map;
  if (map_length < kTypeListStart + 2 || !read_at(map_offset, map_length, map)) return ResourceForkStatus::Damaged;
  ByteReader m(map.data(), map.size());
  m.seek(kNameListOffsetField);
  const std::size_t name_list = m.be16();
  const std::size_t types = stored_count(m.be16());
  if (!m.ok() || !m.has(types * kTypeEntrySize)) return ResourceForkStatus::Damaged;

  // Every reference takes 12 bytes of the map; more of them than the map has
  // room for can only come from lists that overlap.
  const std::size_t most_refs = map.size() / kRefEntrySize;
  for (std::size_t t = 0; t < types; ++t) {
    const std::uint32_t type = m.be32();
    const std::size_t count = stored_count(m.be16());
    const std::size_t list = kTypeListStart + m.be16();
    if (count > most_refs - refs_.size()) return ResourceForkStatus::Damaged;
    ByteReader r(map.data(), map.size());
    r.seek(list);
    if (!r.ok() || !r.has(count * kRefEntrySize)) return ResourceForkStatus::Damaged;
    for (std::size_t i = 0; i < count; ++i) {
      ResourceRef ref;
      ref.type = type;
      ref.id = r.be16s();
      const std::uint16_t name = r.be16();
      const std::uint32_t attributes_and_offset = r.be32();
      r.skip(4);
      ref.attributes = static_cast<std::uint8_t>(attributes_and_offset >> 24);
      ref.data_item = attributes_and_offset & 0xFFFFFF;
      // A name outside the map is left out; the resource itself is sound.
      if (name != kNoName) ref.name = name_at(map, name_list + name);
      refs_.push_back(std::move(ref));
    }
  }
  return m.ok() ? ResourceForkStatus::Ok : ResourceForkStatus::Damaged;
}

bool ResourceFork::locate_data(const ResourceRef& ref, std::uint64_t& offset, std::uint32_t& length) {
  length = 0;
  if (!inside(ref.data_item, 4, data_length_) || !fork_.be32(std::uint64_t{data_offset_} + ref.data_item, length))
    return false;
  if (!inside(ref.data_item + 4ull, length, data_length_)) return false;
  // Items of a sound fork do not overlap: all of them together fill the data
  // area at most once.
  if (4ull + length > data_length_ - data_read_) return false;
  data_read_ += 4ull + length;
  offset = std::uint64_t{data_offset_} + ref.data_item + 4;
  return true;
}

bool ResourceFork::read_data(const ResourceRef& ref, std::vector<std::uint8_t>& data) {
  data.clear();
  std::uint64_t offset = 0;
  std::uint32_t length = 0;
  return locate_data(ref, offset, length) && read_at(offset, length, data);
}

}  // namespace lettrix
