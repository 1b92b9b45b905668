// The real ClarisWorks and AppleWorks documents: every word-processing one
// converts, the spreadsheet and the drawing are refused, the same text saved
// by two programs gives the same words, and styled words keep their style.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "core/driver.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "core/stream_printer.h"
#include "readers/clarisworks.h"
#include "test_util.h"

namespace lettrix {
namespace {

namespace fs = std::filesystem;

fs::path corpus_folder(const char* name) {
  fs::path corpus = testing::corpus_dir();
  if (corpus.empty() || !fs::is_directory(corpus / name)) return {};
  return corpus / name;
}

bool is_word_processing(const fs::path& file) { return file.filename().string().rfind("nonwp_", 0) != 0; }

// Converts a copy of the file in a scratch directory; the target's bytes go to output.
ConversionResult convert(const fs::path& source, int source_row, int target_row, std::string* output = nullptr,
                         std::vector<std::string>* left = nullptr) {
  testing::ScratchDir dir(true);
  testing::write_file("doc", testing::read_file(source.string()));
  init_path_buffers();
  choose_formats(source_row, target_row);
  ConversionResult r = convert_file("doc");
  if (output && r.ok()) *output = testing::read_file(r.target);
  if (left) *left = testing::dir_names(dir.path());
  return r;
}

// The words of a plain-text output, without the headers and footers ("\TETE"
// or "\PIED" up to "\FIN\"), which only one of two programs may have kept.
std::vector<std::string> body_words(std::string text) {
  for (const char* mark : {"\\TETE", "\\PIED"}) {
    for (std::size_t at; (at = text.find(mark)) != std::string::npos;) {
      std::size_t end = text.find("\\FIN\\", at);
      text.erase(at, end == std::string::npos ? std::string::npos : end + 5 - at);
    }
  }
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

std::string stream_of(const fs::path& source) {
  testing::ScratchDir dir;
  EXPECT_EQ(orig_clarisworks(source.string().c_str(), dir.file("stream").c_str()), 0) << source;
  return print_stream(testing::read_file(dir.file("stream")));
}

TEST(ClarisWorksCorpus, WordProcessingDocumentsConvert) {
  const fs::path folder = corpus_folder("clarisworks");
  if (folder.empty()) GTEST_SKIP() << "no corpus";
  int documents = 0;
  int blanks = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (!is_word_processing(entry.path())) continue;
    // Blank documents are valid documents too: they convert to every target.
    // (The reader takes the data fork; a MacBinary copy is unwrapped by the driver.)
    if (entry.path().extension() != ".bin" && stream_of(entry.path()).empty()) ++blanks;
    for (int target = 0; target < static_cast<int>(registry_size(target_formats)); ++target) {
      if (!target_row_available(target)) continue;
      std::string output;
      ConversionResult r = convert(entry.path(), SrcClarisWorks, target, &output);
      EXPECT_TRUE(r.ok()) << entry.path() << " to " << target_formats.rows[target].name << ": " << r.message();
    }
    ++documents;
  }
  EXPECT_EQ(blanks, 5);
  EXPECT_GE(documents, 25);
}

TEST(ClarisWorksCorpus, SpreadsheetAndDrawingAreRefused) {
  const fs::path folder = corpus_folder("clarisworks");
  if (folder.empty()) GTEST_SKIP() << "no corpus";
  for (const char* name : {"nonwp_sheet_aw503", "nonwp_drawing_aw503"}) {
    std::vector<std::string> left;
    ConversionResult r = convert(folder / name, SrcClarisWorks, DstAnsi, nullptr, &left);
    EXPECT_EQ(r.status, ConversionStatus::ReaderFailed) << name;
    const std::string message = r.message();
    EXPECT_EQ(message.rfind("cannot read the file as a Claris/AppleWorks document: its first zone (the tag at byte ", 0), 0u)
        << message;
    EXPECT_TRUE(message.ends_with(") holds no text: a spreadsheet or a drawing")) << message;
    EXPECT_EQ(left, std::vector<std::string>{"doc"}) << name << ": nothing but the source is left";
  }
}

TEST(ClarisWorksCorpus, SameWordsAsTheMacTextCopy) {
  const fs::path claris = corpus_folder("clarisworks"), text = corpus_folder("mac-text");
  if (claris.empty() || text.empty()) GTEST_SKIP() << "no corpus";
  std::string from_claris, from_text;
  ASSERT_TRUE(convert(claris / "arashi_source_release_cw1", SrcClarisWorks, DstAnsi, &from_claris).ok());
  ASSERT_TRUE(convert(text / "arashi_source_release", SrcMacText, DstAnsi, &from_text).ok());
  const auto words = body_words(from_claris);
  EXPECT_GT(words.size(), 600u);
  EXPECT_EQ(words, body_words(from_text));
}

TEST(ClarisWorksCorpus, SameWordsAsTheMacWrite46Copy) {
  const fs::path claris = corpus_folder("clarisworks"), macwrite = corpus_folder("macwrite-4.6");
  if (claris.empty() || macwrite.empty()) GTEST_SKIP() << "no corpus";
  if (!source_row_available(SrcMacWrite46)) GTEST_SKIP() << "no MacWrite 4.6 reader yet";
  std::string from_claris, from_macwrite;
  ASSERT_TRUE(convert(claris / "outofphase_appendices_cw2", SrcClarisWorks, DstAnsi, &from_claris).ok());
  ASSERT_TRUE(convert(macwrite / "outofphase_appendices", SrcMacWrite46, DstAnsi, &from_macwrite).ok());
  const auto words = body_words(from_claris);
  EXPECT_GT(words.size(), 5000u);
  EXPECT_EQ(words, body_words(from_macwrite));
}

TEST(ClarisWorksCorpus, StyledWordsCarryTheirAttributes) {
  const fs::path folder = corpus_folder("clarisworks");
  if (folder.empty()) GTEST_SKIP() << "no corpus";
  const struct {
    const char* file;
    const char* styled;
  } cases[] = {
      {"joshenders_style_bold", "{BoldOn}UNIQ"},
      {"joshenders_style_italic", "{ItalicOn}UNIQ"},
      {"joshenders_style_underline", "{UnderlineOn}UNIQ"},  // AppleWorks 6: underline in a word of its own
      {"brownfox_bold_aw629", "The quick {BoldOn}brown{BoldOff} fox jumped"},
      {"brownfoxstyle_aw503", "{BoldOn}brown{BoldOff} {ItalicOn}fox{ItalicOff} {UnderlineOn}jumped{UnderlineOff} over"},
      {"brownfoxstyle_cw4fmt", "The quick {BoldOn}brown{BoldOff} fox"},
      {"loremstyle_aw629", "himenaeos. {BoldOn}BOLDTEXT{BoldOff} porttitor"},
      {"loremstyle_cw5win", "faucibus. {ItalicOn}Aliquam{ItalicOff} erat"},
      {"outofphase_appendices_cw2", "{Tab}::= {BoldOn}func{BoldOff} {ItalicOn}<identifier>{ItalicOff}"},
  };
  for (const auto& c : cases) {
    const std::string stream = stream_of(folder / c.file);
    EXPECT_NE(stream.find(c.styled), std::string::npos) << c.file << ":\n" << stream.substr(0, 400);
  }
  // Plain documents have no attribute at all.
  for (const char* file : {"brownfox_aw629", "lorem_aw629", "alice_aw629"}) {
    const std::string stream = stream_of(folder / file);
    for (const char* code : {"BoldOn", "ItalicOn", "UnderlineOn"})
      EXPECT_EQ(stream.find(code), std::string::npos) << file << " has " << code;
  }
}

// The pictures in the text: ClarisWorks 1 and 2 keep a pasted picture whole,
// so each one's size word is its length and it ends with its end opcode. The
// AppleWorks 6 documents hold a picture of their first page for the Finder,
// which is no part of the text; the level design manual's eight drawings are
// ClarisWorks's own objects, left out.
TEST(ClarisWorksCorpus, PicturesInTheText) {
  const fs::path folder = corpus_folder("clarisworks");
  if (folder.empty()) GTEST_SKIP() << "no corpus";
  const std::map<std::string, std::vector<std::string>> expected = {
      {"arashi_source_release_cw1", {"21x43"}},  // a signature, shown smaller than its 31x62 frame
      {"gnuplot_readme_cw2", {"291x488"}},
  };
  int documents = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (!is_word_processing(entry.path()) || entry.path().extension() == ".bin") continue;
    ++documents;
    const std::string stream = stream_of(entry.path());
    std::vector<std::string> sizes;
    constexpr std::string_view kMark = "{Picture 1 ";
    for (std::size_t at = 0; (at = stream.find(kMark, at)) != std::string::npos;) {
      const std::size_t space = stream.find(' ', at + kMark.size());
      const std::size_t end = stream.find('}', space);
      ASSERT_NE(end, std::string::npos) << name;
      sizes.push_back(stream.substr(at + kMark.size(), space - at - kMark.size()));
      const std::string hex = stream.substr(space + 1, end - space - 1);
      EXPECT_EQ(std::stoul(hex.substr(0, 4), nullptr, 16), hex.size() / 2) << name;
      EXPECT_TRUE(hex.ends_with("ff")) << name;
      at = end;
    }
    const auto it = expected.find(name);
    EXPECT_EQ(sizes, it == expected.end() ? std::vector<std::string>{} : it->second) << name;
  }
  EXPECT_GE(documents, 25);
}

}  // namespace
}  // namespace lettrix
