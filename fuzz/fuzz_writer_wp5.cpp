// The WordPerfect 5 writer on fuzzed streams: every document it reports
// written must read back whole (prefix, functions, lengths, closing codes).
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/file_handle.h"
#include "support/platform.h"
#include "writers/wp5.h"
#include "writers/wp5_check.h"

namespace {

struct WorkDir {
  std::string path = lettrix::temp_directory() + "/lettrix-fuzz-wp5-XXXXXX";
  WorkDir() {
    if (!mkdtemp(path.data())) std::abort();
  }
  ~WorkDir() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
};

std::string contents(const std::string& path) {
  std::string text;
  lettrix::FilePtr f = lettrix::open_file(path, "rb");
  char block[4096];
  for (std::size_t n; f && (n = std::fread(block, 1, sizeof block, f.get())) > 0;) text.append(block, n);
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const WorkDir dir;
  const std::string in = dir.path + "/stream", out = dir.path + "/target.wp5";
  {
    lettrix::FilePtr f = lettrix::open_file(in, "wb");
    if (!f || (size && std::fwrite(data, 1, size, f.get()) != size)) std::abort();
  }
  if (lettrix::dest_wp5(in.c_str(), out.c_str()) == 0) {
    const std::string problem = lettrix::wp5::layout_problem(contents(out));
    if (!problem.empty()) {
      std::fprintf(stderr, "wp5: %s\n", problem.c_str());
      std::abort();
    }
  }
  std::remove(in.c_str());
  std::remove(out.c_str());
  return 0;
}
