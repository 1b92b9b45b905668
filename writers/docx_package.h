// A zip package written through libzip into a file the writer holds open:
// the archive goes to that file, never to a file of libzip's own beside it,
// and every entry bears the same date, so the same entries give the same bytes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include <zip.h>

namespace lettrix {

class DocxPackage {
 public:
  // A package to be written into `target`, open for writing and empty.
  explicit DocxPackage(std::FILE* target);
  ~DocxPackage();
  DocxPackage(const DocxPackage&) = delete;
  DocxPackage& operator=(const DocxPackage&) = delete;

  // An entry of bytes that live until close(); deflated at `level` (1 fast,
  // 9 small, 0 libzip's default).
  bool add(const char* name, std::string_view bytes, int level = 0);
  // An entry of the whole of a work file, which must stay open until
  // close(): the package reads it then, from its start.
  bool add(const char* name, std::FILE* file, int level = 0);
  // An entry of `length` bytes of a work file from `start`.
  bool add(const char* name, std::FILE* file, std::uint64_t start, std::uint64_t length, int level = 0);
  // Writes the archive; false when anything failed.
  bool close();

 private:
  bool added(const char* name, zip_source_t* source, int level);
  void* target_ = nullptr;  // the callback's record of the target file
  zip_t* zip_ = nullptr;
  bool ok_ = true;
};

}  // namespace lettrix
