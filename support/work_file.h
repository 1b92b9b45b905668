// Private work files for readers and writers: scratch streams that no other
// program and no other conversion can see, that never take a name in the
// working directory or beside a document, and that vanish when closed, on
// every exit path, even when the process is killed.
#pragma once

#include "support/file_handle.h"

namespace lettrix {

// An empty stream open for reading and writing in binary mode, or a null
// pointer when none can be had. Closing it (the FilePtr going out of scope)
// deletes it.
FilePtr open_work_file();

}  // namespace lettrix
