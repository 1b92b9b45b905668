// Path naming and selection expansion: derived file names, free output names,
// and the list file that a wildcard selection expands into.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace lettrix {

// The design's path buffers held 255 characters. Paths of any length the
// system accepts are converted; the limit stays for paths stored in files.
inline constexpr std::size_t kMaxPath = 255;  // characters, without the terminator

// Cuts the extension (the text from the last dot of the last path component,
// when it is at most 5 characters with the dot) and, when ext is given,
// appends "." and ext with A-Z lower-cased. With no ext a path that had an
// extension keeps its dot ("report.mw" -> "report."). "/" and "\" both separate.
std::string& replace_extension(std::string& path, const char* ext);

// 1 when path (without wildcards) names an existing entry that is not a directory.
int regular_file_exists(const std::string& path);

// Turns path (already carrying ext) into base.NNN.EXT with three base-32 digits
// from the process-wide counter, the first name for which regular_file_exists
// is 0. False, with path unchanged, when all 32768 digit groups are taken.
bool make_unique_name(std::string& path, const char* ext);

// The process-wide counter behind make_unique_name (tests set it).
std::int32_t unique_name_counter();
void set_unique_name_counter(std::int32_t value);
// The three digits that counter value v gives, as make_unique_name writes them
// before lower-casing ("010" for 32).
std::string unique_digits(std::int32_t v);

// True for the names this program gives its own files while it works, which
// are never documents: intermediate streams "NAME.###" and "NAME.N.###",
// unfinished targets "NAME.EXT.part" and "NAME.EXT.N.part", list files
// "TXVxxxxxx" and work files "lettrix-work-xxxxxx" (x: the letters and digits
// a unique temporary name is made of). Another run in the same folder makes
// and removes such files at any moment.
bool is_converter_file_name(std::string_view name);

// Writes the regular files that match the mask, one "directory part + name"
// line each ended by CR LF, into list_path (created or truncated) and returns
// the list opened and rewound, or nullptr when the list cannot be written.
// The files of a conversion (is_converter_file_name, or registered as this
// process's own) are left out.
std::FILE* expand_selection(const std::string& mask, const std::string& list_path);

// Removes every trailing CR and LF.
std::string& strip_line_end(std::string& line);

}  // namespace lettrix
