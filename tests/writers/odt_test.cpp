#include "writers/odt.h"

#include <gtest/gtest.h>

#include "test_util.h"
#include "writers/odt_test_util.h"

namespace lettrix {
namespace {

using testing::stream_of;

std::string between(const std::string& text, const std::string& from, const std::string& to) {
  const std::size_t a = text.find(from);
  const std::size_t b = a == std::string::npos ? a : text.find(to, a + from.size());
  return b == std::string::npos ? "<absent>" : text.substr(a + from.size(), b - a - from.size());
}

// The content's automatic styles, without their common opening.
std::string styles_of(const std::vector<testing::OdtEntry>& entries) {
  std::string s = between(testing::entry(entries, "content.xml"), "<office:automatic-styles>", "</office:automatic-styles>");
  for (const std::string cut : {"<style:style style:name=\"", " style:family=\"paragraph\" style:parent-style-name=\"Standard\"",
                                " style:family=\"text\"", "</style:style>"})
    for (std::size_t at; (at = s.find(cut)) != std::string::npos;) s.replace(at, cut.size(), cut[0] == '<' && cut[1] == '/' ? "|" : "");
  return s;
}

// The stream in its printed form and the body of content.xml (line ends
// removed). "P1" is the paragraph style of the stream's initial state.
TEST(OdtWriter, TextOfEveryPart) {
  const struct {
    const char* what;
    const char* stream;
    const char* body;
  } cases[] = {
      {"blank document", "", ""},
      {"paragraphs, an empty one", "ab¶¶c¶", "<text:p text:style-name=\"P1\">ab</text:p><text:p text:style-name=\"P1\"></text:p>"
                                            "<text:p text:style-name=\"P1\">c</text:p>"},
      {"last paragraph without its mark", "ab", "<text:p text:style-name=\"P1\">ab</text:p>"},
      {"line break, tab", "a{LF}b{0x09}c", "<text:p text:style-name=\"P1\">a<text:line-break/>b<text:tab/>c</text:p>"},
      {"spaces kept", " a  b   c{0x09} d{LF} e ",
       "<text:p text:style-name=\"P1\"><text:s/>a <text:s/>b <text:s text:c=\"2\"/>c<text:tab/><text:s/>d"
       "<text:line-break/><text:s/>e </text:p>"},
      {"escaping", "<a&b>\"'", "<text:p text:style-name=\"P1\">&lt;a&amp;b&gt;\"'</text:p>"},
      {"accented letters, beyond the code pages", "r{TableChar 1,41}sum{TableChar 8,33}{TableChar 4,32}",
       "<text:p text:style-name=\"P1\">r\xC3\xA9sum\xCF\x80\xE2\x80\x9C</text:p>"},
      {"undefined position, no table", "{TableChar 5,251}{TableChar 0,41}{TableChar 15,1}k",
       "<text:p text:style-name=\"P1\">_k</text:p>"},
      {"system font symbols", "{TableChar 5,252}Q{TableChar 5,255}",
       "<text:p text:style-name=\"P1\">\xE2\x8C\x98QApple</text:p>"},
      {"hard space, backslash, page number", "a{HardSpace}b{Backslash}{PageNumber}",
       "<text:p text:style-name=\"P1\">a\xC2\xA0" "b\\<text:page-number text:select-page=\"current\">1</text:page-number></text:p>"},
      {"soft hyphen and its line break", "con{SoftHyphen}{LF}tion", "<text:p text:style-name=\"P1\">contion</text:p>"},
      {"plain bytes no reader writes", "a{0x01}{0x7F}{0xC3}z", "<text:p text:style-name=\"P1\">a__z</text:p>"},
      {"page breaks", "a¶{0x0C}b{0x0C}c¶", "<text:p text:style-name=\"P1\">a</text:p><text:p text:style-name=\"P2\">b</text:p>"
                                          "<text:p text:style-name=\"P2\">c</text:p>"},
      {"character formats as spans", "a{BoldOn}b{ItalicOn}c{BoldOff}d{ItalicOff}e{BoldOn}¶f",
       "<text:p text:style-name=\"P1\">a<text:span text:style-name=\"T1\">b</text:span><text:span text:style-name=\"T2\">c"
       "</text:span><text:span text:style-name=\"T3\">d</text:span>e</text:p><text:p text:style-name=\"P1\">"
       "<text:span text:style-name=\"T1\">f</text:span></text:p>"},
      {"formats switched without text", "{BoldOn}{BoldOff}a{FontSize 246,244}b{FontSize 244,244}c{FontSize 244,246}",
       "<text:p text:style-name=\"P1\">a<text:span text:style-name=\"T1\">bc</text:span></text:p>"},
      {"notes, numbered", "x{NoteCall 7,0}N{EndOfText}y{BoldOn}z{NoteCall 0,3}M¶M2{EndOfText}w¶",
       "<text:p text:style-name=\"P1\">x<text:note text:id=\"ftn1\" text:note-class=\"footnote\"><text:note-citation>1"
       "</text:note-citation><text:note-body><text:p text:style-name=\"P1\">N</text:p></text:note-body></text:note>y"
       "<text:span text:style-name=\"T1\">z</text:span><text:note text:id=\"ftn2\" text:note-class=\"footnote\">"
       "<text:note-citation>2</text:note-citation><text:note-body><text:p text:style-name=\"P1\"><text:span "
       "text:style-name=\"T1\">M</text:span></text:p><text:p text:style-name=\"P1\"><text:span text:style-name=\"T1\">"
       "M2</text:span></text:p></text:note-body></text:note><text:span text:style-name=\"T1\">w</text:span></text:p>"},
      {"an empty note, a note at the end", "a{NoteCall 0,0}{EndOfText}{NoteCall 0,0}n",
       "<text:p text:style-name=\"P1\">a<text:note text:id=\"ftn1\" text:note-class=\"footnote\"><text:note-citation>1"
       "</text:note-citation><text:note-body><text:p text:style-name=\"P1\"></text:p></text:note-body></text:note>"
       "<text:note text:id=\"ftn2\" text:note-class=\"footnote\"><text:note-citation>2</text:note-citation>"
       "<text:note-body><text:p text:style-name=\"P1\">n</text:p></text:note-body></text:note></text:p>"},
      {"heads leave the body", "a{HeaderAll 0,0}H{EndOfText}b¶", "<text:p text:style-name=\"P1\">ab</text:p>"},
      {"picture", "p{Picture 1 20x10 0a0B}q",
       "<text:p text:style-name=\"P1\">p<draw:frame draw:name=\"Picture 1\" text:anchor-type=\"as-char\" "
       "svg:width=\"10pt\" svg:height=\"20pt\" draw:z-index=\"0\"><draw:image xlink:href=\"Pictures/1.pct\" "
       "xlink:type=\"simple\" xlink:show=\"embed\" xlink:actuate=\"onLoad\"/></draw:frame>q</text:p>"},
      {"picture of no known kind", "p{Picture 9 1x1 ab}q", "<text:p text:style-name=\"P1\">pq</text:p>"},
      {"end of file inside a code", "z{Truncated 5C2001}", "<text:p text:style-name=\"P1\">z</text:p>"},
  };
  for (const auto& c : cases) {
    int rc = -9;
    const auto entries = testing::odt_of(stream_of(c.stream), &rc);
    EXPECT_EQ(rc, 0) << c.what;
    EXPECT_EQ(testing::odt_body(entries), c.body) << c.what;
  }
}

// The automatic styles that formatted text makes: "name" and its
// properties, each ended by "|".
TEST(OdtWriter, StylesOfCharacterAndParagraphFormats) {
  const struct {
    const char* what;
    const char* stream;
    const char* styles;
  } cases[] = {
      {"plain text", "a", "P1\"><style:paragraph-properties/>|"},
      {"font classes and sizes", "{Font 0,2}a{Font 2,5}b{Font 5,3}c{Font 3,4}d{Font 4,1}e{Font 1,9}f{FontSize 246,244}g",
       "P1\"><style:paragraph-properties/>|T1\"><style:text-properties style:font-name=\"Arial\"/>|"
       "T2\"><style:text-properties style:font-name=\"Courier New\"/>|T3\"><style:text-properties "
       "style:font-name=\"Symbol\"/>|T4\"><style:text-properties style:font-name=\"Wingdings\"/>|"
       "T5\"><style:text-properties fo:font-size=\"12pt\"/>|"},
      {"every attribute",
       "{BoldOn}{ItalicOn}{UnderlineOn}{StrikeOn}{OutlineOn}{ShadowOn}{SmallCapsOn}{CapsOn}{SuperscriptOn}{HiddenOn}"
       "{TextColour 0,6}a{DoubleUnderlineOn}{SuperscriptOff}{SubscriptOn}{TextColour 6,16}b",
       "P1\"><style:paragraph-properties/>|T1\"><style:text-properties fo:font-weight=\"bold\" "
       "fo:font-style=\"italic\" style:text-underline-style=\"solid\" style:text-underline-width=\"auto\" "
       "style:text-underline-color=\"font-color\" style:text-line-through-style=\"solid\" style:text-outline=\"true\" "
       "fo:text-shadow=\"1pt 1pt\" fo:font-variant=\"small-caps\" fo:text-transform=\"uppercase\" "
       "style:text-position=\"super 58%\" text:display=\"none\" fo:color=\"#ff0000\"/>|T2\"><style:text-properties "
       "fo:font-weight=\"bold\" fo:font-style=\"italic\" style:text-underline-style=\"solid\" "
       "style:text-underline-type=\"double\" style:text-underline-width=\"auto\" style:text-underline-color=\"font-color\""
       " style:text-line-through-style=\"solid\" style:text-outline=\"true\" fo:text-shadow=\"1pt 1pt\" "
       "fo:font-variant=\"small-caps\" fo:text-transform=\"uppercase\" style:text-position=\"sub 58%\" "
       "text:display=\"none\" fo:color=\"#c0c0c0\"/>|"},
      {"alignments, the first of centre, justify, right",
       "{CenterOn}a¶{JustifyOn}b¶{CenterOff}c¶{RightOn}d¶{JustifyOff}e¶{RightOff}f",
       "P1\"><style:paragraph-properties fo:text-align=\"center\"/>|P2\"><style:paragraph-properties "
       "fo:text-align=\"justify\"/>|P3\"><style:paragraph-properties fo:text-align=\"end\"/>|"
       "P4\"><style:paragraph-properties/>|"},
      {"indents, right margin, line spacing",
       "{LeftMargin 0,10}{IndentHere 0,5}a¶{IndentReset 5,0}{Indent2 0,3}{RightMargin 79,59}b¶{IndentReset 0,0}"
       "{LineSpacing 8,12}c¶{LineSpacing 12,16}{LeftMargin 10,0}{RightMargin 59,79}d",
       "P1\"><style:paragraph-properties fo:margin-left=\"1.5in\" fo:text-indent=\"-0.5in\"/>|"
       "P2\"><style:paragraph-properties fo:margin-left=\"1in\" fo:margin-right=\"2in\" fo:text-indent=\"0.3in\"/>|"
       "P3\"><style:paragraph-properties fo:margin-left=\"1in\" fo:margin-right=\"2in\" fo:line-height=\"150%\"/>|"
       "P4\"><style:paragraph-properties fo:line-height=\"200%\"/>|"},
      {"tab stops of each kind, from the left indent",
       "{SetTab 1,10}{SetTab 2,20}{SetTab 3,30}{SetTab 4,40}{SetTab 5,50}a¶{LeftMargin 0,10}{IndentHere 0,5}"
       "{ClearTab 0,20}b¶{ClearAllTabs}c",
       "P1\"><style:paragraph-properties><style:tab-stops><style:tab-stop style:position=\"1in\"/>"
       "<style:tab-stop style:position=\"2in\" style:type=\"center\"/><style:tab-stop style:position=\"3in\" "
       "style:type=\"right\"/><style:tab-stop style:position=\"4in\" style:type=\"char\" style:char=\".\"/>"
       "</style:tab-stops></style:paragraph-properties>|P2\"><style:paragraph-properties fo:margin-left=\"1.5in\" "
       "fo:text-indent=\"-0.5in\"><style:tab-stops><style:tab-stop style:position=\"0.5in\"/><style:tab-stop "
       "style:position=\"2.5in\" style:type=\"right\"/><style:tab-stop style:position=\"3.5in\" style:type=\"char\" "
       "style:char=\".\"/></style:tab-stops></style:paragraph-properties>|P3\"><style:paragraph-properties "
       "fo:margin-left=\"1.5in\" fo:text-indent=\"-0.5in\"/>|"},
      {"borders, page break", "{BorderOn 15,0}a¶{BorderOn 37,0}b¶{BorderOff 0,0}{0x0C}c",
       "P1\"><style:paragraph-properties fo:border-top=\"0.75pt solid #000000\" fo:padding-top=\"1pt\" "
       "fo:border-left=\"0.75pt solid #000000\" fo:padding-left=\"1pt\" fo:border-bottom=\"0.75pt solid #000000\" "
       "fo:padding-bottom=\"1pt\" fo:border-right=\"0.75pt solid #000000\" fo:padding-right=\"1pt\"/>|"
       "P2\"><style:paragraph-properties fo:border-top=\"2.25pt double #000000\" fo:padding-top=\"1pt\" "
       "fo:border-bottom=\"2.25pt double #000000\" fo:padding-bottom=\"1pt\"/>|"
       "P3\"><style:paragraph-properties fo:break-before=\"page\"/>|"},
      {"a note's paragraphs start from the defaults", "{CenterOn}a{NoteCall 0,0}{RightOn}n{EndOfText}¶b",
       "P1\"><style:paragraph-properties fo:text-align=\"center\"/>|P2\"><style:paragraph-properties "
       "fo:text-align=\"end\"/>|"},
      {"each note's own tab stops", "a{NoteCall 0,0}{SetTab 1,10}n{EndOfText}{NoteCall 0,0}{SetTab 3,20}m{EndOfText}",
       "P1\"><style:paragraph-properties/>|P2\"><style:paragraph-properties><style:tab-stops><style:tab-stop "
       "style:position=\"1in\"/></style:tab-stops></style:paragraph-properties>|P3\"><style:paragraph-properties>"
       "<style:tab-stops><style:tab-stop style:position=\"2in\" style:type=\"right\"/></style:tab-stops>"
       "</style:paragraph-properties>|"},
  };
  for (const auto& c : cases) EXPECT_EQ(styles_of(testing::odt_of(stream_of(c.stream))), c.styles) << c.what;
}

// The master page: each kind of running head in its element, the last text
// of a kind the one kept; left-hand (even) texts with the others beside.
TEST(OdtWriter, RunningHeadsOnTheMasterPage) {
  const struct {
    const char* what;
    const char* stream;
    const char* master;
  } cases[] = {
      {"none", "a", ""},
      {"every page", "{HeaderAll 0,0}H{EndOfText}{FooterAll 0,0}F¶{BoldOn}G{EndOfText}a",
       "<style:header><text:p text:style-name=\"P1\">H</text:p></style:header><style:footer><text:p "
       "text:style-name=\"P1\">F</text:p><text:p text:style-name=\"P1\"><text:span text:style-name=\"T1\">G"
       "</text:span></text:p></style:footer>"},
      {"odd and even", "{HeaderOdd 0,0}O{EndOfText}{HeaderEven 0,0}E{EndOfText}{FooterEven 0,0}f{EndOfText}",
       "<style:header><text:p text:style-name=\"P1\">O</text:p></style:header><style:header-left><text:p "
       "text:style-name=\"P1\">E</text:p></style:header-left><style:footer><text:p/></style:footer><style:footer-left>"
       "<text:p text:style-name=\"P1\">f</text:p></style:footer-left>"},
      {"the last one kept, an empty one", "{HeaderAll 0,0}1{EndOfText}{HeaderAll 0,0}2{EndOfText}{FooterAll 0,0}{EndOfText}",
       "<style:header><text:p text:style-name=\"P1\">2</text:p></style:header><style:footer><text:p/></style:footer>"},
      {"no notes, pages or heads inside", "{HeaderAll 0,0}a{NoteCall 0,0}b{0x0C}{FooterAll 0,0}c{EndOfText}d",
       "<style:header><text:p text:style-name=\"P1\">abc</text:p></style:header>"},
  };
  for (const auto& c : cases) {
    std::string master = between(testing::entry(testing::odt_of(stream_of(c.stream)), "styles.xml"),
                                 "<style:master-page style:name=\"Standard\" style:page-layout-name=\"Page\">",
                                 "</style:master-page>");
    std::erase(master, '\n');
    EXPECT_EQ(master, c.master) << c.what;
  }
}

// A running head takes at most a megabyte of text: past it, neither text
// nor elements are added, and the elements open are closed.
TEST(OdtWriter, RunningHeadsAreBounded) {
  std::string stream = stream_of("{HeaderAll 0,0}");
  for (int i = 0; i < 60000; ++i) stream += stream_of("{BoldOn}bold{BoldOff} plain words{LF}¶");
  stream += stream_of("{EndOfText}body");
  const auto entries = testing::odt_of(stream);
  const std::string styles = testing::entry(entries, "styles.xml");
  EXPECT_GT(styles.size(), 1u << 20);
  EXPECT_LT(styles.size(), (1u << 20) + 8192);
  const std::string head = between(styles, "<style:header>", "</style:header>");
  EXPECT_EQ(head.substr(head.size() - 10), "</text:p>\n");
  EXPECT_EQ(testing::odt_body(entries), "<text:p text:style-name=\"P1\">body</text:p>");
}

// The package: the parts in their order, "mimetype" first and stored, every
// entry of 1 January 1980; the pictures' bytes as they are; the same stream
// gives the same bytes; the output test knows the package.
TEST(OdtWriter, PackageAndOutputTest) {
  const std::string stream = stream_of("a{Picture 1 2x2 00112233aabbccdd}b{Picture 2 2x2 f0e}{HeaderAll 0,0}"
                                       "{Picture 3 0x0 7}{Picture 3 0x0 77}{EndOfText}");
  testing::ScratchDir dir;
  testing::write_file(dir.file("s"), stream);
  ASSERT_EQ(dest_odt(dir.file("s").c_str(), dir.file("a.odt").c_str()), 0);
  ASSERT_EQ(dest_odt(dir.file("s").c_str(), dir.file("b.odt").c_str()), 0);
  EXPECT_EQ(testing::read_file(dir.file("a.odt")), testing::read_file(dir.file("b.odt")));
  const auto entries = testing::read_zip(dir.file("a.odt"));
  std::string names;
  for (const auto& e : entries) names += e.name + (e.method == 0 ? " stored," : ",");
  EXPECT_EQ(names, "mimetype stored,content.xml,styles.xml,meta.xml,Pictures/1.pct,Pictures/2.wmf,Pictures/3.wmf,"
                   "META-INF/manifest.xml,");
  EXPECT_EQ(testing::entry(entries, "mimetype"), "application/vnd.oasis.opendocument.text");
  EXPECT_EQ(testing::entry(entries, "Pictures/1.pct"), std::string("\x00\x11\x22\x33\xAA\xBB\xCC\xDD", 8));
  EXPECT_EQ(testing::entry(entries, "Pictures/2.wmf"), "\xF0");
  EXPECT_EQ(testing::entry(entries, "Pictures/3.wmf"), "\x77");
  EXPECT_NE(testing::entry(entries, "styles.xml").find("svg:width=\"72pt\" svg:height=\"72pt\" draw:z-index=\"0\">"
                                                      "<draw:image xlink:href=\"Pictures/3.wmf\""),
            std::string::npos);
  EXPECT_EQ(between(testing::entry(entries, "META-INF/manifest.xml"), "content.xml", "</manifest:manifest>"),
            "\" manifest:media-type=\"text/xml\"/>\n"
            " <manifest:file-entry manifest:full-path=\"styles.xml\" manifest:media-type=\"text/xml\"/>\n"
            " <manifest:file-entry manifest:full-path=\"meta.xml\" manifest:media-type=\"text/xml\"/>\n"
            " <manifest:file-entry manifest:full-path=\"Pictures/1.pct\" manifest:media-type=\"image/x-pict\"/>\n"
            " <manifest:file-entry manifest:full-path=\"Pictures/2.wmf\" manifest:media-type=\"image/x-wmf\"/>\n"
            " <manifest:file-entry manifest:full-path=\"Pictures/3.wmf\" manifest:media-type=\"image/x-wmf\"/>\n");
  // Local headers: version, flags, method, time and date of each entry.
  const std::string zip = testing::read_file(dir.file("a.odt"));
  int headers = 0;
  for (std::size_t at = 0; (at = zip.find("PK\x03\x04", at)) != std::string::npos; at += 4, ++headers)
    EXPECT_EQ(zip.substr(at + 10, 4), std::string("\x00\x00\x21\x00", 4)) << at;
  EXPECT_EQ(headers, 8);

  const auto test = [](const std::string& head) {
    return output_test_odt({reinterpret_cast<const std::uint8_t*>(head.data()), head.size()}).kind != nullptr;
  };
  EXPECT_TRUE(test(zip.substr(0, 512)));
  EXPECT_FALSE(test(zip.substr(0, 60)));
  std::string other = zip.substr(0, 512);
  other.replace(other.find("text"), 4, "spre");  // a spreadsheet
  EXPECT_FALSE(test(other));
  EXPECT_FALSE(test("PK\x03\x04 plain zip"));
}

// Text across the blocks of the stream and of the buffers, with notes,
// spans and runs of spaces on each side of the boundaries.
TEST(OdtWriter, LongTexts) {
  std::string stream, body = "<text:p text:style-name=\"P1\">";
  for (int i = 0; i < 20000; ++i) {
    stream += stream_of("w{TableChar 1,41}rd  ");
    body += "w\xC3\xA9rd <text:s/>";
    if (i % 5000 == 4999) {
      stream += stream_of("{BoldOn}n{NoteCall 0,0}n{EndOfText}{BoldOff}");
      const std::string n = std::to_string(i / 5000 + 1);
      body += "<text:span text:style-name=\"T1\">n</text:span><text:note text:id=\"ftn" + n +
              "\" text:note-class=\"footnote\"><text:note-citation>" + n +
              "</text:note-citation><text:note-body><text:p text:style-name=\"P1\"><text:span text:style-name=\"T1\">"
              "n</text:span></text:p></text:note-body></text:note>";
    }
  }
  body += "</text:p>";
  const std::string written = testing::odt_body(testing::odt_of(stream));
  EXPECT_TRUE(written == body) << written.size() << " bytes written, " << body.size() << " expected";
}

}  // namespace
}  // namespace lettrix
