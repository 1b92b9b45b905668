#include "core/mac_wrappers.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "core/byte_helpers.h"
#include "core/crc_ccitt.h"

namespace lettrix {

namespace {

constexpr std::size_t kMacBinaryHeader = 128;
constexpr std::size_t kMaxNameLength = 63;
constexpr std::size_t kTypeAt = 65;
constexpr std::size_t kZeroAt1 = 74;
constexpr std::size_t kZeroAt2 = 82;
constexpr std::size_t kDataLengthAt = 83;
constexpr std::size_t kSecondaryHeaderAt = 120;
constexpr std::size_t kSignatureAt = 102;  // "mBIN" in MacBinary III
constexpr std::size_t kCrcAt = 124;
// A secondary header is an idea MacBinary II left for later; nobody wrote
// one this long.
constexpr std::uint64_t kMaxSecondaryHeader = 1 << 16;

constexpr std::uint32_t kAppleSingleMagic = 0x00051600;
constexpr std::uint32_t kAppleDoubleMagic = 0x00051607;
constexpr std::size_t kEntriesAt = 26;
constexpr std::size_t kEntrySize = 12;
constexpr std::size_t kMaxEntries = 256;
constexpr std::uint32_t kDataForkId = 1;
constexpr std::uint32_t kResourceForkId = 2;
constexpr std::uint32_t kRealNameId = 3;
constexpr std::uint32_t kFinderInfoId = 9;

std::uint64_t padded128(std::uint64_t n) { return (n + 127) / 128 * 128; }

std::string four_chars(std::span<const std::uint8_t> b) { return std::string(b.begin(), b.end()); }

// A file type or creator as the Finder's codes are: four printable characters.
bool finder_code(const std::uint8_t* code) {
  return std::all_of(code, code + 4, [](std::uint8_t c) { return c >= 0x20 && c <= 0x7E; });
}

std::string past_end(const char* wrapper, const char* what, std::uint64_t end, std::uint64_t size) {
  return std::string(wrapper) + ": " + what + " runs past the end of the file (to byte " + std::to_string(end) +
         " of " + std::to_string(size) + ")";
}

}  // namespace

const char* wrapper_name(WrapperKind kind) {
  switch (kind) {
    case WrapperKind::MacBinary: return "MacBinary";
    case WrapperKind::BinHex: return "BinHex";
    case WrapperKind::AppleSingle: return "AppleSingle";
    case WrapperKind::AppleDouble: return "AppleDouble";
    case WrapperKind::None: break;
  }
  return "";
}

std::string WrappedFile::description() const {
  switch (kind) {
    case WrapperKind::MacBinary: return version >= 3 ? "MacBinary III" : version == 2 ? "MacBinary II" : "MacBinary";
    case WrapperKind::BinHex: return "BinHex 4.0";
    default: return wrapper_name(kind);
  }
}

WrapperCheck probe_macbinary(std::span<const std::uint8_t> head, std::uint64_t file_size, WrappedFile& info,
                             std::string& error) {
  if (head.size() < kMacBinaryHeader || file_size < kMacBinaryHeader) return WrapperCheck::NotWrapped;
  const std::uint8_t* h = head.data();
  const std::size_t name_length = h[1];
  if (h[0] != 0 || name_length == 0 || name_length > kMaxNameLength || h[kZeroAt1] != 0 || h[kZeroAt2] != 0)
    return WrapperCheck::NotWrapped;
  const std::uint16_t stored_crc = be16_at(h + kCrcAt);
  const bool crc_ok = stored_crc == crc_ccitt(head.first(kCrcAt));
  const auto name = head.subspan(2, name_length);
  const bool clean_name = std::none_of(name.begin(), name.end(), [](std::uint8_t c) { return c < 0x20; });
  const std::uint64_t data_length = be32_at(h + kDataLengthAt);
  const std::uint64_t resource_length = be32_at(h + kDataLengthAt + 4);
  std::uint64_t secondary = crc_ok ? be16_at(h + kSecondaryHeaderAt) : 0;
  if (secondary > kMaxSecondaryHeader) secondary = kMaxSecondaryHeader;
  const std::uint64_t data_offset = kMacBinaryHeader + padded128(secondary);
  const std::uint64_t resource_offset = data_offset + padded128(data_length);
  const bool data_fits = data_offset + data_length <= file_size;
  const bool resource_fits = resource_length == 0 || resource_offset + resource_length <= file_size;

  if (!crc_ok) {
    // No CRC, or a wrong one. Written without a CRC (MacBinary I, or a tool
    // that left the field 0), the header must hold together by itself: forks
    // inside the file, or, for a file cut short, a type and a creator that
    // are Finder codes. A MacWrite data fork has no such name: its byte 1 (3 or
    // 6) makes a name of bytes 2 to 4 or 2 to 7, which hold the high bytes of
    // 16-bit counts and offsets (2.2: where the first paragraph starts and how
    // many there are; 4.x: the entries of the main text, header and footer),
    // below 0x20 unless they reach 8,192.
    if (!clean_name) return WrapperCheck::NotWrapped;
    if ((!data_fits || !resource_fits) && !(finder_code(h + kTypeAt) && finder_code(h + kTypeAt + 4)))
      return WrapperCheck::NotWrapped;
    if (stored_crc != 0 && h[123] >= 129) {
      error = "MacBinary: header CRC mismatch";
      return WrapperCheck::Damaged;
    }
  }
  info = WrappedFile{};
  info.kind = WrapperKind::MacBinary;
  info.version = !crc_ok ? 1 : std::equal(h + kSignatureAt, h + kSignatureAt + 4, "mBIN") ? 3 : 2;
  info.name = four_chars(name);
  info.type = four_chars(head.subspan(kTypeAt, 4));
  info.creator = four_chars(head.subspan(kTypeAt + 4, 4));
  info.data_offset = data_offset;
  info.data_length = data_length;
  info.resource_offset = resource_offset;
  info.resource_length = resource_length;
  if (!data_fits) {
    error = past_end("MacBinary", "the data fork", data_offset + data_length, file_size);
    return WrapperCheck::Damaged;
  }
  if (!resource_fits) {
    error = past_end("MacBinary", "the resource fork", resource_offset + resource_length, file_size);
    return WrapperCheck::Damaged;
  }
  return WrapperCheck::Ok;
}

WrapperCheck probe_applesingle(std::span<const std::uint8_t> head, std::uint64_t file_size, WrappedFile& info,
                               std::string& error) {
  ByteReader r(head);
  const std::uint32_t magic = r.be32();
  const std::uint32_t version = r.be32();
  if (!r.ok() || (magic != kAppleSingleMagic && magic != kAppleDoubleMagic) ||
      (version != 0x00010000 && version != 0x00020000))
    return WrapperCheck::NotWrapped;
  const char* wrapper = magic == kAppleSingleMagic ? "AppleSingle" : "AppleDouble";
  info = WrappedFile{};
  info.kind = magic == kAppleSingleMagic ? WrapperKind::AppleSingle : WrapperKind::AppleDouble;
  info.version = static_cast<int>(version >> 16);
  info.has_data_fork = false;
  r.seek(24);
  const std::size_t count = r.be16();
  if (!r.ok() || count > kMaxEntries || kEntriesAt + count * kEntrySize > file_size) {
    error = std::string(wrapper) + ": entry table runs past the end of the file";
    return WrapperCheck::Damaged;
  }
  if (kEntriesAt + count * kEntrySize > head.size()) {
    error = std::string(wrapper) + ": entry table too long";
    return WrapperCheck::Damaged;
  }
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t id = r.be32();
    const std::uint64_t offset = r.be32();
    const std::uint64_t length = r.be32();
    if (offset + length > file_size) {
      const std::string what = "entry " + std::to_string(id) +
                               (id == kDataForkId ? " (data fork)" : id == kResourceForkId ? " (resource fork)" : "");
      error = past_end(wrapper, what.c_str(), offset + length, file_size);
      return WrapperCheck::Damaged;
    }
    const bool in_head = offset + length <= head.size();
    if (id == kDataForkId) {
      info.has_data_fork = true;
      info.data_offset = offset;
      info.data_length = length;
    } else if (id == kResourceForkId) {
      info.resource_offset = offset;
      info.resource_length = length;
    } else if (id == kFinderInfoId && length >= 8 && in_head) {
      info.type = four_chars(head.subspan(offset, 4));
      info.creator = four_chars(head.subspan(offset + 4, 4));
    } else if (id == kRealNameId && in_head && length <= 255) {
      info.name = four_chars(head.subspan(offset, length));
    }
  }
  return WrapperCheck::Ok;
}

std::string appledouble_companion(const std::string& path) {
  std::size_t slash = path.find_last_of("/\\");
  const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
  return path.substr(0, start) + "._" + path.substr(start);
}

bool is_appledouble_name(const std::string& path) {
  std::size_t slash = path.find_last_of("/\\");
  const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
  return path.compare(start, 2, "._") == 0;
}

}  // namespace lettrix
