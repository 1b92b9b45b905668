#include "writers/odt_test_util.h"

#include <zip.h>

#include "test_util.h"
#include "writers/odt.h"

namespace lettrix::testing {

std::vector<OdtEntry> read_zip(const std::string& path) {
  std::vector<OdtEntry> entries;
  int error = 0;
  zip_t* z = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
  if (!z) return entries;
  const zip_int64_t count = zip_get_num_entries(z, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    OdtEntry e;
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(z, static_cast<zip_uint64_t>(i), 0, &st) != 0) break;
    e.name = st.name;
    e.method = st.comp_method;
    zip_file_t* f = zip_fopen_index(z, static_cast<zip_uint64_t>(i), 0);
    if (!f) break;
    char block[4096];
    for (zip_int64_t n; (n = zip_fread(f, block, sizeof block)) > 0;) e.data.append(block, static_cast<std::size_t>(n));
    zip_fclose(f);
    entries.push_back(std::move(e));
  }
  zip_discard(z);
  return entries;
}

std::vector<OdtEntry> odt_of(const std::string& stream, int* rc) {
  ScratchDir dir;
  write_file(dir.file("s"), stream);
  const int result = dest_odt(dir.file("s").c_str(), dir.file("t.odt").c_str());
  if (rc) *rc = result;
  return read_zip(dir.file("t.odt"));
}

std::string entry(const std::vector<OdtEntry>& entries, const std::string& name) {
  for (const OdtEntry& e : entries)
    if (e.name == name) return e.data;
  return "";
}

std::string odt_body(const std::vector<OdtEntry>& entries) {
  const std::string content = entry(entries, "content.xml");
  const std::size_t from = content.find("<office:text>");
  const std::size_t to = content.find("</office:text>");
  if (from == std::string::npos || to == std::string::npos) return "";
  std::string body = content.substr(from + 13, to - from - 13);
  std::string out;
  for (const char c : body)
    if (c != '\n') out += c;
  return out;
}

}  // namespace lettrix::testing
