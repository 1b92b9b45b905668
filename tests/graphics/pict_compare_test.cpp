// Our drawing of the corpus's MacWrite 4.6 pictures agrees with LibreOffice's
// (tools/pict_compare: 95% of the pixels of a bitmap picture, 90% of a drawn
// one). Skipped without the corpus, LibreOffice or the tool.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "test_util.h"
#include "writers/fodt_reader.h"

namespace lettrix {
namespace {

TEST(PictCompare, CorpusPicturesAgreeWithLibreOffice) {
  namespace fs = std::filesystem;
  const fs::path corpus = fs::path(LETTRIX_SHARED_DIR) / "corpus" / "macwrite-4.6";
  const fs::path tool = fs::path(LETTRIX_BINARY_DIR) / "bin" / "pict_compare";
  if (!fs::is_directory(corpus)) GTEST_SKIP() << "no corpus";
  if (!fs::exists(tool)) GTEST_SKIP() << "pict_compare is not built";
  if (!testing::libreoffice_available()) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
  testing::ScratchDir dir;
  const std::string report = dir.file("report.txt");
  const int status = std::system((tool.string() + " > '" + report + "' 2>&1").c_str());
  const std::string text = testing::read_file(report);
  ASSERT_TRUE(WIFEXITED(status)) << text;
  if (WEXITSTATUS(status) == 2 && text.find("LibreOffice converted nothing") != std::string::npos)
    GTEST_SKIP() << "LibreOffice cannot convert RTF to HTML here";
  EXPECT_EQ(WEXITSTATUS(status), 0) << text;
  EXPECT_NE(text.find(" 0 below their threshold"), std::string::npos) << text;
}

}  // namespace
}  // namespace lettrix
