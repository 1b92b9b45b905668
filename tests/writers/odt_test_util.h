// Reading back the parts of an OpenDocument package the writer made.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace lettrix::testing {

struct OdtEntry {
  std::string name;
  std::string data;
  int method = -1;             // 0 stored, 8 deflated
  unsigned dos_time = 0, dos_date = 0;
};

// The entries of a zip file in their order; empty when it cannot be read.
std::vector<OdtEntry> read_zip(const std::string& path);
// The stream written as OpenDocument Text in a scratch folder, and its entries.
std::vector<OdtEntry> odt_of(const std::string& stream, int* rc = nullptr);
// One entry's data ("" when absent).
std::string entry(const std::vector<OdtEntry>& entries, const std::string& name);
// The text between <office:text> and </office:text> of content.xml, its
// line ends removed.
std::string odt_body(const std::vector<OdtEntry>& entries);

}  // namespace lettrix::testing
