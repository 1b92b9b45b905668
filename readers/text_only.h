#pragma once

namespace lettrix {

// Reader of "Mac Text Only": a plain Macintosh text file (data fork only).
int orig_text_only(const char* source_path, const char* stream_path);

}  // namespace lettrix
