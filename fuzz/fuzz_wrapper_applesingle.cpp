// The AppleSingle / AppleDouble probe and fork extraction: every entry it
// accepts lies inside the file, so extraction never fails.
#include <cstdlib>

#include "core/mac_wrappers.h"
#include "harness.h"
#include "support/work_file.h"

using namespace lettrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  WrappedFile info;
  std::string error;
  const std::size_t head = size < kWrapperProbeSize ? size : kWrapperProbeSize;
  const WrapperCheck check = probe_applesingle({data, head}, size, info, error);
  if ((check == WrapperCheck::Damaged) != !error.empty()) std::abort();
  if (check != WrapperCheck::Ok) return 0;
  FilePtr in = open_work_file();
  FilePtr data_fork = open_work_file();
  FilePtr resource_fork = open_work_file();
  if (!in || !data_fork || !resource_fork) std::abort();
  if (size) std::fwrite(data, 1, size, in.get());
  std::fflush(in.get());
  if (!extract_forks(in.get(), info, data_fork.get(), resource_fork.get(), error)) std::abort();
  fuzz::check_file_size(data_fork.get(), info.has_data_fork ? static_cast<long>(info.data_length) : 0);
  fuzz::check_file_size(resource_fork.get(), static_cast<long>(info.resource_length));
  return 0;
}
