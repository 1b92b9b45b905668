#include "readers/reader_entry.h"

#include "core/handler.h"
#include "core/source_detection.h"

namespace lettrix {

int open_reader_files(const char* source_path, const char* stream_path, ReaderFiles& files) {
  std::string error;
  if (!open_source_file(source_path, files.file, error)) {
    set_handler_reason(error);
    return kHandlerCannotOpen;
  }
  files.out = open_file(stream_path, "w+b");
  return files.out ? kHandlerOk : kHandlerCannotOpen;
}

int refuse_document(const char* shown_name, const std::string& why, int result) {
  set_handler_reason("not a " + std::string(shown_name) + " document: " + why);
  return result;
}

DataForkView signature_view_of(const SourceFile& file, SourceView& view) {
  return {view.span_up_to(0, kDetectPrefix), view.size(), file.type, file.creator};
}

}  // namespace lettrix
