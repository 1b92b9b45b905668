#include "harness.h"
#include "readers/ragtime_2.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lettrix::fuzz::run_reader(lettrix::orig_ragtime2, data, size);
  return 0;
}
