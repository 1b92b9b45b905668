// Files named when the dialog starts (`lettrix FILE...`, or handed over by
// the desktop's file manager): the dialog opens in the folder of the first
// one with those of that folder selected in the Files list.
#pragma once

#include <string>
#include <vector>

#include "ui/logic/dialog_state.h"

namespace lettrix {

struct OpenTarget {
  std::string folder;               // absolute; empty: none named, stay where we are
  std::vector<std::string> names;   // files of that folder to select
};

// The folder and files for the arguments (relative ones taken from cwd, a
// "file://" URL as its path): a folder named is opened itself; files named
// in other folders than the first one's are left out. Arguments that start
// with "-" are options, not files.
OpenTarget files_to_open(const std::vector<std::string>& args, const std::string& cwd);

// Selects the Files list's entries whose names are among names (and updates
// the counters); returns how many it selected.
std::size_t select_files(DialogState& s, const std::vector<std::string>& names);

}  // namespace lettrix
