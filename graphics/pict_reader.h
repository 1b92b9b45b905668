// Bounded big-endian reading of a QuickDraw picture, and the lengths of the
// opcodes the renderer passes over.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace lettrix::pict {

struct Point {
  int v = 0;
  int h = 0;
};

struct Rect {
  int top = 0;
  int left = 0;
  int bottom = 0;
  int right = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool empty() const { return right <= left || bottom <= top; }
};

// Reads the picture's bytes from a position on. A read past the end fails
// the cursor: it then stays at the end, every further read gives 0, and ok()
// is false.
class Cursor {
 public:
  explicit Cursor(std::span<const std::uint8_t> data, std::size_t at = 0) : data_(data), at_(at) {
    if (at_ > data_.size()) fail();
  }
  bool ok() const { return ok_; }
  std::size_t at() const { return at_; }
  std::size_t left() const { return data_.size() - at_; }
  void fail() {
    ok_ = false;
    at_ = data_.size();
  }

  std::uint8_t u8() { return need(1) ? data_[at_++] : 0; }
  int s8() { return static_cast<std::int8_t>(u8()); }
  std::uint16_t u16() {
    if (!need(2)) return 0;
    const auto v = static_cast<std::uint16_t>((data_[at_] << 8) | data_[at_ + 1]);
    at_ += 2;
    return v;
  }
  int s16() { return static_cast<std::int16_t>(u16()); }
  std::uint32_t u32() {
    const std::uint32_t hi = u16();
    return (hi << 16) | u16();
  }
  Point point() {
    Point p;
    p.v = s16();
    p.h = s16();
    return p;
  }
  Rect rect() {
    Rect r;
    r.top = s16();
    r.left = s16();
    r.bottom = s16();
    r.right = s16();
    return r;
  }
  // The next n bytes, empty (and the cursor failed) when fewer remain.
  std::span<const std::uint8_t> bytes(std::size_t n) {
    if (!need(n)) return {};
    const auto s = data_.subspan(at_, n);
    at_ += n;
    return s;
  }
  bool skip(std::size_t n) { return need(n) ? (at_ += n, true) : false; }
  // Version 2 opcodes start at even offsets from the picture's size word.
  void align2() {
    if ((at_ & 1) != 0 && at_ < data_.size()) ++at_;
  }

 private:
  bool need(std::size_t n) {
    if (ok_ && n <= data_.size() - at_) return true;
    fail();
    return false;
  }
  std::span<const std::uint8_t> data_;
  std::size_t at_;
  bool ok_ = true;
};

// Passes over the data of an opcode the renderer does not draw: the reserved
// opcodes of both versions by their documented lengths, comments, and the
// settings it ignores (SpExtra, TxRatio, highlighting, ChExtra...). False
// when `op` is none of these (the renderer reads it itself, or nobody knows
// its length, as for the opcodes version 1 reserves).
bool skip_opcode_data(Cursor& c, unsigned op, int version);

}  // namespace lettrix::pict
