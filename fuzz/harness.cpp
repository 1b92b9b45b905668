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

}  // namespace

std::string input_file(const char* name, const std::uint8_t* data, std::size_t size) {
  const std::string path = work_dir() + "/" + name;
  write_input(path, data, size);
  return path;
}

void check_file_size(std::FILE* f, long expected) {
  if (std::fflush(f) != 0 || std::fseek(f, 0, SEEK_END) != 0) std::abort();
  if (expected >= 0 && std::ftell(f) != expected) {
    std::fprintf(stderr, "work file of %ld bytes, %ld expected\n", std::ftell(f), expected);
    std::abort();
  }
}

namespace {

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

std::string read_output(const std::string& path) {
  std::string text;
  FilePtr f = open_file(path, "rb");
  if (!f) return text;
  char block[4096];
  for (std::size_t n; (n = std::fread(block, 1, sizeof block, f.get())) > 0;) text.append(block, n);
  return text;
}

bool is_hex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
bool is_lower(char c) { return c >= 'a' && c <= 'z'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

void check_rtf(const std::string& rtf) {
  if (rtf.rfind("{\\rtf1", 0) != 0) {
    std::fprintf(stderr, "rtf: the document does not begin with {\\rtf1\n");
    std::abort();
  }
  for (std::size_t i = 0; i < rtf.size(); ++i) {
    if (rtf[i] != '\\') continue;
    const char next = i + 1 < rtf.size() ? rtf[i + 1] : '\0';
    bool sound = false;
    if (next == '{' || next == '}' || next == '\\' || next == '~' || next == '*') {
      sound = true;
      ++i;
    } else if (next == '\'') {
      sound = i + 3 < rtf.size() && is_hex(rtf[i + 2]) && is_hex(rtf[i + 3]);
      i += 3;
    } else if (is_lower(next)) {
      sound = true;
      while (i + 1 < rtf.size() && is_lower(rtf[i + 1])) ++i;
      while (i + 1 < rtf.size() && is_digit(rtf[i + 1])) ++i;
    }
    if (!sound) {
      std::fprintf(stderr, "rtf: stray backslash at byte %zu\n", i);
      std::abort();
    }
  }
}

}  // namespace

void run_reader(Handler reader, const std::uint8_t* data, std::size_t size) {
  const std::string in = work_dir() + "/source", out = work_dir() + "/stream";
  write_input(in, data, size);
  clear_handler_reason();
  int rc = reader(in.c_str(), out.c_str());
  // A damaged document's partial stream is as well formed as a whole one, and
  // the reader says what is wrong with the document.
  if (rc == kHandlerOk || rc == kHandlerDamaged) check_stream(out);
  if (rc == kHandlerDamaged && handler_reason().empty()) {
    std::fprintf(stderr, "reader: a damaged document without a reason\n");
    std::abort();
  }
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

void run_rtf_writer(Handler writer, const std::uint8_t* data, std::size_t size) {
  const std::string in = work_dir() + "/stream", out = work_dir() + "/target.rtf";
  write_input(in, data, size);
  const int rc = writer(in.c_str(), out.c_str());
  const std::string rtf = read_output(out);
  if (rc == 0) {
    check_rtf(rtf);
  } else if (!rtf.empty()) {
    std::fprintf(stderr, "rtf: the writer failed (%d) and left %zu bytes\n", rc, rtf.size());
    std::abort();
  }
  std::remove(in.c_str());
  std::remove(out.c_str());
}

void run_writer_checked(Handler writer, const std::uint8_t* data, std::size_t size,
                        void (*check)(int result, const std::string& output)) {
  const std::string in = work_dir() + "/stream", out = work_dir() + "/target";
  write_input(in, data, size);
  const int rc = writer(in.c_str(), out.c_str());
  check(rc, read_output(out));
  std::remove(in.c_str());
  std::remove(out.c_str());
}

void check_fork(const SourceFork& fork, std::uint64_t expected) {
  if (fork.size != expected) std::abort();
  SourceView view(fork);
  std::uint64_t seen = 0;
  for (std::span<const std::uint8_t> v; (v = view.view(seen)).size() > 0;) seen += v.size();
  if (seen != expected || view.failed() || !view.span(expected, 1).empty()) std::abort();
}

}  // namespace lettrix::fuzz
