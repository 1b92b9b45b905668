#include "builders/wrapper_builder.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "builders/builder_common.h"
#include "core/crc_ccitt.h"

namespace lettrix::build {

namespace {

std::span<const std::uint8_t> bytes_of(const std::string& s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

std::string four(const std::string& s) { return (s + "    ").substr(0, 4); }

void put_crc(std::string& out, const std::string& covered) { put_be16(out, crc_ccitt(bytes_of(covered))); }

// The run-length stage: a byte repeated 3 to 255 times becomes the byte,
// 0x90 and the count; a 0x90 byte is 0x90 0x00.
std::string run_length(const std::string& in) {
  std::string out;
  for (std::size_t i = 0; i < in.size();) {
    const char c = in[i];
    std::size_t n = 1;
    while (i + n < in.size() && in[i + n] == c && n < 255) ++n;
    out += c;
    if (c == '\x90') out += '\0';
    if (n >= 3) {
      out += '\x90';
      out += static_cast<char>(n);
    } else if (n == 2) {
      out += c;
      if (c == '\x90') out += '\0';
    }
    i += n;
  }
  return out;
}

std::string six_bit(const std::string& in) {
  constexpr std::string_view kAlphabet = "!\"#$%&'()*+,-012345689@ABCDEFGHIJKLMNPQRSTUVXYZ[`abcdefhijklmpqr";
  std::string out;
  std::uint32_t acc = 0;
  int bits = 0;
  for (unsigned char c : in) {
    acc = (acc << 8) | c;
    bits += 8;
    while (bits >= 6) {
      bits -= 6;
      out += kAlphabet[(acc >> bits) & 0x3F];
    }
  }
  if (bits > 0) out += kAlphabet[(acc << (6 - bits)) & 0x3F];
  return out;
}

std::string apple_entries(const std::string* data_fork, const MacFile& file, std::uint32_t magic) {
  struct Entry {
    std::uint32_t id;
    std::string bytes;
  };
  std::string finder = four(file.type) + four(file.creator) + std::string(24, '\0');
  std::vector<Entry> entries = {{3, file.name}, {9, finder}, {2, file.resource_fork}};
  if (data_fork) entries.push_back({1, *data_fork});
  std::string out;
  put_be32(out, magic);
  put_be32(out, 0x00020000);
  out.append(16, '\0');
  put_be16(out, static_cast<std::uint16_t>(entries.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(26 + 12 * entries.size());
  std::string body;
  for (const Entry& e : entries) {
    put_be32(out, e.id);
    put_be32(out, offset);
    put_be32(out, static_cast<std::uint32_t>(e.bytes.size()));
    body += e.bytes;
    offset += static_cast<std::uint32_t>(e.bytes.size());
  }
  return out + body;
}

}  // namespace

std::string macbinary_ii(const std::string& data_fork, const MacFile& file) {
  std::string out = macbinary(data_fork, file.name, file.type, file.creator, file.resource_fork);
  set_be16(out, 124, crc_ccitt(bytes_of(out.substr(0, 124))));
  return out;
}

std::string binhex(const std::string& data_fork, const MacFile& file) {
  std::string header;
  header += static_cast<char>(file.name.size());
  header += file.name;
  header += '\0';
  header += four(file.type) + four(file.creator);
  put_be16(header, 0);
  put_be32(header, static_cast<std::uint32_t>(data_fork.size()));
  put_be32(header, static_cast<std::uint32_t>(file.resource_fork.size()));
  std::string stream = header;
  put_crc(stream, header);
  stream += data_fork;
  put_crc(stream, data_fork);
  stream += file.resource_fork;
  put_crc(stream, file.resource_fork);
  const std::string text = six_bit(run_length(stream));
  std::string out = "(This file must be converted with BinHex 4.0)\r\n:";
  std::size_t column = 1;
  for (char c : text) {
    if (column == 64) {
      out += "\r\n";
      column = 0;
    }
    out += c;
    ++column;
  }
  return out + ":\r\n";
}

std::string applesingle(const std::string& data_fork, const MacFile& file) {
  return apple_entries(&data_fork, file, 0x00051600);
}

std::string appledouble(const MacFile& file) { return apple_entries(nullptr, file, 0x00051607); }

}  // namespace lettrix::build
