#include "writers/html.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_util.h"

namespace lettrix {
namespace {

using testing::ScratchDir;
using testing::stream_of;

std::string write_html(const std::string& stream, int* rc = nullptr) {
  ScratchDir dir;
  testing::write_file(dir.file("s"), stream);
  const int result = dest_html(dir.file("s").c_str(), dir.file("t.html").c_str());
  if (rc) *rc = result;
  return testing::read_file(dir.file("t.html"));
}

constexpr std::string_view kHead =
    "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<meta name=\"generator\" content=\"Lettrix\">\n"
    "<title>Document</title>\n<style>\n"
    "p{margin:0;line-height:100%;white-space:pre-wrap;tab-size:36pt}\n"
    "header{margin-bottom:12pt}\n"
    "footer,.footnotes{margin-top:12pt;border-top:1px solid #7F7F7F}\n"
    ".picture{color:#7F7F7F}\n";

// The document's classes (the rules after the fixed ones) and its body.
struct Parts {
  std::string classes;
  std::string body;
};

Parts parts_of(const std::string& html) {
  const std::size_t style_end = html.find("</style>\n</head>\n<body>\n");
  const std::size_t body_end = html.rfind("</body>\n</html>\n");
  if (html.compare(0, kHead.size(), kHead) != 0 || style_end == std::string::npos || body_end == std::string::npos ||
      body_end + 16 != html.size())
    return {"(no HTML frame)", html};
  const std::size_t body = style_end + 24;
  return {html.substr(kHead.size(), style_end - kHead.size()), html.substr(body, body_end - body)};
}

// The default paragraph and character classes, which nearly every document has.
constexpr std::string_view kP1 = ".p1{}\n";
constexpr std::string_view kC1 = ".c1{font-family:'Times New Roman',serif;font-size:10pt}\n";
std::string plain(std::string_view more = "") { return std::string(kP1) + std::string(kC1) + std::string(more); }

struct Case {
  const char* what;
  const char* stream;
  std::string classes;
  const char* body;
};

void check(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    int rc = -9;
    const Parts p = parts_of(write_html(stream_of(c.stream), &rc));
    EXPECT_EQ(rc, 0) << c.what;
    EXPECT_EQ(p.body, c.body) << c.what;
    EXPECT_EQ(p.classes, c.classes) << c.what;
  }
}

TEST(HtmlWriter, CharactersAndEscaping) {
  check({
      {"blank document", "", "", ""},
      {"accented letters, symbols, hard space, the system font",
       "r{TableChar 1,41}sum{TableChar 1,41} {TableChar 8,33}{HardSpace}{TableChar 5,252}", plain(),
       "<p class=\"p1\"><span class=\"c1\">r\xC3\xA9sum\xC3\xA9 \xCF\x80\xC2\xA0\xE2\x8C\x98</span></p>\n"},
      {"undefined position, table out of range, byte above 0x7E", "a{TableChar 5,251}{TableChar 15,1}{0xE9}z", plain(),
       "<p class=\"p1\"><span class=\"c1\">a__z</span></p>\n"},
      {"every character HTML escapes", "a & b < c > d \"e\" 'f' {Backslash} </p>", plain(),
       "<p class=\"p1\"><span class=\"c1\">a &amp; b &lt; c &gt; d &quot;e&quot; &#39;f&#39; \\ &lt;/p&gt;</span></p>\n"},
      {"spaces kept, control bytes dropped", "  two  spaces{0x01}{0x7F}", plain(),
       "<p class=\"p1\">  <span class=\"c1\">two  spaces_</span></p>\n"},
  });
}

TEST(HtmlWriter, CharacterFormats) {
  check({
      {"attributes, each a class of its own",
       "{BoldOn}b{BoldOff}{ItalicOn}i{UnderlineOn}u{ItalicOff}{UnderlineOff}{StrikeOn}{DoubleUnderlineOn}s"
       "{StrikeOff}{DoubleUnderlineOff}{SmallCapsOn}m{SmallCapsOff}{CapsOn}c{CapsOff}{SuperscriptOn}2"
       "{SuperscriptOff}{SubscriptOn}3{SubscriptOff}{ShadowOn}h{ShadowOff}{OutlineOn}o{OutlineOff}{HiddenOn}x"
       "{HiddenOff}.",
       std::string(kP1) +
           ".c1{font-family:'Times New Roman',serif;font-size:10pt;font-weight:bold}\n"
           ".c2{font-family:'Times New Roman',serif;font-size:10pt;font-style:italic}\n"
           ".c3{font-family:'Times New Roman',serif;font-size:10pt;font-style:italic;text-decoration:underline}\n"
           ".c4{font-family:'Times New Roman',serif;font-size:10pt;text-decoration:underline line-through;"
           "text-decoration-style:double}\n"
           ".c5{font-family:'Times New Roman',serif;font-size:10pt;font-variant:small-caps}\n"
           ".c6{font-family:'Times New Roman',serif;font-size:10pt;text-transform:uppercase}\n"
           ".c7{font-family:'Times New Roman',serif;font-size:10pt;vertical-align:super}\n"
           ".c8{font-family:'Times New Roman',serif;font-size:10pt;vertical-align:sub}\n"
           ".c9{font-family:'Times New Roman',serif;font-size:10pt;text-shadow:1pt 1pt 1pt #7F7F7F}\n"
           ".c10{font-family:'Times New Roman',serif;font-size:10pt}\n"
           ".c11{font-family:'Times New Roman',serif;font-size:10pt;display:none}\n",
       "<p class=\"p1\"><span class=\"c1\">b</span><span class=\"c2\">i</span><span class=\"c3\">u</span>"
       "<span class=\"c4\">s</span><span class=\"c5\">m</span><span class=\"c6\">c</span><span class=\"c7\">2</span>"
       "<span class=\"c8\">3</span><span class=\"c9\">h</span><span class=\"c10\">o</span><span class=\"c11\">x</span>"
       "<span class=\"c10\">.</span></p>\n"},
      {"fonts of the shared table, sizes, colours; a format met again takes its class",
       "{Font 0,2}{FontSize 246,244}a{Font 2,5}b{Font 5,3}c{Font 3,4}d{Font 4,9}{FontSize 244,0}{TextColour 0,6}e"
       "{TextColour 6,0}{Font 9,2}{FontSize 0,244}f",
       std::string(kP1) +
           ".c1{font-family:'Arial',sans-serif;font-size:12pt}\n"
           ".c2{font-family:'Courier New',monospace;font-size:12pt}\n"
           ".c3{font-family:'Symbol',serif;font-size:12pt}\n"
           ".c4{font-family:'Wingdings';font-size:12pt}\n"
           ".c5{font-family:'Times New Roman',serif;font-size:12pt;color:#FF0000}\n",
       "<p class=\"p1\"><span class=\"c1\">a</span><span class=\"c2\">b</span><span class=\"c3\">c</span>"
       "<span class=\"c4\">d</span><span class=\"c5\">e</span><span class=\"c1\">f</span></p>\n"},
      {"a change with no text between leaves no span; spaces stay in the span before them",
       "{BoldOn}{BoldOff}a{ItalicOn} {ItalicOff}b", plain(), "<p class=\"p1\"><span class=\"c1\">a b</span></p>\n"},
      {"spaces: at a paragraph's start outside any span, else in a format of their own where it shows them otherwise",
       " {0x09}{BoldOn}b{BoldOff}{UnderlineOn} u{UnderlineOff}¶{0x09}¶{StrikeOn} s",
       ".p1{}\n"
       ".c1{font-family:'Times New Roman',serif;font-size:10pt;font-weight:bold}\n"
       ".c2{font-family:'Times New Roman',serif;font-size:10pt;text-decoration:underline}\n"
       ".c3{font-family:'Times New Roman',serif;font-size:10pt;text-decoration:line-through}\n",
       "<p class=\"p1\"> \t<span class=\"c1\">b</span><span class=\"c2\"> u</span></p>\n<p class=\"p1\">\t</p>\n"
       "<p class=\"p1\"><span class=\"c3\"> s</span></p>\n"},
  });
}

TEST(HtmlWriter, ParagraphsTabsAndBreaks) {
  check({
      {"paragraphs; an empty one holds a line break", "One¶¶Two¶", plain(),
       "<p class=\"p1\"><span class=\"c1\">One</span></p>\n<p class=\"p1\"><br></p>\n"
       "<p class=\"p1\"><span class=\"c1\">Two</span></p>\n"},
      {"alignment, from the codes before the text",
       "{CenterOn}c¶{CenterOff}{RightOn}r¶{RightOff}{JustifyOn}j¶{JustifyOff}l¶",
       ".p1{text-align:center}\n.p2{text-align:right}\n.p3{text-align:justify}\n.p4{}\n" + std::string(kC1),
       "<p class=\"p1\"><span class=\"c1\">c</span></p>\n<p class=\"p2\"><span class=\"c1\">r</span></p>\n"
       "<p class=\"p3\"><span class=\"c1\">j</span></p>\n<p class=\"p4\"><span class=\"c1\">l</span></p>\n"},
      {"indents and spacing in points (7.2 a column)",
       "{LeftMargin 0,10}{IndentHere 0,5}{RightMargin 79,69}{LineSpacing 8,12}h¶{IndentReset 5,0}{Indent2 0,3}"
       "{LineSpacing 12,16}s¶",
       ".p1{margin-left:108pt;text-indent:-36pt;margin-right:72pt;line-height:150%}\n"
       ".p2{margin-left:72pt;text-indent:21.6pt;margin-right:72pt;line-height:200%}\n" + std::string(kC1),
       "<p class=\"p1\"><span class=\"c1\">h</span></p>\n<p class=\"p2\"><span class=\"c1\">s</span></p>\n"},
      {"tabs: the tab character, the first stop's interval as tab-size",
       "a{0x09}b¶{SetTab 1,20}{SetTab 3,40}c{0x09}d¶{ClearTab 1,20}e¶{ClearAllTabs}f¶",
       ".p1{}\n.p2{tab-size:144pt}\n.p3{tab-size:288pt}\n" + std::string(kC1),
       "<p class=\"p1\"><span class=\"c1\">a\tb</span></p>\n<p class=\"p2\"><span class=\"c1\">c\td</span></p>\n"
       "<p class=\"p3\"><span class=\"c1\">e</span></p>\n<p class=\"p1\"><span class=\"c1\">f</span></p>\n"},
      {"line breaks; a soft hyphen goes with the one after it", "a{LF}b{SoftHyphen}{LF}c{LF}¶", plain(),
       "<p class=\"p1\"><span class=\"c1\">a<br>bc<br></span></p>\n"},
      {"page breaks: between paragraphs, and inside one",
       "a¶{0x0C}b{0x0C}c¶d{0x0C}¶e¶",
       ".p1{}\n.p2{break-before:page;page-break-before:always}\n" + std::string(kC1),
       "<p class=\"p1\"><span class=\"c1\">a</span></p>\n<p class=\"p2\"><span class=\"c1\">b</span></p>\n"
       "<p class=\"p2\"><span class=\"c1\">c</span></p>\n<p class=\"p1\"><span class=\"c1\">d</span></p>\n"
       "<p class=\"p2\"><span class=\"c1\">e</span></p>\n"},
  });
}

TEST(HtmlWriter, HeadsNotesAndPictures) {
  check({
      {"headers first, footers last, each distinct text once; an empty one leaves nothing",
       "{HeaderOdd 0,0}{BoldOn}Top{BoldOff}{EndOfText}{HeaderEven 0,0}{BoldOn}Top{BoldOff}{EndOfText}"
       "{FooterAll 0,0}{CenterOn}Foot¶{CenterOff}{EndOfText}{FooterOdd 0,0}¶{EndOfText}Body¶",
       ".p1{}\n.p2{text-align:center}\n"
       ".c1{font-family:'Times New Roman',serif;font-size:10pt;font-weight:bold}\n"
       ".c2{font-family:'Times New Roman',serif;font-size:10pt}\n",
       "<header><div title=\"header\">\n<p class=\"p1\"><span class=\"c1\">Top</span></p>\n</div></header>\n"
       "<p class=\"p1\"><span class=\"c2\">Body</span></p>\n"
       "<footer><div title=\"footer\">\n<p class=\"p2\"><span class=\"c2\">Foot</span></p>\n</div></footer>\n"},
      {"notes: a numbered link, the note in the list at the end with a link back",
       "Text{NoteCall 0,1}{CenterOn}{ItalicOn}See{ItalicOff} p. 2¶More.{EndOfText} goes{NoteCall 0,2}N{EndOfText}.¶",
       ".p1{}\n.p2{text-align:center}\n"
       ".c1{font-family:'Times New Roman',serif;font-size:10pt}\n"
       ".c2{font-family:'Times New Roman',serif;font-size:10pt;font-style:italic}\n",
       "<p class=\"p1\"><span class=\"c1\">Text<sup><a href=\"#fn1\" id=\"ref1\">1</a></sup> goes"
       "<sup><a href=\"#fn2\" id=\"ref2\">2</a></sup>.</span></p>\n"
       "<section class=\"footnotes\">\n<ol>\n"
       "<li id=\"fn1\"><p class=\"p2\"><span class=\"c2\">See </span><span class=\"c1\">p. 2</span></p>\n"
       "<p class=\"p2\"><span class=\"c1\">More.</span> <a href=\"#ref1\">&#8617;</a></p>\n</li>\n"
       "<li id=\"fn2\"><p class=\"p1\"><span class=\"c1\">N</span> <a href=\"#ref2\">&#8617;</a></p>\n</li>\n"
       "</ol>\n</section>\n"},
      {"pictures: a placeholder", "a{Picture 1 1x1 ab}b", plain(),
       "<p class=\"p1\"><span class=\"c1\">a<span class=\"picture\">[picture]</span>b</span></p>\n"},
      {"a stream cut inside a head still closes every element", "{HeaderAll 0,0}{BoldOn}H",
       ".p1{}\n.c1{font-family:'Times New Roman',serif;font-size:10pt;font-weight:bold}\n",
       "<header><div title=\"header\">\n<p class=\"p1\"><span class=\"c1\">H</span></p>\n</div></header>\n"},
  });
}

// Detection knows the files it wrote, and no other HTML.
TEST(HtmlWriter, OutputTest) {
  const std::string html = write_html(stream_of("x"));
  const auto bytes = [](std::string_view s) {
    return std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
  };
  EXPECT_STREQ(output_test_html(bytes(html)).kind, "HTML");
  EXPECT_EQ(output_test_html(bytes("<!DOCTYPE html>\n<html>\n<head>\n")).kind, nullptr);
}

}  // namespace
}  // namespace lettrix
