// Reads a Word for DOS document back for the tests: header fields, text,
// character and paragraph runs with their records, footnote table, and every
// inconsistency between them (as an error text).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lettrix::testing {

struct DosRun {
  std::uint32_t start = 0;  // file offsets
  std::uint32_t end = 0;
  bool is_default = false;  // pointer 0xFFFF: no record
  std::vector<std::uint8_t> record;  // the property bytes (without the length byte)

  // A record byte, 0 past the record's length.
  int byte(std::size_t i) const { return i < record.size() ? record[i] : 0; }
  int word(std::size_t i) const { return static_cast<std::int16_t>(byte(i) | (byte(i + 1) << 8)); }
};

struct DosDocument {
  std::uint32_t text_limit = 0;
  unsigned paragraph_page = 0, footnote_page = 0, end_page = 0;
  std::string text;  // bytes 128 to the text limit
  std::vector<DosRun> chars, paras;
  std::vector<int> char_page_runs, para_page_runs;  // runs per page
  unsigned note_count = 0;                           // first word of the footnote table
  std::vector<std::pair<std::uint32_t, std::uint32_t>> notes;  // entries, the closing one last
  std::string error;                                 // empty when the document holds together

  // The run that covers a file offset (nullptr when none does).
  const DosRun* char_at(std::uint32_t offset) const;
  const DosRun* para_at(std::uint32_t offset) const;
  // File offset of the first occurrence of the text (128 + index).
  std::uint32_t offset_of(const std::string& s) const;
};

DosDocument read_dos_document(const std::string& bytes);

// Writes the stream to a scratch file, converts it with dest_word_dos, and
// returns the handler's result and the target's bytes.
int word_dos_of(const std::string& stream, std::string& target);

}  // namespace lettrix::testing
