#pragma once

namespace lettrix {

// Reader of "MacWrite 2.2": the main text of a version 3 MacWrite document,
// as plain text, from its data fork with or without a MacBinary header. A
// version 6 document is handed to the MacWrite 4.6 reader.
int orig_macw22(const char* source_path, const char* stream_path);

}  // namespace lettrix
