#include "core/stream_codes.h"

namespace lettrix {

namespace {

// Every listed code byte, named or not.
constexpr std::uint8_t kListedCodes[] = {
#define LETTRIX_CODE(name, byte, operands) byte,
#define LETTRIX_CODE_UNNAMED LETTRIX_CODE
#include "core/stream_codes.def"
};

// The list may only name what the byte-range rule already says: the reader
// and the writers skip a code's operands by the rule alone, so a code listed
// with other operands would be read wrongly. (Two lines with one byte do not
// compile: listed_operands has a case per line.)
constexpr bool list_follows_the_rule() {
  for (int code = 0; code < 256; ++code) {
    if (listed_operands(static_cast<std::uint8_t>(code)) != code_operands(static_cast<std::uint8_t>(code))) return false;
  }
  for (std::uint8_t code : kListedCodes) {
    if (code < 0x20) return false;  // below TableChar no byte is a code
  }
  return true;
}
static_assert(list_follows_the_rule(),
              "core/stream_codes.def: a code below 0x20, or whose operands differ from its byte range's");

struct NamedCode {
  std::string_view name;
  std::uint8_t code;
};

// The named codes (no two share a name: each name is also one of Code's).
constexpr NamedCode kNamedCodes[] = {
#define LETTRIX_CODE(name, byte, operands) {#name, byte},
#define LETTRIX_CODE_UNNAMED(name, byte, operands)
#include "core/stream_codes.def"
};

}  // namespace

const char* code_name(std::uint8_t code) {
  switch (code) {
#define LETTRIX_CODE(name, byte, operands) \
  case byte: return #name;
#define LETTRIX_CODE_UNNAMED(name, byte, operands)
#include "core/stream_codes.def"
    default: return nullptr;
  }
}

int find_code(std::string_view name) {
  for (const NamedCode& named : kNamedCodes) {
    if (named.name == name) return named.code;
  }
  return -1;
}

}  // namespace lettrix
