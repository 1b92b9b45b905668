// Detection and the unwrapping layer on any bytes: never a crash, a source
// row inside the registry, and the reader given what detection saw.
#include <cstdlib>

#include "core/format_registry.h"
#include "core/source_detection.h"
#include "core/wrapped_source.h"
#include "harness.h"

using namespace lettrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Detection in_memory = detect_bytes({data, size});
  const std::string path = fuzz::input_file("doc", data, size);
  const Detection d = detect_format(path);
  if (d.verdict != in_memory.verdict || d.source_row != in_memory.source_row) std::abort();
  if (d.is_source() && (d.source_row < 0 || d.source_row >= static_cast<int>(registry_size(source_formats))))
    std::abort();
  if (d.summary().empty()) std::abort();
  {
    PreparedSource prepared;
    std::string error;
    if (prepare_source(path, prepared, error)) {
      // The reader is given what was published, and what detection saw.
      SourceFile seen;
      if (!open_source_file(prepared.reader_path, seen, error) || seen.data.file != prepared.file.data.file) std::abort();
      if (d.plain_file && (prepared.file.wrapper != WrapperKind::None || prepared.file.resource.present())) std::abort();
      if (d.is_source() && d.wrapper.kind != prepared.file.wrapper) std::abort();
    } else if (error.empty() || d.plain_file) {
      std::abort();
    }
  }
  // Withdrawn with the PreparedSource: the path is opened again as a file.
  SourceFile again;
  std::string error;
  if (open_source_file(path, again, error) && again.data.file && again.whole.file && again.data.file != again.whole.file &&
      again.wrapper == WrapperKind::None)
    std::abort();
  return 0;
}
