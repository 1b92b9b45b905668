#include "harness.h"
#include "readers/macwrite_46.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lettrix::fuzz::run_reader(lettrix::orig_macw46, data, size);
  return 0;
}
