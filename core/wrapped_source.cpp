#include "core/wrapped_source.h"

namespace lettrix {

PreparedSource::~PreparedSource() {
  if (published) withdraw_source();
}

bool prepare_source(const std::string& source, PreparedSource& p, std::string& error) {
  p.reader_path = source;
  if (!open_source_file(source, p.file, error)) return false;
  p.wrapper = p.file.wrapper;
  p.file_type = p.file.type;
  publish_source(source, p.file);
  p.published = true;
  return true;
}

}  // namespace lettrix
