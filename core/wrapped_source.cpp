#include "core/wrapped_source.h"

#include <vector>

#include "core/binhex.h"
#include "core/byte_helpers.h"
#include "core/driver_state.h"
#include "core/source_view.h"
#include "support/platform.h"

namespace lettrix {

namespace {

// A new private work file in the temporary directory, open for writing, its
// removal armed in guard.
FilePtr new_fork_file(RemoveGuard& guard, std::string& error) {
  std::string path;
  if (!create_temp_file("lettrix-fork-", path)) {
    error = "cannot create a work file in " + temp_directory();
    return nullptr;
  }
  guard.arm(path);
  FilePtr f = open_file(path, "wb");
  if (!f) error = "cannot write the work file " + path;
  return f;
}

bool close_checked(FilePtr& f, const char* wrapper, std::string& error) {
  const bool ok = std::fflush(f.get()) == 0 && !std::ferror(f.get());
  f.reset();
  if (!ok) error = std::string(wrapper) + ": cannot write the work file";
  return ok;
}

std::vector<std::uint8_t> read_head(std::FILE* f, std::size_t count) {
  std::vector<std::uint8_t> head(count);
  head.resize(std::fread(head.data(), 1, count, f));
  return head;
}

// Writes the forks of the wrapper in `in` to work files, both always (an
// empty resource fork still tells a reader that a wrapper was there).
bool unwrap(std::FILE* in, const WrappedFile& info, PreparedSource& p, std::string& error) {
  const char* name = wrapper_name(info.kind);
  FilePtr data = new_fork_file(p.data_file, error);
  if (!data) return false;
  FilePtr resource = new_fork_file(p.resource_file, error);
  if (!resource) return false;
  const bool ok = info.kind == WrapperKind::BinHex ? decode_binhex(in, data.get(), resource.get(), error)
                                                   : extract_forks(in, info, data.get(), resource.get(), error);
  if (!ok || !close_checked(data, name, error) || !close_checked(resource, name, error)) return false;
  p.reader_path = p.data_file.path();
  p.wrapper = info.kind;
  p.file_type = info.type;
  p.file_creator = info.creator;
  return true;
}

// The resource fork of path from the AppleDouble file beside it, if any.
bool take_companion(const std::string& path, PreparedSource& p, std::string& error) {
  FilePtr c = open_file(appledouble_companion(path), "rb");
  if (!c) return true;
  const long size = stream_size(c.get());
  if (size <= 0) return true;
  const std::vector<std::uint8_t> head = read_head(c.get(), kWrapperProbeSize);
  WrappedFile info;
  const WrapperCheck check = probe_applesingle(head, static_cast<std::uint64_t>(size), info, error);
  if (info.kind != WrapperKind::AppleDouble || check == WrapperCheck::NotWrapped) {
    error.clear();
    return true;
  }
  if (check == WrapperCheck::Damaged) return false;
  p.wrapper = WrapperKind::AppleDouble;
  p.file_type = info.type;
  p.file_creator = info.creator;
  FilePtr resource = new_fork_file(p.resource_file, error);
  if (!resource) return false;
  info.has_data_fork = false;
  return extract_forks(c.get(), info, nullptr, resource.get(), error) &&
         close_checked(resource, "AppleDouble", error);
}

// Publishes the unwrapped forks for the reader: the data fork at reader_path
// and the resource fork's work file, each opened once here.
bool publish_forks(const PreparedSource& p, std::string& error) {
  SourceFile file;
  file.data = open_plain_fork(p.reader_path);
  file.resource = open_plain_fork(p.resource_file.path());
  if (!file.data.present() || !file.resource.present()) {
    error = "cannot open the unwrapped forks";
    return false;
  }
  file.wrapper = p.wrapper;
  file.type = p.file_type;
  file.creator = p.file_creator;
  publish_source(p.reader_path, file);
  return true;
}

}  // namespace

PreparedSource::~PreparedSource() {
  if (!resource_file.path().empty()) {
    set_resource_fork("", "");
    withdraw_source();
  }
}

bool prepare_source(const std::string& source, PreparedSource& p, std::string& error, bool known_plain) {
  p.reader_path = source;
  p.wrapper = WrapperKind::None;
  if (known_plain) return true;
  FilePtr in = open_kept_file(source);
  const long size = in ? stream_size(in.get()) : -1;
  if (size < 0) return true;  // the reader reports what it cannot open
  const std::vector<std::uint8_t> head = read_head(in.get(), kBinHexProbeSize);
  const std::uint64_t file_bytes = static_cast<std::uint64_t>(size);

  WrappedFile info;
  std::vector<std::uint8_t> decoded;
  WrapperCheck check = probe_macbinary(head, file_bytes, info, error);
  if (check == WrapperCheck::NotWrapped) check = probe_applesingle(head, file_bytes, info, error);
  if (check == WrapperCheck::NotWrapped) check = probe_binhex(head, info, decoded, error);
  bool ok = true;
  if (check == WrapperCheck::Damaged) {
    ok = false;
  } else if (check == WrapperCheck::Ok && !info.has_data_fork) {
    error = "AppleDouble: this file holds no data fork; convert the file whose name it carries after \"._\"";
    ok = false;
  } else if (check == WrapperCheck::Ok) {
    ok = unwrap(in.get(), info, p, error);
  } else if (!is_appledouble_name(source)) {
    ok = take_companion(source, p, error);
  }
  if (!ok) {
    p.data_file.remove_now();
    p.resource_file.remove_now();
    p.reader_path = source;
    return false;
  }
  if (!p.resource_file.path().empty()) {
    set_resource_fork(p.reader_path, p.resource_file.path(), p.file_type);
    if (!publish_forks(p, error)) {
      set_resource_fork("", "");
      p.data_file.remove_now();
      p.resource_file.remove_now();
      p.reader_path = source;
      return false;
    }
  }
  return true;
}

}  // namespace lettrix
