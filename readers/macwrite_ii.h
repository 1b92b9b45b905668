#pragma once

#include "core/signature.h"

namespace lettrix {

// Reader of "MacWrite II": the data fork of a MacWrite II document (a
// wrapper around it is looked through, see core/source_view.h). Returns 0,
// -1 when a file cannot be opened or the source is no MacWrite II document
// (or one whose format tables are cut short), with handler_reason() saying
// why, -2 when the source is empty, -4 for a damaged one (its reason too).
int orig_macwII(const char* source_path, const char* stream_path);

// Its signature test (core/signature.h).
Confidence signature_macwrite_ii(const DataForkView& fork, std::string* why);

}  // namespace lettrix
