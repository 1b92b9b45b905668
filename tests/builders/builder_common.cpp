#include "builders/builder_common.h"

namespace lettrix::build {

void put_be16(std::string& out, std::uint16_t v) {
  out += static_cast<char>(v >> 8);
  out += static_cast<char>(v & 0xFF);
}

void put_be32(std::string& out, std::uint32_t v) {
  put_be16(out, static_cast<std::uint16_t>(v >> 16));
  put_be16(out, static_cast<std::uint16_t>(v & 0xFFFF));
}

void set_be16(std::string& out, std::size_t offset, std::uint16_t v) {
  if (out.size() < offset + 2) out.resize(offset + 2, '\0');
  out[offset] = static_cast<char>(v >> 8);
  out[offset + 1] = static_cast<char>(v & 0xFF);
}

void set_be32(std::string& out, std::size_t offset, std::uint32_t v) {
  set_be16(out, offset, static_cast<std::uint16_t>(v >> 16));
  set_be16(out, offset + 2, static_cast<std::uint16_t>(v & 0xFFFF));
}

std::string macbinary(const std::string& data_fork, const std::string& name, const std::string& type,
                      const std::string& creator, const std::string& resource_fork) {
  std::string header(128, '\0');
  std::size_t n = name.size() > 63 ? 63 : name.size();
  header[1] = static_cast<char>(n);
  header.replace(2, n, name.substr(0, n));
  header.replace(65, 4, (type + "    ").substr(0, 4));
  header.replace(69, 4, (creator + "    ").substr(0, 4));
  set_be32(header, 83, static_cast<std::uint32_t>(data_fork.size()));
  set_be32(header, 87, static_cast<std::uint32_t>(resource_fork.size()));
  header[122] = static_cast<char>(129);  // MacBinary II
  header[123] = static_cast<char>(129);
  auto padded = [](std::string s) {
    if (s.size() % 128) s.append(128 - s.size() % 128, '\0');
    return s;
  };
  return header + padded(data_fork) + padded(resource_fork);
}

}  // namespace lettrix::build
