// The conversion dialog's state and what its lists hold, free of any toolkit:
// the current path, the selection mask, the Files, Directories and Drives
// lists, the counters, and the directory moves. The front end shows this
// state and reports the user's selections back into it.
//
// On this platform the current path is an absolute path with "/" separators
// ending with "/", and names keep their case: what is listed is what is
// opened or entered.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/logic/drive_table.h"

namespace lettrix {

inline constexpr std::size_t kMaxMaskLength = 79;      // characters of the File Name field
inline constexpr std::size_t kMaxCountedSelection = 256;
inline constexpr std::size_t kShortenAbove = 30;       // paths longer than this are shown shortened...
inline constexpr std::size_t kShownPathMax = 60;       // ...to at most this many characters

struct ListEntry {
  std::string text;  // as the list shows it
  std::string name;  // what is opened (a file, relative to the working directory) or entered (a directory)
};

struct DialogState {
  std::string current_path;           // mirrors the working directory
  std::string path_display;           // the "Access Path:" field
  std::string selection_mask = "*.*";

  std::vector<ListEntry> files;       // sorted as a sorted list shows them
  std::vector<bool> file_selected;    // parallel to files
  std::vector<ListEntry> directories; // sorted
  std::vector<DriveEntry> drive_table;  // built when first needed, then kept

  std::uint64_t counted_files = 0;    // "Files"
  std::uint64_t counted_length = 0;   // "Length", in bytes

  std::vector<std::string> source_names;  // the drop-down lists, sorted ("Automatic" first)
  std::vector<std::string> target_names;

  // Builds the drive table the first time the Drives list is filled.
  std::function<std::vector<DriveEntry>()> drive_table_source = system_drive_table;
  // Stores the chosen registry rows for the driver at each conversion.
  std::function<void(int source_row, int target_row)> format_chooser;
};

// Initialisation: path buffers, mask "*.*", the current path from the working
// directory (shown in full), the lists, and the two format lists.
void init_dialog(DialogState& s);

// Refills the Files, Directories and Drives lists, the Files list with the
// regular files that match mask (a pattern, optionally behind a directory
// part), and sets the counters to the whole Files listing. Selections go.
// Without a mask the selection mask is used.
void refresh_lists(DialogState& s, const std::string& mask);
inline void refresh_lists(DialogState& s) { refresh_lists(s, s.selection_mask); }

// The counters after a selection change in the Files list: the selected files
// (at most 256 of them), or every listed file when none is selected. A file
// that cannot be opened counts with length 0.
void update_counters(DialogState& s);

// Moves the current path and the working directory: "/path" enters a volume,
// ".." the parent (the root stays), anything else the subdirectory of that
// name. -1, with nothing changed, when the directory cannot be entered.
int change_directory(DialogState& s, const std::string& name);

// What the "Access Path:" field shows for a path after a directory move.
std::string displayed_path(const std::string& path);

// The commands of the dialog; each refreshes the lists.
void apply_mask(DialogState& s, const std::string& text);     // Enter
void go_to_volume_root(DialogState& s);                        // " [:\]"
void go_to_parent(DialogState& s);                             // " [..]"
int enter_directory_entry(DialogState& s, std::size_t index);  // double click in Directories
int enter_drive_entry(DialogState& s, std::size_t index);      // double click in Drives

std::size_t selected_file_count(const DialogState& s);

}  // namespace lettrix
