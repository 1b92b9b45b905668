#include "harness.h"
#include "readers/text_only.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lettrix::fuzz::run_reader(lettrix::orig_text_only, data, size);
  return 0;
}
