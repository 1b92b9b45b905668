// Converts every document of one or more document folders with its reader to
// every target and prints one line per conversion, so that a change meant
// only to make conversions faster can be checked to leave every output byte
// as it was (tests/cli/output_digest_test.cpp compares with the list kept in
// tests/data/output_digests.txt):
//   output_digests LABEL=FOLDER ...
// FOLDER holds one subfolder per source format, named by the format's alias
// (samples/ALIAS, ...); subfolders of other names are skipped. A line:
//   LABEL/ALIAS/FILE TARGET-ALIAS SIZE FNV1A64
// or, for a conversion that fails, LABEL/ALIAS/FILE TARGET-ALIAS failed STATUS HANDLER-RESULT.
// Regenerate the list after an intended change of output:
//   for f in $(build/bin/make_bench_input --sources); do
//     mkdir -p /tmp/gen/$f; build/bin/make_bench_input $f 1 /tmp/gen/$f/doc; done
// (the same 1 MB documents that the test generates, one per source format)
//   build/bin/output_digests samples=samples generated=/tmp/gen corpus=../shared/corpus > tests/data/output_digests.txt
#include <unistd.h>

#include <algorithm>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "cli/format_names.h"
#include "core/driver.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "support/file_handle.h"

namespace fs = std::filesystem;

namespace {

// 64-bit FNV-1a of a whole file; false when it cannot be read.
bool file_digest(const std::string& path, std::uint64_t& hash, std::uint64_t& size) {
  lettrix::FilePtr in = lettrix::open_file(path, "rb");
  if (!in) return false;
  hash = 0xCBF29CE484222325ull;
  size = 0;
  char block[1 << 16];
  std::size_t got;
  while ((got = std::fread(block, 1, sizeof block, in.get())) > 0) {
    for (std::size_t i = 0; i < got; ++i) {
      hash ^= static_cast<unsigned char>(block[i]);
      hash *= 0x100000001B3ull;
    }
    size += got;
  }
  return !std::ferror(in.get());
}

std::vector<fs::path> sorted_entries(const fs::path& dir, bool folders) {
  std::vector<fs::path> out;
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir, ec)) {
    if (folders ? entry.is_directory(ec) : entry.is_regular_file(ec)) out.push_back(entry.path());
  }
  std::sort(out.begin(), out.end());
  return out;
}

// Empties the scratch folder between conversions.
void clear_folder(const fs::path& dir) {
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir, ec)) fs::remove_all(entry.path(), ec);
}

// One document to every target, converted in the scratch folder (the working
// directory) under its own name.
bool digest_document(const std::string& label, int source_row, const fs::path& document) {
  const std::string name = document.filename().string();
  const std::string shown = label + "/" + lettrix::source_aliases(source_row).front() + "/" + name;
  const std::size_t targets = lettrix::registry_size(lettrix::target_formats);
  for (std::size_t target = 0; target < targets; ++target) {
    clear_folder(fs::current_path());
    std::error_code ec;
    if (!fs::copy_file(document, name, ec)) {
      std::fprintf(stderr, "output_digests: cannot copy %s: %s\n", document.c_str(), ec.message().c_str());
      return false;
    }
    lettrix::init_path_buffers();
    lettrix::choose_formats(source_row, static_cast<int>(target));
    const lettrix::ConversionResult result = lettrix::convert_file(name);
    const std::string target_alias = lettrix::target_aliases(static_cast<int>(target)).front();
    if (!result.ok()) {
      std::printf("%s %s failed %d %d\n", shown.c_str(), target_alias.c_str(), static_cast<int>(result.status),
                  result.handler_result);
      continue;
    }
    std::uint64_t hash = 0, size = 0;
    if (!file_digest(result.target, hash, size)) {
      std::fprintf(stderr, "output_digests: cannot read %s\n", result.target.c_str());
      return false;
    }
    std::printf("%s %s %" PRIu64 " %016" PRIx64 "\n", shown.c_str(), target_alias.c_str(), size, hash);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: output_digests LABEL=FOLDER ...\n");
    return 2;
  }
  std::vector<std::pair<std::string, fs::path>> folders;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const std::size_t equals = arg.find('=');
    if (equals == std::string::npos || equals == 0) {
      std::fprintf(stderr, "output_digests: %s: expected LABEL=FOLDER\n", argv[i]);
      return 2;
    }
    std::error_code ec;
    fs::path folder = fs::absolute(arg.substr(equals + 1), ec);
    if (ec || !fs::is_directory(folder, ec)) {
      std::fprintf(stderr, "output_digests: %s is not a folder\n", arg.substr(equals + 1).c_str());
      return 2;
    }
    folders.emplace_back(arg.substr(0, equals), folder);
  }
  char scratch_template[] = "/tmp/lettrix-digests-XXXXXX";
  const char* scratch = mkdtemp(scratch_template);
  if (!scratch) {
    std::perror("output_digests: mkdtemp");
    return 1;
  }
  std::error_code ec;
  fs::current_path(scratch, ec);
  bool ok = !ec;
  for (const auto& [label, folder] : folders) {
    for (const fs::path& format_dir : sorted_entries(folder, true)) {
      if (!ok) break;
      const int row = lettrix::find_source_format(format_dir.filename().string());
      if (row < 0) continue;
      for (const fs::path& document : sorted_entries(format_dir, false)) {
        if (!(ok = digest_document(label, row, document))) break;
      }
    }
  }
  fs::current_path("/", ec);
  fs::remove_all(scratch, ec);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) return 1;
  return ok ? 0 : 1;
}
