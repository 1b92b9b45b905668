#include "test_util.h"

#include <sys/wait.h>

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>

#include "core/stream_parser.h"

namespace lettrix::testing {

ScratchDir::ScratchDir(bool enter) {
  std::string templ = (std::filesystem::temp_directory_path() / "lettrix-test-XXXXXX").string();
  std::vector<char> buf(templ.begin(), templ.end());
  buf.push_back('\0');
  if (!mkdtemp(buf.data())) throw std::runtime_error("mkdtemp failed");
  path_ = buf.data();
  if (enter) {
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(path_);
    entered_ = true;
  }
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  if (entered_) std::filesystem::current_path(previous_, ec);
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void write_file(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}

std::vector<std::string> dir_names(const std::filesystem::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::filesystem::path shared_dir() { return LETTRIX_SHARED_DIR; }

std::filesystem::path corpus_dir() {
  std::filesystem::path p = shared_dir() / "corpus";
  std::error_code ec;
  return std::filesystem::is_directory(p, ec) ? p : std::filesystem::path();
}

std::unique_ptr<std::FILE, int (*)(std::FILE*)> memory_stream(const std::string& content) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::tmpfile(), &std::fclose);
  std::fwrite(content.data(), 1, content.size(), f.get());
  std::rewind(f.get());
  return f;
}

std::string stream_contents(std::FILE* f) {
  std::rewind(f);
  std::string s;
  for (int c; (c = std::fgetc(f)) != EOF;) s += static_cast<char>(c);
  return s;
}

std::string bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += static_cast<char>(v & 0xFF);
  return s;
}

std::string stream_of(std::string_view text) {
  ParsedStream parsed = parse_stream(text);
  if (!parsed.ok()) ADD_FAILURE() << "stream_of: " << parsed.error;
  return std::move(parsed.bytes);
}

std::optional<std::string> command_output(const std::string& command) {
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return std::nullopt;
  std::string out;
  char block[4096];
  for (std::size_t n; (n = std::fread(block, 1, sizeof block, pipe)) > 0;) out.append(block, n);
  if (pclose(pipe) != 0) return std::nullopt;
  return out;
}

CliRun run_cli(const ScratchDir& dir, const std::string& args) {
  const std::string bin = std::string(LETTRIX_BINARY_DIR) + "/bin/lettrix-convert";
  // Standard error goes beside the folder, so the folder holds only what the run left.
  const std::string err_file = dir.path().parent_path() / (dir.path().filename().string() + ".stderr");
  // One file at a time unless the test asks for workers: a batch's lines
  // then come in their order.
  const std::string jobs = args.find("-j ") == std::string::npos ? "-j 1 " : "";
  const std::string cmd = "cd '" + dir.path().string() + "' && '" + bin + "' " + jobs + args + " 2>'" + err_file + "'";
  CliRun run;
  std::FILE* p = popen(cmd.c_str(), "r");
  if (!p) return run;
  char block[4096];
  for (std::size_t n; (n = std::fread(block, 1, sizeof block, p)) > 0;) run.out.append(block, n);
  const int st = pclose(p);
  run.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  run.err = read_file(err_file);
  std::filesystem::remove(err_file);
  return run;
}

int for_each_corpus_document(std::initializer_list<std::pair<const char*, int>> folders,
                             std::initializer_list<const char*> skip_prefixes,
                             const std::function<void(int row, const std::filesystem::path& path)>& check) {
  const std::filesystem::path corpus = corpus_dir();
  if (corpus.empty()) return 0;
  int documents = 0;
  for (const auto& [folder, row] : folders) {
    if (!std::filesystem::is_directory(corpus / folder)) continue;
    for (const auto& entry : std::filesystem::directory_iterator(corpus / folder)) {
      const std::string name = entry.path().filename().string();
      if (entry.path().extension() == ".bin") continue;
      if (std::any_of(skip_prefixes.begin(), skip_prefixes.end(),
                      [&](const char* prefix) { return name.rfind(prefix, 0) == 0; }))
        continue;
      check(row, entry.path());
      ++documents;
    }
  }
  return documents;
}

}  // namespace lettrix::testing
