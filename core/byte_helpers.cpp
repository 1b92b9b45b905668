#include "core/byte_helpers.h"


namespace lettrix {

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
