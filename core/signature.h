// Signature tests: how a source format is told by a file's content. Each
// source format has one (named in core/formats.def, written beside its
// reader); detection runs them all and takes the strongest, and the reader
// runs its own before it reads, so that a file refused says why.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace lettrix {

enum class Confidence { None, Possible, Likely, Certain };

// What a signature test looks at: the first bytes of the data fork (at most
// kDetectPrefix), its size, and the type and creator codes when a wrapper
// kept them.
struct DataForkView {
  std::span<const std::uint8_t> head;
  std::uint64_t size = 0;
  std::string_view type;
  std::string_view creator;
};

// A signature test. A type and creator that name the format make it
// certain; the bytes alone make it likely at most. When it answers None and
// why is not null, *why says which test failed, in words for the user
// ("no \"BOBO\" at byte 4", "version word 0x0107 is neither 3 nor 6").
using SignatureTest = Confidence (*)(const DataForkView& fork, std::string* why);

// A target format's output test: whether the first bytes of a file are of a
// kind this program writes (then it was converted already). kind names the
// kind for the user ("RTF"), null when the bytes are not of it. A weak match
// (text of the PC kind, which a wrapper such as BinHex may look like too) is
// taken only for a file that no wrapper explains.
struct OutputMatch {
  const char* kind = nullptr;
  bool weak = false;
};
using OutputTest = OutputMatch (*)(std::span<const std::uint8_t> head);

// Sets *why (when not null) and answers None: `return refuse(why, "...")`.
Confidence refuse(std::string* why, std::string reason);

// Pieces the tests share.
bool starts_with(std::span<const std::uint8_t> b, std::string_view s, std::size_t at = 0);
// The big-endian word at `at`, 0 when the bytes end first.
std::uint16_t word_at(std::span<const std::uint8_t> b, std::size_t at);
bool any_zero(std::span<const std::uint8_t> b, std::size_t from, std::size_t to);
bool has_codes(const DataForkView& f, std::string_view type, std::string_view creator);
// "0x0107": a 16-bit word as the refusals show it.
std::string hex_word(unsigned value);
// "\"WORD\"" or "none": a type or creator code as the refusals show it.
std::string code_text(std::string_view code);

// How many NUL bytes a text of `size` bytes may hold and still be text: one
// in 4,096 (a long manual with a stray NUL is text; binary data has them
// everywhere), none in a text shorter than that.
inline std::size_t stray_nuls_allowed(std::size_t size) { return size / 4096; }

// A byte that text does not hold: a control character other than tab, line
// feed, form feed, carriage return, backspace (typewriter accents), vertical
// tab, Ctrl-Z and the system font's symbols 0x11 to 0x14 (command key, check
// mark, diamond, Apple logo, as manuals write "press ⌘-Q"), or DEL. NUL is
// one (and is also counted on its own: stray_nuls_allowed).
constexpr bool is_stray_control(std::uint8_t c) {
  return (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != '\b' && c != 0x0B &&
          c != 0x1A && (c < 0x11 || c > 0x14)) ||
         c == 0x7F;
}

// Text: NUL bytes no more than stray_nuls_allowed, at most one byte in fifty
// a stray control byte (is_stray_control), and three bytes in four plain
// ASCII (letters, digits, punctuation, spaces and line ends). On false, *why
// (when not null) says which.
bool looks_like_text(std::span<const std::uint8_t> b, std::string* why = nullptr);

}  // namespace lettrix
