// Builds the wrapped forms of a Macintosh file, as the programs that made
// them wrote them: MacBinary II with its CRC, BinHex 4.0 (run codes, 64
// characters a line, CRCs) and AppleSingle / AppleDouble version 2.
//
//   auto hqx = binhex(data_fork, {.name = "Letter", .type = "WORD", .creator = "MACA"});
#pragma once

#include <string>

namespace lettrix::build {

struct MacFile {
  std::string name = "Document";
  std::string type = "TEXT";     // four characters
  std::string creator = "ttxt";  // four characters
  std::string resource_fork = {};
};

// MacBinary II: builder_common's macbinary() with the header CRC filled in.
std::string macbinary_ii(const std::string& data_fork, const MacFile& file);
// BinHex 4.0 text with the usual first line.
std::string binhex(const std::string& data_fork, const MacFile& file);
// AppleSingle: header, entries (real name, Finder info, resource fork, data fork).
std::string applesingle(const std::string& data_fork, const MacFile& file);
// AppleDouble header file (the "._NAME" beside the data fork): the same
// without the data fork.
std::string appledouble(const MacFile& file);

}  // namespace lettrix::build
