// Prints, in hexadecimal as the reader finds them, the records of the ruler
// list (versions 1 to 3) or of the style and ruler lists (versions 4 to 6) of
// ClarisWorks/AppleWorks documents, then every zone tag with the records of
// the frames (run by hand: build/bin/clarisworks_rulers FILE...).
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/source_view.h"
#include "readers/clarisworks_document.h"

namespace {

void dump(lettrix::SourceView& file, const char* name, const lettrix::clarisworks::List& list) {
  std::printf("%s: %zu records of %zu bytes at %zu\n", name, list.count, list.record_size, list.records);
  for (std::size_t i = 0; i < list.count; ++i) {
    const auto rec = file.span(list.record(i), list.record_size);
    std::printf("%3zu:", i);
    for (std::size_t k = 0; k < rec.size(); ++k) std::printf("%s%02x", k % 2 ? "" : " ", rec[k]);
    std::printf("\n");
  }
}

void dump(lettrix::SourceView& file, const std::uint8_t (&tag)[4]) {
  const std::string name(reinterpret_cast<const char*>(tag), 4);
  lettrix::clarisworks::List list;
  if (lettrix::clarisworks::find_tagged_list(file, tag, list)) dump(file, name.c_str(), list);
  else std::printf("%s: none\n", name.c_str());
}

// Every zone tag: where it is, its A item's length and, read as a list, its
// record count, record size and extension, and the words at 14 and 16 of it.
void dump_zones(lettrix::SourceView& file) {
  static constexpr std::uint8_t kZone[] = {'D', 'S', 'E', 'T'};
  for (std::uint64_t at = file.find(0, kZone); at < file.size(); at = file.find(at + 1, kZone)) {
    std::uint32_t length = 0;
    std::uint16_t count = 0, size = 0, extension = 0, w14 = 0, w16 = 0;
    file.be32(at + 4, length);
    file.be16(at + 8, count);
    file.be16(at + 14, size);
    file.be16(at + 16, extension);
    file.be16(at + 8 + 14, w14);
    file.be16(at + 8 + 16, w16);
    std::printf("DSET at %llu: A %u bytes, %u records of %u, extension %u; words %u %u\n",
                static_cast<unsigned long long>(at), length, count, size, extension, w14, w16);
    lettrix::clarisworks::List list;
    if (size >= 30 && size <= 60 && lettrix::clarisworks::read_list(file, at + 4, list)) dump(file, "  frame", list);
  }
}

}  // namespace

int main(int argc, char** argv) {
  static constexpr std::uint8_t kStyles[] = {'S', 'T', 'Y', 'L'};
  static constexpr std::uint8_t kRulers[] = {'R', 'U', 'L', 'R'};
  for (int a = 1; a < argc; ++a) {
    std::ifstream in(argv[a], std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    lettrix::SourceView file(bytes);
    std::printf("%s (version %d)\n", argv[a], bytes.empty() ? 0 : bytes[0]);
    lettrix::clarisworks::List list;
    // Up to version 3 the ruler list has a place of its own in the header.
    if (!bytes.empty() && bytes[0] <= 3 && lettrix::clarisworks::read_list(file, bytes[0] == 1 ? 0x114 : 0x158, list))
      dump(file, "rulers", list);
    dump(file, kStyles);
    dump(file, kRulers);
    dump_zones(file);
  }
  return 0;
}
