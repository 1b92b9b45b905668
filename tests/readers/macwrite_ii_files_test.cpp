// The MacWrite II reader's files: nothing is created, changed or followed in
// the working directory or beside the source, whatever the document; and a
// whole conversion to plain text through the driver.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <thread>

#include "builders/macwrite_ii_builder.h"
#include "core/driver.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "readers/macwrite_ii.h"
#include "test_util.h"
#include "writers/plain_text.h"

namespace lettrix {
namespace {

namespace fs = std::filesystem;
using build::MacWriteIIBuilder;
using build::mw2::Style;
using testing::ScratchDir;

// Every entry of a folder with its contents ("->target" for a link).
std::map<std::string, std::string> snapshot(const fs::path& dir) {
  std::map<std::string, std::string> out;
  for (const auto& e : fs::directory_iterator(dir)) {
    const std::string name = e.path().filename().string();
    if (e.is_symlink())
      out[name] = "->" + fs::read_symlink(e.path()).string();
    else if (e.is_regular_file())
      out[name] = testing::read_file(e.path().string());
    else
      out[name] = "<dir>";
  }
  return out;
}

TEST(MacWriteIIFiles, NoWorkFileInTheWorkingDirectoryOrBesideTheSource) {
  const std::string with_notes = MacWriteIIBuilder{}.text("See").footnote("A note.").paragraph(" here").build();
  const std::string without_notes = MacWriteIIBuilder{}.paragraph("Plain text").build();
  const std::string refused = MacWriteIIBuilder{}.signature(0, 0).paragraph("x").build();
  struct Case {
    const std::string* document;
    int rc;
  };
  for (const Case& c : {Case{&with_notes, 0}, Case{&without_notes, 0}, Case{&refused, -1}}) {
    ScratchDir work(true);
    fs::create_directory("docs");
    // User files with the names of the old fixed work files, in both places,
    // and links that a careless reader would follow.
    for (const char* name : {"ATT.###", "PAR.###", "FT1.###", "FT2.###", "FTP.###"}) {
      testing::write_file(name, std::string("user file ") + name);
      testing::write_file(std::string("docs/") + name, std::string("user file ") + name);
    }
    testing::write_file("docs/letter.@@@", "user @@@");
    testing::write_file("docs/victim", "must not change");
    fs::create_symlink("victim", "docs/letter.$$$");
    fs::create_symlink("docs/victim", "FNS.###");
    testing::write_file("docs/letter.mw2", *c.document);
    const auto work_before = snapshot(work.path());
    const auto docs_before = snapshot(work.path() / "docs");

    EXPECT_EQ(orig_macwII("docs/letter.mw2", "docs/letter.###"), c.rc);

    EXPECT_EQ(snapshot(work.path()), work_before);
    auto docs_after = snapshot(work.path() / "docs");
    ASSERT_EQ(docs_after.count("letter.###"), 1u);  // the stream itself, which the driver removes
    docs_after.erase("letter.###");
    EXPECT_EQ(docs_after, docs_before);
  }
}

TEST(MacWriteIIFiles, TwoConversionsAtOnceInOneFolder) {
  // Two documents with footnotes converted at the same time in one folder:
  // their work files have no names, so neither can take the other's.
  ScratchDir work(true);
  testing::write_file("a.mw2", MacWriteIIBuilder{}.text("A").footnote("note of a").paragraph("").build());
  testing::write_file("b.mw2", MacWriteIIBuilder{}.text("B").footnote("note of b").paragraph("").build());
  auto convert = [](const char* source, const char* stream, const char* note, int* failures) {
    for (int i = 0; i < 25; ++i) {
      const std::string out = std::string(stream) + std::to_string(i);
      if (orig_macwII(source, out.c_str()) != 0 || testing::read_file(out).find(note) == std::string::npos)
        ++*failures;
    }
  };
  int failures_a = 0, failures_b = 0;
  std::thread a(convert, "a.mw2", "a.###", "note of a", &failures_a);
  std::thread b(convert, "b.mw2", "b.###", "note of b", &failures_b);
  a.join();
  b.join();
  EXPECT_EQ(failures_a, 0);
  EXPECT_EQ(failures_b, 0);
  EXPECT_EQ(testing::read_file("a.###7").find("note of b"), std::string::npos);
}

TEST(MacWriteIIFiles, ConvertsToAnsiThroughTheDriver) {
  ScratchDir work(true);
  testing::write_file("letter.mw2", MacWriteIIBuilder{}
                                        .paragraph("Ch\x8Fre amie,", Style{}.bold())
                                        .text("Voici\tle r\x8Esum\x8E")
                                        .footnote("Voir page 2.")
                                        .paragraph(" \\ fin.")
                                        .build_macbinary("letter"));
  init_path_buffers();
  reset_plain_text_note_count();
  choose_formats(SrcMacWriteII, DstAnsi);
  ConversionResult r = convert_file("letter.mw2");
  ASSERT_TRUE(r.ok()) << r.message();
  EXPECT_EQ(testing::read_file(r.target),
            "Ch\xE8re amie,\r\nVoici\tle r\xE9sum\xE9\\NOTE01\\Voir page 2.\\FIN\\ \\ fin.\r\n");
  // Only the source and the target are left.
  EXPECT_EQ(testing::dir_names(work.path()), (std::vector<std::string>{"letter.asc", "letter.mw2"}));
}

TEST(MacWriteIICorpus, RealDocumentsConvertToAnsi) {
  const fs::path corpus = testing::corpus_dir();
  if (corpus.empty() || !fs::is_directory(corpus / "macwrite-ii")) GTEST_SKIP() << "no MacWrite II documents";
  int files = 0;
  for (const auto& entry : fs::directory_iterator(corpus / "macwrite-ii")) {
    if (!entry.is_regular_file() || entry.path().extension() == ".md") continue;
    ScratchDir work(true);
    testing::write_file("doc", testing::read_file(entry.path().string()));
    init_path_buffers();
    choose_formats(SrcMacWriteII, DstAnsi);
    ConversionResult r = convert_file("doc");
    EXPECT_TRUE(r.ok()) << entry.path() << ": " << r.message();
    ++files;
  }
  if (files == 0) GTEST_SKIP() << "no MacWrite II documents";
}

}  // namespace
}  // namespace lettrix
