#include "harness.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/stream_codes.h"
#include "core/stream_reader.h"
#include "support/file_handle.h"
#include "support/platform.h"

namespace lettrix::fuzz {

namespace {

// One private directory per process, removed at exit.
struct WorkDir {
  std::string path;
  WorkDir() {
    path = temp_directory() + "/lettrix-fuzz-XXXXXX";
    if (!mkdtemp(path.data())) std::abort();
  }
  ~WorkDir() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
};

const std::string& work_dir() {
  static const WorkDir dir;
  return dir.path;
}

void write_input(const std::string& path, const std::uint8_t* data, std::size_t size) {
  FilePtr f = open_file(path, "wb");
  if (!f) std::abort();
  if (size) std::fwrite(data, 1, size, f.get());
}

void check_stream(const std::string& path) {
  FilePtr f = open_file(path, "rb");
  if (!f) return;
  std::fseek(f.get(), 0, SEEK_END);
  long size = std::ftell(f.get());
  std::rewind(f.get());
  StreamItem item;
  bool in_embedded = false;
  while (read_stream_item(f.get(), item)) {
    if (item.kind != StreamItem::Kind::Code) continue;
    bool opens = is_header_code(item.value) || is_footer_code(item.value) || item.value == NoteCall;
    if (opens && in_embedded) {
      std::fprintf(stderr, "stream: embedded text opened inside another\n");
      std::abort();
    }
    if (opens) in_embedded = true;
    if (item.value == EndOfText) {
      if (!in_embedded) {
        std::fprintf(stderr, "stream: EndOfText outside an embedded text\n");
        std::abort();
      }
      in_embedded = false;
    }
  }
  if (std::ftell(f.get()) != size) {
    std::fprintf(stderr, "stream: ends inside a code\n");
    std::abort();
  }
}

}  // namespace

void run_reader(Handler reader, const std::uint8_t* data, std::size_t size) {
  const std::string in = work_dir() + "/source", out = work_dir() + "/stream";
  write_input(in, data, size);
  int rc = reader(in.c_str(), out.c_str());
  if (rc == 0) check_stream(out);
  std::remove(in.c_str());
  std::remove(out.c_str());
}

void run_writer(Handler writer, const std::uint8_t* data, std::size_t size) {
  const std::string in = work_dir() + "/stream", out = work_dir() + "/target";
  write_input(in, data, size);
  writer(in.c_str(), out.c_str());
  std::remove(in.c_str());
  std::remove(out.c_str());
}

}  // namespace lettrix::fuzz
