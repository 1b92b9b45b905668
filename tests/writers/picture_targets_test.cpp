// A Macintosh picture in each target that shows pictures as PNG: the exact
// form each writes around the PNG the renderer draws, and the note a picture
// drawn only in part leaves for -v.
#include <gtest/gtest.h>

#include <string>

#include "core/format_registry.h"
#include "core/handler.h"
#include "test_util.h"
#include "writers/picture_png.h"
#include "writers/odt_test_util.h"

namespace lettrix {
namespace {

// A picture of 30 x 20 points painted black (PaintRect over its frame), in
// the middle of a paragraph; drawn at twice its size, 60 x 40 pixels.
constexpr const char* kStream =
    "a{Picture 1 20x30 0016000000000014001E1101310000000000140" "01EFF}b¶";
constexpr const char* kPngStart = "\x89PNG\r\n\x1A\n";

std::string write(int target, const std::string& stream, const testing::ScratchDir& dir) {
  testing::write_file(dir.file("s"), stream);
  const std::string out = dir.file("t." + std::string(target_main_alias(target)));
  EXPECT_EQ(target_formats.rows[target].writer(dir.file("s").c_str(), out.c_str()), 0);
  return out;
}

TEST(PictureTargets, EachTargetHoldsThePngInItsOwnForm) {
  testing::ScratchDir dir;
  const std::string stream = testing::stream_of(kStream);
  const std::string rtf = testing::read_file(write(DstRtfAnsi, stream, dir));
  EXPECT_NE(rtf.find("a{\\*\\shppict{\\pict\\pngblip\\picw60\\pich40\\picwgoal600\\pichgoal400 89504e470d0a1a0a"),
            std::string::npos);
  EXPECT_NE(rtf.find("}}{\\nonshppict{\\pict\\macpict\\picw30\\pich20\\picwgoal600\\pichgoal400 0016000000000014001e1101"), std::string::npos);
  EXPECT_NE(rtf.find("01eff}}b"), std::string::npos);

  const std::string html = testing::read_file(write(DstHtml, stream, dir));
  EXPECT_NE(html.find("a<img class=\"picture\" alt=\"picture 1\" style=\"width:30pt;height:20pt\" "
                      "src=\"data:image/png;base64,iVBORw0KGgo"),
            std::string::npos);

  const auto odt = testing::odt_of(stream);
  EXPECT_EQ(testing::entry(odt, "Pictures/1.png").rfind(kPngStart, 0), 0u);
  EXPECT_NE(testing::entry(odt, "META-INF/manifest.xml").find("Pictures/1.png\" manifest:media-type=\"image/png\""),
            std::string::npos);
  EXPECT_NE(testing::odt_body(odt).find("svg:width=\"30pt\" svg:height=\"20pt\""), std::string::npos);

  const auto docx = testing::read_zip(write(DstDocx, stream, dir));
  EXPECT_EQ(testing::entry(docx, "word/media/image1.png").rfind(kPngStart, 0), 0u);
  EXPECT_NE(testing::entry(docx, "[Content_Types].xml").find("<Default Extension=\"png\" ContentType=\"image/png\"/>"),
            std::string::npos);
  EXPECT_NE(testing::entry(docx, "word/_rels/document.xml.rels").find("Id=\"rIdImage1\""), std::string::npos);
  const std::string document = testing::entry(docx, "word/document.xml");
  EXPECT_NE(document.find("<wp:extent cx=\"381000\" cy=\"254000\"/>"), std::string::npos);
  EXPECT_NE(document.find("<a:blip r:embed=\"rIdImage1\"/>"), std::string::npos);
}

TEST(PictureTargets, APictureDrawnInPartLeavesANote) {
  testing::ScratchDir dir;
  // PaintRect, then opcode 0x0099 (not a version 1 opcode): what was drawn stays.
  const std::string stream = testing::stream_of("{Picture 1 20x30 0016000000000014001E11013100000000001400" "1E99FF}¶");
  clear_handler_notes();
  const std::string rtf = testing::read_file(write(DstRtfAnsi, stream, dir));
  EXPECT_NE(rtf.find("\\pngblip"), std::string::npos);
  EXPECT_EQ(handler_notes().rfind("picture 1 drawn in part: ", 0), 0u) << handler_notes();
  // Not a picture at all: today's form alone, and a note.
  clear_handler_notes();
  const std::string plain = testing::read_file(write(DstRtfAnsi, testing::stream_of("{Picture 1 20x30 0016}¶"), dir));
  EXPECT_EQ(plain.find("\\pngblip"), std::string::npos);
  EXPECT_NE(plain.find("{\\pict\\macpict\\picw30\\pich20\\picwgoal600\\pichgoal400 0016}"), std::string::npos);
  EXPECT_EQ(handler_notes().rfind("picture 1 not drawn: ", 0), 0u) << handler_notes();
}

TEST(PictureTargets, OdtBeyondItsPicturesKeepsAStandIn) {
  std::string many;
  for (int i = 0; i < 1025; ++i) many += "{Picture 2 1x1 ab}";
  const auto odt = testing::odt_of(testing::stream_of(many + "¶"));
  EXPECT_EQ(testing::entry(odt, "Pictures/1024.wmf"), "\xAB");
  EXPECT_EQ(testing::entry(odt, "Pictures/1025.wmf"), "");
  const std::string body = testing::odt_body(odt);
  EXPECT_EQ(body.find("[picture]"), body.rfind("[picture]"));
  EXPECT_NE(body.find("[picture]"), std::string::npos);
}

TEST(PictureTargets, ADocumentsPicturesHaveATimeOfTheirOwn) {
  testing::ScratchDir dir;
  const std::string two = testing::stream_of(std::string(kStream) + kStream);
  set_document_picture_time_for_tests(std::chrono::milliseconds(0));
  clear_handler_notes();
  const std::string rtf = testing::read_file(write(DstRtfAnsi, two, dir));
  set_document_picture_time_for_tests(kDocumentPictureTime);
  EXPECT_EQ(rtf.find("\\pngblip"), std::string::npos);
  EXPECT_NE(rtf.find("\\macpict"), std::string::npos);  // the picture itself stays
  EXPECT_EQ(handler_notes(), "picture 1 and those after it not drawn: the document's pictures took 0 s");
  // The next document starts with the whole time again.
  EXPECT_NE(testing::read_file(write(DstRtfAnsi, two, dir)).find("\\pngblip"), std::string::npos);
}

}  // namespace
}  // namespace lettrix
