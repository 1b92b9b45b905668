#include "cli/report.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/format_registry.h"
#include "support/platform.h"
#include "support/sha256.h"

namespace lettrix {

namespace {

// The length of the UTF-8 sequence at s[i], 0 when it is not a valid one.
std::size_t utf8_sequence(const std::string& s, std::size_t i) {
  const unsigned char c = static_cast<unsigned char>(s[i]);
  std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
  if (n == 0 || i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k)
    if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
  if (n == 2 && c < 0xC2) return 0;  // overlong
  if (n == 3) {
    const unsigned char d = static_cast<unsigned char>(s[i + 1]);
    if ((c == 0xE0 && d < 0xA0) || (c == 0xED && d >= 0xA0)) return 0;  // overlong, surrogate
  }
  if (n == 4) {
    const unsigned char d = static_cast<unsigned char>(s[i + 1]);
    if ((c == 0xF0 && d < 0x90) || c > 0xF4 || (c == 0xF4 && d >= 0x90)) return 0;
  }
  return n;
}

void json_string(std::string& out, const std::string& s) {
  static constexpr char kDigits[] = "0123456789abcdef";
  out += '"';
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const std::size_t n = utf8_sequence(s, i);
    if (n == 0) {
      out += "\\ufffd";
      ++i;
      continue;
    }
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c == '\n') {
      out += "\\n";
    } else if (c < 0x20 || c == 0x7F) {
      out += "\\u00";
      out += kDigits[c >> 4];
      out += kDigits[c & 15];
    } else {
      out.append(s, i, n);
    }
    i += n;
  }
  out += '"';
}

void field(std::string& out, const char* name, const std::string& value) {
  out += out.size() > 1 ? ",\"" : "\"";
  out += name;
  out += "\":";
  if (value.empty())
    out += "null";
  else
    json_string(out, value);
}

void number_field(std::string& out, const char* name, const std::string& path) {
  out += ",\"";
  out += name;
  out += "\":";
  bool ok = false;
  const std::uint64_t size = path.empty() ? 0 : file_size(path, &ok);
  out += ok ? std::to_string(size) : "null";
}

const char* status_text(const ConversionResult& r) {
  if (r.ok()) return "converted";
  if (r.status == ConversionStatus::Damaged) return "damaged";
  return r.skipped() ? "skipped" : "failed";
}

}  // namespace

std::string report_line(const ReportRecord& record) {
  const ConversionResult& r = record.result;
  // The format a conversion was tried with; for a file passed over, none.
  const bool tried = !r.skipped() && r.status != ConversionStatus::NoSuchFile && r.status != ConversionStatus::BadSource &&
                     r.status != ConversionStatus::WrapperFailed && r.status != ConversionStatus::ListFileFailed;
  std::string sha_source = r.data_sha256, sha_target;
  if (!record.source_file.empty() && r.image.empty()) sha256_of_file(record.source_file, sha_source);
  const bool has_target = !record.target_file.empty() && r.status != ConversionStatus::TargetExists;
  if (has_target) sha256_of_file(record.target_file, sha_target);
  std::string out = "{";
  field(out, "source", record.source);
  field(out, "image", record.image.empty() ? r.image : record.image);
  field(out, "format", tried ? source_formats.rows[r.source_row].name : std::string());
  field(out, "confidence", r.confidence);
  field(out, "wrapper", r.wrapper);
  field(out, "target", r.target);
  field(out, "status", status_text(r));
  field(out, "reason", r.ok() ? std::string() : r.message());
  if (!r.image.empty())
    out += ",\"source_bytes\":" + (r.data_bytes.empty() ? std::string("null") : r.data_bytes);
  else
    number_field(out, "source_bytes", record.source_file);
  number_field(out, "target_bytes", has_target ? record.target_file : std::string());
  field(out, "source_sha256", sha_source);
  field(out, "target_sha256", sha_target);
  field(out, "version", std::string("lettrix ") + LETTRIX_VERSION);
  out += "}\n";
  return out;
}

ConversionReport::~ConversionReport() { close(); }

void ConversionReport::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool ConversionReport::open(const std::string& path, std::string& why) {
  fd_ = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd_ < 0) {
    why = "cannot open the report " + path + ": " + std::strerror(errno);
    return false;
  }
  path_ = path;
  // A record cut short by a full disk before is ended, so that the next one
  // starts a line of its own.
  const off_t end = ::lseek(fd_, 0, SEEK_END);
  char last = '\n';
  if (end > 0 && ::pread(fd_, &last, 1, end - 1) == 1 && last != '\n' && ::write(fd_, "\n", 1) != 1) {
    why = "cannot write the report " + path + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

bool ConversionReport::add(const ReportRecord& record, std::string& why) {
  const std::string line = report_line(record);
  // One write for the line: the file holds whole records whenever the run
  // is interrupted.
  const ssize_t n = ::write(fd_, line.data(), line.size());
  if (n == static_cast<ssize_t>(line.size())) return true;
  why = "cannot write the report " + path_ + ": " + (n < 0 ? std::strerror(errno) : "the disk is full");
  return false;
}

}  // namespace lettrix
