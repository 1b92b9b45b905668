#pragma once

#include "core/signature.h"

namespace lettrix {

// Reader of "Claris/AppleWorks": the main text of a ClarisWorks or AppleWorks
// word-processing document (data fork only), with its character runs, page
// breaks and footnotes placed at their references.
int orig_clarisworks(const char* source_path, const char* stream_path);

// Its signature test (core/signature.h).
Confidence signature_clarisworks(const DataForkView& fork, std::string* why);

}  // namespace lettrix
