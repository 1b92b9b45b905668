#include "harness.h"
#include "readers/works_mac.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lettrix::fuzz::run_reader(lettrix::orig_works_mac2, data, size);
  return 0;
}
