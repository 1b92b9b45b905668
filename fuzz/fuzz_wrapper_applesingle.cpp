// The AppleSingle / AppleDouble probe and the source it gives: every entry it
// accepts lies inside the file, so each fork is read whole.
#include <cstdlib>

#include "core/mac_wrappers.h"
#include "core/source_view.h"
#include "harness.h"

using namespace lettrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  WrappedFile info;
  std::string error;
  const std::size_t head = size < kWrapperProbeSize ? size : kWrapperProbeSize;
  const WrapperCheck check = probe_applesingle({data, head}, size, info, error);
  if ((check == WrapperCheck::Damaged) != !error.empty()) std::abort();
  if (check != WrapperCheck::Ok) return 0;
  // A file that passes for MacBinary too is opened as MacBinary: only the probe is checked then.
  WrappedFile other;
  std::string other_error;
  if (probe_macbinary({data, size}, size, other, other_error) != WrapperCheck::NotWrapped) return 0;
  SourceFile file;
  const SourceOpen opened = open_source(fuzz::input_file("doc", data, size), file, error, false);
  if (!info.has_data_fork) {
    if (opened != SourceOpen::NoDataFork) std::abort();
    return 0;
  }
  if (opened != SourceOpen::Ok || file.wrapper != info.kind) std::abort();
  fuzz::check_fork(file.data, info.data_length);
  fuzz::check_fork(file.resource, info.resource_length);
  return 0;
}
