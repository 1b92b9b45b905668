// Writes a large source document for the benchmark (bench/run.sh):
//   make_bench_input FORMAT MEGABYTES PATH
// FORMAT is a source format's main alias; the document holds at least
// MEGABYTES x 2^20 bytes of text (fewer where the format cannot hold as much)
// and the same content for the same arguments. Exit status 3: FORMAT is no
// source format.
//   make_bench_input --batch COUNT FOLDER
// writes COUNT small MacWrite II documents in nested folders under FOLDER;
//   make_bench_input --sources | --targets | --batch-format
// prints the main alias of every source format, the main alias and the
// extension of every target format, and the source format of the batch.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "builders/clarisworks_builder.h"
#include "builders/macwrite_22_builder.h"
#include "builders/macwrite_46_builder.h"
#include "builders/macwrite_ii_builder.h"
#include "builders/nisus_builder.h"
#include "builders/ragtime_builder.h"
#include "builders/works_builder.h"
#include "core/format_registry.h"
#include "support/file_handle.h"

#define LETTRIX_SOURCE(Id, aliases, name, french_name, reader, signature) \
  std::string bench_document_##Id(long long bytes);
#include "core/formats.def"

namespace {

// Deterministic pseudo-random numbers (xorshift), so that runs compare.
struct Random {
  std::uint64_t state = 0x2545F4914F6CDD1Dull;
  Random() = default;
  explicit Random(std::uint64_t seed) : state(0x2545F4914F6CDD1Dull ^ (seed * 0x9E3779B97F4A7C15ull)) {}
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
std::string make_mac_text(long long bytes) {
  Random random;
  std::string doc;
  doc.reserve(static_cast<std::size_t>(bytes) + 1024);
  while (static_cast<long long>(doc.size()) < bytes) {
    const std::uint32_t words = 20 + random.below(100);
    for (std::uint32_t i = 0; i < words; ++i) {
      if (i > 0) doc += random.below(25) == 0 ? '\t' : ' ';
      doc += kWords[random.below(sizeof kWords / sizeof kWords[0])];
    }
    doc += ".\r";
  }
  return doc;
}

// A paragraph of styled runs: words from the list, a tab now and then, each
// run with one of six looks (0 plain, 1 bold, 2 italic, 3 larger, 4 another
// font, 5 bold italic).
struct Run {
  std::string text;
  int look = 0;
};

std::vector<Run> styled_paragraph(Random& random) {
  std::vector<Run> runs(2 + random.below(6));
  for (Run& run : runs) {
    const std::uint32_t words = 3 + random.below(20);
    for (std::uint32_t i = 0; i < words; ++i) {
      run.text += kWords[random.below(sizeof kWords / sizeof kWords[0])];
      run.text += random.below(30) == 0 ? '\t' : ' ';
    }
    run.look = static_cast<int>(random.below(6));
  }
  runs.back().text += ".";
  return runs;
}

std::size_t text_size(const std::vector<Run>& runs) {
  std::size_t n = 1;  // the paragraph end
  for (const Run& run : runs) n += run.text.size();
  return n;
}

std::string joined(const std::vector<Run>& runs) {
  std::string text;
  for (const Run& run : runs) text += run.text;
  return text;
}

constexpr const char* kNote = "A note on this paragraph, with a \xD2quoted\xD3 word.";

// MacWrite II: the format numbers its text blocks with 16 bits, so a document
// holds at most about 15 MB (12 MB of text here, with room for runs and notes).
constexpr long long kMacWriteIILimit = 12ll << 20;

std::string make_macwrite_ii(long long bytes, std::uint64_t seed = 0) {
  namespace mw2 = lettrix::build::mw2;
  const mw2::Style looks[] = {mw2::Style{}, mw2::Style{}.bold(), mw2::Style{}.italic(), mw2::Style{}.size(14),
                              mw2::Style{}.in_font(20), mw2::Style{}.bold().italic()};
  Random random(seed);
  lettrix::build::MacWriteIIBuilder doc;
  long long written = 0;
  for (long long paragraph = 0; written < bytes; ++paragraph) {
    const std::vector<Run> runs = styled_paragraph(random);
    for (const Run& run : runs) doc.text(run.text, looks[run.look]);
    if (paragraph % 50 == 49) doc.footnote(kNote);
    doc.paragraph("");
    written += static_cast<long long>(text_size(runs));
  }
  return doc.build();
}

// MacWrite 2.2: plain paragraphs under a ruler now and then.
std::string make_macwrite_22(long long bytes) {
  Random random;
  lettrix::build::MacWrite22Builder doc;
  long long written = 0;
  for (long long paragraph = 0; written < bytes; ++paragraph) {
    if (paragraph % 40 == 0) doc.ruler();
    const std::string text = joined(styled_paragraph(random)) + "\r";
    doc.paragraph(text);
    written += static_cast<long long>(text.size());
  }
  return doc.build();
}

// MacWrite 4.6: a header and a footer, rulers with tab stops, styled runs.
// Paragraph data lies at 24-bit offsets, so a document holds at most 16 MB
// (12 MB of text here); the information array is at most 65535 bytes, 16 a
// paragraph, so the paragraphs are long (about 6 KB: twenty sentences of runs).
constexpr long long kMacWrite46Limit = 12ll << 20;

std::string make_macwrite_46(long long bytes) {
  namespace mw46 = lettrix::build::mw46;
  using Look = lettrix::build::MacWrite46Look;
  const Look looks[] = {Look{}, Look{.style = mw46::kBold}, Look{.style = mw46::kItalic}, Look{.size = 14},
                        Look{.font = mw46::kTimes}, Look{.style = mw46::kBold | mw46::kItalic}};
  Random random;
  lettrix::build::MacWrite46Builder doc;
  doc.header().paragraph("Lettre de M\x9Fller\r", Look{.style = mw46::kItalic});
  doc.footer().paragraph("1994\r", Look{.size = 9});
  doc.main();
  long long written = 0;
  for (long long paragraph = 0; written < bytes; ++paragraph) {
    if (paragraph % 200 == 0)
      doc.ruler({.left_margin = static_cast<int>(random.below(4)) * 18, .alignment = static_cast<int>(random.below(4)),
                 .tabs = {72, 144, mw46::decimal(288)}});
    std::vector<Run> runs;
    for (int sentence = 0; sentence < 20; ++sentence) {
      std::vector<Run> more = styled_paragraph(random);
      more.back().text += ' ';
      runs.insert(runs.end(), more.begin(), more.end());
    }
    runs.back().text += '\r';
    doc.paragraph(runs.front().text, looks[runs.front().look]);
    for (std::size_t r = 1; r < runs.size(); ++r) doc.text(runs[r].text, looks[runs[r].look]);
    written += static_cast<long long>(text_size(runs));
  }
  return doc.build();
}

// A Macintosh screen shot as MacWrite documents hold them: a version 1
// picture of one 1-bit bitmap (PackBitsRect) of `width` x `height` pixels
// (the desktop's gray pattern around a window of lines of text), each row a
// literal run of its bytes, with a few lines drawn over it.
std::string screen_picture(Random& random, int width, int height) {
  const int row_bytes = (width + 15) / 16 * 2;
  auto be16 = [](std::string& s, int v) {
    s += static_cast<char>(v >> 8 & 0xFF);
    s += static_cast<char>(v & 0xFF);
  };
  auto rect = [&](std::string& s, int top, int left, int bottom, int right) {
    be16(s, top);
    be16(s, left);
    be16(s, bottom);
    be16(s, right);
  };
  std::string ops = "\x11\x01";  // version 1
  ops += '\x98';                   // PackBitsRect
  be16(ops, row_bytes);
  rect(ops, 0, 0, height, width);  // bounds
  rect(ops, 0, 0, height, width);  // source
  rect(ops, 0, 0, height, width);  // destination
  be16(ops, 0);                    // copy
  for (int y = 0; y < height; ++y) {
    std::string packed;
    for (int at = 0; at < row_bytes; at += 128) {
      const int n = std::min(128, row_bytes - at);
      packed += static_cast<char>(n - 1);
      for (int i = 0; i < n; ++i) {
        const int x = (at + i) * 8;
        const bool window = y > height / 8 && y < height * 7 / 8 && x > width / 8 && x < width * 7 / 8;
        const bool text = window && y % 12 < 8 && (at + i) % 9 != 0;
        packed += static_cast<char>(!window ? (y % 2 ? 0x55 : 0xAA) : text ? random.below(256) & random.below(256) : 0);
      }
    }
    if (row_bytes > 250) be16(ops, static_cast<int>(packed.size())); else ops += static_cast<char>(packed.size());
    ops += packed;
  }
  for (int line = 0; line < 8; ++line) {
    ops += '\x20';  // Line from, to
    rect(ops, static_cast<int>(random.below(height)), static_cast<int>(random.below(width)),
         static_cast<int>(random.below(height)), static_cast<int>(random.below(width)));
  }
  ops += '\xFF';
  std::string picture;
  be16(picture, static_cast<int>((10 + ops.size()) & 0xFFFF));
  rect(picture, 0, 0, height, width);
  return picture + ops;
}

// MacWrite 4.6 with many pictures: the text of make_macwrite_46 with a
// screen shot (512 x 342, about 24 KB) after every fourth paragraph.
std::string make_macwrite_46_pictures(long long bytes) {
  namespace mw46 = lettrix::build::mw46;
  Random random;
  lettrix::build::MacWrite46Builder doc;
  doc.main();
  long long written = 0;
  for (long long paragraph = 0; written < bytes; ++paragraph) {
    std::string text;
    for (int sentence = 0; sentence < 20; ++sentence) text += joined(styled_paragraph(random)) + " ";
    text += '\r';
    doc.paragraph(text);
    written += static_cast<long long>(text.size());
    if (paragraph % 4 == 3) {
      const std::string picture = screen_picture(random, 512, 342);
      doc.picture({0, 36, 342, 548, picture});
      written += static_cast<long long>(picture.size());
    }
  }
  return doc.build();
}

// Works 2 and 3: an alignment record now and then, format changes inside
// the text records.
std::string make_works(int version, long long bytes) {
  namespace works = lettrix::build::works;
  const std::uint8_t bits[] = {0, works::kBold, works::kItalic, 0, works::kUnderline,
                               works::kBold | works::kItalic};
  const char alignments[] = {'L', 'C', 'F', 'R'};
  Random random;
  lettrix::build::WorksBuilder doc(version);
  long long written = 0;
  for (long long paragraph = 0; written < bytes; ++paragraph) {
    if (paragraph % 40 == 0) doc.align(alignments[random.below(4)]);
    const std::vector<Run> runs = styled_paragraph(random);
    for (const Run& run : runs) {
      doc.style(bits[run.look], run.look == 3 ? 14 : 12);
      doc.text(run.text);
    }
    doc.paragraph();
    written += static_cast<long long>(text_size(runs));
  }
  return doc.build();
}

// ClarisWorks: rulers with tabs, paragraph and character runs, a footnote
// now and then, a header.
std::string make_clarisworks(long long bytes) {
  using lettrix::build::CwRun;
  const CwRun looks[] = {CwRun{}, CwRun{.style = lettrix::build::kCwBold}, CwRun{.style = lettrix::build::kCwItalic},
                         CwRun{.size = 14}, CwRun{.font = 21},
                         CwRun{.style = lettrix::build::kCwBold | lettrix::build::kCwItalic}};
  Random random;
  lettrix::build::ClarisWorksBuilder doc;
  doc.rulers({{}, {.alignment = lettrix::build::kCwCentre},
              {.first_line = 18, .left = 36, .tabs = {{.position = 72}, {.position = 216, .kind = 3}}},
              {.alignment = lettrix::build::kCwJustified}});
  doc.header("Lettre de M\x9Fller, page \x06", 1);
  long long written = 0;
  for (long long paragraph = 0; written < bytes; ++paragraph) {
    doc.paragraph(static_cast<std::uint16_t>(random.below(4)));
    const std::vector<Run> runs = styled_paragraph(random);
    for (const Run& run : runs) {
      doc.run(looks[run.look]);
      doc.text(run.text);
    }
    if (paragraph % 50 == 49) doc.footnote(kNote);
    doc.text("\r");
    written += static_cast<long long>(text_size(runs));
  }
  return doc.build();
}

// Ragtime 2: text components of at most 30,000 bytes (positions are 16-bit),
// a few to a page, each with its runs and one alignment per paragraph.
std::string make_ragtime_2(long long bytes) {
  using lettrix::build::Rg2Run;
  const Rg2Run looks[] = {Rg2Run{}, Rg2Run{.style = lettrix::build::kRgBold},
                          Rg2Run{.style = lettrix::build::kRgItalic}, Rg2Run{.size = 14}, Rg2Run{.font = 21},
                          Rg2Run{.style = lettrix::build::kRgBold | lettrix::build::kRgItalic}};
  Random random;
  lettrix::build::Ragtime2Builder doc;
  long long written = 0;
  for (int component = 0; written < bytes; ++component) {
    if (component > 0 && component % 8 == 0) doc.page();
    lettrix::build::Rg2Component c;
    while (c.text.size() < 30000 && written < bytes) {
      const std::vector<Run> runs = styled_paragraph(random);
      for (const Run& run : runs) {
        Rg2Run placed = looks[run.look];
        placed.start = static_cast<std::uint16_t>(c.text.size() + 1);
        c.runs.push_back(placed);
        c.text += run.text;
      }
      c.text += '\r';
      c.alignments.push_back(static_cast<std::uint8_t>(random.below(4)));
      written += static_cast<long long>(text_size(runs));
    }
    doc.text(c);
  }
  return doc.build();
}

// Ragtime 3: the same components with a style list.
std::string make_ragtime_3(long long bytes) {
  using lettrix::build::Rg3Style;
  Random random;
  lettrix::build::Ragtime3Builder doc;
  doc.fonts({3, 20, 21});
  doc.styles({Rg3Style{}, Rg3Style{.style = lettrix::build::kRg3Bold}, Rg3Style{.style = lettrix::build::kRg3Italic},
              Rg3Style{.points = 14}, Rg3Style{.font = 2},
              Rg3Style{.style = lettrix::build::kRg3Bold | lettrix::build::kRg3Italic}});
  long long written = 0;
  while (written < bytes) {
    lettrix::build::Rg3Component c;
    while (c.text.size() < 30000 && written < bytes) {
      const std::vector<Run> runs = styled_paragraph(random);
      for (const Run& run : runs) {
        c.runs.push_back({.start = static_cast<std::uint16_t>(c.text.size() + 1),
                          .style = static_cast<std::uint16_t>(run.look + 1)});
        c.text += run.text;
      }
      c.text += '\r';
      c.alignments.push_back(static_cast<std::uint8_t>(random.below(4)));
      written += static_cast<long long>(text_size(runs));
    }
    doc.text(c);
  }
  return doc.build();
}

// Nisus Writer: text with a footnote now and then.
std::string make_nisus(long long bytes) {
  Random random;
  lettrix::build::NisusBuilder doc;
  long long written = 0;
  for (long long paragraph = 0; written < bytes; ++paragraph) {
    const std::string text = joined(styled_paragraph(random));
    doc.text(text);
    if (paragraph % 50 == 49) doc.footnote(kNote);
    doc.text("\r");
    written += static_cast<long long>(text.size() + 1);
  }
  return doc.build();
}

}  // namespace

// The generator of each source format of the list (core/formats.def): the
// document of at least `bytes` bytes of text, fewer where the format cannot
// hold as much.
std::string bench_document_MacText(long long bytes) { return make_mac_text(bytes); }
std::string bench_document_MacWrite22(long long bytes) { return make_macwrite_22(bytes); }
std::string bench_document_MacWrite46(long long bytes) { return make_macwrite_46(std::min(bytes, kMacWrite46Limit)); }
std::string bench_document_MacWriteII(long long bytes) { return make_macwrite_ii(std::min(bytes, kMacWriteIILimit)); }
std::string bench_document_Works2(long long bytes) { return make_works(2, bytes); }
std::string bench_document_Works3(long long bytes) { return make_works(3, bytes); }
std::string bench_document_ClarisWorks(long long bytes) { return make_clarisworks(bytes); }
std::string bench_document_Ragtime2(long long bytes) { return make_ragtime_2(bytes); }
std::string bench_document_Ragtime3(long long bytes) { return make_ragtime_3(bytes); }
std::string bench_document_Nisus(long long bytes) { return make_nisus(bytes); }

namespace {

using Generator = std::string (*)(long long bytes);
constexpr Generator kGenerators[] = {
#define LETTRIX_SOURCE(Id, aliases, name, french_name, reader, signature) bench_document_##Id,
#include "core/formats.def"
};

// The source row of a main alias, or -1.
int source_row_of(std::string_view alias) {
  for (int row = 0; row < lettrix::SourceRowCount; ++row)
    if (lettrix::source_main_alias(row) == alias) return row;
  return -1;
}

// The formats the batch is made of.
constexpr int kBatchRow = lettrix::SrcMacWriteII;

// The batch: count small MacWrite II letters of 1 to 6 KB, each different,
// ten to a folder in folders nested two deep (dir/f0/f3/letter-037.mw2).
int write_batch(const std::string& dir, long long count) {
  for (long long n = 0; n < count; ++n) {
    char name[64];
    std::snprintf(name, sizeof name, "/f%lld/f%lld", n / 100 % 10, n / 10 % 10);
    const std::string folder = dir + name;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    std::snprintf(name, sizeof name, "/letter-%03lld.mw2", n);
    Random size(static_cast<std::uint64_t>(n));
    const std::string doc = make_macwrite_ii(1024 + size.below(5 * 1024), static_cast<std::uint64_t>(n) + 1);
    lettrix::FilePtr out = lettrix::open_file(folder + name, "wb");
    if (ec || !out || std::fwrite(doc.data(), 1, doc.size(), out.get()) != doc.size() ||
        std::fflush(out.get()) != 0) {
      std::perror((folder + name).c_str());
      return 1;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string first = argc > 1 ? argv[1] : "";
  if (argc == 2 && first == "--sources") {
    for (int row = 0; row < lettrix::SourceRowCount; ++row)
      std::printf("%s\n", std::string(lettrix::source_main_alias(row)).c_str());
    return 0;
  }
  if (argc == 2 && first == "--targets") {
    for (int row = 0; row < lettrix::TargetRowCount; ++row) {
      std::string extension = lettrix::target_formats.rows[row].extension;
      for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      std::printf("%s %s\n", std::string(lettrix::target_main_alias(row)).c_str(), extension.c_str());
    }
    return 0;
  }
  if (argc == 2 && first == "--batch-format") {
    std::printf("%s\n", std::string(lettrix::source_main_alias(kBatchRow)).c_str());
    return 0;
  }
  if (argc == 4 && first == "--pictures") {
    // MacWrite 4.6 with many pictures, at most kMacWrite46Limit.
    const long long megabytes = std::atoll(argv[2]);
    if (megabytes <= 0 || megabytes > 16) {
      std::fprintf(stderr, "make_bench_input: MEGABYTES must lie between 1 and 16\n");
      return 2;
    }
    const std::string doc = make_macwrite_46_pictures(std::min(megabytes << 20, kMacWrite46Limit));
    lettrix::FilePtr out = lettrix::open_file(argv[3], "wb");
    if (!out || std::fwrite(doc.data(), 1, doc.size(), out.get()) != doc.size() || std::fflush(out.get()) != 0) {
      std::perror(argv[3]);
      return 1;
    }
    return 0;
  }
  if (argc == 4 && first == "--batch") {
    const long long count = std::atoll(argv[2]);
    if (count <= 0 || count > 100000) {
      std::fprintf(stderr, "make_bench_input: COUNT must lie between 1 and 100000\n");
      return 2;
    }
    return write_batch(argv[3], count);
  }
  if (argc != 4) {
    std::fprintf(stderr, "usage: make_bench_input FORMAT MEGABYTES PATH\n"
                         "       make_bench_input --batch COUNT FOLDER\n"
                         "       make_bench_input --pictures MEGABYTES PATH   (MacWrite 4.6 with many pictures)\n"
                         "       make_bench_input --sources | --targets | --batch-format\n");
    return 2;
  }
  const std::string format = argv[1];
  const long long megabytes = std::atoll(argv[2]);
  if (megabytes <= 0 || megabytes > 4096) {
    std::fprintf(stderr, "make_bench_input: MEGABYTES must lie between 1 and 4096\n");
    return 2;
  }
  const int row = source_row_of(format);
  if (row < 0) {
    std::fprintf(stderr, "make_bench_input: %s is not the main alias of a source format\n", format.c_str());
    return 3;
  }
  const std::string doc = kGenerators[row](megabytes << 20);
  lettrix::FilePtr out = lettrix::open_file(argv[3], "wb");
  if (!out) {
    std::perror(argv[3]);
    return 1;
  }
  if (std::fwrite(doc.data(), 1, doc.size(), out.get()) != doc.size() || std::fflush(out.get()) != 0 ||
      std::ferror(out.get())) {
    std::perror(argv[3]);
    return 1;
  }
  return 0;
}
