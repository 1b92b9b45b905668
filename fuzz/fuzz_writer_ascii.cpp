#include "harness.h"
#include "writers/plain_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lettrix::fuzz::run_writer(lettrix::dest_ascii, data, size);
  return 0;
}
