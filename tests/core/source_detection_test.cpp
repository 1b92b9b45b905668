// Format detection on the project's samples, on the real documents of the
// shared corpus (when present), on their wrapped forms, and on files that are
// no Macintosh document at all; and the wrapped forms of the real documents
// reaching their readers as the data forks themselves do.
#include "core/source_detection.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "builders/builder_common.h"
#include "builders/wrapper_builder.h"
#include "cli/format_names.h"
#include "core/driver.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "core/wrapped_source.h"
#include "readers/mac_text_styles.h"
#include "test_util.h"

namespace lettrix {
namespace {

namespace fs = std::filesystem;
using build::MacFile;
using testing::read_file;
using testing::ScratchDir;
using testing::write_file;

std::span<const std::uint8_t> bytes_of(const std::string& s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

std::string row_name(int row) { return row >= 0 ? source_formats.rows[row].name : "none"; }

// The row a sample or corpus file is expected as: its folder's, but for the
// documents that are there to show the readers handing files to each other.
int expected_row(const fs::path& path) {
  const std::string name = path.filename().string();
  if (name == "version-6.mw") return SrcMacWrite46;
  if (name == "version-3.mw") return SrcMacWrite22;
  return find_source_format(path.parent_path().filename().string());
}

TEST(SourceDetection, EverySampleIsItsOwnFormat) {
  int checked = 0;
  for (const auto& folder : fs::directory_iterator(fs::path(LETTRIX_SOURCE_DIR) / "samples")) {
    for (const auto& entry : fs::directory_iterator(folder)) {
      const fs::path& path = entry.path();
      SCOPED_TRACE(path.string());
      const Detection d = detect_format(path.string());
      if (folder.path().filename() == "disk-images") {  // no document: a volume of them
        EXPECT_EQ(d.verdict, Verdict::NotMacDocument);
        EXPECT_TRUE(is_volume_image(path.string()));
        continue;
      }
      if (path.filename() == "dos-lines.txt") {  // a PC text file, CR LF and Ctrl-Z
        EXPECT_EQ(d.verdict, Verdict::AlreadyConverted);
        EXPECT_EQ(d.name, "PC text");
        continue;
      }
      ASSERT_EQ(d.verdict, Verdict::Source) << d.summary();
      EXPECT_EQ(row_name(d.source_row), row_name(expected_row(path))) << d.summary();
      EXPECT_GE(d.confidence, path.filename() == "unix-lines.txt" ? Confidence::Possible : Confidence::Likely);
      EXPECT_EQ(d.wrapper.kind, path.extension() == ".bin" ? WrapperKind::MacBinary : WrapperKind::None);
      ++checked;
    }
  }
  EXPECT_GE(checked, 30);
}

// Type and creator of the corpus documents that have no MacBinary copy.
MacFile finder_info(const fs::path& path) {
  MacFile f;
  f.name = path.filename().string();
  if (path.parent_path().filename() == "clarisworks") {
    f.type = "CWWP";
    f.creator = "BOBO";
  }
  const std::string bin = read_file(path.string() + ".bin");
  if (bin.size() >= 128) {
    WrappedFile info;
    std::string error;
    if (probe_macbinary(bytes_of(bin), bin.size(), info, error) == WrapperCheck::Ok) {
      f.type = info.type;
      f.creator = info.creator;
      f.resource_fork = bin.substr(info.resource_offset, info.resource_length);
    }
  }
  return f;
}

// Whether a Mac text file's resource fork holds style runs or pictures.
bool carries_text_look(const fs::path& path, const MacFile& info, std::uint64_t text_length) {
  if (path.parent_path().filename() != "mac-text" || info.resource_fork.empty()) return false;
  SourceView fork(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(info.resource_fork.data()),
                                                info.resource_fork.size()));
  Damage damage;
  return read_mac_text_look(fork, text_length, damage).any();
}

TEST(SourceDetection, CorpusDocumentsAndTheirWrappedForms) {
  const fs::path corpus = testing::corpus_dir();
  if (corpus.empty()) GTEST_SKIP() << "no corpus";
  ScratchDir dir;
  int checked = 0;
  for (const auto& folder : fs::directory_iterator(corpus)) {
    // Folders not named for a source format hold references, not documents.
    if (!folder.is_directory() || find_source_format(folder.path().filename().string()) < 0) continue;
    for (const auto& entry : fs::directory_iterator(folder)) {
      const fs::path& path = entry.path();
      SCOPED_TRACE(path.string());
      const Detection d = detect_format(path.string());
      if (path.filename().string().rfind("nonwp_", 0) == 0) {  // a spreadsheet, a drawing
        EXPECT_EQ(d.verdict, Verdict::NotMacDocument) << d.summary();
        continue;
      }
      ASSERT_EQ(d.verdict, Verdict::Source) << d.summary();
      EXPECT_EQ(row_name(d.source_row), row_name(expected_row(path)));
      // Plain text with no CR in it may be anybody's text.
      const bool short_text = path.filename().string().rfind("pronom_test", 0) == 0;
      EXPECT_GE(d.confidence, short_text ? Confidence::Possible : Confidence::Likely);
      ++checked;
      if (path.extension() == ".bin") {
        EXPECT_EQ(d.wrapper.kind, WrapperKind::MacBinary);
        EXPECT_EQ(d.confidence, Confidence::Certain);
        continue;
      }
      // BinHex, AppleSingle and AppleDouble forms made from the data fork.
      const std::string data = read_file(path.string());
      const MacFile info = finder_info(path);
      write_file(dir.file("doc.hqx"), build::binhex(data, info));
      write_file(dir.file("doc.as"), build::applesingle(data, info));
      write_file(dir.file("doc"), data);
      write_file(dir.file("._doc"), build::appledouble(info));
      const std::pair<const char*, WrapperKind> forms[] = {
          {"doc.hqx", WrapperKind::BinHex}, {"doc.as", WrapperKind::AppleSingle}, {"doc", WrapperKind::AppleDouble}};
      for (const auto& [name, kind] : forms) {
        const Detection w = detect_format(dir.file(name));
        EXPECT_EQ(w.verdict, Verdict::Source) << name << ": " << w.summary();
        EXPECT_EQ(row_name(w.source_row), row_name(d.source_row)) << name;
        EXPECT_EQ(w.wrapper.kind, kind) << name;
      }
      EXPECT_EQ(detect_format(dir.file("._doc")).verdict, Verdict::NotMacDocument);
    }
  }
  EXPECT_GE(checked, 40);
}

TEST(SourceDetection, WrappedCorpusDocumentsReachTheirReadersUnchanged) {
  const fs::path corpus = testing::corpus_dir();
  if (corpus.empty()) GTEST_SKIP() << "no corpus";
  ScratchDir dir;
  auto stream_of = [&](int row, const std::string& source) {
    PreparedSource p;
    std::string error;
    EXPECT_TRUE(prepare_source(source, p, error)) << error;
    const std::string out = dir.file("stream.###");
    EXPECT_EQ(source_formats.rows[row].reader(p.reader_path.c_str(), out.c_str()), 0) << source;
    return read_file(out);
  };
  int checked = 0;
  for (const auto& folder : fs::directory_iterator(corpus)) {
    // Folders not named for a source format hold references, not documents.
    if (!folder.is_directory() || find_source_format(folder.path().filename().string()) < 0) continue;
    for (const auto& entry : fs::directory_iterator(folder)) {
      const fs::path& path = entry.path();
      if (path.extension() == ".bin" || path.filename().string().rfind("nonwp_", 0) == 0) continue;
      SCOPED_TRACE(path.string());
      const int row = expected_row(path);
      std::filesystem::remove(dir.file("._doc"));
      const std::string data = read_file(path.string());
      write_file(dir.file("doc"), data);
      const std::string expected = stream_of(row, dir.file("doc"));
      const MacFile info = finder_info(path);
      // A text file's resource fork may hold its look, which every wrapper
      // hands over and the data fork alone lacks: then each wrapped form
      // gives the stream of the MacBinary one.
      const std::string wrapped = carries_text_look(path, info, data.size())
                                      ? stream_of(row, path.string() + ".bin")
                                      : expected;
      if (testing::exists(path.string() + ".bin")) {
        EXPECT_EQ(stream_of(row, path.string() + ".bin"), wrapped);
      }
      write_file(dir.file("doc.hqx"), build::binhex(data, info));
      EXPECT_EQ(stream_of(row, dir.file("doc.hqx")), wrapped) << "BinHex";
      write_file(dir.file("doc.as"), build::applesingle(data, info));
      EXPECT_EQ(stream_of(row, dir.file("doc.as")), wrapped) << "AppleSingle";
      write_file(dir.file("._doc"), build::appledouble(info));
      EXPECT_EQ(stream_of(row, dir.file("doc")), wrapped) << "AppleDouble";
      ++checked;
    }
  }
  EXPECT_GE(checked, 20);
}

TEST(SourceDetection, OtherFilesAreNotTakenForMacDocuments) {
  ScratchDir dir;
  // Our own outputs, from a sample through every writer.
  const std::string sample = read_file(LETTRIX_SOURCE_DIR "/samples/macwrite-4.6/letter.mw");
  for (int target = 0; target < static_cast<int>(registry_size(target_formats)); ++target) {
    SCOPED_TRACE(target_formats.rows[target].name);
    write_file(dir.file("letter.mw"), sample);
    choose_formats(SrcMacWrite46, target);
    const ConversionResult r = convert_file(dir.file("letter.mw"));
    ASSERT_TRUE(r.ok()) << r.message();
    const Detection d = detect_format(r.target);
    const std::string head = read_file(r.target).substr(0, kDetectPrefix);
    const OutputMatch m = target_output_test(target)(bytes_of(head));
    if (target == DstMarkdown) {
      // Markdown is text with Unix line ends, as any other: passed over for that.
      EXPECT_TRUE(d.plain_file && d.text_without_cr_lines) << d.summary();
      EXPECT_EQ(m.kind, nullptr);
      fs::remove(r.target);
      continue;
    }
    EXPECT_EQ(d.verdict, Verdict::AlreadyConverted) << d.summary();
    // Its own row's output test tells it.
    ASSERT_NE(m.kind, nullptr);
    EXPECT_EQ(d.summary(), std::string("already converted (") + m.kind + ")");
    fs::remove(r.target);
  }

  // Random bytes of many sizes, PC text, an empty file.
  std::uint64_t x = 0x1234567;
  for (std::size_t size : {1, 2, 5, 100, 128, 300, 1000, 4096, 70000}) {
    for (int round = 0; round < 20; ++round) {
      std::string junk(size, '\0');
      for (char& c : junk) {
        x ^= x << 13, x ^= x >> 7, x ^= x << 17;
        c = static_cast<char>(x);
      }
      const Detection d = detect_bytes(bytes_of(junk));
      // A few bytes may be text as well as anything else; they are never more
      // than a possible plain text.
      if (size < 16) {
        EXPECT_LE(d.confidence, Confidence::Possible) << size << ": " << d.summary();
      } else {
        EXPECT_NE(d.verdict, Verdict::Source) << size << ": " << d.summary();
      }
    }
  }
  const std::pair<std::string, Verdict> others[] = {
      {"Dear Sir,\r\nThank you.\r\n", Verdict::AlreadyConverted},
      {"", Verdict::NotMacDocument},
      {std::string("\x7F" "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0", 16), Verdict::NotMacDocument},
  };
  for (const auto& [bytes, verdict] : others) EXPECT_EQ(detect_bytes(bytes_of(bytes)).verdict, verdict) << bytes;
  EXPECT_EQ(detect_bytes({}).summary(), "not a Macintosh document we read (empty file)");

  // A damaged wrapper is reported as such, naming it.
  std::string hqx = build::binhex(std::string(100, 'x'), {});
  hqx[hqx.find(':') + 2] ^= 1;
  const Detection damaged = detect_bytes(bytes_of(hqx));
  EXPECT_EQ(damaged.verdict, Verdict::DamagedWrapper);
  EXPECT_EQ(damaged.wrapper.kind, WrapperKind::BinHex);
  EXPECT_EQ(damaged.summary(), "damaged wrapper: BinHex: header CRC mismatch");
}

TEST(SourceDetection, TypeAndCreatorDecide) {
  // A wrapper's codes name the format even where the bytes alone cannot:
  // Nisus Writer (plain text in its data fork), Works, and ClarisWorks of
  // other kinds than word processing.
  const std::string text = "Plain text\rof a Nisus document\r";
  struct Case {
    std::string type, creator, data;
    Verdict verdict;
    int row;
  };
  const Case cases[] = {
      {"TEXT", "NISI", text, Verdict::Source, SrcNisus},
      {"TEXT", "ttxt", text, Verdict::Source, SrcMacText},
      {"TEXT", "ttxt", "", Verdict::NotMacDocument, -1},
      {"CWSS", "BOBO", std::string("\x05\x07\xAD\0BOBO", 8) + std::string(200, '\0'), Verdict::NotMacDocument, -1},
      {"AWWP", "PSI2", std::string(3, '\0') + "\x08" + std::string(100, '\0'), Verdict::Source, SrcWorks2},
      {"AWWP", "MSWK", std::string(3, '\0') + "\x09" + std::string(100, '\0'), Verdict::Source, SrcWorks3},
      {"WORD", "MACA", std::string("\0\x03", 2) + std::string(10, '\0'), Verdict::Source, SrcMacWrite22},
  };
  for (const Case& c : cases) {
    for (const std::string& wrapped : {build::macbinary_ii(c.data, {.type = c.type, .creator = c.creator}),
                                       build::applesingle(c.data, {.type = c.type, .creator = c.creator}),
                                       build::binhex(c.data, {.type = c.type, .creator = c.creator})}) {
      const Detection d = detect_bytes(bytes_of(wrapped));
      SCOPED_TRACE(c.type + "/" + c.creator + ": " + d.summary());
      EXPECT_EQ(d.verdict, c.verdict);
      EXPECT_EQ(d.source_row, c.row);
      if (c.verdict == Verdict::Source) {
        EXPECT_EQ(d.confidence, Confidence::Certain);
      }
    }
  }
}

// A long text with a stray NUL byte is still text (a manual of 84 KB with
// one was taken for binary data); NUL bytes throughout are not.
TEST(SourceDetection, LongTextWithAStrayNulIsText) {
  std::string manual;
  while (manual.size() < 84000) manual += "Press Command-Q to quit the editor.\r";
  std::string stray = manual;
  stray[40000] = '\0';
  const Detection d = detect_bytes(bytes_of(stray));
  EXPECT_EQ(d.verdict, Verdict::Source) << d.summary();
  EXPECT_EQ(row_name(d.source_row), "Mac Text Only");
  std::string many = manual;
  for (std::size_t at = 0; at < many.size(); at += 1000) many[at] = '\0';
  EXPECT_EQ(detect_bytes(bytes_of(many)).verdict, Verdict::NotMacDocument);
  std::string short_text = "A short text\r";
  short_text += '\0';
  EXPECT_EQ(detect_bytes(bytes_of(short_text)).verdict, Verdict::NotMacDocument);
  // The reader takes it too, the NUL left out.
  ScratchDir dir;
  write_file(dir.file("manual"), stray);
  init_path_buffers();
  choose_formats(SrcMacText, DstAnsi);
  const ConversionResult r = convert_file(dir.file("manual"));
  ASSERT_TRUE(r.ok()) << r.message();
  EXPECT_EQ(read_file(r.target).find('\0'), std::string::npos);
}

// A Works spreadsheet's data fork begins as a word-processing document's
// does; a wrapper's type code tells it, and both detection and the reader
// refuse it with its kind named (it converted to an empty text before).
TEST(SourceDetection, WorksDocumentsOfOtherKindsAreRefusedByTheirType) {
  const std::string letter = read_file(LETTRIX_SOURCE_DIR "/samples/works-2/letter.wks");
  ScratchDir dir;
  for (const auto& [type, kind] : {std::pair{"AWSS", "a spreadsheet"}, std::pair{"AWDB", "a database"}}) {
    SCOPED_TRACE(type);
    const std::string wrapped = build::macbinary_ii(letter, {.type = type, .creator = "PSI2"});
    const Detection d = detect_bytes(bytes_of(wrapped));
    EXPECT_EQ(d.verdict, Verdict::NotMacDocument) << d.summary();
    EXPECT_NE(d.summary().find(kind), std::string::npos) << d.summary();
    write_file(dir.file("sheet.bin"), wrapped);
    init_path_buffers();
    choose_formats(SrcWorks2, DstAnsi);
    const ConversionResult r = convert_file(dir.file("sheet.bin"));
    EXPECT_EQ(r.status, ConversionStatus::ReaderFailed);
    EXPECT_EQ(r.message(), std::string("not a MS-Works 2 document: a Works document of another kind (type \"") + type +
                               "\": " + kind + ")");
  }
  // The word-processing type still converts.
  write_file(dir.file("letter.bin"), build::macbinary_ii(letter, {.type = "AWWP", .creator = "PSI2"}));
  EXPECT_TRUE(convert_file(dir.file("letter.bin")).ok());
}

}  // namespace
}  // namespace lettrix
