#include "cli/extract_pictures.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <span>
#include <string_view>

#include "cli/convert_command.h"
#include "core/stream_codes.h"
#include "core/stream_reader.h"
#include "graphics/pict_render.h"
#include "support/block_input.h"
#include "support/file_handle.h"
#include "support/owned_files.h"
#include "support/paths.h"
#include "support/platform.h"
#include "writers/picture_png.h"

namespace lettrix {

namespace {

// The file's name without its folder and its extension.
std::string document_name(const std::string& file) {
  std::string name = file.substr(directory_part_length(file));
  replace_extension(name, nullptr);
  if (!name.empty() && name.back() == '.') name.pop_back();
  return name.empty() ? "picture" : name;
}

// Writes `head` then `bytes` to a new file `path`: made as path.part, named
// path only when whole, never replacing what has that name. Returns "" or
// what failed.
std::string write_new_file(const std::string& path, std::string_view head, std::string_view bytes) {
  if (entry_exists(path)) return "exists; not replaced";
  const std::string part = path + ".part";
  int err = create_owned_file(part);
  if (err != 0) return std::strerror(err);
  RemoveGuard guard(part);
  {
    FilePtr f = open_file(part, "wb");
    if (!f) return "cannot open what was created";
    const auto put = [&](std::string_view part) {
      return part.empty() || std::fwrite(part.data(), 1, part.size(), f.get()) == part.size();
    };
    if (!put(head) || !put(bytes) || std::fflush(f.get()) != 0 || std::ferror(f.get()))
      return "cannot write it (disk full?)";
    take_file_failure();
    f.reset();  // a failed close is noted
    if (take_file_failure().kind != FileFailure::None) return "cannot write it (disk full?)";
  }
  err = publish_owned_file(part, path);
  if (err == EEXIST) return "exists; not replaced";
  if (err != 0) return std::strerror(err);
  guard.release();
  return "";
}

}  // namespace

int extract_pictures(int source_row, const std::string& file, const std::string& dir, bool quiet,
                     std::ostream& out, std::ostream& err) {
  if (!is_directory(dir) && !make_directory(dir)) {
    err << dir << ": error: cannot create the folder\n";
    return 1;
  }
  RemoveGuard stream_guard;
  std::string damage;
  FilePtr stream = open_source_stream(source_row, file, err, damage, stream_guard);
  if (!stream) return 1;
  const std::string base = dir + (dir.empty() || is_separator(dir.back()) ? "" : "/") + document_name(file);
  BlockInput in(stream.get());
  StreamItem item;
  int number = 0, failed = 0;
  while (read_stream_item(in, item)) {
    if (item.kind != StreamItem::Kind::Code || item.value != Picture || item.op1 != 1) continue;
    char digits[16];
    std::snprintf(digits, sizeof digits, "-%02d", ++number);
    const std::string bytes = picture_bytes(item);
    const std::string pict = base + digits + ".pict";
    static const std::string kHeader(512, '\0');
    std::string why = write_new_file(pict, kHeader, bytes);
    if (why.empty()) {
      if (!quiet) out << pict << "\n";
    } else {
      err << pict << ": error: " << why << "\n";
      ++failed;
    }
    RenderedPicture png;
    const bool drawn =
        render_pict(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), png);
    if (!png.note.empty() && !quiet) err << pict << ": note: " << (drawn ? "drawn in part: " : "not drawn: ") << png.note << "\n";
    if (!drawn) continue;
    const std::string png_path = base + digits + ".png";
    why = write_new_file(png_path, {}, png.png);
    if (why.empty()) {
      if (!quiet) out << png_path << "\n";
    } else {
      err << png_path << ": error: " << why << "\n";
      ++failed;
    }
  }
  if (in.failed()) {
    err << file << ": error: cannot read the work file\n";
    return 1;
  }
  if (!quiet && number == 0) err << file << ": no pictures\n";
  if (!damage.empty()) err << file << ": damaged: " << damage << "\n";
  return failed == 0 && damage.empty() ? 0 : 1;
}

}  // namespace lettrix
