#include "core/foreign_formats.h"

#include <algorithm>
#include <string_view>

namespace lettrix {

namespace {

struct Mark {
  std::size_t offset;
  std::string_view bytes;
  const char* kind;
  // A mark of letters only, that a text could begin with: taken only when a
  // NUL byte follows within the first 64 bytes, as in the real format.
  bool with_nul = false;
};

using namespace std::string_view_literals;

// Marks of at least four bytes (three where no document or text begins with
// them), so that no word-processor header can start with one by chance.
constexpr Mark kMarks[] = {
    {0, "\x7F" "ELF"sv, "an ELF program or library"},
    {0, "!<arch>\n"sv, "an archive of object files or a Debian package"},
    {0, "\xCA\xFE\xBA\xBE"sv, "a Java class or a universal program"},
    {0, "\xCF\xFA\xED\xFE"sv, "a program or library of macOS"},
    {0, "\0asm"sv, "a WebAssembly program"},
    {0, "\x89PNG\r\n\x1A\n"sv, "a PNG picture"},
    {0, "GIF87a"sv, "a GIF picture", true},
    {0, "GIF89a"sv, "a GIF picture", true},
    {0, "\xFF\xD8\xFF"sv, "a JPEG picture"},
    {0, "II*\0"sv, "a TIFF picture"},
    {0, "MM\0*"sv, "a TIFF picture"},
    {0, "RIFF"sv, "a RIFF file (sound, video or picture)", true},
    {0, "OggS"sv, "an Ogg sound or video", true},
    {0, "fLaC"sv, "a FLAC sound", true},
    {0, "%PDF-"sv, "a PDF document"},
    {0, "%!PS"sv, "a PostScript document"},
    {0, "PK\x03\x04"sv, "a ZIP archive (JAR, OpenDocument, Office Open XML)"},
    {0, "PK\x05\x06"sv, "a ZIP archive (empty)"},
    {0, "\x1F\x8B\x08"sv, "a gzip-compressed file"},
    {4, "1AY&SY"sv, "a bzip2-compressed file"},
    {0, "\xFD" "7zXZ\0"sv, "an xz-compressed file"},
    {0, "\x28\xB5\x2F\xFD"sv, "a zstd-compressed file"},
    {0, "7z\xBC\xAF\x27\x1C"sv, "a 7-Zip archive"},
    {0, "Rar!\x1A\x07"sv, "a RAR archive"},
    {257, "ustar\0"sv, "a tar archive"},
    {257, "ustar  \0"sv, "a tar archive"},
    {0, "SQLite format 3\0"sv, "an SQLite database"},
    {0, "\xDE\x12\x04\x95"sv, "a message catalogue (.mo)"},
    {0, "\x95\x04\x12\xDE"sv, "a message catalogue (.mo)"},
    {0, "wOFF"sv, "a web font", true},
    {0, "wOF2"sv, "a web font", true},
    {0, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"sv, "an OLE compound file (Word 97 and later, Excel, ...)"},
    // Texts of other systems that say what they are in their first bytes.
    {0, "<?xml"sv, "an XML document"},
    {0, "<!DOCTYPE html"sv, "an HTML document"},
    {0, "<!doctype html"sv, "an HTML document"},
    {0, "<html"sv, "an HTML document"},
    {0, "#!/"sv, "a script"},
};

}  // namespace

const char* foreign_format(std::span<const std::uint8_t> head) {
  const auto first = head.first(std::min<std::size_t>(head.size(), 64));
  const bool nul_early = std::find(first.begin(), first.end(), std::uint8_t{0}) != first.end();
  for (const Mark& m : kMarks) {
    if (head.size() < m.offset + m.bytes.size() || (m.with_nul && !nul_early)) continue;
    if (std::equal(m.bytes.begin(), m.bytes.end(), head.begin() + static_cast<std::ptrdiff_t>(m.offset),
                   [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; }))
      return m.kind;
  }
  return nullptr;
}

}  // namespace lettrix
