// A document of either MacWrite version converts the same whichever of the
// two MacWrite rows the user picks, with or without a MacBinary header; what
// neither reads is refused with the reason, and a cut document says where it
// ends.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "builders/builder_common.h"
#include "builders/macwrite_22_builder.h"
#include "builders/macwrite_46_builder.h"
#include "core/handler.h"
#include "core/source_view.h"
#include "readers/macwrite_22.h"
#include "readers/macwrite_46.h"
#include "readers/macwrite_common.h"
#include "support/file_handle.h"
#include "test_util.h"
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
  const std::string new_doc = build::MacWrite46Builder{}.paragraph("x\r").build();
  const std::string old_doc = build::MacWrite22Builder{}.paragraph("x\r").build();
  struct Case {
    const std::string& doc;
    int (*body)(MacWriteSource&, std::FILE*);
    int rc;
    const char* reason;
  };
  const Case cases[] = {
      {new_doc, macw22_handed_over, -1, "not a MacWrite 2.2 document: version word 0x0006 at byte 0 is not MacWrite 2.2's 3"},
      {old_doc, macw46_handed_over, -1, "not a MacWrite 4.6 document: version word 0x0003 at byte 0 is not MacWrite 4.x's 6"},
      {old_doc, macw22_handed_over, 0, ""},
  };
  for (const Case& c : cases) {
    SourceView view(std::span(reinterpret_cast<const std::uint8_t*>(c.doc.data()), c.doc.size()));
    MacWriteSource src;
    src.view = &view;
    src.size = static_cast<long>(view.size());
    FilePtr out(std::tmpfile());
    ASSERT_TRUE(out);
    clear_handler_reason();
    EXPECT_EQ(c.body(src, out.get()), c.rc) << c.reason;
    EXPECT_EQ(handler_reason(), c.reason);
  }
}

// A file that is no document of the reader's version is refused with a
// reason that names the format; an empty one is an empty document.
TEST(MacWriteRefusals, EveryRefusalSaysWhy) {
  std::string random(3000, '\0');
  std::mt19937 bytes(7);
  for (char& c : random) c = static_cast<char>(bytes() & 0xFF);
  const std::string text = "Dear Sir,\r\rThank you for your letter of the 4th.\r";
  const std::string other = testing::read_file(std::string(LETTRIX_SOURCE_DIR) + "/samples/works-2/letter.wks");
  ASSERT_FALSE(other.empty());
  struct Case {
    const char* what;
    const std::string& doc;
    int rc;
    const char* why;  // after "not a NAME document: "
  };
  const std::string empty;
  const Case cases[] = {
      {"empty", empty, kHandlerEmpty, "its data fork is empty"},
      {"random", random, -1, nullptr},
      {"text", text, -1, "version word 0x4465 at byte 0 is not "},
      {"Works", other, -1, "version word 0x0000 at byte 0 is not "},
  };
  const struct {
    Handler reader;
    const char* name;
  } readers[] = {{orig_macw22, "MacWrite 2.2"}, {orig_macw46, "MacWrite 4.6"}};
  for (const auto& reader : readers) {
    for (const Case& c : cases) {
      clear_handler_reason();
      const testing::ReaderRun run = run_reader(reader.reader, c.doc);
      const std::string lead = "not a " + std::string(reader.name) + " document: ";
      EXPECT_EQ(run.rc, c.rc) << reader.name << " " << c.what;
      EXPECT_EQ(handler_reason().rfind(lead + (c.why ? c.why : ""), 0), 0u) << c.what << ": " << handler_reason();
    }
  }
  // A version 6 file too short for its document header.
  clear_handler_reason();
  EXPECT_EQ(run_reader(orig_macw46, build::MacWrite46Builder{}.build().substr(0, 200)).rc, -1);
  EXPECT_EQ(handler_reason(), "not a MacWrite 4.6 document: document header cut short at byte 200 of 276");
}

// A document cut short is read as far as it goes and says where it ends. A
// MacBinary file without a header CRC cut inside its data fork is a damaged
// wrapper: no reader looks into it.
TEST(MacWriteRefusals, CutDocumentsSayWhereTheyEnd) {
  const std::string new_doc = build::MacWrite46Builder{}.paragraph("One two three\r").paragraph("four\r").build();
  const std::string old_doc = build::MacWrite22Builder{}.paragraph("One two three\r").paragraph("four\r").build();
  for (const std::string& doc : {new_doc, old_doc}) {
    const std::string wrapped = build::macbinary(doc, "x", "WORD", "MACA");
    const std::size_t cut = doc.size() - 12;
    clear_handler_reason();
    const testing::ReaderRun plain = run_reader(orig_macw46, doc.substr(0, cut));
    EXPECT_EQ(plain.rc, kHandlerDamaged);
    EXPECT_NE(handler_reason().find("text cut short at byte " + std::to_string(cut) + " of "), std::string::npos)
        << handler_reason();
    for (Handler reader : {orig_macw46, orig_macw22}) {
      clear_handler_reason();
      const testing::ReaderRun cut_wrapped = run_reader(reader, wrapped.substr(0, 128 + cut));
      EXPECT_EQ(cut_wrapped.rc, kHandlerCannotOpen);
      EXPECT_EQ(cut_wrapped.stream, "");
      EXPECT_EQ(handler_reason(), "MacBinary: the data fork runs past the end of the file (to byte " +
                                      std::to_string(128 + doc.size()) + " of " + std::to_string(128 + cut) + ")");
    }
  }
}

}  // namespace
}  // namespace lettrix
