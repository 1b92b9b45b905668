#include "core/source_detection.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <functional>
#include <vector>

#include "core/binhex.h"
#include "core/byte_helpers.h"
#include "core/foreign_formats.h"
#include "core/format_registry.h"
#include "core/source_view.h"
#include "readers/works_mac.h"
#include "support/file_handle.h"
#include "support/platform.h"

namespace lettrix {

namespace {

// Reads count bytes from offset of the file under test (fewer at its end).
using ReadAt = std::function<std::vector<std::uint8_t>(std::uint64_t offset, std::size_t count)>;

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

// The kind of a file this program writes, by the output tests of the
// target rows: strong matches only, or weak ones only; null for none.
const char* converted_kind(std::span<const std::uint8_t> b, bool weak) {
  for (int row = 0; row < TargetRowCount; ++row) {
    const OutputMatch m = target_output_test(row)(b);
    if (m.kind && m.weak == weak) return m.kind;
  }
  return nullptr;
}

std::string source_name(int row) { return source_formats.rows[row].name; }

// More lines end in CR alone than in LF alone (a CR LF pair counts for
// neither): a text of the Macintosh, even one that passed through other
// systems, and not a Unix text that holds a few CRs of its own (an editor's
// macros typed with them, say) nor a text of one line without any end.
bool ends_lines_in_cr(std::span<const std::uint8_t> b) {
  std::size_t lf = 0, cr = 0;
  for (std::size_t i = 0; i < b.size(); ++i) {
    if (b[i] == '\n' && (i == 0 || b[i - 1] != '\r')) ++lf;
    if (b[i] == '\r' && (i + 1 == b.size() || b[i + 1] != '\n')) ++cr;
  }
  return cr > lf;
}

// Classifies a data fork by the signature tests of the source rows: the
// strongest wins, the first row among equals.
void classify(const DataForkView& f, Detection& d) {
  if (f.size == 0) {
    d.verdict = Verdict::NotMacDocument;
    d.name = "empty file";
    return;
  }
  // A wrapper's type and creator decide; a plain file that another format's
  // mark begins is that format's.
  if (f.type.empty()) {
    if (const char* kind = foreign_format(f.head)) {
      d.verdict = Verdict::NotMacDocument;
      d.name = kind;
      return;
    }
  }
  if (starts_with(f.head, "BOBO", 4) || f.creator == "BOBO") {
    if (is_clarisworks_other_kind(f)) {
      d.verdict = Verdict::NotMacDocument;
      d.name = "ClarisWorks document that is not word processing";
      return;
    }
  }
  if (const std::string kind = works_other_kind(f); !kind.empty()) {
    d.verdict = Verdict::NotMacDocument;
    d.name = kind;
    return;
  }
  Confidence best = Confidence::None;
  int row = -1;
  for (int r = 0; r < SourceRowCount; ++r) {
    const Confidence c = source_signature(r)(f, nullptr);
    if (c > best) {
      best = c;
      row = r;
    }
  }
  if (row < 0) {
    d.verdict = Verdict::NotMacDocument;
    for (int r = 0; r < SourceRowCount; ++r) {
      std::string why;
      source_signature(r)(f, &why);
      d.refusals.push_back(std::string(source_formats.rows[r].name) + ": " + why);
    }
    return;
  }
  d.verdict = Verdict::Source;
  d.source_row = row;
  d.confidence = best;
  d.text_without_cr_lines = row == SrcMacText && f.type.empty() && !ends_lines_in_cr(f.head);
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
  if (const char* kind = converted_kind(head, false)) {
    d.verdict = Verdict::AlreadyConverted;
    d.name = kind;
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
  if (const char* kind = converted_kind(head, true)) {
    d.verdict = Verdict::AlreadyConverted;
    d.name = kind;
    return d;
  }
  classify({head, size, {}, {}}, d);
  return d;
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

Detection detect_source(const SourceFile& file, bool is_companion_name) {
  if (!file.whole.present()) {
    Detection d;
    d.verdict = Verdict::Unreadable;
    d.problem = "cannot open it";
    return d;
  }
  const std::vector<std::uint8_t> head = read_fork_head(file.whole, kDetectPrefix);
  // A file of a disk image: its forks and codes come from the volume, with
  // no wrapper around them.
  if (file.wrapper == WrapperKind::None && !file.type.empty() && !file.companion.present()) {
    Detection d;
    if (const char* kind = converted_kind(head, false)) {
      d.verdict = Verdict::AlreadyConverted;
      d.name = kind;
      return d;
    }
    const std::vector<std::uint8_t> data = read_fork_head(file.data, kDetectPrefix);
    classify({data, file.data.size, file.type, file.creator}, d);
    return d;
  }
  const std::vector<std::uint8_t> companion = read_fork_head(file.companion, kWrapperProbeSize);
  const SourceFork& whole = file.whole;
  return detect(head, whole.size,
                [&whole](std::uint64_t offset, std::size_t count) {
                  if (offset >= whole.size) return std::vector<std::uint8_t>{};
                  return read_fork_head(SourceFork{whole.file, whole.offset + offset, whole.size - offset}, count);
                },
                companion, file.companion.size, is_companion_name);
}

Detection detect_format(const std::string& path, bool look_beside) {
  SourceFile file;
  std::string error;
  open_source(path, file, error, look_beside);
  return detect_source(file, is_appledouble_name(path));
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
