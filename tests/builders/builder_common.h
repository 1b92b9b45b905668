// Small helpers for the document builders: big-endian numbers and MacBinary
// wrapping of a data fork.
#pragma once

#include <cstdint>
#include <string>

namespace lettrix::build {

void put_be16(std::string& out, std::uint16_t v);
void put_be32(std::string& out, std::uint32_t v);
void set_be16(std::string& out, std::size_t offset, std::uint16_t v);
void set_be32(std::string& out, std::size_t offset, std::uint32_t v);

// A 128-byte MacBinary II header for a file of this name, type and creator
// (4 characters each), followed by the data fork padded to a multiple of 128,
// then the resource fork likewise.
std::string macbinary(const std::string& data_fork, const std::string& name, const std::string& type,
                      const std::string& creator, const std::string& resource_fork = "");

}  // namespace lettrix::build
