// Detection and the unwrapping layer on any bytes: never a crash, a source
// row inside the registry, and no work file left once the layer is done.
#include <cstdlib>

#include "core/driver_state.h"
#include "core/format_registry.h"
#include "core/source_detection.h"
#include "core/wrapped_source.h"
#include "harness.h"
#include "support/file_handle.h"

using namespace lettrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Detection in_memory = detect_bytes({data, size});
  const std::string path = fuzz::input_file("doc", data, size);
  const Detection d = detect_format(path);
  if (d.verdict != in_memory.verdict || d.source_row != in_memory.source_row) std::abort();
  if (d.is_source() && (d.source_row < 0 || d.source_row >= static_cast<int>(registry_size(source_formats))))
    std::abort();
  if (d.summary().empty()) std::abort();
  std::string fork_path;
  {
    PreparedSource prepared;
    std::string error;
    if (prepare_source(path, prepared, error)) {
      if (!open_file(prepared.reader_path, "rb")) std::abort();
      fork_path = prepared.resource_file.path();
      // The driver skips unwrapping where detection saw a plain file: it must be one.
      if (d.plain_file && (prepared.reader_path != path || !fork_path.empty())) std::abort();
      if (!fork_path.empty() && resource_fork_of(prepared.reader_path) != fork_path) std::abort();
    } else if (error.empty() || d.plain_file) {
      std::abort();
    }
  }
  if (!fork_path.empty() && open_file(fork_path, "rb")) std::abort();  // removed with the PreparedSource
  return 0;
}
