#include "readers/macwrite_common.h"

#include <cstring>

#include "core/byte_helpers.h"
#include "core/char_output.h"
#include "core/emitter.h"
#include "core/stream_codes.h"

namespace lettrix {

long macwrite_base(std::FILE* in) {
  char header[kMacBinaryHeaderSize];
  std::rewind(in);
  const std::size_t got = std::fread(header, 1, sizeof header, in);
  std::rewind(in);
  if (got == sizeof header && std::memcmp(header + 65, kMacWriteTypeCreator, 8) == 0) return kMacBinaryHeaderSize;
  return 0;
}

MacWriteSource macwrite_source(std::FILE* in, long base) {
  MacWriteSource src;
  src.file = in;
  src.base = base;
  const long total = stream_size(in);
  src.size = total > base ? total - base : 0;
  // Behind a MacBinary header the data fork ends where the header says; the
  // padding and the resource fork after it are no part of the document.
  std::uint32_t data_length = 0;
  if (base == kMacBinaryHeaderSize && std::fseek(in, kMacBinaryDataLengthOffset, SEEK_SET) == 0 &&
      read_be32(in, data_length) && data_length > 0 && data_length < static_cast<std::uint32_t>(src.size)) {
    src.size = static_cast<long>(data_length);
  }
  return src;
}

std::vector<std::uint8_t> read_document(const MacWriteSource& src, long offset, long count) {
  std::vector<std::uint8_t> bytes;
  if (offset < 0 || count <= 0 || offset >= src.size) return bytes;
  const long n = count < src.size - offset ? count : src.size - offset;
  if (std::fseek(src.file, src.base + offset, SEEK_SET) != 0) return bytes;
  bytes.resize(static_cast<std::size_t>(n));
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), src.file));
  return bytes;
}

bool read_document_be16(const MacWriteSource& src, long offset, std::uint16_t& value) {
  const std::vector<std::uint8_t> b = read_document(src, offset, 2);
  if (b.size() != 2) return false;
  value = static_cast<std::uint16_t>((b[0] << 8) | b[1]);
  return true;
}

void write_mac_char(std::FILE* out, const ReaderTable& table, std::uint8_t byte) {
  write_source_char(out, table, byte);
}

}  // namespace lettrix
