// The resource fork parser on fuzzed bytes held in memory: the map is read,
// every resource's data asked for, and the bytes handed out never exceed the
// data area, which lies inside the fork.
#include <cstdlib>
#include <span>
#include <vector>

#include "core/resource_fork.h"
#include "core/source_view.h"
#include "readers/mac_text_styles.h"

using namespace lettrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  {
    SourceView view(std::span<const std::uint8_t>(data, size));
    ResourceFork fork(view);
    if (fork.read_map() == ResourceForkStatus::Ok) {
      std::vector<std::uint8_t> bytes;
      std::uint64_t handed_out = 0;
      for (const ResourceRef& ref : fork.refs()) {
        if (!fork.read_data(ref, bytes)) continue;
        handed_out += bytes.size() + 4;
        if (handed_out > size) std::abort();
      }
    }
  }
  // And the look of a text read from it, as the Mac text reader reads it.
  SourceView view(std::span<const std::uint8_t>(data, size));
  Damage damage;
  const MacTextLook look = read_mac_text_look(view, 4096, damage);
  for (std::size_t i = 1; i < look.runs.size(); ++i)
    if (look.runs[i].start <= look.runs[i - 1].start || look.runs[i].start > 4096) std::abort();
  return 0;
}
