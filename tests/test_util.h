// Helpers shared by the tests: a private scratch directory, whole-file reads
// and writes, and the shared folder of real documents.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace lettrix::testing {

// A fresh directory under the system's temporary directory, removed at the end;
// optionally made the working directory for the test's duration.
class ScratchDir {
 public:
  explicit ScratchDir(bool enter = false);
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string file(std::string_view name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
  bool entered_ = false;
};

std::string read_file(const std::string& path);
void write_file(const std::string& path, std::string_view bytes);
bool exists(const std::string& path);
// Names of the entries of a directory, sorted.
std::vector<std::string> dir_names(const std::filesystem::path& dir);

// The shared folder of real documents, or empty when it is absent.
std::filesystem::path corpus_dir();
std::filesystem::path shared_dir();

// Calls check(row, path) for each document of the corpus folders named with
// their source rows (a folder that is absent is passed over), leaving out the
// MacBinary copies (".bin": the same documents as their data forks) and the
// names that start with one of skip_prefixes; returns how many it checked.
int for_each_corpus_document(std::initializer_list<std::pair<const char*, int>> folders,
                             std::initializer_list<const char*> skip_prefixes,
                             const std::function<void(int row, const std::filesystem::path& path)>& check);

// An anonymous temporary stream holding content, positioned at its start.
std::unique_ptr<std::FILE, int (*)(std::FILE*)> memory_stream(const std::string& content);
// The whole content of a stream (rewinds it first).
std::string stream_contents(std::FILE* f);

// What a command prints on its standard output, or nothing when it cannot be
// run or exits with a failure status.
std::optional<std::string> command_output(const std::string& command);

// One run of the built lettrix-convert in dir, with arguments already
// quoted for the shell: its exit status (-1 when it did not exit) and what it
// printed on standard output and standard error.
struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};
// Runs lettrix-convert in dir; with -j 1 unless args give -j.
CliRun run_cli(const ScratchDir& dir, const std::string& args);

// Bytes from a list of values, for stream fixtures: bytes({0x5C, 0x23, 'H'}).
std::string bytes(std::initializer_list<int> values);
// A stream spelt in its printed form (core/stream_printer.h), for stream
// fixtures: stream_of("{BoldOn}H{BoldOff}¶"). Text that does not parse fails
// the test, with the parser's message, and gives an empty stream.
std::string stream_of(std::string_view text);

}  // namespace lettrix::testing
