// The real RagTime 3.2 document, as a data fork and in MacBinary form: both
// convert alike, its text reads as RagTime showed it, and its styled words
// keep their style in RTF. unrtf reads back the RTF of it and of our samples.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/driver.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "core/stream_printer.h"
#include "readers/ragtime_2.h"
#include "readers/ragtime_3.h"
#include "test_util.h"
#include "writers/unrtf_check.h"

namespace lettrix {
namespace {

namespace fs = std::filesystem;

constexpr char kDocument[] = "ragtime32_test3";

fs::path ragtime3_folder() {
  const fs::path corpus = testing::corpus_dir();
  if (corpus.empty() || !fs::is_regular_file(corpus / "ragtime-3" / kDocument)) return {};
  return corpus / "ragtime-3";
}

ConversionResult convert(const fs::path& source, int source_row, int target_row, std::string& output,
                         std::vector<std::string>& left) {
  testing::ScratchDir dir(true);
  testing::write_file("doc", testing::read_file(source.string()));
  init_path_buffers();
  choose_formats(source_row, target_row);
  ConversionResult r = convert_file("doc");
  if (r.ok()) output = testing::read_file(r.target);
  left = testing::dir_names(dir.path());
  return r;
}

TEST(RagtimeCorpus, RealDocumentConvertsFromDataForkAndMacBinary) {
  const fs::path folder = ragtime3_folder();
  if (folder.empty()) GTEST_SKIP() << "no corpus";
  for (int target : {DstAnsi, DstRtfAnsi}) {
    std::string outputs[2];
    const char* names[2] = {kDocument, "ragtime32_test3.bin"};
    for (int i = 0; i < 2; ++i) {
      std::vector<std::string> left;
      const ConversionResult r = convert(folder / names[i], SrcRagtime3, target, outputs[i], left);
      ASSERT_TRUE(r.ok()) << names[i] << ": " << r.message();
      EXPECT_EQ(left.size(), 2u) << "the source and its target, nothing else";
    }
    EXPECT_EQ(outputs[1], outputs[0]) << "the MacBinary form converts as its data fork";
    EXPECT_EQ(outputs[0].find('\x1F'), std::string::npos) << "soft hyphens are gone";
    if (target == DstAnsi) {
      EXPECT_NE(outputs[0].find("\r\n    a page number in a RagTime 3.2 file\r\n\r\n\r\n"
                                "bold italic underline superscriptsubscript\r\n"
                                "Chicago, Courier, 10points, 24 points, \r\n"
                                "red , blue\r\n"
                                "page  date  time \r\n"),
                std::string::npos)
          << outputs[0];
    } else {
      for (const char* styled : {"{\\b bold}", "{\\i italic}", "{\\ul underline}", "{\\up6 superscript}",
                                 "{\\dn6 subscript}", "\\fs20 10points", "\\fs48 24 points"})
        EXPECT_NE(outputs[0].find(styled), std::string::npos) << styled << " in\n" << outputs[0];
    }
  }
}

TEST(RagtimeCorpus, RealDocumentStream) {
  const fs::path folder = ragtime3_folder();
  if (folder.empty()) GTEST_SKIP() << "no corpus";
  testing::ScratchDir dir;
  ASSERT_EQ(orig_ragtime3((folder / kDocument).string().c_str(), dir.file("stream").c_str()), 0);
  const std::string stream = print_stream(testing::read_file(dir.file("stream")));
  EXPECT_NE(stream.find("{BoldOn}bold{BoldOff} {ItalicOn}italic{ItalicOff} {UnderlineOn}underline{UnderlineOff} "
                        "{SuperscriptOn}superscript{SuperscriptOff}{SubscriptOn}subscript{SubscriptOff}¶"),
            std::string::npos)
      << stream;
  // Its version word 0x264 has the Ragtime 2 version in its first byte: the
  // Ragtime 2 reader still refuses it.
  EXPECT_EQ(orig_ragtime2((folder / kDocument).string().c_str(), dir.file("stream2").c_str()), -1);
}

TEST(RagtimeCorpus, UnrtfReadsTheRtf) {
  if (!testing::unrtf_available()) GTEST_SKIP() << "unrtf is not installed";
  const fs::path samples = fs::path(LETTRIX_SOURCE_DIR) / "samples";
  for (const auto& [folder, row] : {std::pair{"ragtime-2", SrcRagtime2}, std::pair{"ragtime-3", SrcRagtime3}}) {
    int files = 0;
    for (const auto& entry : fs::directory_iterator(samples / folder)) {
      testing::expect_unrtf_reads_document(row, entry.path().string());
      ++files;
    }
    EXPECT_GE(files, 2) << folder;
  }
  const fs::path folder = ragtime3_folder();
  if (folder.empty()) return;
  testing::expect_unrtf_reads_document(SrcRagtime3, (folder / kDocument).string());
  testing::expect_unrtf_reads_document(SrcRagtime3, (folder / "ragtime32_test3.bin").string());
}

}  // namespace
}  // namespace lettrix
