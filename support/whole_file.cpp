#include "support/whole_file.h"

#include <new>

#include "core/byte_helpers.h"

namespace lettrix {

bool read_whole_file(std::FILE* in, std::vector<std::uint8_t>& data) {
  const long size = stream_size(in);
  if (size < 0) return false;
  try {
    data.resize(static_cast<std::size_t>(size));
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (std::fseek(in, 0, SEEK_SET) != 0) return false;
  return data.empty() || std::fread(data.data(), 1, data.size(), in) == data.size();
}

}  // namespace lettrix
