// The sample generators of make_samples: one function per source format,
// each writing its documents into the folder it is given.
#pragma once

#include <filesystem>
#include <string>

// Writes one sample file (creating its folder) and prints its name and size;
// ends the program when the file cannot be written.
void write_sample(const std::filesystem::path& path, const std::string& bytes);

// The generator of each source format's samples (tools/samples_<alias>.cpp),
// writing its documents into dir.
#define LETTRIX_SOURCE(Id, aliases, name, french_name, reader, signature) \
  void make_samples_##Id(const std::filesystem::path& dir);
#include "core/formats.def"

void make_wrapper_seeds(const std::filesystem::path& top);
// samples/disk-images/: the other samples on a floppy image (after them).
void make_disk_image_samples(const std::filesystem::path& top);
