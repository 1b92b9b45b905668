// The Macintosh wrappers: MacBinary, AppleSingle/AppleDouble and BinHex
// probes and decoders, and the layer that unwraps a source for its reader.
#include "core/mac_wrappers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <span>

#include "builders/builder_common.h"
#include "builders/wrapper_builder.h"
#include "core/binhex.h"
#include "core/crc_ccitt.h"
#include "core/driver_state.h"
#include "core/wrapped_source.h"
#include "support/file_handle.h"
#include "readers/nisus.h"
#include "test_util.h"

namespace lettrix {
namespace {

using build::MacFile;
using testing::read_file;
using testing::ScratchDir;
using testing::write_file;

std::span<const std::uint8_t> bytes_of(const std::string& s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

// Bytes that exercise the run codes: long runs, 0x90 alone and in runs.
std::string awkward_bytes(std::size_t n) {
  std::string s;
  std::uint32_t x = 12345;
  while (s.size() < n) {
    x = x * 1103515245 + 12345;
    const int kind = (x >> 16) % 5;
    if (kind == 0) s.append(1 + (x >> 8) % 600, static_cast<char>(x >> 24));
    else if (kind == 1) s.append(1 + (x >> 8) % 4, '\x90');
    else s += static_cast<char>(x >> 20);
  }
  s.resize(n);
  return s;
}

const MacFile kDoc{.name = "Letter", .type = "WORD", .creator = "MACA", .resource_fork = "RSRC\x90\x90\x90 fork"};

// Sets TMPDIR to a scratch folder for the test, so that work files can be counted.
class TempDirScope {
 public:
  TempDirScope() {
    const char* old = std::getenv("TMPDIR");
    had_ = old != nullptr;
    if (had_) old_ = old;
    setenv("TMPDIR", dir_.path().c_str(), 1);
  }
  ~TempDirScope() {
    if (had_) setenv("TMPDIR", old_.c_str(), 1);
    else unsetenv("TMPDIR");
  }
  // Work files of the layer left in it.
  std::size_t files() const {
    std::size_t n = 0;
    for (const std::string& name : testing::dir_names(dir_.path())) n += name.rfind("lettrix-fork-", 0) == 0;
    return n;
  }

 private:
  ScratchDir dir_;
  std::string old_;
  bool had_ = false;
};

TEST(MacWrappers, MacBinaryAndAppleSingleProbes) {
  const std::string data = "\x00\x06 a MacWrite data fork" + std::string(300, '\0');
  const std::string plain_mb = build::macbinary(data, "Letter", "WORD", "MACA", "rsrc");
  const std::string mb2 = build::macbinary_ii(data, kDoc);
  std::string mb3 = build::macbinary(data, "Letter", "WORD", "MACA");
  mb3.replace(102, 4, "mBIN");
  mb3[122] = static_cast<char>(130);
  build::set_be16(mb3, 124, crc_ccitt(bytes_of(mb3.substr(0, 124))));
  std::string bad_crc = mb2;
  bad_crc[10] ^= 0x20;
  std::string too_long = build::macbinary_ii(data, kDoc);
  too_long.resize(300);
  std::string control_name = plain_mb;
  control_name[3] = '\x01';
  const std::string single = build::applesingle(data, kDoc);
  const std::string dbl = build::appledouble(kDoc);
  std::string single_cut = single.substr(0, single.size() - 5);

  struct Case {
    const char* what;
    std::string file;
    WrapperCheck check;
    WrapperKind kind;
    int version;
    const char* error;
  };
  const Case cases[] = {
      {"MacBinary without CRC", plain_mb, WrapperCheck::Ok, WrapperKind::MacBinary, 1, ""},
      {"MacBinary II", mb2, WrapperCheck::Ok, WrapperKind::MacBinary, 2, ""},
      {"MacBinary III", mb3, WrapperCheck::Ok, WrapperKind::MacBinary, 3, ""},
      {"flipped name byte", bad_crc, WrapperCheck::Damaged, WrapperKind::MacBinary, 0, "MacBinary: header CRC mismatch"},
      {"cut short", too_long, WrapperCheck::Damaged, WrapperKind::MacBinary, 2, "MacBinary: the data fork runs past"},
      {"no CRC, control character in the name", control_name, WrapperCheck::NotWrapped, WrapperKind::None, 0, ""},
      {"MacWrite data fork", data, WrapperCheck::NotWrapped, WrapperKind::None, 0, ""},
      {"short file", std::string(100, '\0'), WrapperCheck::NotWrapped, WrapperKind::None, 0, ""},
      {"AppleSingle", single, WrapperCheck::Ok, WrapperKind::AppleSingle, 2, ""},
      {"AppleDouble", dbl, WrapperCheck::Ok, WrapperKind::AppleDouble, 2, ""},
      {"AppleSingle cut short", single_cut, WrapperCheck::Damaged, WrapperKind::AppleSingle, 2,
       "AppleSingle: entry 1 (data fork) runs past the end of the file"},
      {"AppleSingle with a huge entry count", single.substr(0, 24) + "\xFF\xFF", WrapperCheck::Damaged,
       WrapperKind::AppleSingle, 2, "AppleSingle: entry table"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WrappedFile info;
    std::string error;
    const auto head = bytes_of(c.file).first(std::min(c.file.size(), kWrapperProbeSize));
    WrapperCheck got = probe_macbinary(head, c.file.size(), info, error);
    if (got == WrapperCheck::NotWrapped) got = probe_applesingle(head, c.file.size(), info, error);
    EXPECT_EQ(got, c.check);
    EXPECT_NE(error.find(c.error), std::string::npos) << error;
    if (c.check == WrapperCheck::NotWrapped || c.version == 0) continue;
    EXPECT_EQ(info.kind, c.kind);
    EXPECT_EQ(info.version, c.version);
    if (c.check != WrapperCheck::Ok) continue;
    EXPECT_EQ(info.type, "WORD");
    EXPECT_EQ(info.creator, "MACA");
    EXPECT_EQ(info.has_data_fork, c.kind != WrapperKind::AppleDouble);
    if (info.has_data_fork) {
      EXPECT_EQ(c.file.substr(info.data_offset, info.data_length), data);
    }
  }
}

// Without a CRC, a header whose forks run past the end of the file is a
// MacBinary file cut short when its type and creator are Finder codes, and
// no MacBinary header otherwise. Documents of our formats that start 00 with
// 0 at bytes 74 and 82 (MacWrite 00 03 / 00 06: a name of bytes 2 to 4 or 2
// to 7, high bytes of small counts) stay what they are, whole or cut.
TEST(MacWrappers, MacBinaryWithoutCrcCutShort) {
  const std::string samples = LETTRIX_SOURCE_DIR "/samples/";
  const std::string control_type = build::macbinary(std::string(300, 'x'), "Letter", "WO\x01" "D", "MACA");
  const std::string no_creator = build::macbinary(std::string(300, 'x'), "Letter", "TEXT", std::string(4, '\0'));
  // A MacWrite 4.x data fork with text where a type and creator would be.
  std::string macwrite = read_file(samples + "macwrite-4.6/letter.mw");
  macwrite.replace(65, 8, "WORDMACA");
  struct Case {
    const char* sample;  // below samples/; null: the bytes
    std::string bytes;
    std::size_t cut;
    const char* error;  // cut there: Damaged with this error; "": NotWrapped
    bool macbinary;     // whole: Ok, else NotWrapped
  };
  const Case cases[] = {
      {"macwrite-2.2/note.bin", "", 300, "the data fork runs past the end of the file (to byte 484 of 300)", true},
      {"macwrite-4.6/letter.bin", "", 640, "the data fork runs past the end of the file (to byte 1238 of 640)", true},
      {"macwrite-ii/styles.bin", "", 2000, "the data fork runs past the end of the file (to byte 2944 of 2000)", true},
      {"ragtime-2/letter-macbinary.bin", "", 1043,
       "the data fork runs past the end of the file (to byte 1044 of 1043)", true},
      {"ragtime-3/letter-macbinary.bin", "", 128,
       "the data fork runs past the end of the file (to byte 1341 of 128)", true},
      {"nisus/notes.bin", "", 600, "the resource fork runs past the end of the file (to byte 666 of 600)", true},
      {nullptr, build::macbinary(std::string(300, 'x'), "Letter", "CWWP", "BOBO", "rsrc"), 500,
       "the resource fork runs past the end of the file (to byte 516 of 500)", true},
      {nullptr, control_type, 200, "", true},
      {nullptr, no_creator, 200, "", true},
      {nullptr, macwrite, 300, "", false},
      {"macwrite-2.2/manual.mw", "", 128, "", false},
      {"macwrite-2.2/note.mw", "", 200, "", false},
      {"macwrite-2.2/version-6.mw", "", 300, "", false},
      {"macwrite-4.6/letter.mw", "", 500, "", false},
      {"macwrite-4.6/version-3.mw", "", 144, "", false},
      {"macwrite-ii/letter.mw2", "", 1000, "", false},
      {"works-3/letter.wks", "", 200, "", false},
      {"ragtime-2/letter.rag", "", 300, "", false},
      {"ragtime-3/numbered-styles.rag", "", 400, "", false},
  };
  for (const Case& c : cases) {
    const std::string file = c.sample ? read_file(samples + c.sample) : c.bytes;
    SCOPED_TRACE((c.sample ? c.sample : "built") + std::string(", cut at ") + std::to_string(c.cut));
    ASSERT_GE(file.size(), 128u);
    ASSERT_LE(c.cut, file.size());
    const auto head = bytes_of(file).first(std::min(c.cut, kWrapperProbeSize));
    ASSERT_TRUE(file[0] == 0 && file[74] == 0 && file[82] == 0);
    WrappedFile info;
    std::string error;
    const std::string expected = *c.error ? std::string("MacBinary: ") + c.error : "";
    EXPECT_EQ(probe_macbinary(head, c.cut, info, error), *c.error ? WrapperCheck::Damaged : WrapperCheck::NotWrapped);
    EXPECT_EQ(error, expected);
    EXPECT_EQ(probe_macbinary(bytes_of(file).first(std::min(file.size(), kWrapperProbeSize)), file.size(), info,
                              error),
              c.macbinary ? WrapperCheck::Ok : WrapperCheck::NotWrapped);
  }
}

TEST(MacWrappers, BinHexDecodesWhatItEncodes) {
  ScratchDir dir;
  const std::string forks[][2] = {
      {"", ""},
      {"Hello", ""},
      {awkward_bytes(5000), "res\x90\x90\x90\x90 fork"},
      {awkward_bytes(200000), awkward_bytes(70000)},
  };
  for (const auto& f : forks) {
    MacFile file = kDoc;
    file.resource_fork = f[1];
    const std::string hqx = build::binhex(f[0], file);
    SCOPED_TRACE("data fork of " + std::to_string(f[0].size()) + " bytes");
    for (char c : hqx) ASSERT_TRUE(c == '\r' || c == '\n' || (c >= 0x20 && c < 0x7F));

    WrappedFile info;
    std::vector<std::uint8_t> head;
    std::string error;
    ASSERT_EQ(probe_binhex(bytes_of(hqx), info, head, error), WrapperCheck::Ok) << error;
    EXPECT_EQ(info.name, "Letter");
    EXPECT_EQ(info.type + info.creator, "WORDMACA");
    EXPECT_EQ(info.data_length, f[0].size());
    EXPECT_EQ(info.resource_length, f[1].size());
    EXPECT_EQ(std::string(head.begin(), head.end()), f[0].substr(0, head.size()));
    EXPECT_GE(head.size(), std::min<std::size_t>(f[0].size(), 20000));

    write_file(dir.file("doc.hqx"), hqx);
    FilePtr in = open_file(dir.file("doc.hqx"), "rb");
    FilePtr data = open_file(dir.file("data"), "wb");
    FilePtr rsrc = open_file(dir.file("rsrc"), "wb");
    EXPECT_TRUE(decode_binhex(in.get(), data.get(), rsrc.get(), error)) << error;
    data.reset();
    rsrc.reset();
    EXPECT_EQ(read_file(dir.file("data")), f[0]);
    EXPECT_EQ(read_file(dir.file("rsrc")), f[1]);
  }
}

TEST(MacWrappers, DamagedBinHexIsRefusedByName) {
  ScratchDir dir;
  const std::string data = awkward_bytes(3000);
  const std::string hqx = build::binhex(data, kDoc);
  const std::size_t start = hqx.find(':') + 1;
  auto changed = [&](std::size_t at, char c) {
    std::string s = hqx;
    s[at] = c;
    return s;
  };
  auto other = [&](std::size_t at) { return changed(at, hqx[at] == 'a' ? 'b' : 'a'); };
  struct Case {
    const char* what;
    std::string text;
    const char* error;
  };
  const Case cases[] = {
      {"a byte of the header", other(start + 3), "BinHex: header CRC mismatch"},
      {"a byte of the data fork", other(hqx.size() / 2), "BinHex: data fork CRC mismatch"},
      {"a byte of the resource fork", other(hqx.size() - 8), "BinHex: resource fork CRC mismatch"},
      {"cut short", hqx.substr(0, hqx.size() / 2), "BinHex: data fork cut short"},
      {"a stray character", changed(hqx.size() / 2, '~'), "BinHex: a character outside the BinHex alphabet in the data fork"},
      {"closed early", changed(hqx.size() / 2, ':'), "BinHex: data fork cut short"},
      {"no colon line", "(This file must be converted with BinHex 4.0)\r\n", "BinHex: no line"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    write_file(dir.file("doc.hqx"), c.text);
    FilePtr in = open_file(dir.file("doc.hqx"), "rb");
    std::string error;
    EXPECT_FALSE(decode_binhex(in.get(), nullptr, nullptr, error));
    EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
  }
  // Text that is not BinHex is not taken for it.
  WrappedFile info;
  std::vector<std::uint8_t> head;
  std::string error;
  for (const std::string& text : {std::string("Dear Sir,\r\n"), std::string(":") + std::string(70, 'x'),
                                  std::string("Unpack it: (This file must be converted with BinHex 4.0)\r"),
                                  std::string(":") + std::string(63, '!') + "\r\n"}) {
    EXPECT_EQ(probe_binhex(bytes_of(text), info, head, error), WrapperCheck::NotWrapped) << text;
  }
}

// BinHex as Unix encoders and mail wrote it: other wording of the first line,
// headers before it, other line lengths and ends, text after the last colon.
TEST(MacWrappers, BinHexAsMailCarriedIt) {
  ScratchDir dir;
  const std::string data = awkward_bytes(3000);
  const std::string hqx = build::binhex(data, kDoc);
  std::string code;  // the encoded characters between the colons
  for (std::size_t i = hqx.find(':') + 1; hqx[i] != ':'; ++i)
    if (hqx[i] != '\r' && hqx[i] != '\n') code += hqx[i];
  const std::string kMarker = "(This file must be converted with BinHex 4.0)";
  auto text = [&](const std::string& before, const std::string& marker, std::size_t width, const std::string& eol,
                  const std::string& after) {
    std::string s = before + marker + eol + ":";
    for (std::size_t at = 0, column = 1; at < code.size(); ++at, ++column) {
      if (column == width) s += eol, column = 0;
      s += code[at];
    }
    return s + ":" + eol + after;
  };
  struct Case {
    const char* what;
    std::string text;
  };
  const Case cases[] = {
      {"other wording", text("", "(This file must be converted; you knew that already.)", 64, "\r\n", "")},
      {"headers before", text("From: ann@example.org\nSubject: letter\n\n", "(This file must be converted)", 64, "\n", "")},
      {"72 columns, LF", text("", "(This file must be converted by any means)", 72, "\n", "")},
      {"40 columns, CR", text("", "(This file must be converted, please)", 40, "\r", "")},
      {"text after", text("Here it is:\r\n\r\n", "(This file must be converted)", 64, "\r\n", "-- \r\nAnn: bye\r\n")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WrappedFile info;
    std::vector<std::uint8_t> head;
    std::string error;
    ASSERT_EQ(probe_binhex(bytes_of(c.text), info, head, error), WrapperCheck::Ok) << error;
    EXPECT_EQ(info.name + info.type + info.creator, "LetterWORDMACA");
    EXPECT_EQ(std::string(head.begin(), head.end()), data);
    write_file(dir.file("doc.hqx"), c.text);
    FilePtr in = open_file(dir.file("doc.hqx"), "rb");
    FilePtr out = open_file(dir.file("data"), "wb");
    FilePtr rsrc = open_file(dir.file("rsrc"), "wb");
    EXPECT_TRUE(decode_binhex(in.get(), out.get(), rsrc.get(), error)) << error;
    out.reset();
    rsrc.reset();
    EXPECT_EQ(read_file(dir.file("data")), data);
    EXPECT_EQ(read_file(dir.file("rsrc")), kDoc.resource_fork);
  }
  // The line cut before "converted", a colon line with no marker, the marker
  // past the probed bytes: not BinHex.
  for (const std::string& t : {text("", "(This file must be", 64, "\r\n", ""), text("Note:\r\n", "", 64, "\r\n", ""),
                               text(std::string(kBinHexProbeSize, ' ') + "\r", kMarker, 64, "\r", "")}) {
    WrappedFile info;
    std::vector<std::uint8_t> head;
    std::string error;
    EXPECT_EQ(probe_binhex(bytes_of(t), info, head, error), WrapperCheck::NotWrapped) << t.substr(0, 40);
  }
}

TEST(PreparedSource, EveryWrapperGivesTheReaderBothForks) {
  TempDirScope temp;
  ScratchDir dir;
  const std::string data = "\x00\x06" + awkward_bytes(4000);
  struct Case {
    const char* what;
    std::string file;
    std::string companion;  // the AppleDouble file beside it
    WrapperKind kind;
  };
  const Case cases[] = {
      {"MacBinary II", build::macbinary_ii(data, kDoc), "", WrapperKind::MacBinary},
      {"BinHex", build::binhex(data, kDoc), "", WrapperKind::BinHex},
      {"AppleSingle", build::applesingle(data, kDoc), "", WrapperKind::AppleSingle},
      {"AppleDouble", data, build::appledouble(kDoc), WrapperKind::AppleDouble},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    write_file(dir.file("doc"), c.file);
    std::filesystem::remove(dir.file("._doc"));
    if (!c.companion.empty()) write_file(dir.file("._doc"), c.companion);
    {
      PreparedSource p;
      std::string error;
      ASSERT_TRUE(prepare_source(dir.file("doc"), p, error)) << error;
      EXPECT_EQ(p.wrapper, c.kind);
      EXPECT_EQ(p.reader_path, dir.file("doc"));
      // The reader, opening its source, is given the published forks.
      SourceFile seen;
      ASSERT_TRUE(open_source_file(p.reader_path, seen, error));
      EXPECT_EQ(seen.data.file, p.file.data.file);
      auto bytes = [](const SourceFork& fork) {
        SourceView v(fork);
        const auto s = v.span(0, static_cast<std::size_t>(v.size()));
        return std::string(s.begin(), s.end());
      };
      EXPECT_EQ(bytes(seen.data), data);
      ASSERT_TRUE(seen.resource.present());
      EXPECT_EQ(bytes(seen.resource), kDoc.resource_fork);
      EXPECT_EQ(temp.files(), 0u) << "a work file with a name";
    }
    EXPECT_EQ(temp.files(), 0u) << "work files left behind";
  }

  // A plain file goes to its reader as it is; a damaged wrapper is refused by
  // name and leaves nothing.
  std::string bad_binhex = build::binhex(data, kDoc);
  bad_binhex[bad_binhex.size() / 2] ^= 0x01;
  std::string short_single = build::applesingle(data, kDoc);
  short_single.resize(short_single.size() - 1);
  const std::pair<std::string, const char*> refused[] = {
      {bad_binhex, "BinHex: "},
      {short_single, "AppleSingle: entry 1 (data fork) runs past"},
      {build::appledouble(kDoc), "AppleDouble: this file holds no data fork"},
  };
  std::filesystem::remove(dir.file("._doc"));
  for (const auto& [file, message] : refused) {
    write_file(dir.file("doc"), file);
    PreparedSource p;
    std::string error;
    EXPECT_FALSE(prepare_source(dir.file("doc"), p, error));
    EXPECT_EQ(error.rfind(message, 0), 0u) << error;
    EXPECT_EQ(temp.files(), 0u);
  }
  write_file(dir.file("doc"), data);
  std::string error;
  {
    PreparedSource plain;
    EXPECT_TRUE(prepare_source(dir.file("doc"), plain, error));
    EXPECT_EQ(plain.reader_path, dir.file("doc"));
    EXPECT_EQ(plain.wrapper, WrapperKind::None);
    EXPECT_FALSE(plain.file.resource.present());
  }
  write_file(dir.file("._doc"), std::string("\x00\x05\x16\x07\x00\x02\x00\x00", 8) + std::string(16, '\0') + std::string("\x00\x09", 2));
  PreparedSource broken_companion;
  EXPECT_FALSE(prepare_source(dir.file("doc"), broken_companion, error));
  EXPECT_EQ(error.rfind("AppleDouble: entry table", 0), 0u) << error;
}

TEST(PreparedSource, NisusTakesItsFootnotesFromEveryWrapper) {
  ScratchDir dir;
  const std::string bin = read_file(LETTRIX_SOURCE_DIR "/samples/nisus/notes.bin");
  WrappedFile info;
  std::string error;
  ASSERT_EQ(probe_macbinary(bytes_of(bin), bin.size(), info, error), WrapperCheck::Ok);
  const std::string data = bin.substr(info.data_offset, info.data_length);
  const MacFile file{.name = "notes", .type = "TEXT", .creator = "NISI",
                     .resource_fork = bin.substr(info.resource_offset, info.resource_length)};
  auto stream_of = [&](const std::string& source) {
    PreparedSource p;
    std::string why;
    EXPECT_TRUE(prepare_source(source, p, why)) << why;
    const int rc = orig_nisus(p.reader_path.c_str(), dir.file("out.###").c_str());
    return std::to_string(rc) + ":" + read_file(dir.file("out.###"));
  };
  write_file(dir.file("notes.bin"), bin);
  const std::string expected = stream_of(dir.file("notes.bin"));
  ASSERT_NE(expected.find("\x5C\xA2"), std::string::npos) << "the sample has footnotes";
  EXPECT_EQ(expected.substr(0, 2), "0:");
  // The reader still takes a MacBinary file by itself.
  EXPECT_EQ(orig_nisus(dir.file("notes.bin").c_str(), dir.file("direct.###").c_str()), 0);
  EXPECT_EQ("0:" + read_file(dir.file("direct.###")), expected);

  write_file(dir.file("notes.hqx"), build::binhex(data, file));
  EXPECT_EQ(stream_of(dir.file("notes.hqx")), expected);
  write_file(dir.file("notes.as"), build::applesingle(data, file));
  EXPECT_EQ(stream_of(dir.file("notes.as")), expected);
  write_file(dir.file("notes"), data);
  EXPECT_EQ(stream_of(dir.file("notes")).substr(0, 3), "-1:") << "a data fork alone is refused";
  write_file(dir.file("._notes"), build::appledouble(file));
  EXPECT_EQ(stream_of(dir.file("notes")), expected);
  // A wrapper that says the file is no text file (a MacWrite document) is refused.
  MacFile word = file;
  word.type = "WORD";
  write_file(dir.file("._notes"), build::appledouble(word));
  EXPECT_EQ(stream_of(dir.file("notes")).substr(0, 3), "-1:");
}

}  // namespace
}  // namespace lettrix
