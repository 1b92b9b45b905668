// A sample disk image: an MFS floppy in a Disk Copy 4.2 image holding a few
// of the other samples with their forks and codes, as a collection on an old
// floppy would (a MacWrite II letter, a Nisus Writer letter, whose look is in
// its resource fork, the SimpleText read-me with its styles and picture, the
// Japanese memo).
#include <filesystem>
#include <string>

#include "builders/disk_image_builder.h"
#include "core/source_view.h"
#include "samples.h"

namespace fs = std::filesystem;

namespace {

std::string fork_bytes(const lettrix::SourceFork& fork) {
  lettrix::SourceView view(fork);
  std::string bytes;
  for (std::uint64_t at = 0; at < view.size();) {
    const auto part = view.span_up_to(at, 1 << 16);
    if (part.empty()) break;
    bytes.append(reinterpret_cast<const char*>(part.data()), part.size());
    at += part.size();
  }
  return bytes;
}

}  // namespace

void make_disk_image_samples(const fs::path& top) {
  const struct {
    const char* sample;  // below samples/
    const char* name;    // on the floppy
    const char* type;    // for a sample without a wrapper
    const char* creator;
  } files[] = {
      {"macwrite-ii/letter.mw2", "Letter to H\x8El\x8Fne", "MW2D", "MWII"},
      {"nisus/letter.bin", "Nisus letter", "", ""},
      {"mac-text/readme-styled.bin", "Read Me", "", ""},
      {"mac-text/memo-japanese.bin", "Memo", "", ""},
  };
  std::vector<lettrix::build::VolumeFile> volume;
  for (const auto& f : files) {
    lettrix::SourceFile file;
    std::string error;
    if (!lettrix::open_source_file((top / "samples" / f.sample).string(), file, error)) continue;
    volume.push_back({f.name, file.type.empty() ? f.type : file.type, file.creator.empty() ? f.creator : file.creator,
                      fork_bytes(file.data), fork_bytes(file.resource)});
  }
  write_sample(top / "samples" / "disk-images" / "floppy.image",
               lettrix::build::disk_copy_42(lettrix::build::mfs_volume(volume, {.volume_name = "Archive 1994"}),
                                            "Archive 1994"));
}
