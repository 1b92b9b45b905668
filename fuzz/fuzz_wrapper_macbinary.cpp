// The MacBinary probe and the source it gives: both forks are read whole, of
// the lengths the header gives.
#include <cstdlib>

#include "core/mac_wrappers.h"
#include "core/source_view.h"
#include "harness.h"

using namespace lettrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  WrappedFile info;
  std::string error;
  const WrapperCheck check = probe_macbinary({data, size}, size, info, error);
  if ((check == WrapperCheck::Damaged) != !error.empty()) std::abort();
  if (check != WrapperCheck::Ok) return 0;
  SourceFile file;
  if (!open_source_file(fuzz::input_file("doc", data, size), file, error, false)) std::abort();
  if (file.wrapper != WrapperKind::MacBinary) std::abort();
  fuzz::check_fork(file.data, info.data_length);
  fuzz::check_fork(file.resource, info.resource_length);
  return 0;
}
