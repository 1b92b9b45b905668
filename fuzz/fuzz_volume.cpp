// The disk image lister on fuzzed bytes: the probe and the listing agree,
// the listing keeps to what it promises (every fork's ranges in the image
// and holding its bytes, names a PC holds), and the first files handed to a
// reader have forks of the sizes listed, every byte readable.
#include <cstdio>
#include <cstdlib>
#include <span>

#include "harness.h"
#include "volumes/disk_image.h"

using namespace lettrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  SourceView view(std::span<const std::uint8_t>(data, size));
  std::string kind, why_not;
  const bool probed = probe_volume(view, kind, why_not);
  Volume volume;
  std::string why_not_read;
  const bool read = read_volume(view, volume, why_not_read);
  if (probed != read || (read && volume.kind != kind)) {
    std::fprintf(stderr, "probe: %s / %s, listing: %s\n", kind.c_str(), why_not.c_str(), why_not_read.c_str());
    std::abort();
  }
  if (!read) return 0;
  if (const std::string fault = listing_fault(volume, size); !fault.empty()) {
    std::fprintf(stderr, "%s\n", fault.c_str());
    std::abort();
  }
  const SourceFork image = open_plain_fork(fuzz::input_file("image", data, size));
  int opened = 0;
  for (const VolumeEntry& entry : volume.entries) {
    if (entry.folder) continue;
    if (++opened > 4) break;
    SourceFile file;
    std::string error;
    if (!open_volume_entry(image, entry, file, error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      std::abort();
    }
    fuzz::check_fork(file.data, entry.data.size);
    fuzz::check_fork(file.resource, entry.resource.size);
  }
  return 0;
}
