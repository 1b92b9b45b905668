// Independent readers of the HTML writer's output: tidy finds no fault in it,
// pandoc reads every word in order, and LibreOffice shows the formatting it
// shows for the RTF of the same stream (each skipped when the tool is absent).
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/format_registry.h"
#include "core/stream_codes.h"
#include "test_util.h"
#include "writers/fodt_reader.h"
#include "writers/html.h"
#include "writers/rtf.h"
#include "writers/utf8_text.h"

namespace lettrix {
namespace {

using testing::bytes;

// What tidy reports, less its warning "trimming empty <span>": a span of
// spaces alone, in a format that shows spaces otherwise than the text on
// either side (after underlined text, before struck text), which tidy would
// drop when it cleans the file; browsers show it as written.
std::optional<std::string> tidy_report(const std::string& html) {
  return testing::command_output("tidy -e -q '" + html + "' 2>&1 | grep -v 'Warning: trimming empty <span>'; true");
}

bool have(const char* tool) { return std::system(("command -v " + std::string(tool) + " >/dev/null 2>&1").c_str()) == 0; }

std::string code(int c) { return bytes({kEscape, c}); }
std::string code(int c, int a, int b) { return bytes({kEscape, c, a, b}); }

// Every kind of formatting the writer gives a class, running heads, a note,
// a page break and the characters HTML escapes.
const std::string kFormatted =
    code(HeaderAll, 0, 0) + "Head" + code(EndOfText) + code(FooterAll, 0, 0) + "Foot" + code(EndOfText) +
    code(FontSize, 246, 244) + "Twelve " + code(BoldOn) + "bold" + code(BoldOff) + " " + code(ItalicOn) + "italic" +
    code(ItalicOff) + " " + code(UnderlineOn) + "under" + code(UnderlineOff) + " " + code(StrikeOn) + "struck" +
    code(StrikeOff) + " x " + code(SuperscriptOn) + "2" + code(SuperscriptOff) + " " + code(Font, 0, 2) + "Sans" +
    code(Font, 2, 5) + " fixed" + code(Font, 5, 0) + "\r" + code(CenterOn) + "Centred\r" + code(CenterOff) +
    code(LeftMargin, 0, 10) + code(IndentHere, 0, 5) + "Hanging\r" + code(IndentReset, 5, 0) + code(LeftMargin, 10, 0) +
    code(RightOn) + "Right\r" + code(RightOff) + code(JustifyOn) + code(LineSpacing, 8, 16) + "Justified\r" +
    code(JustifyOff) + code(LineSpacing, 16, 8) + "\f" + code(FontSize, 244, 238) + "Big" + code(FontSize, 238, 244) +
    code(NoteCall, 0, 1) + "Note" + code(EndOfText) + " after <&> \"q\" 'a'\r" + "Line\nbreak\r";
// And a picture (which LibreOffice's RTF import refuses, its data being no
// real picture).
const std::string kWithPicture =
    kFormatted + "a" + code(Picture, 1, 0) + bytes({0, 0, 0, 1, 0, 0, 0, 1}) + "ab" + code(EndOfText) + "b\r";

// The words of a text: runs of letters, digits and any byte of a UTF-8
// sequence, in order.
std::vector<std::string> words_of(const std::string& text) {
  std::vector<std::string> words;
  std::string w;
  for (const char c : text) {
    if (std::isalnum(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0x80) {
      w += c;
    } else if (!w.empty()) {
      words.push_back(w);
      w.clear();
    }
  }
  if (!w.empty()) words.push_back(w);
  return words;
}

// The share of `expected` found in `got` in the same order (each missing word
// is looked for no further than a few words ahead).
double share_in_order(const std::vector<std::string>& expected, const std::vector<std::string>& got) {
  if (expected.empty()) return 1;
  std::size_t at = 0, found = 0;
  for (const std::string& w : expected) {
    for (std::size_t i = at; i < got.size() && i < at + 40; ++i)
      if (got[i] == w) {
        at = i + 1;
        ++found;
        break;
      }
  }
  return static_cast<double>(found) / static_cast<double>(expected.size());
}

// The words pandoc reads in the HTML, without the placeholders and the
// notes' links back (the arrow, a symbol, is no word).
std::optional<std::vector<std::string>> pandoc_words(const std::filesystem::path& html) {
  const std::optional<std::string> plain =
      testing::command_output("pandoc -f html -t plain --wrap=none '" + html.string() + "'");
  if (!plain) return std::nullopt;
  // pandoc writes the digits of a superscript (a note's number) as
  // superscript characters: a word of their own, in plain digits. The
  // placeholders of pictures are left out.
  std::string text;
  for (std::size_t i = 0; i < plain->size(); ++i) {
    static const char* const kSuperscripts[] = {"\xE2\x81\xB0", "\xC2\xB9", "\xC2\xB2", "\xC2\xB3", "\xE2\x81\xB4",
                                                "\xE2\x81\xB5", "\xE2\x81\xB6", "\xE2\x81\xB7", "\xE2\x81\xB8", "\xE2\x81\xB9"};
    bool taken = false;  // a superscript digit or a placeholder
    for (int d = 0; d < 10 && !taken; ++d) {
      const std::string_view s = kSuperscripts[d];
      if (plain->compare(i, s.size(), s) == 0) {
        text += ' ';
        text += static_cast<char>('0' + d);
        text += ' ';
        i += s.size() - 1;
        taken = true;
      }
    }
    if (!taken && plain->compare(i, 9, "[picture]") == 0) {
      i += 8;
      taken = true;
    }
    if (!taken) text += (*plain)[i];
  }
  std::vector<std::string> words;
  for (std::string& w : words_of(text))
    if (w != "\xE2\x86\xA9") words.push_back(std::move(w));
  return words;
}

// The words of the stream as the Unicode text writer writes them: headers,
// text, notes, footers, the order the HTML has; its pictures' stand-ins
// ("[picture 185 × 113]") left out.
std::vector<std::string> stream_words(const std::filesystem::path& stream, const std::filesystem::path& text) {
  EXPECT_EQ(dest_utf8_text(stream.c_str(), text.c_str()), 0);
  std::string plain = testing::read_file(text).substr(3);  // after the byte order mark
  for (std::size_t at; (at = plain.find("[picture ")) != std::string::npos;) {
    const std::size_t end = plain.find(']', at);
    plain.erase(at, end == std::string::npos ? std::string::npos : end + 1 - at);
  }
  return words_of(plain);
}

TEST(HtmlReaders, TidyFindsNoFaultAndPandocReadsEveryWord) {
  testing::ScratchDir dir;
  testing::write_file(dir.file("s"), kWithPicture);
  ASSERT_EQ(dest_html(dir.file("s").c_str(), dir.file("t.html").c_str()), 0);
  if (have("tidy")) {
    const std::optional<std::string> report = tidy_report(dir.file("t.html"));
    ASSERT_TRUE(report);
    EXPECT_EQ(*report, "");
  }
  if (!have("pandoc")) GTEST_SKIP() << "pandoc is not installed";
  const std::optional<std::vector<std::string>> got = pandoc_words(dir.file("t.html"));
  ASSERT_TRUE(got);
  EXPECT_EQ(*got, stream_words(dir.file("s"), dir.file("t.txt")));
}

// Every document of the corpus: tidy finds no error, pandoc reads every word.
TEST(HtmlReaders, CorpusDocumentsReadBack) {
  if (testing::corpus_dir().empty()) GTEST_SKIP() << "no corpus";
  const bool tidy = have("tidy");
  const bool pandoc = have("pandoc");
  if (!tidy && !pandoc) GTEST_SKIP() << "neither tidy nor pandoc is installed";
  testing::ScratchDir dir;
  const int files = testing::for_each_corpus_document(
      {{"mac-text", SrcMacText}, {"macwrite-2.2", SrcMacWrite22}, {"macwrite-4.6", SrcMacWrite46},
       {"clarisworks", SrcClarisWorks}, {"ragtime-3", SrcRagtime3}},
      {"nonwp_"}, [&](int row, const std::filesystem::path& path) {
        const std::string name = path.parent_path().filename().string() + "/" + path.filename().string();
        ASSERT_EQ(source_formats.rows[row].reader(path.c_str(), dir.file("s").c_str()), 0) << name;
        ASSERT_EQ(dest_html(dir.file("s").c_str(), dir.file("t.html").c_str()), 0) << name;
        if (tidy) {
          const std::optional<std::string> report = tidy_report(dir.file("t.html"));
          ASSERT_TRUE(report);
          EXPECT_EQ(*report, "") << name;
        }
        if (pandoc) {
          const std::optional<std::vector<std::string>> got = pandoc_words(dir.file("t.html"));
          ASSERT_TRUE(got) << name;
          EXPECT_EQ(share_in_order(stream_words(dir.file("s"), dir.file("t.txt")), *got), 1.0) << name;
        }
      });
  EXPECT_GE(files, 30);
}

// LibreOffice imports the HTML (into Writer) and the RTF of the same stream;
// each body paragraph shows the same alignment, indents, spacing, page
// break, sizes and attributes in both.
TEST(HtmlReaders, LibreOfficeShowsWhatItShowsForTheRtf) {
  if (!testing::libreoffice_available()) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
  testing::ScratchDir dir;
  testing::write_file(dir.file("s"), kFormatted);
  ASSERT_EQ(dest_html(dir.file("s").c_str(), dir.file("doc.html").c_str()), 0);
  ASSERT_EQ(dest_rtf_ansi(dir.file("s").c_str(), dir.file("doc.rtf").c_str()), 0);
  std::filesystem::create_directories(dir.path() / "html");
  std::filesystem::create_directories(dir.path() / "rtf");
  ASSERT_TRUE(testing::libreoffice_convert({dir.file("doc.html")}, "fodt", dir.path() / "html"));
  ASSERT_TRUE(testing::libreoffice_convert({dir.file("doc.rtf")}, "fodt", dir.path() / "rtf"));
  testing::FodtDocument html, rtf;
  ASSERT_TRUE(testing::read_fodt(dir.path() / "html" / "doc.fodt", html)) << "LibreOffice did not read the HTML";
  ASSERT_TRUE(testing::read_fodt(dir.path() / "rtf" / "doc.fodt", rtf));

  std::map<std::string, const testing::FodtParagraph*> from_rtf;
  for (const auto& p : rtf.paragraphs)
    if (p.where == "body") from_rtf[p.text()] = &p;
  int compared = 0;
  for (const auto& p : html.paragraphs) {
    const auto it = from_rtf.find(p.text());
    if (it == from_rtf.end()) continue;
    const testing::FodtParagraph& r = *it->second;
    ++compared;
    EXPECT_EQ(p.align, r.align) << p.text();
    EXPECT_NEAR(p.margin_left, r.margin_left, 0.005) << p.text();
    EXPECT_NEAR(p.text_indent, r.text_indent, 0.005) << p.text();
    EXPECT_EQ(p.line_height == "100%" ? "" : p.line_height, r.line_height) << p.text();
    EXPECT_EQ(p.page_break_before, r.page_break_before) << p.text();
    ASSERT_EQ(p.chars.size(), r.chars.size()) << p.text();
    for (std::size_t i = 0; i < p.chars.size(); ++i) {
      const testing::FodtChar& a = p.chars[i];
      const testing::FodtChar& b = r.chars[i];
      // A space may take the format of the text before it, and a span of
      // spaces alone LibreOffice reads in its default font.
      if (a.text == " ") continue;
      EXPECT_EQ(a.points, b.points) << p.text() << " '" << a.text << "'";
      EXPECT_EQ(a.bold, b.bold) << p.text() << " '" << a.text << "'";
      EXPECT_EQ(a.italic, b.italic) << p.text() << " '" << a.text << "'";
      EXPECT_EQ(a.underline, b.underline) << p.text() << " '" << a.text << "'";
      EXPECT_EQ(a.font, b.font) << p.text() << " '" << a.text << "'";
    }
  }
  // Every body paragraph but the one with the note call, whose mark differs,
  // and the one with the line break, which RTF writes as a space.
  EXPECT_EQ(compared, 5);
  // The page's header and footer; the page break before "Big"; the note.
  ASSERT_GE(html.paragraphs.size(), 9u);
  EXPECT_EQ(html.paragraphs[0].where + ":" + html.paragraphs[0].text(), "header:Head");
  EXPECT_EQ(html.paragraphs[1].where + ":" + html.paragraphs[1].text(), "footer:Foot");
  int big = 0, note = 0;
  for (const auto& p : html.paragraphs) {
    const std::string text = p.text();
    if (text.rfind("Big", 0) == 0) {
      ++big;
      EXPECT_TRUE(p.page_break_before) << text;
      EXPECT_EQ(p.chars[0].points, 18);
    } else {
      EXPECT_FALSE(p.page_break_before) << text;
    }
    if (text.rfind("Note", 0) == 0) ++note;
  }
  EXPECT_EQ(big, 1);
  EXPECT_EQ(note, 1);
}

}  // namespace
}  // namespace lettrix
