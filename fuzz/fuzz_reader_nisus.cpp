#include "harness.h"
#include "readers/nisus.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lettrix::fuzz::run_reader(lettrix::orig_nisus, data, size);
  return 0;
}
