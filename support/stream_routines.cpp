#include "support/stream_routines.h"

#include <cstddef>
#include <memory>
#include <new>

namespace lettrix {

namespace {

constexpr std::size_t kCopyChunk = 40960;
constexpr std::size_t kMaxKeyLength = 255;

unsigned char ascii_lower(unsigned char c) { return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 0x20) : c; }

}  // namespace

int copy_stream_bytes(std::FILE* src, std::FILE* dst, long count) {
  // A positioning call between reading and writing lets either stream have
  // been used in the other direction last.
  std::fseek(src, 0, SEEK_CUR);
  std::fseek(dst, 0, SEEK_CUR);

  std::unique_ptr<unsigned char[]> buffer(new (std::nothrow) unsigned char[kCopyChunk]());
  if (!buffer) return -1;

  long left = count > 0 ? count : 0;
  while (left > 0) {
    const std::size_t want = static_cast<unsigned long>(left) < kCopyChunk ? static_cast<std::size_t>(left) : kCopyChunk;
    const std::size_t got = std::fread(buffer.get(), 1, want, src);
    if (got == 0) break;
    std::fwrite(buffer.get(), 1, got, dst);
    left -= static_cast<long>(got);
  }

  std::fseek(src, 0, SEEK_CUR);
  std::fseek(dst, 0, SEEK_CUR);
  return 0;
}

long locate_keyword(std::FILE* in, std::string_view key) {
  if (key.empty() || key.size() > kMaxKeyLength) return -1;
  const auto first = static_cast<unsigned char>(key[0]);
  const std::size_t rest = key.size() - 1;
  unsigned char buffer[kMaxKeyLength];

  for (;;) {
    const int c = std::fgetc(in);
    if (c == EOF) return -1;
    if (c != first) continue;

    const long p = std::ftell(in) - 1;
    bool match = std::fread(buffer, 1, rest, in) == rest;
    for (std::size_t i = 0; match && i < rest; ++i) {
      match = ascii_lower(buffer[i]) == ascii_lower(static_cast<unsigned char>(key[i + 1]));
    }
    if (match) {
      std::fseek(in, p, SEEK_SET);
      return p;
    }
    // The candidates may overlap: go on right after this one's first byte.
    if (rest > 0) std::fseek(in, p + 1, SEEK_SET);
  }
}

long find_keyword(std::FILE* in, const char* key) {
  const long p = locate_keyword(in, key ? std::string_view(key) : std::string_view());
  return p < 0 ? 0 : p;
}

long skip_to_keyword(std::FILE* in, const char* key) {
  const std::string_view k = key ? std::string_view(key) : std::string_view();
  const long start = std::ftell(in);
  const long p = locate_keyword(in, k);
  if (p < 0) return -1;
  std::fseek(in, p + static_cast<long>(k.size()), SEEK_SET);
  return p - start;
}

}  // namespace lettrix
