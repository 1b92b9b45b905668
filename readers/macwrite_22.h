#pragma once

#include "core/signature.h"

namespace lettrix {

// Reader of "MacWrite 2.2": the main text of a version 3 MacWrite document,
// as plain text, from its data fork (the view looks through a wrapper). A
// version 6 document is handed to the MacWrite 4.6 reader.
int orig_macw22(const char* source_path, const char* stream_path);

// Its signature test (core/signature.h).
Confidence signature_macwrite_22(const DataForkView& fork, std::string* why);

}  // namespace lettrix
