#include "harness.h"
#include "readers/macwrite_22.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lettrix::fuzz::run_reader(lettrix::orig_macw22, data, size);
  return 0;
}
