#include "readers/clarisworks_document.h"

#include <algorithm>

#include "core/byte_helpers.h"
#include "core/paragraph_indents.h"
#include "core/stream_codes.h"

namespace lettrix::clarisworks {

namespace {

constexpr std::size_t kListHead = 16;  // length word and the 12 bytes it counts first
constexpr std::size_t kListFixed = 12;

// Where a version keeps its ruler list and how a ruler is laid out.
struct RulerLayout {
  std::size_t list_at;
  std::size_t record_size;
  std::size_t tab_count_at;
};

bool ruler_layout(int version, RulerLayout& layout) {
  if (version == 1) layout = {0x114, 92, 10};
  else if (version == 2 || version == 3) layout = {0x158, 96, 14};
  else return false;
  return true;
}

constexpr std::size_t kTabSize = 4;
using Tag = std::uint8_t[4];
constexpr Tag kFontListTag = {'F', 'N', 'T', 'M'};
constexpr std::size_t kFontRecordName = 4;  // the name's length byte, then its bytes
constexpr int kListCandidates = 64;         // tag bytes looked at before giving up
// Styles and rulers from version 4 on.
constexpr Tag kStyleListTag = {'S', 'T', 'Y', 'L'};
constexpr Tag kRulerListTag = {'R', 'U', 'L', 'R'};
constexpr std::size_t kStyleNumber = 8;
constexpr std::size_t kStyleRuler = 24;
constexpr std::size_t kRulerAlignment = 14;  // bits 7-6
constexpr std::size_t kRulerFirstLine = 16;  // then the left and right indents
constexpr std::size_t kRulerTabCount = 26;
constexpr std::size_t kRulerTabs = 28;

// Frames: a list of the zones that a frame places on the page, one record
// each with the zone's rectangle (24.8 fixed-point points) and number.
constexpr std::uint8_t kZoneTag[] = {'D', 'S', 'E', 'T'};
constexpr std::size_t kFrameRecordV1 = 38;
constexpr std::size_t kFrameRecord = 40;
constexpr std::size_t kFrameTop = 4;
constexpr std::size_t kFrameBottom = 12;
constexpr std::size_t kFrameChildV1 = 30;
constexpr std::size_t kFrameChild = 32;
constexpr int kFrameTags = 4096;  // zones looked at for the main text's frame
constexpr std::size_t kMaxRunningHeads = 8;


// Points to columns of a tenth of an inch, rounded to the nearest.
int columns(int points) {
  const int tenths = points * 10;
  return tenths >= 0 ? (tenths + 36) / 72 : -((-tenths + 36) / 72);
}

constexpr int kLastColumn = 255;
constexpr int kRightMarginColumn = 79;  // the stream's right margin without an indent

int stream_alignment(int source) {
  switch (source) {
    case 1: return AlignCentre;
    case 2: return AlignRight;
    case 3: return AlignJustify;
    default: return AlignLeft;
  }
}

int stream_tab_kind(int source) {
  switch (source) {
    case 1: return TabCentre;
    case 2: return TabRight;
    case 3: return TabDecimal;
    default: return TabLeft;
  }
}

}  // namespace

bool read_list(SourceView& file, std::size_t at, List& list) {
  ByteReader r(file.span(at, kListHead));
  const std::uint64_t length = r.be32();
  const std::uint64_t count = r.be16();
  r.seek(10);
  const std::uint64_t record_size = r.be16();
  const std::uint64_t extension = r.be16();
  if (!r.ok()) return false;
  if (record_size == 0 || length > file.size() - at - 4) return false;
  if (kListFixed + extension + count * record_size != length) return false;
  list.count = count;
  list.record_size = record_size;
  list.records = at + kListHead + extension;
  return true;
}

bool find_tagged_list(SourceView& file, const std::uint8_t (&tag)[4], List& list) {
  std::size_t from = 0;
  for (int candidate = 0; candidate < kListCandidates; ++candidate) {
    const std::size_t at = file.find(from, tag);
    if (at == file.size()) return false;
    from = at + 1;
    std::uint16_t extension = 0;
    if (at < kListHead || !file.be16(at - kListHead + 12, extension) || extension < sizeof tag) continue;
    if (read_list(file, at - kListHead, list)) return true;
  }
  return false;
}

namespace {

// The first n bytes of record i of the list (n no more than its size), read
// through a ByteReader; reading it fails when they cannot be read.
ByteReader record_reader(SourceView& file, const List& list, std::size_t i, std::size_t n) {
  return ByteReader(file.span(list.record(i), n));
}

// Versions 1 to 3: the ruler list at its fixed place, every field.
std::vector<Ruler> read_ruler_list(SourceView& file, int version) {
  std::vector<Ruler> rulers;
  RulerLayout layout;
  List list;
  if (!ruler_layout(version, layout) || !read_list(file, layout.list_at, list) ||
      list.record_size != layout.record_size)
    return rulers;
  const std::size_t tabs_at = layout.tab_count_at + 2;
  const std::size_t tab_room = (layout.record_size - tabs_at) / kTabSize;
  rulers.reserve(list.count);
  for (std::size_t i = 0; i < list.count; ++i) {
    ByteReader rec = record_reader(file, list, i, layout.record_size);
    Ruler r;
    rec.skip(2);
    r.alignment = rec.u8() >> 6;
    rec.skip(1);
    r.first_line = rec.be16s();
    r.left = rec.be16s();
    r.right = rec.be16s();
    rec.seek(layout.tab_count_at);
    const std::size_t tab_count = rec.be16();
    if (!rec.ok()) break;
    if (tab_count <= tab_room) {
      for (std::size_t t = 0; t < tab_count; ++t) {
        const int position = rec.be16s();
        const int kind = rec.u8();
        rec.skip(1);  // the decimal character
        r.tabs.push_back({position, kind});
      }
    }
    rulers.push_back(std::move(r));
  }
  return rulers;
}

// From version 4 on: the tagged ruler list and the style list that names
// each style's ruler.
Rulers read_styled_rulers(SourceView& file) {
  Rulers rulers;
  rulers.by_style = true;
  List list;
  if (!find_tagged_list(file, kRulerListTag, list) || list.record_size < kRulerTabs) return rulers;
  const std::size_t tab_room = (list.record_size - kRulerTabs) / kTabSize;
  rulers.list.reserve(list.count);
  for (std::size_t i = 0; i < list.count; ++i) {
    ByteReader rec = record_reader(file, list, i, list.record_size);
    Ruler r;
    rec.seek(kRulerAlignment);
    r.alignment = rec.u8() >> 6;
    rec.seek(kRulerFirstLine);
    r.first_line = rec.be16s();
    r.left = rec.be16s();
    r.right = rec.be16s();
    rec.seek(kRulerTabCount);
    const std::size_t tab_count = rec.be16();
    if (!rec.ok()) break;
    if (tab_count <= tab_room) {
      for (std::size_t t = 0; t < tab_count; ++t) {
        const int position = rec.be16s();
        const int kind = rec.u8() >> 6;
        rec.skip(1);  // the decimal character
        r.tabs.push_back({position, kind});
      }
    }
    rulers.list.push_back(std::move(r));
  }
  if (!find_tagged_list(file, kStyleListTag, list) || list.record_size < kStyleRuler + 2) return rulers;
  for (std::size_t i = 0; i < list.count; ++i) {
    ByteReader rec = record_reader(file, list, i, kStyleRuler + 2);
    rec.seek(kStyleNumber);
    const int number = rec.be16();
    rec.seek(kStyleRuler);
    const std::size_t ruler = rec.be16();
    if (!rec.ok()) break;
    if (ruler < rulers.list.size()) rulers.styles.emplace_back(number, ruler);
  }
  // A number named twice keeps its first record.
  std::stable_sort(rulers.styles.begin(), rulers.styles.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  return rulers;
}

}  // namespace

const Ruler* Rulers::find(int number) const {
  if (!by_style) return number >= 0 && static_cast<std::size_t>(number) < list.size() ? &list[number] : nullptr;
  const auto hit = std::lower_bound(styles.begin(), styles.end(), number,
                                    [](const auto& style, int n) { return style.first < n; });
  return hit != styles.end() && hit->first == number ? &list[hit->second] : nullptr;
}

Rulers read_rulers(SourceView& file, int version) {
  if (version >= 4) return read_styled_rulers(file);
  Rulers rulers;
  rulers.list = read_ruler_list(file, version);
  return rulers;
}

std::vector<std::string> read_font_names(SourceView& file) {
  std::vector<std::string> names;
  List list;
  if (!find_tagged_list(file, kFontListTag, list) || list.record_size <= kFontRecordName) return names;
  for (std::size_t i = 0; i < list.count; ++i) {
    // The name's length byte, then no more of its bytes than the record holds.
    const std::size_t room = std::min<std::size_t>(list.record_size, kFontRecordName + 256);
    ByteReader rec = record_reader(file, list, i, room);
    rec.skip(kFontRecordName);
    const std::size_t length = std::min<std::size_t>(rec.u8(), room - kFontRecordName - 1);
    const std::span<const std::uint8_t> name = rec.bytes(length);
    if (!rec.ok()) break;
    names.emplace_back(reinterpret_cast<const char*>(name.data()), length);
  }
  return names;
}

std::size_t ZoneTags::find(std::size_t from) {
  if (!scanned_) {
    scanned_ = true;
    start_ = from;
    for (std::size_t at = from;;) {
      if (kept_.size() == kMaxKept) break;
      const std::size_t hit = file_.find(at, kZoneTag);
      if (hit == file_.size()) {
        complete_ = true;
        break;
      }
      kept_.push_back(hit);
      at = hit + 1;
    }
  }
  if (from >= start_) {
    const auto next = std::lower_bound(kept_.begin(), kept_.end(), from);
    if (next != kept_.end()) return *next;
    if (complete_) return file_.size();
    // kept_ is full: the tags up to its last one are known.
    from = std::max(from, kept_.back() + 1);
  }
  return file_.find(from, kZoneTag);
}

namespace {

// A zone placed by a frame: its rectangle's top and bottom and its number.
struct Frame {
  std::int64_t top = 0;
  std::int64_t bottom = 0;
  int id = 0;
};

bool read_frame(SourceView& file, const List& frame, std::size_t i, std::size_t id_at, Frame& placed) {
  ByteReader rec = record_reader(file, frame, i, frame.record_size);
  rec.seek(kFrameTop);
  placed.top = rec.be32s();
  rec.seek(kFrameBottom);
  placed.bottom = rec.be32s();
  rec.seek(id_at);
  placed.id = rec.be16();
  return rec.ok();
}

}  // namespace

std::vector<RunningHead> read_running_heads(SourceView& file, ZoneTags& tags, int version, int main_id) {
  std::vector<RunningHead> heads;
  if (version < 1 || version > 3) return heads;
  const std::size_t record_size = version == 1 ? kFrameRecordV1 : kFrameRecord;
  const std::size_t id_at = version == 1 ? kFrameChildV1 : kFrameChild;
  std::size_t from = 0;
  // Records looked at, bounded by what the file can hold.
  std::size_t budget = file.size() / record_size;
  for (int tag_count = 0; tag_count < kFrameTags; ++tag_count) {
    const std::size_t hit = tags.find(from);
    if (hit == file.size()) break;
    from = hit + 1;
    List frame;
    if (!read_list(file, hit + sizeof kZoneTag, frame) || frame.record_size != record_size || frame.count > budget)
      continue;
    budget -= frame.count;
    // The frame that holds the main text holds its headers and footers.
    std::size_t main_record = frame.count;
    std::uint16_t child = 0;
    for (std::size_t i = 0; i < frame.count; ++i)
      if (file.be16(frame.record(i) + id_at, child) && child == main_id) main_record = i;
    if (main_record == frame.count) continue;
    Frame main;
    if (!read_frame(file, frame, main_record, id_at, main)) continue;
    for (std::size_t i = 0; i < frame.count; ++i) {
      if (i == main_record) continue;
      Frame placed;
      if (!read_frame(file, frame, i, id_at, placed)) break;
      if (heads.size() == kMaxRunningHeads) break;
      if (placed.bottom <= main.top) heads.push_back({false, placed.id});
      else if (placed.top >= main.bottom) heads.push_back({true, placed.id});
    }
    break;
  }
  return heads;
}

void apply_ruler(std::FILE* out, ParagraphFormat& format, const Ruler& ruler) {
  ParaState& ps = format.ps;
  if (ruler.alignment != format.alignment) {
    set_alignment(out, ps, stream_alignment(ruler.alignment));
    format.alignment = ruler.alignment;
  }
  // The first line counts from the left indent.
  const int left = std::clamp(columns(ruler.left), 0, kLastColumn);
  set_paragraph_indents(out, ps, left, left + columns(ruler.first_line));
  const int margin = ps.left_margin;
  const int right_margin = kRightMarginColumn - std::clamp(columns(ruler.right), 0, kRightMarginColumn);
  if (right_margin != ps.right_margin) set_right_margin(out, ps, right_margin);
  // Tab positions count from the text's left edge, stream columns from the margin.
  std::vector<TabStop> stops;
  for (const SourceTab& tab : ruler.tabs) {
    const int column = columns(tab.position) - margin;
    if (column >= 1 && column <= kLastColumn) stops.push_back({column, stream_tab_kind(tab.kind)});
  }
  // The tab table holds exactly the stops installed last, unless two of them
  // fell on one column (the second replaced the first): installing the same
  // stops again would then write nothing.
  const auto same = [](const TabStop& a, const TabStop& b) { return a.column == b.column && a.kind == b.kind; };
  if (format.installed_exact && std::equal(stops.begin(), stops.end(), format.installed.begin(), format.installed.end(), same))
    return;
  std::vector<int> columns_used;
  columns_used.reserve(stops.size());
  for (const TabStop& stop : stops) columns_used.push_back(stop.column);
  std::sort(columns_used.begin(), columns_used.end());
  const bool distinct = std::adjacent_find(columns_used.begin(), columns_used.end()) == columns_used.end();
  if (format.installed_exact && stops.empty()) {
    // What installing no stops does: the stops there are cleared, by column.
    std::sort(format.installed.begin(), format.installed.end(),
              [](const TabStop& a, const TabStop& b) { return a.column < b.column; });
    for (const TabStop& stop : format.installed) clear_tab(out, format.tabs, stop.column);
  } else if (format.installed_exact && format.installed.empty() && distinct) {
    // Into an empty table: each stop is set, in the ruler's order.
    for (const TabStop& stop : stops) set_tab(out, format.tabs, stop.kind, stop.column);
  } else {
    install_ruler(out, format.tabs, stops);
  }
  format.installed_exact = distinct;
  format.installed = std::move(stops);
}

}  // namespace lettrix::clarisworks
