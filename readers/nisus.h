#pragma once

#include "core/signature.h"

namespace lettrix {

// Reader of "Nisus Writer": a Nisus Writer document as a MacBinary file, the
// text from its data fork and the footnote texts from the "FNTX" resources of
// its resource fork. Returns 0, -1 when a file cannot be opened, the source is
// no MacBinary file of type "TEXT", its forks do not fit in it, or its
// resource fork is damaged; -2 when the source is empty.
int orig_nisus(const char* source_path, const char* stream_path);

// Its signature test (core/signature.h).
Confidence signature_nisus(const DataForkView& fork, std::string* why);

}  // namespace lettrix
