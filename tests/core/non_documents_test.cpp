// Files of other kinds, with their real magic numbers and headers, are no
// source: a 64-bit program's 0x0201 at byte 4 is no Ragtime 2 version word, a
// PNG's or ZIP's word there no Ragtime 3 one, and a Finder-information file
// (type and creator, "BOBO" at byte 4) no ClarisWorks document. Nor are the
// programs of this machine's /usr/bin.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/format_registry.h"
#include "core/signature.h"
#include "core/source_detection.h"

namespace lettrix {
namespace {

std::string le(std::uint64_t value, int bytes) {
  std::string s;
  for (int i = 0; i < bytes; ++i) s += static_cast<char>((value >> (8 * i)) & 0xFF);
  return s;
}
std::string be32(unsigned value) {
  return {static_cast<char>(value >> 24), static_cast<char>(value >> 16), static_cast<char>(value >> 8),
          static_cast<char>(value)};
}

// A 64-bit x86 shared object: its 64-byte header, then program headers
// (PHDR, then INTERP at 0x318), then code.
std::string elf() {
  std::string h = std::string(
                      "\x7F"
                      "ELF\x02\x01\x01",
                      7) +
                  std::string(9, '\0');
  h += le(3, 2) + le(0x3E, 2) + le(1, 4) + le(0x1040, 8) + le(64, 8) + le(0x3000, 8) + le(0, 4);
  h += le(64, 2) + le(56, 2) + le(2, 2) + le(64, 2) + le(20, 2) + le(19, 2);
  h += le(6, 4) + le(4, 4) + le(64, 8) + le(64, 8) + le(64, 8) + le(112, 8) + le(112, 8) + le(8, 8);
  h += le(3, 4) + le(4, 4) + le(0x318, 8) + le(0x318, 8) + le(0x318, 8) + le(28, 8) + le(28, 8) + le(1, 8);
  h.resize(0x318, '\0');
  h += std::string("/lib64/ld-linux-x86-64.so.2", 28);
  h.resize(0x4000, '\x90');
  return h;
}

std::string png() {
  std::string p("\x89PNG\r\n\x1A\n", 8);
  p += be32(13) + "IHDR" + be32(64) + be32(64) + std::string("\x08\x02\0\0\0", 5) + be32(0x4E5C8B11);
  p += be32(2000) + "IDAT" + std::string(2000, '\0') + be32(0x1D2C3B4A);
  p += be32(0) + "IEND" + be32(0xAE426082);
  return p;
}

// A JAR: one stored entry, then its central directory and end record.
std::string jar() {
  const std::string name = "lib/data.bin";
  const std::string data(3000, '\0');
  std::string z = "PK\x03\x04" + le(10, 2) + le(0, 2) + le(0, 2) + le(0x5A21, 2) + le(0x4F35, 2) + le(0x12345678, 4);
  z += le(data.size(), 4) + le(data.size(), 4) + le(name.size(), 2) + le(0, 2) + name + data;
  const std::size_t central = z.size();
  z += "PK\x01\x02" + le(20, 2) + le(10, 2) + std::string(12, '\0') + le(data.size(), 4) + le(data.size(), 4);
  z += le(name.size(), 2) + std::string(12, '\0') + le(0, 4) + name;
  z += "PK\x05\x06" + le(0, 4) + le(1, 2) + le(1, 2) + le(z.size() - central, 4) + le(central, 4) + le(0, 2);
  return z;
}

std::string pdf() {
  std::string d("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n");
  d += "2 0 obj\n<< /Length 600 /Filter /FlateDecode >>\nstream\n" + std::string(600, '\x9C') + "\nendstream\n";
  return d + "trailer\n<< /Root 1 0 R >>\n%%EOF\n";
}

std::string gzip() {
  return std::string("\x1F\x8B\x08\x08\0\0\0\0\0\x03", 10) + "notes.txt" + std::string(1, '\0') +
         std::string(500, '\x55') + le(0xCAFEF00D, 4) + le(4000, 4);
}

// Type, creator, Finder flags, location and folder: 32 bytes.
std::string finder_info(const std::string& codes) {
  return codes + std::string("\x01\x00\x00\x40\x00\x40", 6) + std::string(18, '\0');
}

TEST(NonDocuments, OtherKindsOfFileAreNoSource) {
  std::string tar = "notes.txt" + std::string(248, '\0') + std::string("ustar\0" "00", 8);
  tar.resize(1024, '\0');
  const struct {
    const char* name;
    std::string bytes;
    const char* kind;  // as detection names it
  } cases[] = {
      {"ELF", elf(), "an ELF program or library"},
      {"PNG", png(), "a PNG picture"},
      {"JAR", jar(), "a ZIP archive (JAR, OpenDocument, Office Open XML)"},
      {"PDF", pdf(), "a PDF document"},
      {"gzip", gzip(), "a gzip-compressed file"},
      {"tar", tar, "a tar archive"},
      {"xz", std::string("\xFD" "7zXZ\0\0\x04\xE6\xD6\xB4\x46", 12) + std::string(400, '\x33'), "an xz-compressed file"},
      {"message catalogue", std::string("\xDE\x12\x04\x95\0\0\0\0", 8) + std::string(400, '\0'), "a message catalogue (.mo)"},
      {"WAV", "RIFF" + le(400, 4) + "WAVEfmt " + std::string(400, '\0'), "a RIFF file (sound, video or picture)"},
      {"XML with Macintosh line ends", "<?xml version=\"1.0\"?>\r<rss>\r</rss>\r", "an XML document"},
      {"script", "#!/bin/sh\recho hello\r", "a script"},
      {"Finder info TEXTBOBO", finder_info("TEXTBOBO"), ""},
      {"Finder info CWWPBOBO", finder_info("CWWPBOBO"), ""},
  };
  for (const auto& c : cases) {
    const std::span<const std::uint8_t> bytes{reinterpret_cast<const std::uint8_t*>(c.bytes.data()), c.bytes.size()};
    const Detection d = detect_bytes(bytes);
    EXPECT_FALSE(d.is_source()) << c.name << ": " << d.summary();
    if (*c.kind) {
      EXPECT_EQ(d.summary(), std::string("not a Macintosh document we read (") + c.kind + ")") << c.name;
    }
    // The signature tests refuse them on their own too, as with -f (a text
    // is Macintosh text to its test: only its mark tells it).
    const bool text = c.bytes.starts_with("<?xml") || c.bytes.starts_with("#!/");
    for (int row = 0; row < SourceRowCount && !text; ++row)
      EXPECT_EQ(source_signature(row)({bytes.first(std::min(bytes.size(), kDetectPrefix)), bytes.size(), {}, {}}, nullptr),
                Confidence::None)
          << c.name << " as " << source_formats.rows[row].name;
  }
  const std::string info = finder_info("CWWPBOBO");
  const Detection d = detect_bytes({reinterpret_cast<const std::uint8_t*>(info.data()), info.size()});
  const auto said = std::find_if(d.refusals.begin(), d.refusals.end(),
                                 [](const std::string& r) { return r.starts_with("Claris/AppleWorks: too short"); });
  EXPECT_NE(said, d.refusals.end()) << d.summary();
  // A text that begins like a mark of letters is still a text.
  const std::string riff = "RIFF raff, said the dog.\r";
  EXPECT_TRUE(detect_bytes({reinterpret_cast<const std::uint8_t*>(riff.data()), riff.size()}).is_source());
}

// Nothing of this machine's programs and libraries is converted: a script is
// a text, but one without Macintosh line ends, passed over unless chosen.
TEST(NonDocuments, ProgramsOfThisMachineAreNoSource) {
  namespace fs = std::filesystem;
  for (const char* folder : {"/usr/bin", "/usr/lib"}) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) continue;
    std::vector<fs::path> files;
    for (auto e = fs::recursive_directory_iterator(folder, fs::directory_options::skip_permission_denied, ec);
         !ec && e != fs::recursive_directory_iterator() && files.size() < 2000; e.increment(ec))
      if (e->is_regular_file(ec) && !e->is_symlink(ec)) files.push_back(e->path());
    for (const fs::path& f : files) {
      const Detection d = detect_format(f.string(), false);
      if (d.is_source() && !(d.plain_file && d.text_without_cr_lines)) ADD_FAILURE() << f << ": " << d.summary();
    }
  }
}

}  // namespace
}  // namespace lettrix
