// The pictures of the real documents as the readers of today see them:
// LibreOffice's reading of our RTF, ODT and DOCX shows as many pictures as
// the stream holds Macintosh pictures, and pandoc finds them in the DOCX and
// the ODT. Skipped without the corpus or LibreOffice.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/format_registry.h"
#include "core/stream_codes.h"
#include "core/stream_reader.h"
#include "support/block_input.h"
#include "support/file_handle.h"
#include "test_util.h"
#include "writers/fodt_reader.h"

namespace lettrix {
namespace {

std::size_t count_of(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

int stream_pictures(const std::string& stream) {
  FilePtr f = open_file(stream, "rb");
  BlockInput in(f.get());
  StreamItem item;
  int n = 0;
  while (read_stream_item(in, item)) n += item.is_code(Picture) && item.op1 == 1;
  return n;
}

TEST(PicturesShown, LibreOfficeAndPandocShowEveryPictureOfTheRealDocuments) {
  if (!testing::libreoffice_available()) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
  testing::ScratchDir dir;
  struct Document {
    std::string name;
    int pictures;
  };
  struct Kind {
    int target;
    const char* extension;
  };
  const Kind kinds[] = {{DstRtfAnsi, "rtf"}, {DstOdt, "odt"}, {DstDocx, "docx"}};
  std::vector<Document> documents;
  const int checked = testing::for_each_corpus_document(
      {{"macwrite-2.2", SrcMacWrite22}, {"macwrite-4.6", SrcMacWrite46}, {"clarisworks", SrcClarisWorks},
       {"ragtime-3", SrcRagtime3}},
      {}, [&](int row, const std::filesystem::path& path) {
        const std::string stream = dir.file(path.filename().string() + ".s");
        if (source_formats.rows[row].reader(path.c_str(), stream.c_str()) != 0) return;
        const int pictures = stream_pictures(stream);
        if (pictures == 0) return;
        const std::string name = path.parent_path().filename().string() + "-" + path.filename().string();
        documents.push_back({name, pictures});
        for (const Kind& kind : kinds) {
          const std::string out = dir.file(name + "." + kind.extension);
          ASSERT_EQ(target_formats.rows[kind.target].writer(stream.c_str(), out.c_str()), 0) << name;
        }
      });
  if (checked == 0) GTEST_SKIP() << "no corpus";
  ASSERT_FALSE(documents.empty());
  const bool pandoc = testing::command_output("pandoc --version").has_value();
  int wanted = 0;
  for (const Document& d : documents) wanted += d.pictures;
  // LibreOffice names its outputs after their inputs' stems: each kind of
  // target into a folder of its own.
  for (const Kind& kind : kinds) {
    std::vector<std::filesystem::path> inputs;
    for (const Document& d : documents) inputs.push_back(dir.path() / (d.name + "." + kind.extension));
    const auto out = dir.path() / (std::string("lo-") + kind.extension);
    std::filesystem::create_directory(out);
    ASSERT_TRUE(testing::libreoffice_convert(inputs, "fodt", out));
    int shown = 0;
    for (const Document& d : documents) {
      const std::string fodt = testing::read_file((out / (d.name + ".fodt")).string());
      const int seen = static_cast<int>(count_of(fodt, "<draw:frame"));
      EXPECT_EQ(seen, d.pictures) << d.name << "." << kind.extension;
      shown += seen;
      if (pandoc && kind.target != DstRtfAnsi) {
        const auto json = testing::command_output("pandoc -t json '" + dir.file(d.name + "." + kind.extension) + "'");
        ASSERT_TRUE(json.has_value());
        EXPECT_EQ(static_cast<int>(count_of(*json, "\"t\":\"Image\"")), d.pictures)
            << d.name << "." << kind.extension << " (pandoc)";
      }
    }
    std::printf("%s: LibreOffice shows %d of the %d pictures of %zu documents\n", kind.extension, shown, wanted,
                documents.size());
  }
}

}  // namespace
}  // namespace lettrix
