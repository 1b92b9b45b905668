#include "volumes/volume_test_util.h"

#include <cstdlib>
#include <filesystem>
#include <span>

namespace lettrix::testing {

bool have_hfsutils() {
  static const bool present =
      std::system("(command -v hformat && command -v hcopy && command -v hmkdir && command -v humount) > /dev/null 2>&1") == 0;
  return present;
}

bool run_in(const ScratchDir& dir, const std::string& commands) {
  const std::string d = dir.path().string();
  const std::string line = "cd '" + d + "' && HOME='" + d + "' sh -ec '" + commands + "' > '" + d + "/log' 2>&1";
  const bool ok = std::system(line.c_str()) == 0;
  if (!ok) ADD_FAILURE() << "hfsutils: " << commands << "\n" << read_file(dir.file("log"));
  return ok;
}

bool hformat_image(const ScratchDir& dir, const std::string& name, const std::string& label, int kilobytes) {
  write_file(dir.file(name), "");
  std::filesystem::resize_file(dir.path() / name, static_cast<std::uintmax_t>(kilobytes) * 1024);
  return run_in(dir, "hformat -l \"" + label + "\" " + name + " > /dev/null");
}

Volume list_bytes(const std::string& image) {
  SourceView view(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(image.data()), image.size()));
  Volume volume;
  std::string why_not;
  EXPECT_TRUE(read_volume(view, volume, why_not)) << why_not;
  return volume;
}

Volume list_file(const std::string& path) {
  Volume volume;
  std::string why_not;
  EXPECT_TRUE(read_volume(open_plain_fork(path), volume, why_not)) << why_not;
  return volume;
}

std::vector<std::string> listing(const Volume& volume) {
  std::vector<std::string> lines;
  for (const VolumeEntry& e : volume.entries)
    lines.push_back(e.folder ? e.path + "/"
                             : e.path + " " + e.type + "/" + e.creator + " " + std::to_string(e.data.size) + "+" +
                                   std::to_string(e.resource.size));
  return lines;
}

const VolumeEntry* find_entry(const Volume& volume, const std::string& path) {
  for (const VolumeEntry& e : volume.entries)
    if (e.path == path) return &e;
  return nullptr;
}

std::string fork_bytes(const SourceFork& fork) {
  const std::vector<std::uint8_t> bytes = read_fork_head(fork, static_cast<std::size_t>(fork.size));
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace lettrix::testing
