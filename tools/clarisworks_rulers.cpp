// Prints the records of the style and ruler lists of ClarisWorks/AppleWorks 4
// to 6 documents in hexadecimal, as the reader finds them (run by hand:
// build/bin/clarisworks_rulers FILE...).
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "core/source_view.h"
#include "readers/clarisworks_document.h"

namespace {

void dump(lettrix::SourceView& file, const std::uint8_t (&tag)[4]) {
  lettrix::clarisworks::List list;
  if (!lettrix::clarisworks::find_tagged_list(file, tag, list)) {
    std::printf("%.4s: none\n", reinterpret_cast<const char*>(tag));
    return;
  }
  std::printf("%.4s: %zu records of %zu bytes at %zu\n", reinterpret_cast<const char*>(tag), list.count,
              list.record_size, list.records);
  for (std::size_t i = 0; i < list.count; ++i) {
    const auto rec = file.span(list.record(i), list.record_size);
    std::printf("%3zu:", i);
    for (std::size_t k = 0; k < rec.size(); ++k) std::printf("%s%02x", k % 2 ? "" : " ", rec[k]);
    std::printf("\n");
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
    dump(file, kStyles);
    dump(file, kRulers);
  }
  return 0;
}
