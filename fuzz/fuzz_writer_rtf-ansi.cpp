#include "harness.h"
#include "writers/rtf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lettrix::fuzz::run_rtf_writer(lettrix::dest_rtf_ansi, data, size);
  return 0;
}
