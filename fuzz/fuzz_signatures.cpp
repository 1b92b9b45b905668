// Every source format's signature test, and the marks of other formats, on
// any bytes and any type and creator codes: never a crash or a read outside
// the bytes given, the same answer with and without a reason asked for, a
// reason exactly when the answer is no, and no document claimed that another
// format's mark begins.
//
// Input: the first bytes of the file (so that documents seed it as they are).
// Its last byte also gives flags: bit 0, the 8 bytes before it are a type and
// a creator as a wrapper keeps them; bit 1, the file is larger than the bytes
// given.
#include <cstdlib>
#include <span>
#include <string>

#include "core/foreign_formats.h"
#include "core/format_registry.h"
#include "core/signature.h"
#include "core/source_detection.h"

using namespace lettrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> in(data, size);
  if (in.empty()) return 0;
  const std::uint8_t flags = in.back();
  std::string type, creator;
  if ((flags & 1) && in.size() >= 9) {
    type.assign(reinterpret_cast<const char*>(in.data() + in.size() - 9), 4);
    creator.assign(reinterpret_cast<const char*>(in.data() + in.size() - 5), 4);
  }
  const std::uint64_t file_size = (flags & 2) ? in.size() + (std::uint64_t{flags} << 12) : in.size();
  const DataForkView view{in.first(std::min(in.size(), kDetectPrefix)), file_size, type, creator};
  for (int row = 0; row < SourceRowCount; ++row) {
    std::string why;
    const Confidence quiet = source_signature(row)(view, nullptr);
    const Confidence told = source_signature(row)(view, &why);
    if (quiet != told) std::abort();
    if ((told == Confidence::None) != !why.empty()) std::abort();
  }
  std::string why;
  if (looks_like_text(view.head, &why) == !why.empty()) std::abort();
  if (type.empty() && foreign_format(view.head) && detect_bytes(in).is_source()) std::abort();
  return 0;
}
