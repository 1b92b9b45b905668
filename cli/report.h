// The report a collection keeps (--report FILE): one JSON Lines record per
// source, appended as each file finishes, so that an interrupted run leaves
// a valid report of what was done and a resumed run adds to it.
//
//   {"source":"disks/a.image/Letters/Paul","image":"disks/a.image","format":"MacWrite II",
//    "confidence":"certain","wrapper":null,"target":"out/a.image/Letters/Paul.odt",
//    "status":"converted","reason":null,"source_bytes":10240,"target_bytes":8811,
//    "source_sha256":"...","target_sha256":"...","version":"lettrix 0.1.0"}
//
// status is "converted", "damaged" (a target holds what could be read),
// "failed" or "skipped"; reason says why for all but "converted".
#pragma once

#include <cstdint>
#include <string>

#include "core/driver.h"

namespace lettrix {

struct ReportRecord {
  std::string source;  // as the run names it
  std::string image;   // the disk image it lies in, when it does
  std::string source_file;  // where its bytes are read for the checksum ("" for none)
  std::string target_file;  // the same for the target written ("" for none)
  ConversionResult result;
};

// One record as a JSON line, its newline included. Strings are UTF-8 (bytes
// that are not become U+FFFD); sizes and checksums of files that cannot be
// read are null.
std::string report_line(const ReportRecord& record);

// The report file, opened for appending (created when missing; a report
// already there is added to, never replaced).
class ConversionReport {
 public:
  ConversionReport() = default;
  ConversionReport(const ConversionReport&) = delete;
  ConversionReport& operator=(const ConversionReport&) = delete;
  ~ConversionReport();

  // False with a reason when the file cannot be opened.
  bool open(const std::string& path, std::string& why);
  bool is_open() const { return fd_ >= 0; }
  void close();
  // Writes one record in one piece; false with a reason when it cannot.
  bool add(const ReportRecord& record, std::string& why);

 private:
  int fd_ = -1;
  std::string path_;
};

}  // namespace lettrix
