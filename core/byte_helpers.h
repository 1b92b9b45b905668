// Byte-stream helpers shared by readers and writers: skipping, repeating,
// big-endian numbers (Macintosh files are big-endian), the MacBinary header
// test and the composition of typewriter accents (letter, backspace, accent).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>

namespace lettrix {

// Writes the byte count times (nothing for a count of 0 or less); returns the
// number of bytes written that way.
int write_repeated(int count, int byte, std::FILE* out);

// Reads and discards count bytes, at most 128 at a time; stops early at end
// of file. Returns the number of bytes skipped.
long skip_bytes(long count, std::FILE* in);

// Reads up to and including the next occurrence of the byte; returns the
// number of bytes read, -1 at end of file.
long skip_to_byte(int byte, std::FILE* in);

// Moves by end - start bytes from the current position (start 0 stands for
// the current position, so the move goes to the absolute offset end): a move
// of 1 to 511 bytes reads them, any other one seeks (backwards when negative).
// Returns start (the current position when start was 0).
long skip_span(long start, long end, std::FILE* in);

// Leaves the input just after the next EndOfText code (0x5C 0x7F), as writers
// that do not embed pictures skip a Picture. Returns 0, or -1 when the end
// mark is missing and the input is at its end.
int skip_picture(std::FILE* in);

// Big-endian 16-bit and 32-bit numbers, as read raw from a Macintosh file,
// in host order.
std::uint16_t swap16(std::uint16_t value);
std::uint32_t swap32(std::uint32_t value);

// True for the lower-case vowels a, e, i, o, u and y.
bool is_vowel(int c);

// Composes an accented letter from the typewriter sequence character,
// backspace, character. The caller has just read the backspace; `previous`
// is the character before it, which the caller wrote to `out` as one plain
// byte. Reads the character after the backspace: when one of the two is a
// lower-case vowel after the backspace it is the letter and `previous` the
// accent, otherwise `previous` is the letter. The byte already written is
// overwritten by TableChar 1 and the composed letter, or by the accent and
// the letter as plain bytes when there is no composed form. Returns 0.
//
// When the character after the backspace is missing (end of file) or is not
// printable ASCII (0x20 to 0x7E, the backslash excepted), or `previous` is
// not, nothing is composed: that character is pushed back for the caller,
// the output is left as it is, and the result is nonzero.
int compose_accent(std::FILE* in, std::FILE* out, int previous);

// The index in table 1 of the letter with the accent (` ' ^ " ~), or 0 when
// there is no composed form. Upper-case letters give the entry minus 1.
int composed_letter_index(int letter, int accent);

// Checked big-endian reads from a stream: false (and the value left
// unchanged) when the file ends first.
bool read_u8(std::FILE* in, std::uint8_t& value);
// Big-endian numbers at bytes the caller has already bounds-checked.
inline std::uint16_t be16_at(const std::uint8_t* p) { return static_cast<std::uint16_t>((p[0] << 8) | p[1]); }
inline std::int16_t be16s_at(const std::uint8_t* p) { return static_cast<std::int16_t>(be16_at(p)); }
inline std::uint32_t be32_at(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
         static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

bool read_be16(std::FILE* in, std::uint16_t& value);
bool read_be32(std::FILE* in, std::uint32_t& value);

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
