// The characters of a reader's text that reach the stream as one plain byte
// each, for the loops that copy the text between two runs: one look-up per
// byte instead of the table entry's tests in write_source_char.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/charset.h"

namespace lettrix {

// For each reader table met, what each source byte becomes when
// write_source_char would write it as one plain byte (0 for the reader's
// structure bytes, for characters written as codes and for bytes without a
// character). A table's bytes are worked out the first time it is asked for
// and stay where they are for the whole conversion.
class PlainByteTables {
 public:
  explicit PlainByteTables(const std::array<bool, 256>& structure) : structure_(structure) {}

  const std::uint8_t* bytes(const ReaderTable& table) {
    if (&table == last_table_) return last_bytes_;
    return find(table);
  }

 private:
  const std::uint8_t* find(const ReaderTable& table);

  struct Plain {
    const ReaderTable* table = nullptr;
    std::array<std::uint8_t, 256> bytes{};
  };
  const std::array<bool, 256>& structure_;
  std::vector<std::unique_ptr<Plain>> tables_;
  const ReaderTable* last_table_ = nullptr;  // asked for last
  const std::uint8_t* last_bytes_ = nullptr;
};

}  // namespace lettrix
