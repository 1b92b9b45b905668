// Byte helpers shared by readers and writers: big-endian numbers (Macintosh
// files are big-endian) at checked places and through ByteReader, and the
// composed letters of typewriter accents (letter, backspace, accent).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>

namespace lettrix {

// True for the lower-case vowels a, e, i, o, u and y.
bool is_vowel(int c);

// The index in table 1 of the letter with the accent (` ' ^ " ~), or 0 when
// there is no composed form. Upper-case letters give the entry minus 1.
int composed_letter_index(int letter, int accent);

// Big-endian numbers at bytes the caller has already bounds-checked.
inline std::uint16_t be16_at(const std::uint8_t* p) { return static_cast<std::uint16_t>((p[0] << 8) | p[1]); }
inline std::int16_t be16s_at(const std::uint8_t* p) { return static_cast<std::int16_t>(be16_at(p)); }
inline std::uint32_t be32_at(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
         static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

// The size of a seekable stream in bytes, its position kept; -1 on failure.
long stream_size(std::FILE* in);

// Reads numbers from a block held in memory. A read past the end yields 0 and
// sets a sticky error flag, so a run of reads can be checked once at the end.
class ByteReader {
 public:
  ByteReader() = default;
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  explicit ByteReader(std::span<const std::uint8_t> bytes) : data_(bytes.data()), size_(bytes.size()) {}

  // (Inline: readers take most of their bytes one at a time.)
  std::uint8_t u8() {
    if (!ok_ || pos_ >= size_) {
      ok_ = false;
      return 0;
    }
    return data_[pos_++];
  }
  std::uint16_t be16();
  std::uint32_t be32();
  std::int16_t be16s() { return static_cast<std::int16_t>(be16()); }
  std::int32_t be32s() { return static_cast<std::int32_t>(be32()); }
  // The next n bytes, or an empty span (and the error flag) when fewer remain.
  std::span<const std::uint8_t> bytes(std::size_t n);
  void skip(std::size_t n);
  // Moves to an offset from the start; past the end sets the error flag.
  void seek(std::size_t offset);

  std::size_t position() const { return pos_; }
  std::size_t size() const { return size_; }
  std::size_t remaining() const { return size_ - pos_; }
  bool ok() const { return ok_; }
  // Whether n more bytes can be read; false sets no flag.
  bool has(std::size_t n) const { return n <= remaining(); }

 private:
  bool take(std::size_t n);

  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

}  // namespace lettrix
