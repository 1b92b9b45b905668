// Routines over open binary streams: copying a run of bytes from one stream to
// another, and searching a stream forward for a keyword.
//
// A keyword is 1 to 255 bytes. Its first byte must match exactly; the others
// match without regard to the case of ASCII letters. Candidates may overlap:
// the key "xxy" is found at offset 1 of "xxxy".
#pragma once

#include <cstdio>
#include <string_view>

namespace lettrix {

// Copies up to count bytes from the current position of src to the current
// position of dst, 40960 bytes at a time; a source that ends first ends the
// copy early. Both streams are left just after the copied run. Returns 0, or
// -1 (nothing copied) when no copy buffer can be had.
int copy_stream_bytes(std::FILE* src, std::FILE* dst, long count);

// Searches forward from the current position. Found: returns the position of
// the match and leaves the stream there. Not found: returns 0 with the stream
// at its end (so a match at offset 0 and no match give the same result).
long find_keyword(std::FILE* in, const char* key);

// Searches forward from the current position. Found: returns the number of
// bytes between the starting position and the match, and leaves the stream
// just after the match. Not found: returns -1 with the stream at its end.
long skip_to_keyword(std::FILE* in, const char* key);

// The search itself, with an unambiguous result: the position of the match
// with the stream left there, or -1 with the stream at its end. A key that is
// empty or longer than 255 bytes is never found (the stream is not moved).
long locate_keyword(std::FILE* in, std::string_view key);

}  // namespace lettrix
