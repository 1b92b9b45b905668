#pragma once

#include "core/signature.h"

namespace lettrix {

// Reader of "MacWrite II": the data fork of a MacWrite II document, with or
// without a 128-byte MacBinary header in front of it. Returns 0, -1 when a
// file cannot be opened or the source is no MacWrite II document (or one whose
// format tables are cut short), -2 when the source is empty.
int orig_macwII(const char* source_path, const char* stream_path);

// Its signature test (core/signature.h).
Confidence signature_macwrite_ii(const DataForkView& fork, std::string* why);

}  // namespace lettrix
