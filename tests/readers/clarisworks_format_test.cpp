// Paragraph formatting, headers and footers and font names of ClarisWorks
// documents.
#include "readers/clarisworks.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "builders/builder_common.h"
#include "builders/clarisworks_builder.h"
#include "core/handler.h"
#include "core/stream_printer.h"
#include "test_util.h"

namespace lettrix {
namespace {

using build::ClarisWorksBuilder;
using build::CwRuler;
using testing::ScratchDir;

struct Result {
  int rc = -9;
  std::string stream;
  std::string printed() const { return print_stream(stream); }
};

Result read_doc(const std::string& source) {
  ScratchDir dir;
  testing::write_file(dir.file("doc"), source);
  Result r;
  r.rc = orig_clarisworks(dir.file("doc").c_str(), dir.file("stream").c_str());
  r.stream = testing::read_file(dir.file("stream"));
  return r;
}

// Left (no ruler change), centred, justified with a left indent of half an
// inch, a hanging indent (left 1 in, first line -0.5 in), right aligned with
// a right indent and a left and a right tab stop, back to the first.
const std::vector<CwRuler> kRulers = {
    {},
    {.alignment = build::kCwCentre},
    {.alignment = build::kCwJustified, .left = 36},
    {.first_line = -36, .left = 72, .tabs = {{72, 0}}},
    {.alignment = build::kCwRight, .right = 72, .tabs = {{36, 0}, {144, 2}}},
};

ClarisWorksBuilder ruled_document(int version) {
  ClarisWorksBuilder b;
  b.version(version).rulers(kRulers);
  b.paragraph(1).run({.font = 0, .size = 10}).text("Title\r");
  b.paragraph(2).text("Body\r");
  b.paragraph(3).text("\xA5\tHang\r");
  b.paragraph(4).text("Right\r");
  b.paragraph(0).text("End");
  return b;
}

TEST(ClarisWorksFormat, RulersOfEveryVersion) {
  // Up to version 3 paragraph runs name rulers, from version 4 on styles that
  // name them: the same rulers give the same codes.
  const std::string expected =
      "{CenterOn}{FontSize 0,246}Title¶"
      "{CenterOff}{JustifyOn}{LeftMargin 0,5}Body¶"
      "{JustifyOff}{LeftOn}{IndentHere 0,5}{SetTab 1,5}{TableChar 4,3}{Tab}Hang¶"
      "{RightOn}{LeftMargin 5,0}{IndentReset 5,0}{RightMargin 79,69}{SetTab 3,20}Right¶"
      "{RightOff}{RightMargin 69,79}{ClearTab 1,5}{ClearTab 3,20}End";
  for (int version : {1, 2, 3, 4, 5, 6}) {
    Result r = read_doc(ruled_document(version).build());
    EXPECT_EQ(r.rc, 0);
    EXPECT_EQ(r.printed(), expected) << "version " << version;
  }
  // Byte-exact: the codes and their operands.
  for (int version : {2, 6})
    EXPECT_EQ(read_doc(ClarisWorksBuilder{}
                           .version(version)
                           .rulers({{}, {.alignment = build::kCwJustified, .first_line = -18, .left = 36}})
                           .paragraph(1).text("x")
                           .build())
                  .stream,
              testing::bytes({0x5C, 0x43, 0x5C, 0x88, 0x00, 0x02, 0x5C, 0x8A, 0x00, 0x03, 'x'}))
        << "version " << version;
  // A first line right of the left indent: Indent2 0x8B with old and new columns.
  EXPECT_EQ(read_doc(ClarisWorksBuilder{}.rulers({{}, {.first_line = 36, .left = 36}}).paragraph(1).text("x").build())
                .stream,
            testing::bytes({0x5C, 0x88, 0x00, 0x05, 0x5C, 0x8B, 0x00, 0x05, 'x'}));
}

TEST(ClarisWorksFormat, EachRulerFieldFromVersionFour) {
  // One ruler field at a time (points; a column is a tenth of an inch).
  const struct {
    const char* field;
    CwRuler ruler;
    const char* codes;
  } fields[] = {
      {"centred", {.alignment = build::kCwCentre}, "{CenterOn}"},
      {"right aligned", {.alignment = build::kCwRight}, "{RightOn}"},
      {"justified", {.alignment = build::kCwJustified}, "{JustifyOn}"},
      {"first line", {.first_line = 42}, "{Indent2 0,6}"},
      {"left indent", {.left = 180}, "{LeftMargin 0,25}"},
      {"hanging indent", {.first_line = -180, .left = 180}, "{IndentHere 0,25}"},
      {"right indent", {.right = 36}, "{RightMargin 79,74}"},
      {"left tab", {.tabs = {{68, 0}}}, "{SetTab 1,9}"},
      {"centre tab", {.tabs = {{83, 1}}}, "{SetTab 2,12}"},
      {"right tab", {.tabs = {{232, 2}}}, "{SetTab 3,32}"},
      {"decimal tab", {.tabs = {{304, 3}}}, "{SetTab 4,42}"},
      {"tabs in the ruler's order", {.tabs = {{158, 0}, {68, 2}}}, "{SetTab 1,22}{SetTab 3,9}"},
      {"a tab left of the margin", {.left = 72, .tabs = {{36, 0}, {144, 0}}}, "{LeftMargin 0,10}{SetTab 1,10}"},
  };
  for (int version : {4, 5, 6})
    for (const auto& f : fields)
      EXPECT_EQ(read_doc(ClarisWorksBuilder{}.version(version).rulers({{}, f.ruler}).paragraph(1).text("x").build())
                    .printed(),
                std::string(f.codes) + "x")
          << f.field << ", version " << version;
  // A style without a ruler and a number that names no style change nothing.
  ClarisWorksBuilder b;
  b.version(5).rulers({{}, {.first_line = 42}, {.alignment = build::kCwCentre}});
  b.paragraph(1).text("a\r");
  b.paragraph(static_cast<std::uint16_t>(0xFFF0)).text("b\r");  // names no style
  b.paragraph(static_cast<std::uint16_t>(-3)).text("c\r");      // style 6: no ruler
  b.paragraph(2).text("d\r");
  b.paragraph(0).text("e");
  EXPECT_EQ(read_doc(b.build()).printed(), "{Indent2 0,6}a¶b¶c¶{CenterOn}{IndentReset 0,6}d¶{CenterOff}{LeftOn}e");
}

TEST(ClarisWorksFormat, RunningHeadsAheadOfTheBody) {
  for (int version : {1, 2}) {
    Result r = read_doc(ClarisWorksBuilder{}
                            .version(version)
                            .rulers({{}, {.alignment = build::kCwRight}})
                            .run({.font = 20, .size = 12}).text("Body")
                            .footnote("Note")
                            .text(".")
                            .header(std::string("Page ") + build::kCwPageNumber, 1, {.font = 21, .size = 9})
                            .footer("Foot\r", 0, {.font = 20, .size = 10, .style = build::kCwBold})
                            .build());
    EXPECT_EQ(r.rc, 0);
    EXPECT_EQ(r.printed(),
              "{HeaderAll 0,0}{RightOn}{FontSize 0,247}{Font 0,2}Page {PageNumber}{FontSize 247,246}{Font 2,0}"
              "{EndOfText}"
              "{FooterAll 0,0}{RightOff}{LeftOn}{FontSize 0,246}{Font 0,1}{BoldOn}Foot{BoldOff}{Font 1,0}{EndOfText}"
              "{FontSize 0,244}{Font 0,1}Body{NoteCall 0,1}{FontSize 0,244}Note{EndOfText}.")
        << "version " << version;
  }
  // No frame is read from version 4 on; a header's zone is then no note either
  // way, since no reference asks for it.
  EXPECT_EQ(read_doc(ClarisWorksBuilder{}.version(6).run({.font = 0, .size = 10}).text("B").header("H").build())
                .printed(),
            "{FontSize 0,246}B");
}

TEST(ClarisWorksFormat, FontNamesFromVersionFour) {
  for (int version : {4, 5, 6}) {
    Result r = read_doc(ClarisWorksBuilder{}
                            .version(version)
                            .font_names({"Helvetica", "Times", "Courier", "Symbol", "Zapf Dingbats", "Gadget"})
                            .run({.font = 0, .size = 12}).text("a")
                            .run({.font = 1, .size = 12}).text("b")
                            .run({.font = 2, .size = 12}).text("c")
                            .run({.font = 3, .size = 12}).text("a")
                            .run({.font = 4, .size = 12}).text("d")
                            .run({.font = 5, .size = 12}).text("e")
                            .run({.font = 0, .size = 12}).text("f")
                            .run({.font = 999, .size = 12}).text("g")
                            .build());
    EXPECT_EQ(r.printed(),
              "{FontSize 0,244}{Font 0,2}a{Font 2,1}b{Font 1,5}c{Font 5,3}{TableChar 8,1}{Font 3,4}{TableChar 5,102}{Font 4,0}e"
              "{Font 0,2}f{Font 2,0}g")
        << "version " << version;
  }
}

TEST(ClarisWorksHostileInput, DamagedFormattingStructures) {
  build::CwLayout layout;
  const std::string doc = ruled_document(2).header("Head").build(&layout);
  const std::string clean = read_doc(doc).printed();
  ASSERT_NE(clean.find("{HeaderAll"), std::string::npos);

  // A ruler list whose sizes do not add up, or that runs past the file: the
  // text without paragraph codes.
  for (std::uint32_t length : {0u, 11u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
    std::string bad = doc;
    build::set_be32(bad, layout.ruler_list, length);
    const std::string printed = read_doc(bad).printed();
    EXPECT_EQ(printed.find("{CenterOn}"), std::string::npos) << length;
    EXPECT_NE(printed.find("Title"), std::string::npos) << length;
  }
  std::string bad = doc;
  build::set_be16(bad, layout.ruler_list + 4, 0xFFFF);  // the record count
  EXPECT_EQ(read_doc(bad).printed().find("{CenterOn}"), std::string::npos);

  // A tab count beyond the ruler's room: no stops from that ruler.
  std::vector<CwRuler> rulers = kRulers;
  rulers[3].tab_count = 0xFFFF;
  Result r = read_doc(ClarisWorksBuilder{}.rulers(rulers).paragraph(3).text("x").build());
  EXPECT_EQ(r.printed(), "{LeftMargin 0,5}{IndentHere 0,5}x");  // left 1 in, first -0.5 in

  // Ruler numbers beyond the list, paragraph runs out of order.
  r = read_doc(ClarisWorksBuilder{}.rulers(kRulers).paragraph(0xFFFF).text("a\r").paragraph(1).text("b").build());
  EXPECT_EQ(r.printed(), "a¶{CenterOn}b");

  // A frame whose head points at the main text, at no zone, or at itself.
  for (std::uint16_t id : {1, 0, 77, 0xFFFF}) {
    bad = doc;
    build::set_be16(bad, layout.frame_tag + 4 + 16 + 72 + 40 + 32, id);
    r = read_doc(bad);
    EXPECT_EQ(r.rc, 0);
    EXPECT_EQ(r.printed().find("{HeaderAll"), std::string::npos) << id;
  }

  // A font list whose name lengths run past their records, or whose count
  // runs past the file.
  std::string fonts = ClarisWorksBuilder{}.version(6).font_names({"Helvetica"}).run({.font = 0}).text("x").build(&layout);
  bad = fonts;
  bad[layout.font_list + 4 + 16 + 4] = '\xFF';
  EXPECT_EQ(read_doc(bad).rc, 0);
  bad = fonts;
  build::set_be16(bad, layout.font_list + 4, 0x7FFF);
  EXPECT_EQ(read_doc(bad).printed(), "{FontSize 0,244}x");

  // Version 4 on: style and ruler lists whose counts run past the file, a
  // style whose ruler lies beyond the ruler list, a ruler record too short
  // for its first line indent: no indent, the text whole.
  const std::string styled =
      ClarisWorksBuilder{}.version(6).rulers({{}, {.first_line = 36}}).paragraph(1).text("x").build(&layout);
  ASSERT_EQ(read_doc(styled).printed(), "{Indent2 0,5}x");
  const std::size_t style_records = layout.style_list + 4 + 12 + 10;
  const std::size_t last_style = style_records + 9 * 30;  // the ruler's style
  for (auto damage : std::vector<std::function<void(std::string&)>>{
           [&](std::string& d) { build::set_be16(d, layout.style_list + 4, 0x7FFF); },
           [&](std::string& d) { build::set_be16(d, layout.styled_ruler_list + 4, 0x7FFF); },
           [&](std::string& d) { build::set_be32(d, layout.styled_ruler_list, 0xFFFFFFF0u); },
           [&](std::string& d) { build::set_be16(d, last_style + 24, 2); },
           [&](std::string& d) { build::set_be16(d, last_style + 24, 0xFFFF); },
           [&](std::string& d) { build::set_be16(d, last_style + 8, 77); },
           [&](std::string& d) {  // records of 12 bytes: 2 of them in the same length
             build::set_be16(d, layout.styled_ruler_list + 4, 18);
             build::set_be16(d, layout.styled_ruler_list + 4 + 6, 12);
           },
       }) {
    bad = styled;
    damage(bad);
    r = read_doc(bad);
    // A list length beyond the file also breaks the run of items to the
    // file's end: the document is damaged, its text kept.
    const bool beyond_file = bad.compare(layout.styled_ruler_list, 4, "\xFF\xFF\xFF\xF0") == 0;
    EXPECT_EQ(r.rc, beyond_file ? kHandlerDamaged : 0);
    EXPECT_EQ(r.printed(), "x");
  }

  // Many zone tags after a header's frame: each is looked at a bounded number of times.
  std::string tags = doc;
  for (int i = 0; i < 50000; ++i) tags += "DSET\0\0\0\x0c";
  r = read_doc(tags);
  EXPECT_EQ(r.rc, 0);
  EXPECT_EQ(r.printed(), clean);

  // Cut anywhere: -1 or a stream whose embedded texts are closed (from a
  // document that mostly counts as damaged).
  for (std::size_t n = 0; n <= doc.size(); n += 5) {
    r = read_doc(doc.substr(0, n));
    ASSERT_TRUE(r.rc == 0 || r.rc == -1 || r.rc == kHandlerDamaged) << n;
    const std::string printed = r.printed();
    const bool head = printed.find("{HeaderAll") != std::string::npos;
    EXPECT_EQ(head, printed.find("{EndOfText}") != std::string::npos) << n << ": " << printed;
    EXPECT_EQ(printed.find("{0x"), std::string::npos) << n << ": " << printed;
  }
}

TEST(ClarisWorksHostileInput, RulersFromVersionFour) {
  // A centred ruler with a hanging indent and a right tab, in a list of two.
  build::CwLayout layout;
  const CwRuler centred = {.alignment = build::kCwCentre, .first_line = -36, .left = 72, .tabs = {{144, 2}}};
  const std::string doc = ClarisWorksBuilder{}.version(6).rulers({{}, centred}).paragraph(1).text("x").build(&layout);
  const std::string whole = "{CenterOn}{LeftMargin 0,5}{IndentHere 0,5}{SetTab 3,15}x";
  ASSERT_EQ(read_doc(doc).printed(), whole);
  const std::size_t list = layout.styled_ruler_list;
  const std::size_t ruler = list + 4 + 12 + 10 + 108;  // the second record
  const struct {
    const char* damage;
    std::size_t at;
    int width;  // 2 or 4 bytes
    std::uint32_t value;
    const char* printed;
  } cases[] = {
      {"tab count beyond the record", ruler + 26, 2, 21, "{CenterOn}{LeftMargin 0,5}{IndentHere 0,5}x"},
      {"tab count 0xFFFF", ruler + 26, 2, 0xFFFF, "{CenterOn}{LeftMargin 0,5}{IndentHere 0,5}x"},
      {"tab far right", ruler + 28, 2, 0x7FFF, "{CenterOn}{LeftMargin 0,5}{IndentHere 0,5}x"},
      {"tab far left", ruler + 28, 2, 0x8000, "{CenterOn}{LeftMargin 0,5}{IndentHere 0,5}x"},
      {"left indent far right", ruler + 18, 2, 0x7FFF, "{CenterOn}{LeftMargin 0,250}{IndentHere 0,5}x"},
      {"first line far left", ruler + 16, 2, 0x8000, "{CenterOn}{IndentHere 0,10}{SetTab 3,20}x"},
      {"right indent beyond the page", ruler + 20, 2, 0x7FFF,
       "{CenterOn}{LeftMargin 0,5}{IndentHere 0,5}{RightMargin 79,0}{SetTab 3,15}x"},
      {"record count beyond the list", list + 4, 2, 3, "x"},
      {"record count 0xFFFF", list + 4, 2, 0xFFFF, "x"},
      {"records too short for the tab stops", list + 4 + 6, 2, 27, "x"},
      {"records of no bytes", list + 4 + 6, 2, 0, "x"},
      {"head extension beyond the list", list + 4 + 8, 2, 0xFFFF, "x"},
      {"list length short of its records", list, 4, 12 + 10 + 108, "x"},
  };
  for (const auto& c : cases) {
    std::string bad = doc;
    if (c.width == 2) build::set_be16(bad, c.at, static_cast<std::uint16_t>(c.value));
    else build::set_be32(bad, c.at, c.value);
    const Result r = read_doc(bad);
    EXPECT_TRUE(r.rc == 0 || r.rc == kHandlerDamaged) << c.damage;
    EXPECT_EQ(r.printed(), c.printed) << c.damage;
  }
  // Cut anywhere in the lists: the text is kept or the document refused.
  for (std::size_t n = layout.style_list; n <= doc.size(); n += 7) {
    const Result r = read_doc(doc.substr(0, n));
    EXPECT_TRUE(r.rc == 0 || r.rc == kHandlerDamaged || r.rc == -1) << n;
    EXPECT_EQ(r.printed().find("{0x"), std::string::npos) << n;
  }
}

}  // namespace
}  // namespace lettrix
