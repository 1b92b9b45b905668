// SHA-256 (FIPS 180-4), for the checksums a conversion report keeps.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace lettrix {

class Sha256 {
 public:
  Sha256();
  void update(std::span<const std::uint8_t> bytes);
  // The digest of everything given; the object is spent afterwards.
  std::array<std::uint8_t, 32> finish();

 private:
  void block(const std::uint8_t* p);

  std::array<std::uint32_t, 8> state_;
  std::array<std::uint8_t, 64> pending_{};
  std::size_t pending_size_ = 0;
  std::uint64_t length_ = 0;  // bytes given so far
};

// The digest in 64 lower-case hex digits.
std::string sha256_hex(const std::array<std::uint8_t, 32>& digest);

// The SHA-256 of a file's bytes in hex; false when it cannot be read whole.
bool sha256_of_file(const std::string& path, std::string& hex);

}  // namespace lettrix
