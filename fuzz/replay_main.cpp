// Runs a fuzz target without libFuzzer: over every seed file given (files or
// folders), then over a number of inputs made from the seeds by deterministic
// mutations (bit flips, truncation, duplicated and inserted runs, escape bytes).
//   fuzz_reader_x_replay [--generated N] SEED-FILE-OR-DIR...
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::uint64_t g_state = 0x9E3779B97F4A7C15ull;
std::uint64_t next_random() {
  g_state ^= g_state << 13;
  g_state ^= g_state >> 7;
  g_state ^= g_state << 17;
  return g_state;
}
std::size_t below(std::size_t n) { return n ? static_cast<std::size_t>(next_random() % n) : 0; }

std::vector<std::uint8_t> mutate(std::vector<std::uint8_t> d) {
  static const std::uint8_t interesting[] = {0x00, 0x01, 0x0D, 0x0A, 0x5C, 0x7F, 0x80, 0xFF, 0x20, 0xA2, 0xC0, 0x86};
  int steps = 1 + static_cast<int>(below(8));
  for (int s = 0; s < steps; ++s) {
    switch (below(7)) {
      case 0:
        if (!d.empty()) d[below(d.size())] ^= static_cast<std::uint8_t>(1u << below(8));
        break;
      case 1:
        if (!d.empty()) d[below(d.size())] = interesting[below(sizeof interesting)];
        break;
      case 2:
        d.insert(d.begin() + static_cast<long>(below(d.size() + 1)), interesting[below(sizeof interesting)]);
        break;
      case 3:
        if (!d.empty()) d.resize(below(d.size()));
        break;
      case 4:
        if (!d.empty() && d.size() < 1 << 20) {
          std::size_t a = below(d.size()), n = 1 + below(std::min<std::size_t>(64, d.size() - a));
          std::vector<std::uint8_t> run(d.begin() + static_cast<long>(a), d.begin() + static_cast<long>(a + n));
          d.insert(d.begin() + static_cast<long>(below(d.size() + 1)), run.begin(), run.end());
        }
        break;
      case 5:
        if (d.size() >= 4) {
          std::size_t a = below(d.size() - 3);
          std::uint32_t v = static_cast<std::uint32_t>(next_random());
          std::memcpy(&d[a], &v, 4);
        }
        break;
      default:
        if (!d.empty()) d.erase(d.begin() + static_cast<long>(below(d.size())));
        break;
    }
  }
  return d;
}

}  // namespace

int main(int argc, char** argv) {
  long generated = 0;
  std::vector<std::vector<std::uint8_t>> seeds;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--generated") == 0 && i + 1 < argc) {
      generated = std::atol(argv[++i]);
      continue;
    }
    std::filesystem::path p = argv[i];
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(p)) {
      for (const auto& e : std::filesystem::recursive_directory_iterator(p))
        if (e.is_regular_file()) files.push_back(e.path());
    } else if (std::filesystem::exists(p)) {
      files.push_back(p);
    }
    for (const auto& f : files) {
      std::ifstream in(f, std::ios::binary);
      seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
  }
  seeds.emplace_back();  // the empty input
  for (const auto& s : seeds) LLVMFuzzerTestOneInput(s.data(), s.size());
  for (long i = 0; i < generated; ++i) {
    std::vector<std::uint8_t> input = mutate(seeds[below(seeds.size())]);
    LLVMFuzzerTestOneInput(input.data(), input.size());
  }
  std::printf("%zu seeds, %ld generated inputs: no fault\n", seeds.size(), generated);
  return 0;
}
