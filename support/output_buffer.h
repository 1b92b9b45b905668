// A byte buffer in front of an output stream, for writers that produce their
// output a few bytes at a time: bytes collect in a fixed block that goes to
// the stream with one fwrite when it is full and at flush().
#pragma once

#include <charconv>
#include <cstddef>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace lettrix {

class OutputBuffer {
 public:
  explicit OutputBuffer(std::FILE* out) : out_(out) {}
  OutputBuffer(const OutputBuffer&) = delete;
  OutputBuffer& operator=(const OutputBuffer&) = delete;
  ~OutputBuffer() { flush(); }

  void put(char c) {
    if (used_ == kSize) flush();
    block_[used_++] = c;
  }
  void put(std::string_view s) {
    if (s.size() > kSize - used_) {
      flush();
      if (s.size() > kSize) {
        std::fwrite(s.data(), 1, s.size(), out_);
        return;
      }
    }
    std::memcpy(block_ + used_, s.data(), s.size());
    used_ += s.size();
  }
  void put(std::span<const std::uint8_t> bytes) {
    put(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  }
  // A number in decimal.
  void put_number(long long n) {
    char digits[24];
    auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    put(std::string_view(digits, static_cast<std::size_t>(end - digits)));
  }
  void flush() {
    if (used_ > 0) std::fwrite(block_, 1, used_, out_);
    used_ = 0;
  }

 private:
  static constexpr std::size_t kSize = 1 << 16;
  std::FILE* out_;
  std::size_t used_ = 0;
  char block_[kSize];
};

}  // namespace lettrix
