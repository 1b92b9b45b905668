#include "writers/docx.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <string>
#include <vector>

#include "test_util.h"

namespace lettrix {
namespace {

using testing::ScratchDir;
using testing::stream_of;

// The entries of a zip file, names and texts in their order.
struct Entries {
  std::vector<std::string> names;
  std::vector<std::string> texts;
  std::string operator[](std::string_view name) const {
    for (std::size_t i = 0; i < names.size(); ++i)
      if (names[i] == name) return texts[i];
    return "(none)";
  }
};

Entries unzip(const std::string& path) {
  Entries e;
  int error = 0;
  zip_t* z = zip_open(path.c_str(), ZIP_RDONLY, &error);
  if (!z) return e;
  for (zip_int64_t i = 0; i < zip_get_num_entries(z, 0); ++i) {
    const auto index = static_cast<zip_uint64_t>(i);
    e.names.emplace_back(zip_get_name(z, index, 0));
    std::string text;
    if (zip_file_t* f = zip_fopen_index(z, index, 0)) {
      char block[4096];
      for (zip_int64_t n; (n = zip_fread(f, block, sizeof block)) > 0;) text.append(block, static_cast<std::size_t>(n));
      zip_fclose(f);
    }
    e.texts.push_back(text);
  }
  zip_discard(z);
  return e;
}

Entries write_docx(const std::string& stream, std::string* bytes = nullptr) {
  ScratchDir dir;
  testing::write_file(dir.file("s"), stream);
  EXPECT_EQ(dest_docx(dir.file("s").c_str(), dir.file("t.docx").c_str()), 0);
  if (bytes) *bytes = testing::read_file(dir.file("t.docx"));
  return unzip(dir.file("t.docx"));
}

// What lies between two marks of a part.
std::string between(const std::string& text, std::string_view from, std::string_view to) {
  const std::size_t a = text.find(from);
  const std::size_t b = text.rfind(to);
  if (a == std::string::npos || b == std::string::npos || b < a + from.size()) return "(not found)";
  return text.substr(a + from.size(), b - a - from.size());
}
std::string body_of(const Entries& e) { return between(e["word/document.xml"], "<w:body>", "<w:sectPr>"); }

// A run of plain text, and of text with properties.
std::string t(const std::string& s) { return "<w:t xml:space=\"preserve\">" + s + "</w:t>"; }
std::string run(const std::string& s, const std::string& properties = "") {
  return "<w:r>" + (properties.empty() ? "" : "<w:rPr>" + properties + "</w:rPr>") + t(s) + "</w:r>";
}
std::string para(const std::string& content, const std::string& properties = "") {
  return "<w:p>" + (properties.empty() ? "" : "<w:pPr>" + properties + "</w:pPr>") + content + "</w:p>";
}
const std::string kNoteRun = "<w:r><w:rPr><w:rStyle w:val=\"FootnoteReference\"/></w:rPr>";

// The stream in its printed form, and the body of document.xml written.
TEST(DocxWriter, TextAndFormattingOfTheBody) {
  const struct {
    const char* what;
    const char* stream;
    std::string body;
  } cases[] = {
      // blank document and paragraphs
      {"blank document", "", "<w:p></w:p>"},
      {"paragraphs", "One¶¶Two¶", para(run("One")) + para("") + para(run("Two"))},
      {"last paragraph without its end", "One¶Two", para(run("One")) + para(run("Two"))},
      // characters and escaping
      {"characters", "r{TableChar 1,41}sum{TableChar 1,41} {TableChar 8,33}{HardSpace}{TableChar 5,252}",
       para(run("r\xC3\xA9sum\xC3\xA9 \xCF\x80\xC2\xA0\xE2\x8C\x98"))},
      {"escaping", "a&b<c>d \"q\" {Backslash}{TableChar 5,251}{0x01}.", para(run("a&amp;b&lt;c&gt;d \"q\" \\_."))},
      // character formats
      {"bold and italic", "{BoldOn}b{BoldOff}{ItalicOn}i{ItalicOff}{BoldOn}{BoldOff}n",
       para(run("b", "<w:b/>") + run("i", "<w:i/>") + run("n"))},
      {"every attribute in schema order",
       "{ShadowOn}{OutlineOn}{StrikeOn}{SmallCapsOn}{CapsOn}{UnderlineOn}{SuperscriptOn}x",
       para(run("x", "<w:caps/><w:smallCaps/><w:strike/><w:outline/><w:shadow/><w:u w:val=\"single\"/>"
                     "<w:vertAlign w:val=\"superscript\"/>"))},
      {"double underline, subscript, colour, hidden",
       "{DoubleUnderlineOn}{SubscriptOn}{TextColour 0,6}{HiddenOn}x{HiddenOff}{TextColour 6,0}{SubscriptOff}y",
       para(run("x", "<w:vanish/><w:color w:val=\"FF0000\"/><w:u w:val=\"double\"/><w:vertAlign w:val=\"subscript\"/>") +
            run("y", "<w:u w:val=\"double\"/>"))},
      {"sizes and font classes", "{FontSize 246,244}{Font 0,2}a{Font 2,5}b{Font 5,3}c{Font 3,4}d{Font 4,9}e{FontSize 244,246}f",
       para(run("a", "<w:rFonts w:ascii=\"Arial\" w:hAnsi=\"Arial\" w:cs=\"Arial\"/><w:sz w:val=\"24\"/>") +
            run("b", "<w:rFonts w:ascii=\"Courier New\" w:hAnsi=\"Courier New\" w:cs=\"Courier New\"/><w:sz w:val=\"24\"/>") +
            run("c", "<w:rFonts w:ascii=\"Symbol\" w:hAnsi=\"Symbol\" w:cs=\"Symbol\"/><w:sz w:val=\"24\"/>") +
            run("d", "<w:rFonts w:ascii=\"Wingdings\" w:hAnsi=\"Wingdings\" w:cs=\"Wingdings\"/><w:sz w:val=\"24\"/>") +
            run("e", "<w:sz w:val=\"24\"/>") + run("f"))},
      // paragraphs
      {"alignment", "{CenterOn}c¶{CenterOff}{JustifyOn}j¶{JustifyOff}{RightOn}r¶{RightOff}l¶",
       para(run("c"), "<w:jc w:val=\"center\"/>") + para(run("j"), "<w:jc w:val=\"both\"/>") +
           para(run("r"), "<w:jc w:val=\"right\"/>") + para(run("l"))},
      {"indents", "{LeftMargin 0,10}{IndentHere 0,5}h¶{IndentReset 5,0}{Indent2 0,3}s¶{IndentReset 0,3}{RightMargin 79,59}n¶",
       para(run("h"), "<w:ind w:left=\"2160\" w:hanging=\"720\"/>") +
           para(run("s"), "<w:ind w:left=\"1440\" w:firstLine=\"432\"/>") +
           para(run("n"), "<w:ind w:left=\"1440\" w:right=\"2880\"/>")},
      {"line spacing and borders", "{LineSpacing 8,16}{BorderOn 15,0}d¶{BorderOff 0,0}{BorderOn 37,0}{LineSpacing 16,8}e¶",
       para(run("d"), "<w:pBdr><w:top w:val=\"single\" w:sz=\"6\" w:space=\"1\" w:color=\"auto\"/>"
                      "<w:left w:val=\"single\" w:sz=\"6\" w:space=\"1\" w:color=\"auto\"/>"
                      "<w:bottom w:val=\"single\" w:sz=\"6\" w:space=\"1\" w:color=\"auto\"/>"
                      "<w:right w:val=\"single\" w:sz=\"6\" w:space=\"1\" w:color=\"auto\"/></w:pBdr>"
                      "<w:spacing w:line=\"480\" w:lineRule=\"auto\"/>") +
           para(run("e"), "<w:pBdr><w:top w:val=\"double\" w:sz=\"6\" w:space=\"1\" w:color=\"auto\"/>"
                          "<w:bottom w:val=\"double\" w:sz=\"6\" w:space=\"1\" w:color=\"auto\"/></w:pBdr>")},
      // tabs
      {"tab stops of every kind", "{SetTab 1,20}{SetTab 2,30}{SetTab 3,40}{SetTab 4,50}{SetTab 5,60}a{0x09}b¶",
       para("<w:r>" + t("a") + "<w:tab/>" + t("b") + "</w:r>",
            "<w:tabs><w:tab w:val=\"left\" w:pos=\"2880\"/><w:tab w:val=\"center\" w:pos=\"4320\"/>"
            "<w:tab w:val=\"right\" w:pos=\"5760\"/><w:tab w:val=\"decimal\" w:pos=\"7200\"/>"
            "<w:tab w:val=\"bar\" w:pos=\"8640\"/></w:tabs>")},
      {"tab stops from the left margin, kept and cleared",
       "{LeftMargin 0,10}{SetTab 1,5}x¶y¶{ClearTab 1,5}z¶{SetTab 1,7}{ClearAllTabs}w¶",
       para(run("x"), "<w:tabs><w:tab w:val=\"left\" w:pos=\"2160\"/></w:tabs><w:ind w:left=\"1440\"/>") +
           para(run("y"), "<w:tabs><w:tab w:val=\"left\" w:pos=\"2160\"/></w:tabs><w:ind w:left=\"1440\"/>") +
           para(run("z"), "<w:ind w:left=\"1440\"/>") + para(run("w"), "<w:ind w:left=\"1440\"/>")},
      // breaks
      {"line and page breaks", "a{LF}b{0x0C}c¶{0x0C}d¶",
       para("<w:r>" + t("a") + "<w:br/>" + t("b") + "<w:br w:type=\"page\"/>" + t("c") + "</w:r>") +
           para("<w:r><w:br w:type=\"page\"/></w:r>" + run("d"))},
      {"soft hyphen with its line break", "ex{SoftHyphen}{LF}ample", para("<w:r>" + t("ex") + "<w:softHyphen/>" + t("ample") + "</w:r>")},
      // notes and pictures in the body
      {"note call", "Text{NoteCall 0,1}note{EndOfText} goes on.¶",
       para(run("Text") + kNoteRun + "<w:footnoteReference w:id=\"1\"/></w:r>" + run(" goes on."))},
      {"picture", "p{Picture 1 1x1 ab}q", para(run("p[picture]q"))},
  };
  for (const auto& c : cases) EXPECT_EQ(body_of(write_docx(stream_of(c.stream))), c.body) << c.what;
}

// The notes, the running heads and the parts that name them.
TEST(DocxWriter, NotesAndRunningHeads) {
  const std::string mark = "<w:pPr><w:pStyle w:val=\"FootnoteText\"/></w:pPr>" + kNoteRun +
                           "<w:footnoteRef/></w:r>";
  const Entries notes = write_docx(stream_of(
      "A{NoteCall 0,1}{ItalicOn}See{ItalicOff}{CenterOn} p. 2¶More.{EndOfText}B{NoteCall 0,2}{EndOfText}¶C¶"));
  EXPECT_EQ(between(notes["word/footnotes.xml"], "<w:continuationSeparator/></w:r></w:p></w:footnote>", "</w:footnotes>"),
            "<w:footnote w:id=\"1\"><w:p>" + mark + run("See", "<w:i/>") + run(" p. 2") + "</w:p>" +
                para(run("More."), "<w:pStyle w:val=\"FootnoteText\"/><w:jc w:val=\"center\"/>") +
                "</w:footnote><w:footnote w:id=\"2\"><w:p>" + mark + "</w:p></w:footnote>");
  // The body's next paragraph has the alignment set in the note.
  EXPECT_EQ(body_of(notes), para(run("A") + kNoteRun + "<w:footnoteReference w:id=\"1\"/></w:r>" + run("B") + kNoteRun +
                                 "<w:footnoteReference w:id=\"2\"/></w:r>") +
                                para(run("C"), "<w:jc w:val=\"center\"/>"));
  EXPECT_NE(notes["word/_rels/document.xml.rels"].find("Target=\"footnotes.xml\""), std::string::npos);

  const struct {
    const char* what;
    const char* stream;
    const char* header1;  // default
    const char* header2;  // even
    const char* footer1;
    bool even_and_odd;
  } heads[] = {
      {"one header for all pages", "{HeaderAll 0,0}p. {PageNumber}{EndOfText}x",
       "<w:p><w:r><w:t xml:space=\"preserve\">p. </w:t></w:r><w:fldSimple w:instr=\" PAGE \"><w:r>"
       "<w:t xml:space=\"preserve\">1</w:t></w:r></w:fldSimple></w:p>",
       "(none)", "(none)", false},
      {"odd and even, a later text replacing", "{HeaderOdd 0,0}O{EndOfText}{HeaderEven 0,0}E{EndOfText}"
       "{HeaderEven 0,0}{BoldOn}F¶{EndOfText}{FooterAll 0,0}{EndOfText}{BoldOff}x",
       "<w:p><w:r><w:t xml:space=\"preserve\">O</w:t></w:r></w:p>",
       "<w:p><w:r><w:rPr><w:b/></w:rPr><w:t xml:space=\"preserve\">F</w:t></w:r></w:p>", "<w:p></w:p>", true},
  };
  for (const auto& h : heads) {
    const Entries e = write_docx(stream_of(h.stream));
    EXPECT_EQ(between(e["word/header1.xml"], "relationships\">", "</w:hdr>"), h.header1) << h.what;
    EXPECT_EQ(e["word/header2.xml"] == "(none)" ? "(none)" : between(e["word/header2.xml"], "relationships\">", "</w:hdr>"),
              h.header2) << h.what;
    EXPECT_EQ(e["word/footer1.xml"] == "(none)" ? "(none)" : between(e["word/footer1.xml"], "relationships\">", "</w:ftr>"),
              h.footer1) << h.what;
    // The footer for all pages serves the even ones too.
    if (h.even_and_odd) {
      EXPECT_EQ(e["word/footer2.xml"], e["word/footer1.xml"]) << h.what;
    }
    EXPECT_EQ(e["word/settings.xml"].find("<w:evenAndOddHeaders/>") != std::string::npos, h.even_and_odd) << h.what;
    const std::string document = e["word/document.xml"];
    EXPECT_NE(document.find("<w:headerReference w:type=\"default\" r:id=\"rIdHeader1\"/>"), std::string::npos) << h.what;
    EXPECT_EQ(document.find("<w:headerReference w:type=\"even\"") != std::string::npos, h.even_and_odd) << h.what;
    EXPECT_EQ(body_of(e), para(run("x"))) << h.what;
  }
}

// The package: its entries in order, the same bytes for the same stream,
// known by its output test.
TEST(DocxWriter, PackageIsReproducibleAndKnown) {
  const std::string stream = stream_of("{HeaderAll 0,0}H{EndOfText}Text{NoteCall 0,1}n{EndOfText}¶");
  std::string first, second;
  const Entries e = write_docx(stream, &first);
  write_docx(stream, &second);
  EXPECT_EQ(first, second);
  EXPECT_EQ(e.names, (std::vector<std::string>{"[Content_Types].xml", "_rels/.rels", "word/document.xml",
                                               "word/styles.xml", "word/settings.xml", "word/_rels/document.xml.rels",
                                               "word/footnotes.xml", "word/header1.xml", "docProps/core.xml",
                                               "docProps/app.xml"}));
  const auto head = std::span(reinterpret_cast<const std::uint8_t*>(first.data()), first.size());
  EXPECT_STREQ(output_test_docx(head).kind, "Word (DOCX)");
  EXPECT_EQ(output_test_docx(head.first(40)).kind, nullptr);
  const std::string blank = "PK\x03\x04 and more text than a zip's header";
  EXPECT_EQ(output_test_docx(std::span(reinterpret_cast<const std::uint8_t*>(blank.data()), blank.size())).kind, nullptr);
  for (const char* part : {"word/header1.xml", "word/footnotes.xml"})
    EXPECT_NE(e["[Content_Types].xml"].find(std::string("PartName=\"/") + part), std::string::npos) << part;
  // A blank document has the parts a document needs and no others.
  const Entries blank_doc = write_docx("");
  EXPECT_EQ(blank_doc.names.size(), 8u);
  EXPECT_EQ(blank_doc["word/footnotes.xml"], "(none)");
}

}  // namespace
}  // namespace lettrix
