// A document of either MacWrite version converts the same whichever of the
// two MacWrite rows the user picks, with or without a MacBinary header.
#include <gtest/gtest.h>

#include "builders/macwrite_22_builder.h"
#include "builders/macwrite_46_builder.h"
#include "readers/macwrite_22.h"
#include "readers/macwrite_46.h"
#include "readers/macwrite_common.h"
#include "readers/macwrite_test_support.h"

namespace lettrix {
namespace {

using testing::run_reader;

TEST(MacWriteHandOver, EitherRowGivesTheSameStream) {
  const build::MacWrite22Builder old_doc =
      build::MacWrite22Builder{}.ruler().paragraph("Version \\3 \x8E\r").paragraph("end\r");
  const build::MacWrite46Builder new_doc = build::MacWrite46Builder{}
                                               .header().paragraph("Head\r")
                                               .main().ruler({.tabs = {72}})
                                               .paragraph("Version \\6 ", {.style = build::mw46::kBold})
                                               .text("\x8E\r");
  const testing::ReaderRun old_22 = run_reader(orig_macw22, old_doc.build());
  const testing::ReaderRun new_46 = run_reader(orig_macw46, new_doc.build());
  ASSERT_EQ(old_22.rc, 0);
  ASSERT_EQ(new_46.rc, 0);
  EXPECT_EQ(old_22.printed(), "{LeftOn}{FontSize 246,244}{Font 0,2}Version {Backslash}3 {TableChar 1,41}¶end¶");
  EXPECT_NE(new_46.printed().find("{BoldOn}Version {Backslash}6 "), std::string::npos);

  for (const std::string& doc : {old_doc.build(), old_doc.build_macbinary()}) {
    for (Handler reader : {orig_macw22, orig_macw46}) {
      const testing::ReaderRun run = run_reader(reader, doc);
      EXPECT_EQ(run.rc, 0);
      EXPECT_EQ(run.stream, old_22.stream) << run.printed();
      EXPECT_TRUE(run.leaves_nothing_behind);
    }
  }
  for (const std::string& doc : {new_doc.build(), new_doc.build_macbinary()}) {
    for (Handler reader : {orig_macw22, orig_macw46}) {
      const testing::ReaderRun run = run_reader(reader, doc);
      EXPECT_EQ(run.rc, 0);
      EXPECT_EQ(run.stream, new_46.stream) << run.printed();
      EXPECT_TRUE(run.leaves_nothing_behind);
    }
  }
}

TEST(MacWriteHandOver, AHandedOverFileIsNeverHandedBack) {
  testing::ScratchDir dir;
  testing::write_file(dir.file("new"), build::MacWrite46Builder{}.paragraph("x\r").build());
  testing::write_file(dir.file("old"), build::MacWrite22Builder{}.paragraph("x\r").build());
  EXPECT_EQ(macw22_handed_over(dir.file("new").c_str(), dir.file("out").c_str(), 0), -1);
  EXPECT_EQ(macw46_handed_over(dir.file("old").c_str(), dir.file("out").c_str(), 0), -1);
  // The base found by the first reader is the one the second reads from.
  testing::write_file(dir.file("old.bin"), build::MacWrite22Builder{}.paragraph("x\r").build_macbinary());
  EXPECT_EQ(macw22_handed_over(dir.file("old.bin").c_str(), dir.file("out").c_str(), 128), 0);
  EXPECT_EQ(testing::read_file(dir.file("out")), std::string("\\S\\\x90\xF6\xF4\\\x8F\x00\x02x\r", 12));
  EXPECT_EQ(macw22_handed_over(dir.file("old.bin").c_str(), dir.file("out").c_str(), 0), -1);
}

}  // namespace
}  // namespace lettrix
