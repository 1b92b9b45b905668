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

#include "support/block_input.h"

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
    if (s.empty()) return;
    if (s.size() > kSize - used_) {
      make_room();
      if (s.size() > kSize - used_) flush();
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
  // Copies the bytes of `in` up to the first one that `stop` marks, at most
  // `limit` of them, straight from its block into this one (no further than
  // either block reaches, so a run may take more than one call). Returns how
  // many were copied: 0 when the next byte is a stop byte or at end of file.
  std::size_t copy_run(BlockInput& in, const std::array<bool, 256>& stop, std::size_t limit = kSize) {
    if (!in.fill()) return 0;
    if (used_ == kSize) flush();
    std::size_t n = in.available();
    if (n > kSize - used_) n = kSize - used_;
    if (n > limit) n = limit;
    const std::uint8_t* from = in.data();
    char* to = block_ + used_;
    std::size_t i = 0;
    for (; i < n && !stop[from[i]]; ++i) to[i] = static_cast<char>(from[i]);
    used_ += i;
    in.skip(i);
    return i;
  }
  // The free part of the block, for a routine that writes into it directly:
  // at least `min` bytes (at most the block's size), the block sent to the
  // stream first when fewer are free. commit(n) counts n bytes written there.
  std::uint8_t* space(std::size_t min) {
    if (kSize - used_ < min) make_room();
    if (kSize - used_ < min) flush();
    return reinterpret_cast<std::uint8_t*>(block_ + used_);
  }
  std::size_t space_left() const { return kSize - used_; }
  void commit(std::size_t n) { used_ += n; }
  // A number in decimal.
  void put_number(long long n) {
    char digits[24];
    auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    put(std::string_view(digits, static_cast<std::size_t>(end - digits)));
  }
  // Takes back the spaces and tabs at the end of the bytes still in the
  // block, at most `max`, into `to` (a writer that must put a mark before
  // them, which it learns only after them). Returns how many.
  std::size_t take_back_blanks(char* to, std::size_t max) {
    std::size_t n = 0;
    while (n < max && n < used_ && (block_[used_ - 1 - n] == ' ' || block_[used_ - 1 - n] == '\t')) ++n;
    used_ -= n;
    std::memcpy(to, block_ + used_, n);
    return n;
  }
  void flush() {
    if (used_ > 0) std::fwrite(block_, 1, used_, out_);
    used_ = 0;
  }

 private:
  static constexpr std::size_t kSize = 1 << 16;
  static constexpr std::size_t kPiece = 1 << 12;

  // Sends on the whole pieces of 4 KB that the block holds and moves the
  // rest to its front: writes of whole pieces go past the C library's own
  // buffer, a write of any other length is copied through it.
  void make_room() {
    const std::size_t whole = used_ / kPiece * kPiece;
    if (whole == 0) return;
    std::fwrite(block_, 1, whole, out_);
    std::memmove(block_, block_ + whole, used_ - whole);
    used_ -= whole;
  }
  std::FILE* out_;
  std::size_t used_ = 0;
  char block_[kSize];
};

}  // namespace lettrix
