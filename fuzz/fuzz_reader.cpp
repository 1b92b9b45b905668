// Any reader of the list of formats on fuzzed bytes (the build names the
// handler, LETTRIX_FUZZ_HANDLER): its stream must be well formed (harness.h).
#include "harness.h"

namespace lettrix {
int LETTRIX_FUZZ_HANDLER(const char* source_path, const char* stream_path);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lettrix::fuzz::run_reader(lettrix::LETTRIX_FUZZ_HANDLER, data, size);
  return 0;
}
