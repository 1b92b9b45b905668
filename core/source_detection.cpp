#include "core/source_detection.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <functional>
#include <vector>

#include "core/binhex.h"
#include "core/byte_helpers.h"
#include "core/format_registry.h"
#include "support/file_handle.h"
#include "support/platform.h"

namespace lettrix {

namespace {

// Reads count bytes from offset of the file under test (fewer at its end).
using ReadAt = std::function<std::vector<std::uint8_t>(std::uint64_t offset, std::size_t count)>;

bool starts_with(std::span<const std::uint8_t> b, std::string_view s, std::size_t at = 0) {
  return b.size() >= at + s.size() && std::memcmp(b.data() + at, s.data(), s.size()) == 0;
}

std::uint16_t word_at(std::span<const std::uint8_t> b, std::size_t at) {
  return b.size() >= at + 2 ? be16_at(b.data() + at) : 0;
}

bool any_zero(std::span<const std::uint8_t> b, std::size_t from, std::size_t to) {
  for (std::size_t i = from; i < to && i < b.size(); ++i)
    if (b[i] == 0) return true;
  return false;
}

// Text: no NUL, at most one byte in fifty a control character other than
// tab, line feed, form feed, carriage return, backspace (typewriter accents),
// vertical tab and Ctrl-Z, and three bytes in four plain ASCII (letters,
// digits, punctuation, spaces and line ends): Mac Roman characters from 0x80
// on are the accents and signs among them.
bool looks_like_text(std::span<const std::uint8_t> b) {
  if (b.empty()) return false;
  std::size_t odd = 0;
  std::size_t ascii = 0;
  for (std::uint8_t c : b) {
    if (c == 0) return false;
    if ((c >= 0x20 && c < 0x7F) || c == '\t' || c == '\r' || c == '\n') ++ascii;
    else if (c < 0x20 && c != '\f' && c != '\b' && c != 0x0B && c != 0x1A) ++odd;
    else if (c == 0x7F) ++odd;
  }
  return odd * 50 <= b.size() && ascii * 4 >= b.size() * 3;
}

// PC text: text whose lines end in CR LF, with no CR on its own.
bool looks_like_pc_text(std::span<const std::uint8_t> b) {
  if (!looks_like_text(b)) return false;
  bool crlf = false;
  for (std::size_t i = 0; i < b.size(); ++i) {
    if (b[i] != '\r') continue;
    if (i + 1 == b.size()) break;  // the window may end between the two
    if (b[i + 1] != '\n') return false;
    crlf = true;
  }
  return crlf;
}

bool has_codes(const DataForkView& f, std::string_view type, std::string_view creator) {
  return f.type == type && (creator.empty() || f.creator == creator);
}

// The signature tests, one per source row. A type and creator that name the
// format make a test certain; the bytes alone make it likely at most.

Confidence test_mac_text(const DataForkView& f) {
  if (f.type == "TEXT") return f.creator == "NISI" ? Confidence::None : Confidence::Certain;
  if (!f.type.empty() || !looks_like_text(f.head)) return Confidence::None;
  // Macintosh lines end in CR; a file without any may be text of any kind.
  return std::find(f.head.begin(), f.head.end(), '\r') != f.head.end() ? Confidence::Likely : Confidence::Possible;
}

// MacWrite 2.2: the version word 3, the first paragraph inside the file.
Confidence test_macwrite_22(const DataForkView& f) {
  if (word_at(f.head, 0) != 3) return Confidence::None;
  if (has_codes(f, "WORD", "MACA")) return Confidence::Certain;
  if (!f.type.empty()) return Confidence::Possible;
  return f.head.size() >= 6 && word_at(f.head, 2) < f.size ? Confidence::Likely : Confidence::Possible;
}

// MacWrite 4.6: the version word 6 and room for the three text descriptors.
Confidence test_macwrite_46(const DataForkView& f) {
  if (word_at(f.head, 0) != 6) return Confidence::None;
  if (has_codes(f, "WORD", "MACA")) return Confidence::Certain;
  if (!f.type.empty()) return Confidence::Possible;
  constexpr std::uint64_t kDescriptorsEnd = 276;
  return f.size >= kDescriptorsEnd ? Confidence::Likely : Confidence::Possible;
}

// MacWrite II: "." at byte 1 or 3, binary bytes around it, the third block
// present (the document chain starts there).
Confidence test_macwrite_ii(const DataForkView& f) {
  if (has_codes(f, "MW2D", "MWII")) return Confidence::Certain;
  const bool dot = (f.head.size() > 1 && f.head[1] == '.') || (f.head.size() > 3 && f.head[3] == '.');
  if (!dot || !any_zero(f.head, 0, 4)) return Confidence::None;
  constexpr std::uint64_t kThirdBlockEnd = 768;
  return f.size >= kThirdBlockEnd && f.type.empty() ? Confidence::Likely : Confidence::Possible;
}

bool is_works_creator(std::string_view c) { return c == "PSIP" || c == "PSI2" || c == "MSWK"; }

Confidence test_works(const DataForkView& f, std::uint8_t version) {
  constexpr std::size_t kHeader = 32;
  if (f.head.size() < kHeader || f.head[3] != version) return Confidence::None;
  if (f.type == "AWWP" && is_works_creator(f.creator)) return Confidence::Certain;
  if (f.head[0] != 0 || f.head[1] != 0 || f.head[2] != 0) return Confidence::None;
  if (version == 9 && f.head[17] != 1) return Confidence::None;
  return f.type.empty() ? Confidence::Likely : Confidence::Possible;
}
Confidence test_works_2(const DataForkView& f) { return test_works(f, 8); }
Confidence test_works_3(const DataForkView& f) { return test_works(f, 9); }

Confidence test_clarisworks(const DataForkView& f) {
  if (!starts_with(f.head, "BOBO", 4)) return Confidence::None;
  return Confidence::Certain;
}

// Ragtime 2: the version word 0x200 to 0x254 (from 0x255 on it is Ragtime 3),
// the first page record inside the file and its first component too.
Confidence test_ragtime_2(const DataForkView& f) {
  constexpr std::uint64_t kRecords = 256;
  constexpr std::uint64_t kRecordSize = 40;
  const std::uint16_t version = word_at(f.head, 4);
  if (f.head.size() < 132 || version < 0x200 || version >= 0x255) return Confidence::None;
  if (f.creator == "R#+A") return Confidence::Certain;
  auto record_fits = [&](std::uint64_t n) { return n == 0 || kRecords + n * kRecordSize <= f.size; };
  const std::uint16_t page = word_at(f.head, 130);
  if (!record_fits(page)) return Confidence::None;
  const std::size_t page_at = static_cast<std::size_t>(kRecords + (page - 1) * kRecordSize);
  if (page != 0 && f.head.size() >= page_at + 10 && !record_fits(word_at(f.head, page_at + 8)))
    return Confidence::None;
  return f.type.empty() ? Confidence::Likely : Confidence::Possible;
}

// Ragtime 3: the version word 0x155 to 0xFFF, an entry count the file holds.
Confidence test_ragtime_3(const DataForkView& f) {
  constexpr std::size_t kEntries = 224;
  constexpr std::size_t kEntrySize = 54;
  const std::uint16_t version = word_at(f.head, 4);
  if (f.head.size() < kEntries || version < 0x155 || version > 0xFFF) return Confidence::None;
  if (word_at(f.head, 96) > (f.size - kEntries) / kEntrySize) return Confidence::None;
  if (f.creator == "R#+A") return Confidence::Certain;
  return f.type.empty() ? Confidence::Likely : Confidence::Possible;
}

// Nisus Writer keeps plain text in its data fork: only its creator tells.
Confidence test_nisus(const DataForkView& f) { return f.creator == "NISI" ? Confidence::Certain : Confidence::None; }

constexpr std::array<SourceSignature, 10> kSignatures = {{
    {SrcMacText, test_mac_text},
    {SrcMacWrite22, test_macwrite_22},
    {SrcMacWrite46, test_macwrite_46},
    {SrcMacWriteII, test_macwrite_ii},
    {SrcWorks2, test_works_2},
    {SrcWorks3, test_works_3},
    {SrcClarisWorks, test_clarisworks},
    {SrcRagtime2, test_ragtime_2},
    {SrcRagtime3, test_ragtime_3},
    {SrcNisus, test_nisus},
}};

// ClarisWorks documents of other kinds (spreadsheet, drawing, painting,
// database): by their type code, or by a first zone without any text (see
// readers/clarisworks.cpp) when it lies inside the bytes looked at.
bool is_clarisworks_other_kind(const DataForkView& f) {
  if (f.creator == "BOBO" && f.type.size() == 4 && f.type != "CWWP") return true;
  constexpr std::string_view kZoneTag = "DSET";
  const auto& b = f.head;
  auto hit = std::search(b.begin(), b.end(), kZoneTag.begin(), kZoneTag.end());
  if (hit == b.end()) return false;
  std::size_t at = static_cast<std::size_t>(hit - b.begin()) + kZoneTag.size();
  for (int item = 0; item < 5; ++item) {
    if (b.size() - at < 4) return false;
    const std::uint32_t length = be32_at(b.data() + at);
    at += 4;
    if (length > b.size() - at) return false;
    at += length;
  }
  return b.size() - at >= 4 && be32_at(b.data() + at) == 0;
}

ConvertedKind converted_kind(std::span<const std::uint8_t> b) {
  if (starts_with(b, "{\\rtf")) return ConvertedKind::Rtf;
  if (starts_with(b, std::string_view("\x31\xBE\x00\x00\x00\xAB", 6))) return ConvertedKind::WordDos;
  if (starts_with(b, "\xDB\xA5")) return ConvertedKind::WinWord2;
  if (starts_with(b, "\xFFWPC")) return ConvertedKind::WordPerfect5;
  if (looks_like_pc_text(b)) return ConvertedKind::PcText;
  return ConvertedKind::None;
}

std::string source_name(int row) { return source_formats.rows[row].name; }

// Classifies a data fork by the table: the strongest test wins, the first
// row among equals.
void classify(const DataForkView& f, Detection& d) {
  if (f.size == 0) {
    d.verdict = Verdict::NotMacDocument;
    d.name = "empty file";
    return;
  }
  if (starts_with(f.head, "BOBO", 4) || f.creator == "BOBO") {
    if (is_clarisworks_other_kind(f)) {
      d.verdict = Verdict::NotMacDocument;
      d.name = "ClarisWorks document that is not word processing";
      return;
    }
  }
  Confidence best = Confidence::None;
  int row = -1;
  for (const SourceSignature& s : kSignatures) {
    const Confidence c = s.test(f);
    if (c > best) {
      best = c;
      row = s.row;
    }
  }
  if (row < 0) {
    d.verdict = Verdict::NotMacDocument;
    return;
  }
  d.verdict = Verdict::Source;
  d.source_row = row;
  d.confidence = best;
  d.name = source_name(row);
}

void set_damaged(Detection& d, const WrappedFile& info, const std::string& error) {
  d.verdict = Verdict::DamagedWrapper;
  d.wrapper = info;
  d.problem = error;
}

// The whole detection over a file seen through its first bytes and read_at.
Detection detect(std::span<const std::uint8_t> head, std::uint64_t size, const ReadAt& read_at,
                 std::span<const std::uint8_t> companion, std::uint64_t companion_size, bool is_companion_name) {
  Detection d;
  std::string error;
  WrappedFile info;

  // A file of our own target formats.
  if (const ConvertedKind k = converted_kind(head); k != ConvertedKind::None && k != ConvertedKind::PcText) {
    d.verdict = Verdict::AlreadyConverted;
    d.converted = k;
    d.name = converted_name(k);
    return d;
  }

  // Wrappers that carry the data fork in the file itself.
  if (WrapperCheck w = probe_macbinary(head, size, info, error); w != WrapperCheck::NotWrapped) {
    if (w == WrapperCheck::Damaged) {
      set_damaged(d, info, error);
      return d;
    }
    d.wrapper = info;
    const std::size_t from = static_cast<std::size_t>(info.data_offset);
    auto fork = head.subspan(std::min(from, head.size()));
    fork = fork.first(static_cast<std::size_t>(std::min<std::uint64_t>(fork.size(), info.data_length)));
    classify({fork, info.data_length, info.type, info.creator}, d);
    return d;
  }
  if (WrapperCheck w = probe_applesingle(head, size, info, error); w != WrapperCheck::NotWrapped) {
    if (w == WrapperCheck::Damaged) {
      set_damaged(d, info, error);
      return d;
    }
    if (!info.has_data_fork) {
      // An AppleDouble header: its document is the file without the "._".
      d.verdict = Verdict::NotMacDocument;
      d.name = is_companion_name ? "AppleDouble header, read with the file of the same name without \"._\""
                                 : std::string(wrapper_name(info.kind)) + " file without a data fork";
      return d;
    }
    d.wrapper = info;
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(info.data_length, kDetectPrefix));
    const std::vector<std::uint8_t> fork = read_at(info.data_offset, want);
    classify({fork, info.data_length, info.type, info.creator}, d);
    return d;
  }
  std::vector<std::uint8_t> decoded;
  if (WrapperCheck w = probe_binhex(head, info, decoded, error); w != WrapperCheck::NotWrapped) {
    if (w == WrapperCheck::Damaged) {
      set_damaged(d, info, error);
      return d;
    }
    d.wrapper = info;
    classify({decoded, info.data_length, info.type, info.creator}, d);
    return d;
  }

  // The file is the data fork; "._NAME" beside it may hold the rest.
  if (!companion.empty()) {
    WrappedFile double_info;
    const WrapperCheck w = probe_applesingle(companion, companion_size, double_info, error);
    if (w == WrapperCheck::Damaged && double_info.kind == WrapperKind::AppleDouble) {
      set_damaged(d, double_info, error);
      return d;
    }
    if (w == WrapperCheck::Ok && double_info.kind == WrapperKind::AppleDouble) {
      d.wrapper = double_info;
      classify({head, size, double_info.type, double_info.creator}, d);
      return d;
    }
  }

  d.plain_file = true;
  if (converted_kind(head) == ConvertedKind::PcText) {
    d.verdict = Verdict::AlreadyConverted;
    d.converted = ConvertedKind::PcText;
    d.name = converted_name(ConvertedKind::PcText);
    return d;
  }
  classify({head, size, {}, {}}, d);
  return d;
}

// At most count bytes from offset of a file of size bytes: no more is asked
// for than the file holds (asking past the end costs one more read).
std::vector<std::uint8_t> read_window(std::FILE* f, std::uint64_t size, std::uint64_t offset, std::size_t count) {
  if (offset >= size) return {};
  count = static_cast<std::size_t>(std::min<std::uint64_t>(count, size - offset));
  std::vector<std::uint8_t> bytes(count);
  if (offset > static_cast<std::uint64_t>(LONG_MAX) || std::fseek(f, static_cast<long>(offset), SEEK_SET) != 0)
    return {};
  bytes.resize(std::fread(bytes.data(), 1, count, f));
  return bytes;
}

}  // namespace

const char* confidence_name(Confidence c) {
  switch (c) {
    case Confidence::Possible: return "possible";
    case Confidence::Likely: return "likely";
    case Confidence::Certain: return "certain";
    case Confidence::None: break;
  }
  return "none";
}

const char* converted_name(ConvertedKind kind) {
  switch (kind) {
    case ConvertedKind::Rtf: return "RTF";
    case ConvertedKind::WordDos: return "Word for DOS";
    case ConvertedKind::WinWord2: return "Word for Windows 2";
    case ConvertedKind::WordPerfect5: return "WordPerfect 5";
    case ConvertedKind::PcText: return "PC text";
    case ConvertedKind::None: break;
  }
  return "";
}

std::string Detection::summary() const {
  const std::string in = wrapper.kind == WrapperKind::None ? "" : " in " + wrapper.description();
  switch (verdict) {
    case Verdict::Source: return name + in + " (" + confidence_name(confidence) + ")";
    case Verdict::AlreadyConverted: return "already converted (" + name + ")";
    case Verdict::DamagedWrapper: return "damaged wrapper: " + problem;
    case Verdict::Unreadable: return "cannot read the file" + (problem.empty() ? "" : ": " + problem);
    case Verdict::NotMacDocument:
      return "not a Macintosh document we read" + (name.empty() ? "" : " (" + name + in + ")");
  }
  return "";
}

std::span<const SourceSignature> source_signatures() { return kSignatures; }

Detection detect_format(const std::string& path, bool look_beside) {
  FilePtr f = open_kept_file(path);
  Detection d;
  const long size = f ? stream_size(f.get()) : -1;
  if (!f || size < 0) {
    d.verdict = Verdict::Unreadable;
    d.problem = "cannot open it";
    return d;
  }
  const auto file_size = static_cast<std::uint64_t>(size);
  const std::vector<std::uint8_t> head = read_window(f.get(), file_size, 0, kDetectPrefix);
  std::vector<std::uint8_t> companion;
  std::uint64_t companion_size = 0;
  if (look_beside && !is_appledouble_name(path)) {
    if (FilePtr c = open_file(appledouble_companion(path), "rb")) {
      const long n = stream_size(c.get());
      if (n > 0) {
        companion_size = static_cast<std::uint64_t>(n);
        companion = read_window(c.get(), companion_size, 0, kWrapperProbeSize);
      }
    }
  }
  std::FILE* file = f.get();
  return detect(head, static_cast<std::uint64_t>(size),
                [file, file_size](std::uint64_t offset, std::size_t count) {
                  return read_window(file, file_size, offset, count);
                },
                companion, companion_size, is_appledouble_name(path));
}

Detection detect_bytes(std::span<const std::uint8_t> file) {
  const auto head = file.first(std::min(file.size(), kDetectPrefix));
  return detect(head, file.size(),
                [file](std::uint64_t offset, std::size_t count) {
                  if (offset >= file.size()) return std::vector<std::uint8_t>{};
                  const auto part = file.subspan(static_cast<std::size_t>(offset));
                  const auto window = part.first(std::min(part.size(), count));
                  return std::vector<std::uint8_t>(window.begin(), window.end());
                },
                {}, 0, false);
}

}  // namespace lettrix
