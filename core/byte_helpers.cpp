#include "core/byte_helpers.h"

#include <bit>

#include "core/stream_codes.h"
#include "support/stream_routines.h"
#include "support/byte_io.h"

namespace lettrix {

int write_repeated(int count, int byte, std::FILE* out) {
  if (count <= 0) return 0;
  unsigned char chunk[256];
  for (unsigned char& b : chunk) b = static_cast<unsigned char>(byte);
  int left = count;
  while (left > 0) {
    const int n = left < static_cast<int>(sizeof chunk) ? left : static_cast<int>(sizeof chunk);
    std::fwrite(chunk, 1, static_cast<std::size_t>(n), out);
    left -= n;
  }
  return count;
}

long skip_bytes(long count, std::FILE* in) {
  unsigned char chunk[128];
  long skipped = 0;
  while (skipped < count) {
    const long want = count - skipped < 128 ? count - skipped : 128;
    const std::size_t got = std::fread(chunk, 1, static_cast<std::size_t>(want), in);
    skipped += static_cast<long>(got);
    if (got < static_cast<std::size_t>(want)) break;
  }
  return skipped;
}

long skip_to_byte(int byte, std::FILE* in) {
  const int target = byte & 0xFF;
  long n = 0;
  for (;;) {
    const int c = std::fgetc(in);
    if (c == EOF) return -1;
    ++n;
    if (c == target) return n;
  }
}

long skip_span(long start, long end, std::FILE* in) {
  if (start == 0) start = std::ftell(in);
  const long distance = end - start;
  if (distance >= 1 && distance <= 511) {
    skip_bytes(distance, in);
  } else {
    std::fseek(in, distance, SEEK_CUR);
  }
  return start;
}

int skip_picture(std::FILE* in) {
  const char end_mark[] = {static_cast<char>(kEscape), static_cast<char>(EndOfText)};
  const long p = locate_keyword(in, std::string_view(end_mark, sizeof end_mark));
  if (p < 0) return -1;
  std::fseek(in, p + 2, SEEK_SET);
  return 0;
}

std::uint16_t swap16(std::uint16_t value) {
  if constexpr (std::endian::native == std::endian::big) return value;
  return static_cast<std::uint16_t>((value >> 8) | (value << 8));
}

std::uint32_t swap32(std::uint32_t value) {
  if constexpr (std::endian::native == std::endian::big) return value;
  return (value >> 24) | ((value >> 8) & 0xFF00u) | ((value << 8) & 0xFF0000u) | (value << 24);
}

bool is_vowel(int c) {
  switch (c) {
    case 'a': case 'e': case 'i': case 'o': case 'u': case 'y': return true;
    default: return false;
  }
}

namespace {

// Accent characters: grave, acute, circumflex, diaeresis (tilde on n).
int accent_index(int accent) {
  switch (accent) {
    case '`': return 0;
    case '\'': return 1;
    case '^': return 2;
    case '"': case '~': return 3;
    default: return -1;
  }
}

struct AccentRow {
  char letter;
  std::uint8_t index[4];  // grave, acute, circumflex, diaeresis or tilde
};

// Table 1 indexes of the lower-case composed letters; 0 where there is none.
constexpr AccentRow kAccentRows[] = {
    {'a', {33, 27, 29, 31}},   {'c', {0, 97, 0, 0}},   {'e', {47, 41, 43, 45}},  {'g', {0, 0, 0, 0}},
    {'i', {55, 49, 51, 53}},   {'l', {0, 0, 0, 0}},    {'n', {0, 155, 0, 57}},   {'o', {65, 59, 61, 63}},
    {'r', {219, 169, 0, 0}},   {'s', {0, 175, 0, 0}},  {'u', {73, 67, 69, 71}},  {'y', {227, 85, 203, 75}},
    {'z', {0, 205, 0, 0}},
};

bool is_plain_printable(int c) { return c >= 0x20 && c <= 0x7E && c != kEscape; }

}  // namespace

int composed_letter_index(int letter, int accent) {
  const int a = accent_index(accent);
  if (a < 0) return 0;
  const bool upper = letter >= 'A' && letter <= 'Z';
  const int lower = upper ? letter + 0x20 : letter;
  for (const AccentRow& row : kAccentRows) {
    if (row.letter != lower) continue;
    const int index = row.index[a];
    if (index == 0) return 0;
    return upper ? index - 1 : index;
  }
  return 0;
}

int compose_accent(std::FILE* in, std::FILE* out, int previous) {
  if (!is_plain_printable(previous)) return 1;
  const int next = std::fgetc(in);
  if (next == EOF) return 1;
  if (!is_plain_printable(next)) {
    std::ungetc(next, in);
    return 1;
  }

  // Overwrite the byte written for the character before the backspace; with
  // nothing written yet there is nothing to step back over.
  if (std::ftell(out) > 0) std::fseek(out, -1, SEEK_CUR);

  const bool accent_first = is_vowel(next);
  const int letter = accent_first ? next : previous;
  const int accent = accent_first ? previous : next;
  const int index = composed_letter_index(letter, accent);
  if (index > 0) {
    const unsigned char code[4] = {kEscape, TableChar, 1, static_cast<unsigned char>(index)};
    std::fwrite(code, 1, sizeof code, out);
  } else {
    put_byte(accent, out);
    put_byte(letter, out);
  }
  return 0;
}

bool read_u8(std::FILE* in, std::uint8_t& value) {
  const int c = std::fgetc(in);
  if (c == EOF) return false;
  value = static_cast<std::uint8_t>(c);
  return true;
}

bool read_be16(std::FILE* in, std::uint16_t& value) {
  unsigned char b[2];
  if (std::fread(b, 1, 2, in) != 2) return false;
  value = static_cast<std::uint16_t>((b[0] << 8) | b[1]);
  return true;
}

bool read_be32(std::FILE* in, std::uint32_t& value) {
  unsigned char b[4];
  if (std::fread(b, 1, 4, in) != 4) return false;
  value = (std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) | (std::uint32_t{b[2]} << 8) | b[3];
  return true;
}

long stream_size(std::FILE* in) {
  const long here = std::ftell(in);
  if (here < 0 || std::fseek(in, 0, SEEK_END) != 0) return -1;
  const long size = std::ftell(in);
  std::fseek(in, here, SEEK_SET);
  return size;
}

// ---------------------------------------------------------------------------
// ByteReader

bool ByteReader::take(std::size_t n) {
  if (!ok_ || n > remaining()) {
    ok_ = false;
    return false;
  }
  return true;
}

std::uint16_t ByteReader::be16() {
  if (!take(2)) return 0;
  const std::uint16_t v = static_cast<std::uint16_t>((data_[pos_] << 8) | data_[pos_ + 1]);
  pos_ += 2;
  return v;
}

std::uint32_t ByteReader::be32() {
  if (!take(4)) return 0;
  const std::uint32_t v = (std::uint32_t{data_[pos_]} << 24) | (std::uint32_t{data_[pos_ + 1]} << 16) |
                          (std::uint32_t{data_[pos_ + 2]} << 8) | data_[pos_ + 3];
  pos_ += 4;
  return v;
}

std::span<const std::uint8_t> ByteReader::bytes(std::size_t n) {
  if (!take(n)) return {};
  std::span<const std::uint8_t> s(data_ + pos_, n);
  pos_ += n;
  return s;
}

void ByteReader::skip(std::size_t n) {
  if (take(n)) pos_ += n;
}

void ByteReader::seek(std::size_t offset) {
  if (!ok_ || offset > size_) {
    ok_ = false;
    return;
  }
  pos_ = offset;
}

}  // namespace lettrix
