#pragma once

#include "core/signature.h"

namespace lettrix {

// Reader of "Nisus Writer": the text from the data fork and the footnote
// texts from the "FNTX" resources of the resource fork, which a wrapper
// (MacBinary, BinHex, AppleSingle, AppleDouble) keeps. Returns 0; -1 when a
// file cannot be opened, no wrapper kept a resource fork, the type it kept is
// not "TEXT", or the resource fork is damaged (handler_reason() says which);
// -2 when the data fork is empty.
int orig_nisus(const char* source_path, const char* stream_path);

// Its signature test (core/signature.h).
Confidence signature_nisus(const DataForkView& fork, std::string* why);

}  // namespace lettrix
