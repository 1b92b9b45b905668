#include "readers/plain_bytes.h"

#include "core/stream_codes.h"

namespace lettrix {

const std::uint8_t* PlainByteTables::find(const ReaderTable& table) {
  last_table_ = &table;
  for (const auto& plain : tables_)
    if (plain->table == &table) return last_bytes_ = plain->bytes.data();
  auto plain = std::make_unique<Plain>();
  plain->table = &table;
  for (std::size_t b = 0; b < plain->bytes.size(); ++b) {
    const std::uint16_t entry = table[b];
    const int byte = entry_index(entry);
    if (!structure_[b] && !is_table_char(entry) && byte != kEscape) plain->bytes[b] = static_cast<std::uint8_t>(byte);
  }
  tables_.push_back(std::move(plain));
  return last_bytes_ = tables_.back()->bytes.data();
}

}  // namespace lettrix
