// The BinHex probe and decoder: a file that decodes has forks of the lengths
// its header gives, and a header the probe accepted.
#include <cstdlib>

#include "core/binhex.h"
#include "harness.h"
#include "support/work_file.h"

using namespace lettrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  WrappedFile info;
  std::vector<std::uint8_t> head;
  std::string error;
  const WrapperCheck check = probe_binhex({data, size}, info, head, error);
  if ((check == WrapperCheck::Damaged) != !error.empty()) std::abort();
  if (check == WrapperCheck::Ok && head.size() > info.data_length) std::abort();
  FilePtr in = open_work_file();
  FilePtr data_fork = open_work_file();
  FilePtr resource_fork = open_work_file();
  if (!in || !data_fork || !resource_fork) std::abort();
  if (size) std::fwrite(data, 1, size, in.get());
  std::fflush(in.get());
  std::string decode_error;
  if (!decode_binhex(in.get(), data_fork.get(), resource_fork.get(), decode_error)) {
    if (decode_error.rfind("BinHex: ", 0) != 0) std::abort();
    return 0;
  }
  if (size <= kBinHexProbeSize && check != WrapperCheck::Ok) std::abort();
  if (check == WrapperCheck::Ok) {
    fuzz::check_file_size(data_fork.get(), static_cast<long>(info.data_length));
    fuzz::check_file_size(resource_fork.get(), static_cast<long>(info.resource_length));
  }
  return 0;
}
