// Any writer of the list of formats on fuzzed streams (the build names the
// handler, LETTRIX_FUZZ_HANDLER). A writer with checks of its own has a
// fuzz_writer_<alias>.cpp instead.
#include "harness.h"

namespace lettrix {
int LETTRIX_FUZZ_HANDLER(const char* stream_path, const char* target_path);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lettrix::fuzz::run_writer(lettrix::LETTRIX_FUZZ_HANDLER, data, size);
  return 0;
}
