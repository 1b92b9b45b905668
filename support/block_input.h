// Reading a C stream in large blocks through pointers of our own: the
// buffer's position lives in this object, not behind the stream's lock and
// its fields in memory, so a loop over the bytes costs a compare and a load
// each, and a run of bytes can be taken from the block in one piece.
//
// Once a BlockInput reads a stream it has read ahead of the stream's own
// position: every read of that stream goes through it from then on.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <span>

namespace lettrix {

class BlockInput {
 public:
  static constexpr std::size_t kBlockSize = 1 << 16;

  explicit BlockInput(std::FILE* in) : in_(in) {}
  BlockInput(const BlockInput&) = delete;
  BlockInput& operator=(const BlockInput&) = delete;

  // The next byte, EOF at end of file or after a read error.
  int get() {
    if (at_ == end_ && !refill()) return EOF;
    return block_[at_++];
  }
  // The next byte without taking it.
  int peek() {
    if (at_ == end_ && !refill()) return EOF;
    return block_[at_];
  }
  // Gives back the byte that the last get() returned (one byte of push-back).
  void unget() {
    if (at_ > 0) --at_;
  }
  // Takes the bytes up to the first one that `stop` marks, at most `limit`
  // of them and no further than the block read ahead (so a run may come in
  // more than one piece). Empty when the next byte is a stop byte or at end
  // of file.
  std::span<const std::uint8_t> take_run(const std::array<bool, 256>& stop, std::size_t limit = kBlockSize) {
    if (at_ == end_ && !refill()) return {};
    const std::uint8_t* const first = block_.get() + at_;
    const std::size_t room = end_ - at_ < limit ? end_ - at_ : limit;
    std::size_t n = 0;
    while (n < room && !stop[first[n]]) ++n;
    at_ += n;
    return {first, n};
  }
  // The bytes read ahead and not taken yet; fill() reads the next block when
  // none are left (false at end of file). skip(n) takes n of them.
  bool fill() { return at_ < end_ || refill(); }
  const std::uint8_t* data() const { return block_.get() + at_; }
  std::size_t available() const { return end_ - at_; }
  void skip(std::size_t n) { at_ += n < end_ - at_ ? n : end_ - at_; }
  // Takes every byte up to the next one equal to `byte` (left to be read) or
  // to the end of the stream. False at end of file.
  bool skip_to(std::uint8_t byte) {
    while (fill()) {
      const void* found = std::memchr(data(), byte, available());
      if (found) {
        at_ = static_cast<std::size_t>(static_cast<const std::uint8_t*>(found) - block_.get());
        return true;
      }
      at_ = end_;
    }
    return false;
  }
  // skip_to(escape), then past every code of `length` bytes whose second byte
  // is `code` found there, so that a pass looking for other codes does not
  // stop at each character code. False at end of file.
  bool skip_codes(std::uint8_t escape, std::uint8_t code, std::size_t length) {
    while (skip_to(escape)) {
      if (available() < length || data()[1] != code) return true;
      skip(length);
    }
    return false;
  }
  // Reads n bytes into `to`. Returns how many there were (fewer at end of file).
  std::size_t read(std::uint8_t* to, std::size_t n);
  // Back to the start of the stream. Returns false when the stream cannot seek.
  bool rewind();
  // Whether a read of the stream failed (end of file is no failure).
  bool failed() const { return failed_; }

 private:
  bool refill();

  std::FILE* in_;
  // A block of new bytes behind the one byte kept for unget(): every read
  // asks for a whole block, which the C library passes to the system as it
  // stands instead of through its own buffer.
  std::unique_ptr<std::uint8_t[]> block_{new std::uint8_t[kBlockSize + 1]};
  std::size_t at_ = 0;
  std::size_t end_ = 0;
  bool failed_ = false;
};

// A stop table: true for each of the given bytes.
template <typename... Bytes>
constexpr std::array<bool, 256> stop_bytes(Bytes... bytes) {
  std::array<bool, 256> stop{};
  ((stop[static_cast<std::uint8_t>(bytes)] = true), ...);
  return stop;
}

}  // namespace lettrix
