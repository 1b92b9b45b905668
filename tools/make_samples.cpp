// Writes the project's own sample documents into samples/ (one folder per
// source format, named by its main alias; each format's generator is
// make_samples_<Id> in tools/samples_<alias>.cpp) and the seed streams of the writer fuzz targets into
// fuzz/seeds/stream/. Run it from the top of the source tree:
//   build/bin/make_samples .
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/format_registry.h"
#include "samples.h"

namespace {

namespace fs = std::filesystem;


void streams(const fs::path& dir) {
  // Intermediate streams that use every code class, as fuzz seeds for the writers.
  write_sample(dir / "plain.lxs", "Hello\rWorld\r");
  write_sample(dir / "codes.lxs",
        std::string("\x5C\x9E\0\0", 4) + "Header" + "\x5C\x7F" + std::string("\x5C\x90\xF6\xF4", 4) + "\x5C\x23" + "H" +
            "\x5C\x24" + std::string("\x5C\x20\x01\x29", 4) + std::string("\x5C\xA2\x00\x01", 4) + "N\x5C\x7F\r" +
            std::string("\x5C\x80\x01\x14", 4) + "a\tb\n" + "\x5C\x3A\n" + "c\x5C\x5C\x5C\x53\x5C\x2B" + "C\r\f" +
            std::string("\x5C\x86\x02\x00xy", 6) + std::string("\x5C\xC0\x01\x00\0\0\0\x01\0\0\0\x01" "ff\x5C\x7F", 16) +
            std::string("\x5C\x9F\0\0", 4) + "Footer\x5C\x7F");
  // Paragraph properties: margins, hanging indent and its reset, spacing,
  // odd and even running heads, a border, all stops cleared, page breaks.
  write_sample(dir / "paragraphs.lxs",
        std::string("\x5C\x9D\0\0", 4) + "Odd\x5C\x7F" + std::string("\x5C\xA0\0\0", 4) + "Even\x5C\x7F" +
            std::string("\x5C\x88\x00\x0A\x5C\x89\x4F\x45\x5C\x8A\x00\x05\x5C\x96\x08\x10", 16) + "h\r" +
            std::string("\x5C\x8C\x05\x00\x5C\xB0\x2F\x00", 8) + "b\r\f\f" + "\x5C\x22" +
            std::string("\x5C\xB1\x00\x00\x5C\x80\x03\xFF", 8) + "\x5C\x2B\x5C\x2C\x5C\x45" + "r\f");
}

}  // namespace


void write_sample(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::FILE* f = std::fopen(path.string().c_str(), "wb");
  if (!f) {
    std::fprintf(stderr, "make_samples: cannot write %s\n", path.string().c_str());
    std::exit(1);
  }
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  std::printf("%s (%zu bytes)\n", path.string().c_str(), bytes.size());
}

int main(int argc, char** argv) {
  fs::path top = argc > 1 ? argv[1] : ".";
#define LETTRIX_SOURCE(Id, aliases, name, french_name, reader, signature) \
  make_samples_##Id(top / "samples" / std::string(lettrix::source_main_alias(lettrix::Src##Id)));
#include "core/formats.def"
  make_wrapper_seeds(top);
  streams(top / "fuzz" / "seeds" / "stream");
  return 0;
}
