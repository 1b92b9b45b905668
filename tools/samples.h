// The sample generators of make_samples: one function per source format,
// each writing its documents into samples/<alias>/ below top.
#pragma once

#include <filesystem>
#include <string>

// Writes one sample file (creating its folder) and prints its name and size;
// ends the program when the file cannot be written.
void write_sample(const std::filesystem::path& path, const std::string& bytes);

void make_clarisworks_samples(const std::filesystem::path& top);
void make_macwrite_2_2_samples(const std::filesystem::path& top);
void make_macwrite_4_6_samples(const std::filesystem::path& top);
void make_macwrite_ii_samples(const std::filesystem::path& top);
void make_ragtime_2_samples(const std::filesystem::path& top);
void make_ragtime_3_samples(const std::filesystem::path& top);
void make_works_2_samples(const std::filesystem::path& top);
void make_works_3_samples(const std::filesystem::path& top);
void make_nisus_samples(const std::filesystem::path& top);
void make_wrapper_seeds(const std::filesystem::path& top);
