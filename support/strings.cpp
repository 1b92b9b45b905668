#include "support/strings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lettrix {

std::string& upper_latin1(std::string& s) {
  for (char& ch : s) {
    unsigned char c = static_cast<unsigned char>(ch);
    if ((c >= 0x61 && c <= 0x7A) || (c >= 0xE0 && c <= 0xFE)) ch = static_cast<char>(c - 0x20);
  }
  return s;
}

std::string& lower_latin1(std::string& s) {
  for (char& ch : s) {
    unsigned char c = static_cast<unsigned char>(ch);
    if ((c >= 0x41 && c <= 0x5A) || (c >= 0xC0 && c <= 0xDE)) ch = static_cast<char>(c + 0x20);
  }
  return s;
}

std::string& translate_bytes(std::string& dest, std::string_view src, const ByteTable& table) {
  std::string out;
  out.reserve(src.size());
  for (char ch : src) {
    if (ch == '\0') break;
    unsigned char mapped = table[static_cast<unsigned char>(ch)];
    if (mapped == 0) break;
    out += static_cast<char>(mapped);
  }
  dest = std::move(out);
  return dest;
}

int char_in_set(char c, std::string_view set) {
  for (char s : set) {
    if (s == '\0') break;
    if (s == c) return 1;
  }
  return 0;
}

std::string& append_char(std::string& s, char c) {
  s += c;
  return s;
}

namespace {

std::size_t last_separator(const std::string& s) { return s.find_last_of("/\\"); }

}  // namespace

std::string& shorten_path(std::string& path, std::size_t max) {
  if (path.size() <= max) return path;
  const std::size_t sep_at = last_separator(path);
  const std::string name = sep_at == std::string::npos ? path : path.substr(sep_at + 1);
  const std::size_t n = name.size();
  if (n > max) {
    // Only the name is left to show: its start and an ellipsis.
    path = max >= 3 ? name.substr(0, max - 3) + "..." : std::string(max, '.');
    return path;
  }
  // Here the path holds a separator (it is longer than its name).
  const char sep = path[sep_at];
  const long keep = static_cast<long>(max) - static_cast<long>(n) - 5;
  if (keep < 0) {
    // No room for any directory: "..." + separator + as much of the end of
    // the name as fits in max - 1 characters.
    const std::size_t limit = max > 0 ? max - 1 : 0;
    std::string out = std::string("...") + sep;
    if (out.size() > limit) out.resize(limit);
    const std::size_t room = limit - out.size();
    out += name.substr(n > room ? n - room : 0);
    path = std::move(out);
    return path;
  }
  std::string head = path;
  const std::size_t limit = static_cast<std::size_t>(keep);
  while (head.size() >= limit) {
    std::size_t cut = last_separator(head);
    if (cut == std::string::npos) break;
    head.resize(cut);
  }
  if (head.size() >= limit) {
    head.resize(limit);
  } else {
    append_char(head, sep);
  }
  path = head + "..." + sep + name;
  return path;
}

int open_retry_writable(const char* path, int flags) {
  int fd = ::open(path, flags);
  if (fd >= 0) return fd;
  struct stat st {};
  if (::stat(path, &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  const mode_t original = st.st_mode & 07777;
  if (::chmod(path, original | S_IRUSR | S_IWUSR) != 0) return -1;
  fd = ::open(path, flags);
  if (fd < 0) {
    // Leave the file as it was found when the retry did not help.
    if (::chmod(path, original) != 0) {
      // Nothing more can be done; the open has failed either way.
    }
  }
  return fd;
}

std::string with_thousands(std::uint64_t n) {
  const std::string digits = std::to_string(n);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i != 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

}  // namespace lettrix
