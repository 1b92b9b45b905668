#include "readers/macwrite_22.h"

#include <gtest/gtest.h>

#include "builders/builder_common.h"
#include "builders/macwrite_22_builder.h"
#include "readers/macwrite_test_support.h"

namespace lettrix {
namespace {

using build::MacWrite22Builder;
using testing::bytes;
using testing::run_reader;

std::string read22(const std::string& doc, int expected_rc = 0) {
  testing::ReaderRun run = run_reader(orig_macw22, doc);
  EXPECT_EQ(run.rc, expected_rc);
  EXPECT_TRUE(run.leaves_nothing_behind);
  return run.printed();
}

TEST(MacWrite22Reader, MainTextAsPlainText) {
  EXPECT_EQ(read22(MacWrite22Builder{}
                       .ruler()
                       .paragraph("Caf\x8E \xD2quoted\xD3\r")
                       .paragraph("\r")
                       .ruler()
                       .paragraph("\xA5\tC:\\DOS\r")
                       .build()),
            "Caf{TableChar 1,41} {TableChar 4,32}quoted{TableChar 4,31}¶¶{TableChar 4,3}{Tab}C:{Backslash}DOS¶");
  // A backslash is the Backslash code, never a bare escape byte.
  EXPECT_EQ(run_reader(orig_macw22, MacWrite22Builder{}.paragraph("a\\b\r").build()).stream,
            bytes({'a', 0x5C, 0x5C, 'b', 13}));
  // Odd text lengths are padded; control bytes go through the character table.
  EXPECT_EQ(read22(MacWrite22Builder{}.paragraph("Odd").paragraph("\rx\x01\x11y\r").build()), "Odd¶x_y¶");
  // The paragraphs start where the document header says.
  EXPECT_EQ(read22(MacWrite22Builder{}.paragraph("Far\r").build(1000)), "Far¶");
}

TEST(MacWrite22Reader, MacBinaryHeaderIsSkipped) {
  const MacWrite22Builder doc = MacWrite22Builder{}.ruler().paragraph("Ars \x8E\r").paragraph("Magna\r");
  EXPECT_EQ(read22(doc.build_macbinary()), read22(doc.build()));
  EXPECT_EQ(read22(doc.build_macbinary()), "Ars {TableChar 1,41}¶Magna¶");
  EXPECT_EQ(read22(build::macbinary(doc.build(), "x", "TEXT", "ttxt"), -1), "");

  // The document ends with the data fork: a paragraph count that runs past
  // it reads neither the padding nor the resource fork as paragraphs.
  std::string runs_on = doc.build();
  build::set_be16(runs_on, 4, 0xFFFF);
  EXPECT_EQ(read22(build::macbinary(runs_on, "x", "WORD", "MACA", std::string(300, 'A'))), read22(runs_on));
}

TEST(MacWrite22Reader, RefusedFiles) {
  testing::ScratchDir dir;
  EXPECT_EQ(orig_macw22(dir.file("missing").c_str(), dir.file("out").c_str()), -1);
  EXPECT_EQ(run_reader(orig_macw22, "").rc, -2);
  std::string doc = MacWrite22Builder{}.paragraph("x\r").build();
  doc[1] = 4;
  EXPECT_EQ(run_reader(orig_macw22, doc).rc, -1);
  EXPECT_EQ(run_reader(orig_macw22, std::string(1, '\0')).rc, -1);
}

TEST(MacWrite22Reader, HostileInput) {
  const std::string doc = MacWrite22Builder{}.paragraph("One\r").ruler().paragraph("Two\r").build();
  // The paragraph count bounds the walk, and so does the end of the document.
  std::string fewer = doc;
  build::set_be16(fewer, 4, 1);
  EXPECT_EQ(read22(fewer), "One¶");
  std::string more = doc;
  build::set_be16(more, 4, 0xFFFF);
  EXPECT_EQ(read22(more), "One¶Two¶");
  // A first paragraph beyond the document, or a document cut in its header.
  std::string beyond = doc;
  build::set_be16(beyond, 2, 0xFFF0);
  EXPECT_EQ(read22(beyond), "");
  EXPECT_EQ(read22(doc.substr(0, 3)), "");
  // A text length beyond the document: the text up to its end.
  std::string long_text = doc;
  build::set_be16(long_text, 64 + 4, 0xFFFF);
  testing::ReaderRun run = run_reader(orig_macw22, long_text);
  EXPECT_EQ(run.rc, 0);
  EXPECT_EQ(run.printed().rfind("One¶", 0), 0u);
  EXPECT_TRUE(testing::well_formed(run.stream)) << run.printed();
  // Format and layout sizes that jump beyond the document end the text.
  std::string jump = doc;
  build::set_be16(jump, 64 + 6 + 4, 0xFFFF);
  EXPECT_EQ(read22(jump), "One¶");
}

}  // namespace
}  // namespace lettrix
