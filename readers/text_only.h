#pragma once

#include "core/signature.h"

namespace lettrix {

// Reader of "Mac Text Only": a plain Macintosh text file, with the styles
// and pictures that TextEdit-based editors keep in its resource fork when a
// wrapper kept that (readers/mac_text_styles.h). Returns 0; kHandlerDamaged
// when the style table is damaged (the text is written with the runs that
// could be used); -1 when a file cannot be opened or the source is not text
// (its signature test fails and its first bytes do not look like text:
// handler_reason() says why). An empty file converts to an empty stream.
int orig_text_only(const char* source_path, const char* stream_path);

// Its signature test (core/signature.h).
Confidence signature_mac_text(const DataForkView& fork, std::string* why);

}  // namespace lettrix
