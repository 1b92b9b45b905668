#pragma once

#include "core/signature.h"

namespace lettrix {

// Reader of "Mac Text Only": a plain Macintosh text file (data fork only).
int orig_text_only(const char* source_path, const char* stream_path);

// Its signature test (core/signature.h).
Confidence signature_mac_text(const DataForkView& fork, std::string* why);

}  // namespace lettrix
