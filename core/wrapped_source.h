// The layer in front of every reader: a source that travels in a wrapper
// (MacBinary, BinHex, AppleSingle, or a data fork with its AppleDouble file
// "._NAME" beside it) is unwrapped before its reader runs. The reader gets
// the data fork as a file of its own, and the resource fork, when there is
// one, through resource_fork_of (core/driver_state.h). Both forks are private
// work files in the temporary directory, removed when the PreparedSource
// goes. A plain file goes to its reader as it is.
#pragma once

#include <string>

#include "core/mac_wrappers.h"
#include "support/file_handle.h"

namespace lettrix {

struct PreparedSource {
  PreparedSource() = default;
  PreparedSource(const PreparedSource&) = delete;
  PreparedSource& operator=(const PreparedSource&) = delete;
  // Withdraws the published resource fork; the guards remove the work files.
  ~PreparedSource();

  std::string reader_path;  // what the reader opens
  WrapperKind wrapper = WrapperKind::None;
  std::string file_type;  // as the wrapper keeps it ("TEXT"), or empty
  std::string file_creator;
  RemoveGuard data_file;
  RemoveGuard resource_file;
};

// Prepares source for its reader, and publishes what the reader is to see
// (core/source_view.h: its data fork, the resource fork and the codes the
// wrapper kept) under reader_path until the PreparedSource goes. False, with a reason that names the
// wrapper ("BinHex: data fork CRC mismatch"), when the wrapper is damaged or
// the work files cannot be written; nothing is left behind then.
// known_plain: the caller's detection found no wrapper in source and none
// beside it (Detection::plain_file), so source goes to its reader unread.
bool prepare_source(const std::string& source, PreparedSource& prepared, std::string& error,
                    bool known_plain = false);

}  // namespace lettrix
