// Writes a large source document for the benchmark (bench/run.sh):
//   make_bench_input FORMAT MEGABYTES PATH
// FORMAT is a source alias; the document has at least MEGABYTES x 2^20 bytes
// and the same content for the same arguments. Exit status 3: no generator
// for that format yet.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "builders/macwrite_ii_builder.h"
#include "support/file_handle.h"

namespace {

// Deterministic pseudo-random numbers (xorshift), so that runs compare.
struct Random {
  std::uint64_t state = 0x2545F4914F6CDD1Dull;
  std::uint32_t below(std::uint32_t n) {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return static_cast<std::uint32_t>(state % n);
  }
};

// Words in the Macintosh character set: accented letters (0x8E e-acute,
// 0x88 a-grave, 0x9F u-diaeresis, 0x8D c-cedilla), curly quotes (0xD2, 0xD3),
// and a few signs that only the Symbol font has in RTF (0xAD not-equal,
// 0xB0 infinity, 0xB9 pi).
constexpr std::string_view kWords[] = {
    "the",   "of",        "and",   "lettre", "d\x8Ej\x88",   "r\x8Esum\x8E", "\xD2quoted\xD3", "M\x9Fller",
    "gar\x8Don", "document", "Macintosh", "page", "converter", "1994",  "a\xAD" "b",      "\xB9r\xB2",
    "\xB0",  "text",      "paragraph", "word", "caf\x8E", "na\x95ve", "price:", "12,50",
};

// Mac text: paragraphs of 20 to 120 words ended by CR, now and then a tab.
void write_mac_text(std::FILE* out, long long bytes) {
  Random random;
  std::string paragraph;
  long long written = 0;
  while (written < bytes) {
    paragraph.clear();
    const std::uint32_t words = 20 + random.below(100);
    for (std::uint32_t i = 0; i < words; ++i) {
      if (i > 0) paragraph += random.below(25) == 0 ? '\t' : ' ';
      paragraph += kWords[random.below(sizeof kWords / sizeof kWords[0])];
    }
    paragraph += ".\r";
    std::fwrite(paragraph.data(), 1, paragraph.size(), out);
    written += static_cast<long long>(paragraph.size());
  }
}

// MacWrite II: paragraphs of styled runs with a footnote now and then,
// written with the MacWrite II document builder. The format numbers its text
// blocks with 16 bits, so a document holds at most about 15 MB (12 MB of text here, with room for runs and notes).
constexpr long long kMacWriteIILimit = 12ll << 20;

int write_macwrite_ii(std::FILE* out, long long bytes) {
  if (bytes > kMacWriteIILimit) {
    std::fprintf(stderr, "make_bench_input: MacWrite II holds at most about 15 MB; writing 12 MB\n");
    bytes = kMacWriteIILimit;
  }
  using lettrix::build::MacWriteIIBuilder;
  namespace mw2 = lettrix::build::mw2;
  const mw2::Style styles[] = {mw2::Style{}, mw2::Style{}.bold(), mw2::Style{}.italic(), mw2::Style{}.size(12),
                               mw2::Style{}.in_font(20), mw2::Style{}.bold().italic()};
  Random random;
  MacWriteIIBuilder doc;
  long long written = 0;
  std::string run;
  for (long long paragraph = 0; written < bytes; ++paragraph) {
    const std::uint32_t runs = 2 + random.below(6);
    for (std::uint32_t r = 0; r < runs; ++r) {
      run.clear();
      const std::uint32_t words = 3 + random.below(20);
      for (std::uint32_t i = 0; i < words; ++i) {
        run += kWords[random.below(sizeof kWords / sizeof kWords[0])];
        run += ' ';
      }
      doc.text(run, styles[random.below(sizeof styles / sizeof styles[0])]);
      written += static_cast<long long>(run.size());
    }
    if (paragraph % 50 == 49) doc.footnote("A note on this paragraph.");
    doc.paragraph(".");
    written += 2;
  }
  std::string bytes_out = doc.build();
  std::fwrite(bytes_out.data(), 1, bytes_out.size(), out);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: make_bench_input FORMAT MEGABYTES PATH\n");
    return 2;
  }
  const std::string format = argv[1];
  const long long megabytes = std::atoll(argv[2]);
  if (megabytes <= 0 || megabytes > 4096) {
    std::fprintf(stderr, "make_bench_input: MEGABYTES must lie between 1 and 4096\n");
    return 2;
  }
  if (format != "mac-text" && format != "macwrite-ii") {
    std::fprintf(stderr, "make_bench_input: no generator for %s yet\n", format.c_str());
    return 3;
  }
  lettrix::FilePtr out = lettrix::open_file(argv[3], "wb");
  if (!out) {
    std::perror(argv[3]);
    return 1;
  }
  if (format == "macwrite-ii") {
    write_macwrite_ii(out.get(), megabytes << 20);
  } else {
    write_mac_text(out.get(), megabytes << 20);
  }
  if (std::fflush(out.get()) != 0 || std::ferror(out.get())) {
    std::perror(argv[3]);
    return 1;
  }
  return 0;
}
