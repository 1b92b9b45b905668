// antiword, a Word reader of its own, reads our Word for Windows 2 documents
// back: the words of the main text in order, the notes after them, bold and
// notes where the stream put them. Skipped when antiword is not installed.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <filesystem>

#include "core/driver.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "core/wrapped_source.h"
#include "core/stream_codes.h"
#include "core/stream_printer.h"
#include "core/stream_reader.h"
#include "support/file_handle.h"
#include "test_util.h"
#include "writers/winword2.h"

namespace lettrix {
namespace {

namespace fs = std::filesystem;
using testing::bytes;

std::string code(int c) { return bytes({kEscape, c}); }
std::string code(int c, int a, int b) { return bytes({kEscape, c, a, b}); }

bool antiword_available() {
  static const bool available = std::system("antiword -h >/dev/null 2>&1; command -v antiword >/dev/null") == 0;
  return available;
}

// What antiword prints for the document (with options such as "-x db"), or
// nothing when it fails.
std::optional<std::string> antiword(const std::string& path, const std::string& options = "") {
  const std::string command = "antiword " + options + " '" + path + "' 2>/dev/null";
  return testing::command_output(command);
}

// Runs of ASCII letters and digits; everything else separates words.
void add_words(const std::string& text, std::vector<std::string>& words) {
  std::string word;
  for (char c : text) {
    if (std::isalnum(static_cast<unsigned char>(c)) && !(c & 0x80)) {
      word += c;
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  if (!word.empty()) words.push_back(word);
}

// The words of the main text and of the notes, as a Word reader shows them;
// headers and footers are left out (antiword does not print them).
void stream_words(const std::string& stream, std::vector<std::string>& main, std::vector<std::string>& notes) {
  std::FILE* in = fmemopen(const_cast<char*>(stream.data()), stream.size(), "rb");
  ASSERT_NE(in, nullptr);
  FilePtr guard(in);
  std::string main_text, note_text;
  enum { Main, Note, Head } where = Main;
  StreamItem item;
  while (read_stream_item(in, item)) {
    std::string& text = where == Note ? note_text : main_text;
    if (item.kind == StreamItem::Kind::Byte) {
      if (where != Head) text += static_cast<char>(item.value);
      continue;
    }
    if (is_header_code(item.value) || is_footer_code(item.value)) where = where == Main ? Head : where;
    else if (item.value == NoteCall && where == Main) where = Note;
    else if (item.value == EndOfText) where = Main;
    // Characters and embedded texts part words; attribute and value codes do
    // not ("superscript" and "subscript" side by side are one word).
    const bool parts = item.value == TableChar || item.value == HardSpace || item.value == Backslash ||
                       item.value == NoteCall || item.value == EndOfText || is_header_code(item.value) ||
                       is_footer_code(item.value);
    if (parts && where != Head) text += ' ';
    if (parts && where == Note) note_text += ' ';
  }
  add_words(main_text, main);
  add_words(note_text, notes);
}

// Empty when the expected words appear in this order among the found ones.
std::string missing_in_order(const std::vector<std::string>& expected, const std::vector<std::string>& found) {
  std::size_t at = 0;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    while (at < found.size() && found[at] != expected[i]) ++at;
    if (at == found.size()) return "word " + std::to_string(i) + " \"" + expected[i] + "\" missing";
    ++at;
  }
  return {};
}

void expect_antiword_reads(const std::string& stream, const std::string& doc, const std::string& name) {
  // -w 0: no line wrapping, which would cut long words in two.
  std::optional<std::string> text = antiword(doc, "-w 0");
  ASSERT_TRUE(text.has_value()) << name << ": antiword refuses the document";
  std::vector<std::string> main, notes, found;
  stream_words(stream, main, notes);
  add_words(*text, found);
  EXPECT_EQ(missing_in_order(main, found), "") << name << ": main text";
  EXPECT_EQ(missing_in_order(notes, found), "") << name << ": notes";
}

TEST(Ww2Antiword, ReadsTextBoldCentringAndNotes) {
  if (!antiword_available()) GTEST_SKIP() << "antiword is not installed";
  const std::string stream = code(HeaderAll, 0, 0) + "Running head" + code(EndOfText) + code(FooterAll, 0, 0) +
                             "Running foot" + code(EndOfText) + code(CenterOn) + "Centred title\r" + code(CenterOff) +
                             "Some " + code(BoldOn) + "bold" + code(BoldOff) + " words" + code(NoteCall, 0, 1) +
                             "The note text" + code(EndOfText) + " after the note.\r" + "\tIndented and " +
                             code(TableChar, 1, 41) + "t" + code(TableChar, 1, 41) + ".\r";
  testing::ScratchDir dir;
  testing::write_file(dir.file("s"), stream);
  ASSERT_EQ(dest_winword2(dir.file("s").c_str(), dir.file("t.doc").c_str()), 0);
  expect_antiword_reads(stream, dir.file("t.doc"), "built document");
  const std::optional<std::string> text = antiword(dir.file("t.doc"));
  ASSERT_TRUE(text.has_value());
  EXPECT_NE(text->find("Some bold words[1] after the note."), std::string::npos) << *text;
  EXPECT_NE(text->find("[1]   The note text"), std::string::npos) << *text;
  // Centred: antiword pads the line toward the middle.
  EXPECT_NE(text->find("          Centred title"), std::string::npos) << *text;
  EXPECT_EQ(text->find("      Some bold"), std::string::npos) << "the next paragraph is not centred:\n" << *text;

  const std::optional<std::string> docbook = antiword(dir.file("t.doc"), "-x db");
  ASSERT_TRUE(docbook.has_value());
  EXPECT_NE(docbook->find("<emphasis role='bold'>bold</emphasis>"), std::string::npos) << *docbook;
  EXPECT_NE(docbook->find("words<footnote>"), std::string::npos) << *docbook;
  EXPECT_NE(docbook->find("The note text"), std::string::npos) << *docbook;

  // An empty stream: an empty document that antiword opens.
  testing::write_file(dir.file("e"), "");
  ASSERT_EQ(dest_winword2(dir.file("e").c_str(), dir.file("e.doc").c_str()), 0);
  EXPECT_TRUE(antiword(dir.file("e.doc")).has_value());
}

TEST(Ww2Antiword, ReadsEveryRealDocument) {
  if (!antiword_available()) GTEST_SKIP() << "antiword is not installed";
  const fs::path corpus = testing::corpus_dir();
  if (corpus.empty()) GTEST_SKIP() << "no corpus";
  const std::pair<const char*, int> folders[] = {{"mac-text", SrcMacText},
                                                 {"macwrite-2.2", SrcMacWrite22},
                                                 {"macwrite-4.6", SrcMacWrite46},
                                                 {"clarisworks", SrcClarisWorks},
                                                 {"ragtime-3", SrcRagtime3}};
  int documents = 0;
  for (const auto& [folder, row] : folders) {
    if (!fs::is_directory(corpus / folder) || !source_row_available(row)) continue;
    const Handler reader = source_formats.rows[row].reader;
    for (const auto& entry : fs::directory_iterator(corpus / folder)) {
      const std::string name = std::string(folder) + "/" + entry.path().filename().string();
      testing::ScratchDir dir(true);
      testing::write_file("doc", testing::read_file(entry.path().string()));
      PreparedSource unwrapped;  // as the driver gives it to the reader: a MacBinary file unwrapped
      std::string unwrap_error;
      if (!prepare_source("doc", unwrapped, unwrap_error)) continue;
      if (reader(unwrapped.reader_path.c_str(), "stream") != 0) continue;  // not a document this reader takes
      const std::string stream = testing::read_file("stream");
      init_path_buffers();
      choose_formats(row, DstWinWord2);
      const ConversionResult r = convert_file("doc");
      ASSERT_TRUE(r.ok()) << name << ": " << r.message();
      expect_antiword_reads(stream, dir.file(r.target), name);
      ++documents;
    }
  }
  EXPECT_GE(documents, 20);
}

}  // namespace
}  // namespace lettrix
