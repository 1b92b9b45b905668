// Byte-at-a-time reading and writing of C streams without the stream lock
// that getc and fputc take on every call: a handler's streams are used by the
// one thread that runs it, and its inner loops go through every byte.
#pragma once

#include <cstdio>

namespace lettrix {

inline int get_byte(std::FILE* f) {
#if defined(_WIN32)
  return _getc_nolock(f);
#else
  return getc_unlocked(f);
#endif
}

inline int put_byte(int c, std::FILE* f) {
#if defined(_WIN32)
  return _putc_nolock(c, f);
#else
  return putc_unlocked(c, f);
#endif
}

}  // namespace lettrix
