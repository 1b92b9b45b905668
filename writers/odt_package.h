// A zip package written through libzip straight into a file the caller has
// open: entries from strings and from ranges of open files, each with a
// fixed date and time, so that the same parts give the same bytes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <deque>
#include <string>

typedef struct zip zip_t;
typedef struct zip_source zip_source_t;

namespace lettrix {

class ZipPackage {
 public:
  // `target` open for writing and reading ("w+b"); the package is written
  // into it, from its start, when closed. The caller keeps it.
  explicit ZipPackage(std::FILE* target);
  ~ZipPackage();  // an unclosed package is discarded
  ZipPackage(const ZipPackage&) = delete;
  ZipPackage& operator=(const ZipPackage&) = delete;

  bool ok() const { return zip_ != nullptr && ok_; }
  // An entry holding `text` (kept until the package is closed); stored as it
  // is when `stored`, else deflated.
  bool add_text(const char* name, std::string text, bool stored = false);
  // An entry holding `length` bytes of `file` from `start`, between `head`
  // and `tail`; the file must stay open, unchanged, until the package is
  // closed.
  bool add_range(const char* name, std::FILE* file, std::uint64_t start, std::uint64_t length,
                 std::string head = {}, std::string tail = {});
  // Writes the package; false when it could not be written whole.
  bool close();

  // What a source last failed at: a libzip error code and errno.
  struct Failure {
    int zip_code = 0;
    int system_code = 0;
  };
  struct Range {
    std::FILE* file;
    std::uint64_t start;
    std::uint64_t length;
    std::string head;
    std::string tail;
    std::uint64_t at = 0;  // in the entry: head, then the file's bytes, then tail
    Failure failure;
  };
  struct Target {
    std::FILE* file;
    Failure failure;
  };

 private:
  bool added(const char* name, zip_source_t* source, bool stored);

  Target target_;
  zip_t* zip_ = nullptr;
  bool ok_ = true;
  std::deque<std::string> texts_;
  std::deque<Range> ranges_;
};

}  // namespace lettrix
