// The printed form of a stream: any text either parses or is refused with a
// message and an offset inside it; what parses prints back and parses again
// to the same bytes, in both forms, and the text taken as a stream's bytes
// prints and parses back to itself.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/stream_parser.h"
#include "core/stream_printer.h"

using namespace lettrix;

namespace {

void fail(const char* what, const std::string& text) {
  std::fprintf(stderr, "stream parser: %s\n%s\n", what, text.c_str());
  std::abort();
}

// print then parse gives the bytes back; the print of those is the same text.
void check_round_trip(std::string_view bytes) {
  for (bool multiline : {false, true}) {
    const std::string text = print_stream(bytes, multiline);
    const ParsedStream again = parse_stream(text);
    if (!again.ok()) fail(again.error.c_str(), text);
    if (again.bytes != bytes) fail("the print reads back as other bytes", text);
    if (print_stream(again.bytes, multiline) != text) fail("the print changes on a second round", text);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const ParsedStream parsed = parse_stream(text);
  if (parsed.ok()) {
    check_round_trip(parsed.bytes);
  } else if (parsed.error.empty() || parsed.offset > size || !parsed.bytes.empty()) {
    fail("a refusal without a message or with an offset outside the text", parsed.error);
  }
  check_round_trip(text);
  return 0;
}
