// Helpers of the disk image tests: volumes made with hfsutils, a volume's
// listing as text, a fork's bytes.
#pragma once

#include <string>
#include <vector>

#include "test_util.h"
#include "volumes/disk_image.h"

namespace lettrix::testing {

// Whether hformat, hmkdir, hcopy and humount can be run.
bool have_hfsutils();
// Runs the shell commands (hfsutils ones among them) in dir with HOME set
// to dir, where hfsutils keeps its current volume; false when one fails.
bool run_in(const ScratchDir& dir, const std::string& commands);
// An empty HFS volume of `kilobytes` in dir/name, made by hformat.
bool hformat_image(const ScratchDir& dir, const std::string& name, const std::string& label, int kilobytes);

// Lists the image's volume (the image in memory); fails the test when it
// holds none.
Volume list_bytes(const std::string& image);
Volume list_file(const std::string& path);
// One line a entry: "PATH/" for a folder, "PATH TYPE/CREATOR DATA+RESOURCE"
// for a file.
std::vector<std::string> listing(const Volume& volume);
// The entry at path, or null.
const VolumeEntry* find_entry(const Volume& volume, const std::string& path);

// The bytes of a fork as a reader sees them.
std::string fork_bytes(const SourceFork& fork);

}  // namespace lettrix::testing
