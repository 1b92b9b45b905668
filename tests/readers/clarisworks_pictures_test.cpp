// Pictures in the main text of ClarisWorks documents: a 0x03 byte, its record
// in the main zone's D item and the graphics zone that holds the picture.
#include <gtest/gtest.h>

#include "builders/clarisworks_builder.h"
#include "core/driver_state.h"
#include "core/handler.h"
#include "core/stream_printer.h"
#include "readers/clarisworks.h"
#include "test_util.h"

namespace lettrix {
namespace {

using build::ClarisWorksBuilder;
using build::CwLayout;
using build::CwPicture;
using testing::ScratchDir;

struct Result {
  int rc = -9;
  std::string printed;
  std::string reason;
};

Result read_doc(const std::string& source) {
  ScratchDir dir;
  testing::write_file(dir.file("doc"), source);
  clear_handler_reason();
  Result r;
  r.rc = orig_clarisworks(dir.file("doc").c_str(), dir.file("stream").c_str());
  r.printed = print_stream(testing::read_file(dir.file("stream")));
  if (r.rc == kHandlerDamaged) r.reason = handler_reason();
  return r;
}

std::string hex_bytes(const std::string& hex) {
  std::string out;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return out;
}

// Version 1 opcodes: size 13, frame 0,0,20,30, version, end.
constexpr char kVersion1[] = "000d0000000000140" "01e1101ff";
// The same with four no-operation bytes before its version opcode.
constexpr char kVersion1Padded[] = "000d0000000000140" "01e000000001101ff";
// Version 2 opcodes: size 20, frame 0,0,20,30, version, header opcode (cut down), end.
constexpr char kVersion2[] = "00140000000000140" "01e001102ff0c00000000ff";

std::string doc_with(const CwPicture& p, int version = 2) {
  return ClarisWorksBuilder{}.version(version).run({.font = 0, .size = 10}).text("A").picture(p).text("\r").build();
}

TEST(ClarisWorksPictures, PictureStandsAtItsByteOrIsLeftOut) {
  struct Case {
    const char* what;
    CwPicture picture;
    int version;
    const char* printed;  // after "{FontSize 0,246}A"
  };
  const Case cases[] = {
      {"version 1, shown at its own size", {hex_bytes(kVersion1), 20, 30}, 2,
       "{Picture 1 20x30 000d00000000001400" "1e1101ff}¶"},
      {"shown smaller than its frame", {hex_bytes(kVersion1), 10, 15}, 2,
       "{Picture 1 10x15 000d00000000001400" "1e1101ff}¶"},
      {"no rectangle: its own frame", {hex_bytes(kVersion1), 0, 0}, 2,
       "{Picture 1 20x30 000d00000000001400" "1e1101ff}¶"},
      {"no-operation bytes left out", {hex_bytes(kVersion1Padded), 20, 30}, 2,
       "{Picture 1 20x30 000d00000000001400" "1e1101ff}¶"},
      {"version 2", {hex_bytes(kVersion2), 20, 30}, 2,
       "{Picture 1 20x30 001400000000001400" "1e001102ff0c00000000ff}¶"},
      {"ClarisWorks 1 objects", {hex_bytes(kVersion2), 20, 30}, 1,
       "{Picture 1 20x30 001400000000001400" "1e001102ff0c00000000ff}¶"},
      {"a drawing's objects", {hex_bytes("000cffff0000001a0000000100000000"), 20, 30}, 2, "¶"},
      {"a zone that is not there", {hex_bytes(kVersion1), 20, 30, 7}, 2, "¶"},
  };
  for (const Case& c : cases) {
    const Result r = read_doc(doc_with(c.picture, c.version));
    EXPECT_EQ(r.rc, 0) << c.what;
    EXPECT_EQ(r.printed, std::string("{FontSize 0,246}A") + c.printed) << c.what;
  }
}

TEST(ClarisWorksPictures, DamagedPictureIsLeftOutAndSaysWhy) {
  struct Case {
    const char* what;
    CwPicture picture;
    const char* reason;
  };
  const Case cases[] = {
      {"size word beyond its zone", {hex_bytes("01000000000000140" "01e1101ff"), 20, 30},
       "the picture at text position 1 is damaged: cut short: its size word says 256 bytes, its zone holds 13"},
      {"no frame at all", {hex_bytes("000d0000000000000" "0001101ff"), 0, 0},
       "the picture at text position 1 is damaged: its frame is empty"},
  };
  for (const Case& c : cases) {
    const Result r = read_doc(doc_with(c.picture));
    EXPECT_EQ(r.rc, kHandlerDamaged) << c.what;
    EXPECT_EQ(r.printed, "{FontSize 0,246}A¶") << c.what;
    EXPECT_EQ(r.reason, c.reason) << c.what;
  }

  // A file that ends inside the picture's zone: the text is whole, the
  // picture left out, and the document cut short.
  CwLayout layout;
  const std::string doc = ClarisWorksBuilder{}
                              .run({.font = 0, .size = 10})
                              .text("A")
                              .picture({hex_bytes(kVersion2), 20, 30})
                              .text("\r")
                              .build(&layout);
  ASSERT_EQ(layout.picture_data.size(), 1u);
  const std::size_t cut = layout.picture_data[0] + 4 + 10;
  const Result r = read_doc(doc.substr(0, cut));
  EXPECT_EQ(r.rc, kHandlerDamaged);
  EXPECT_EQ(r.printed, "{FontSize 0,246}A¶");
  EXPECT_EQ(r.reason, "document cut short at byte " + std::to_string(cut) + " of at least " +
                          std::to_string(layout.picture_data[0] + 4 + 20));
}

// The zone of a picture lies between the main zone and the footnotes' zones:
// each reference still gets its own note, and a 0x03 in a note writes nothing.
TEST(ClarisWorksPictures, PictureZonesAreNoNotes) {
  const Result r = read_doc(ClarisWorksBuilder{}
                                .run({.font = 0, .size = 10})
                                .text("A")
                                .picture({hex_bytes(kVersion1), 20, 30})
                                .footnote("N\x03", {.font = 0, .size = 10})
                                .picture({hex_bytes(kVersion1), 10, 15})
                                .build());
  EXPECT_EQ(r.rc, 0);
  EXPECT_EQ(r.printed,
            "{FontSize 0,246}A{Picture 1 20x30 000d00000000001400" "1e1101ff}{NoteCall 0,1}{FontSize 0,246}N"
            "{EndOfText}{Picture 1 10x15 000d00000000001400" "1e1101ff}");
}

// A picture larger than the pages the file's view keeps: the text after it
// is read again from the file, not from a page the picture pushed out.
TEST(ClarisWorksPictures, TextAfterALargePictureIsWhole) {
  std::string large = hex_bytes(kVersion1);
  large.insert(12, std::string(1 << 20, '\xA0'));  // opcodes the reader does not look at
  const std::string text_after = "after the picture\r";
  const Result r = read_doc(
      ClarisWorksBuilder{}.run({.font = 0, .size = 10}).text("A").picture({large, 20, 30}).text(text_after).build());
  EXPECT_EQ(r.rc, 0);
  const std::size_t end = r.printed.find('}', r.printed.find("{Picture 1 20x30 000d"));
  ASSERT_NE(end, std::string::npos);
  EXPECT_EQ(r.printed.substr(end + 1), "after the picture¶");
}

// References that all name one large picture: the pictures written are
// bounded by the size of the file, not by the number of references.
TEST(ClarisWorksPictures, ManyReferencesToOnePictureStayBounded) {
  std::string large = hex_bytes(kVersion1);
  large.insert(12, std::string(20000, '\xA0'));  // opcodes the reader does not look at
  large[0] = '\x4E';                              // size word 20,013
  large[1] = '\x2D';
  ClarisWorksBuilder doc;
  doc.run({.font = 0, .size = 10}).picture({large, 20, 30});
  for (int i = 0; i < 1000; ++i) doc.picture({"", 20, 30, 100});
  const std::string source = doc.build();
  const Result r = read_doc(source);
  EXPECT_EQ(r.rc, 0);
  std::size_t pictures = 0;
  for (std::size_t at = 0; (at = r.printed.find("{Picture", at)) != std::string::npos; ++at) ++pictures;
  EXPECT_GE(pictures, 2u);
  EXPECT_LE(pictures * large.size(), 4 * source.size() + 4096);
}

}  // namespace
}  // namespace lettrix
