// The Word for Windows 2 writer on fuzzed streams: every run must succeed and
// give a document that the strict reading of our layout accepts.
#include <cstdio>
#include <cstdlib>

#include "harness.h"
#include "tests/writers/winword2_file.h"
#include "writers/winword2.h"

namespace {

int check_document(const char* stream_path, const char* target_path) {
  const int rc = lettrix::dest_winword2(stream_path, target_path);
  std::string bytes;
  if (std::FILE* f = std::fopen(target_path, "rb")) {
    char block[4096];
    for (std::size_t n; (n = std::fread(block, 1, sizeof block, f)) > 0;) bytes.append(block, n);
    std::fclose(f);
  }
  if (rc != 0) {
    std::fprintf(stderr, "winword-2: the writer failed (%d) on a stream it must take\n", rc);
    std::abort();
  }
  const lettrix::testing::Ww2File doc = lettrix::testing::read_ww2(bytes);
  if (!doc.error.empty()) {
    std::fprintf(stderr, "winword-2: %s\n", doc.error.c_str());
    std::abort();
  }
  return rc;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lettrix::fuzz::run_writer(check_document, data, size);
  return 0;
}
