// The Mac text reader on a text with a resource fork: the input is a 16-bit
// length (big-endian), that many bytes of text (fewer where the input ends),
// then the resource fork. Both are put in an AppleSingle file (type "TEXT"),
// which has no check sums to break, and read as the reader reads a wrapped
// file; its stream must be well formed (harness.h).
#include <cstdint>
#include <string>

#include "harness.h"
#include "readers/text_only.h"

namespace {

void put_be32(std::string& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

std::string applesingle(const std::string& text, const std::string& fork) {
  const std::string finder = std::string("TEXTttxt") + std::string(24, '\0');
  const std::string* entries[3] = {&finder, &fork, &text};
  const std::uint32_t ids[3] = {9, 2, 1};
  std::string out;
  put_be32(out, 0x00051600);
  put_be32(out, 0x00020000);
  out.append(16, '\0');
  out += '\0';
  out += '\3';
  std::uint32_t offset = 26 + 12 * 3;
  for (int i = 0; i < 3; ++i) {
    put_be32(out, ids[i]);
    put_be32(out, offset);
    put_be32(out, static_cast<std::uint32_t>(entries[i]->size()));
    offset += static_cast<std::uint32_t>(entries[i]->size());
  }
  return out + finder + fork + text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  std::size_t length = static_cast<std::size_t>(data[0]) << 8 | data[1];
  if (length > size - 2) length = size - 2;
  const std::string text(reinterpret_cast<const char*>(data) + 2, length);
  const std::string fork(reinterpret_cast<const char*>(data) + 2 + length, size - 2 - length);
  const std::string file = applesingle(text, fork);
  lettrix::fuzz::run_reader(lettrix::orig_text_only, reinterpret_cast<const std::uint8_t*>(file.data()), file.size());
  return 0;
}
