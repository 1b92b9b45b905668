// The real Macintosh text files convert to both plain-text targets, and the
// output holds the same characters as the source read as Mac Roman wherever
// the code page has them.
#include <gtest/gtest.h>

#include <iconv.h>

#include <filesystem>

#include "core/driver.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "test_util.h"

namespace lettrix {
namespace {

// Converts one character between two encodings; empty when it has no form there.
std::string convert_char(const std::string& ch, const char* from, const char* to) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  char in_buf[8], out_buf[16];
  std::copy(ch.begin(), ch.end(), in_buf);
  char* in = in_buf;
  char* out = out_buf;
  std::size_t in_left = ch.size(), out_left = sizeof out_buf;
  std::size_t rc = iconv(cd, &in, &in_left, &out, &out_left);
  iconv_close(cd);
  if (rc == static_cast<std::size_t>(-1) || in_left != 0) return {};
  return std::string(out_buf, sizeof out_buf - out_left);
}

// What the source should become, as a list of expected output pieces; an
// empty piece stands for "one substitute byte" (a character the code page lacks).
std::vector<std::string> expected_pieces(const std::string& source, const char* code_page) {
  std::vector<std::string> pieces;
  char previous = 0;
  for (char c : source) {
    unsigned char u = static_cast<unsigned char>(c);
    if (c == '\r' || (c == '\n' && previous != '\r')) {
      pieces.push_back("\r\n");
    } else if (c == '\t' || c == '\f' || (u >= 0x20 && u < 0x7F)) {
      pieces.push_back(std::string(1, c));
    } else if (u == 0xCA) {
      pieces.push_back(" ");  // no-break space: a plain blank by design
    } else if (u == 0xD0) {
      pieces.push_back("-");  // en dash: a plain hyphen by design
    } else if (u >= 0x80) {
      std::string utf8 = convert_char(std::string(1, c), "MACINTOSH", "UTF-8");
      pieces.push_back(convert_char(utf8, "UTF-8", code_page));
    }
    previous = c;
  }
  return pieces;
}

void check_against_source(const std::string& source, const std::string& output, const char* code_page,
                          const std::string& name) {
  std::size_t pos = 0, substitutes = 0;
  for (const std::string& piece : expected_pieces(source, code_page)) {
    ASSERT_LT(pos, output.size()) << name << ": output too short";
    if (piece.empty()) {
      ++pos;
      ++substitutes;
      continue;
    }
    ASSERT_EQ(output.substr(pos, piece.size()), piece) << name << " at output byte " << pos;
    pos += piece.size();
  }
  EXPECT_EQ(pos, output.size()) << name << ": output too long";
}

TEST(MacTextCorpus, RealFilesConvertToBothCodePages) {
  std::filesystem::path corpus = testing::corpus_dir();
  if (corpus.empty() || !std::filesystem::is_directory(corpus / "mac-text")) GTEST_SKIP() << "no corpus";
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus / "mac-text")) {
    if (entry.path().extension() == ".bin") continue;  // MacBinary wrappers are not plain text
    std::string source = testing::read_file(entry.path().string());
    if (source.find('\b') != std::string::npos) continue;  // overstrike pairs are checked elsewhere
    for (int row : {DstAscii, DstAnsi}) {
      testing::ScratchDir dir(true);
      testing::write_file("doc", source);
      init_path_buffers();
      choose_formats(SrcMacText, row);
      ConversionResult r = convert_file("doc");
      ASSERT_TRUE(r.ok()) << entry.path() << ": " << r.message();
      check_against_source(source, testing::read_file(r.target), row == DstAscii ? "CP437" : "CP1252",
                           entry.path().filename().string());
    }
    ++files;
  }
  EXPECT_GE(files, 4);
}

}  // namespace
}  // namespace lettrix
