#pragma once

namespace lettrix {

// A reader or writer: opens both files itself, does its whole job, closes them.
// Returns 0 on success, -1 when a file cannot be opened or (readers) the
// document is not of the format, -2 when the input is empty; readers may
// return other nonzero values for a source they cannot read.
using Handler = int (*)(const char* input_path, const char* output_path);

inline constexpr int kHandlerOk = 0;
inline constexpr int kHandlerCannotOpen = -1;
inline constexpr int kHandlerEmpty = -2;
// Writers: the document is larger than the target format can hold.
inline constexpr int kHandlerTooLarge = -3;

}  // namespace lettrix
