// Writes the project's own sample documents into samples/ (one folder per
// source format, named by its main alias; each format's generator is
// make_samples_<Id> in tools/samples_<alias>.cpp), the seed streams of the writer fuzz targets into
// fuzz/seeds/stream/ and their prints, the parser's seeds, into
// fuzz/seeds/stream-text/. Run it from the top of the source tree:
//   build/bin/make_samples .
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/format_registry.h"
#include "core/stream_parser.h"
#include "core/stream_printer.h"
#include "samples.h"

namespace {

namespace fs = std::filesystem;


// Writes a stream given in its printed form (core/stream_printer.h) as the
// writers' seed dir/NAME.lxs, and its multiline print as a seed of the
// parser's fuzz target, text_dir/NAME.txt.
void stream_seed(const fs::path& dir, const fs::path& text_dir, const std::string& name, std::string_view text) {
  const lettrix::ParsedStream parsed = lettrix::parse_stream(text);
  if (!parsed.ok()) {
    std::fprintf(stderr, "make_samples: seed %s: %s\n", name.c_str(), parsed.error.c_str());
    std::exit(1);
  }
  write_sample(dir / (name + ".lxs"), parsed.bytes);
  write_sample(text_dir / (name + ".txt"), lettrix::print_stream(parsed.bytes, true));
}

void streams(const fs::path& dir, const fs::path& text_dir) {
  // Intermediate streams that use every code class, as fuzz seeds for the writers.
  stream_seed(dir, text_dir, "plain", "Hello¶World¶");
  stream_seed(dir, text_dir, "codes",
              "{HeaderAll 0,0}Header{EndOfText}{FontSize 246,244}{BoldOn}H{BoldOff}{TableChar 1,41}"
              "{NoteCall 0,1}N{EndOfText}¶"
              "{SetTab 1,20}a{Tab}b{LF}{SoftHyphen}{LF}c{Backslash}{LeftOn}{CenterOn}C¶"
              "{PageBreak}{StyleSheet 7879}{Picture 1 1x1 ff}{FooterEven 0,0}Footer{EndOfText}");
  // Paragraph properties: margins, hanging indent and its reset, spacing,
  // odd and even running heads, a border, all stops cleared, page breaks.
  stream_seed(dir, text_dir, "paragraphs",
              "{HeaderOdd 0,0}Odd{EndOfText}{FooterOdd 0,0}Even{EndOfText}"
              "{LeftMargin 0,10}{RightMargin 79,69}{IndentHere 0,5}{LineSpacing 8,16}h¶"
              "{IndentReset 5,0}{BorderOn 47,0}b¶"
              "{PageBreak}{PageBreak}{ClearAllTabs}{BorderOff 0,0}{SetTab 3,255}{CenterOn}{CenterOff}{RightOn}r{PageBreak}");
  // For the parser alone: every kind of token, the rare ones too (unnamed
  // codes, a picture of other bytes, a code cut short at the end).
  const std::string_view tricky =
      "{{}}{0x00}{0x8E}{Code 0x4E}{Code 0xFF 92,127}{Reserved21}{ColumnControl50}{StyleSheet}{StyleSheet 5C7F0D}¶"
      "{Picture 2,7 23679x2 0aFf}{Picture 1 1x1 #675C235C}{Picture 3 0x0}x{Truncated 5C860500}";
  if (!lettrix::parse_stream(tricky).ok()) {
    std::fprintf(stderr, "make_samples: the tricky seed: %s\n", lettrix::parse_stream(tricky).error.c_str());
    std::exit(1);
  }
  write_sample(text_dir / "tricky.txt", std::string(tricky));
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
  make_disk_image_samples(top);
  streams(top / "fuzz" / "seeds" / "stream", top / "fuzz" / "seeds" / "stream-text");
  return 0;
}
