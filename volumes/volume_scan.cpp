#include "volumes/volume_scan.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "volumes/volume_names.h"

namespace lettrix {
namespace {

constexpr std::size_t kMaxProblems = 100;

std::string lower_ascii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

constexpr std::size_t kMaxNameBytes = 255;

// The first bytes of a UTF-8 text, at most `room` of them, whole characters.
std::string utf8_prefix(const std::string& s, std::size_t room) {
  if (s.size() <= room) return s;
  std::size_t cut = room;
  while (cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xC0) == 0x80) --cut;
  return s.substr(0, cut);
}

// "NAME (N).EXT" within the length of a name: NAME shortened when needed, and
// the extension given up when it leaves no room for one.
std::string numbered(const std::string& name, std::size_t cut, int n) {
  const std::string suffix = " (" + std::to_string(n) + ")";
  std::string base = name.substr(0, cut), ext = name.substr(cut);
  if (suffix.size() + ext.size() + 1 > kMaxNameBytes) {
    base = name;
    ext.clear();
  }
  return utf8_prefix(base, kMaxNameBytes - suffix.size() - ext.size()) + suffix + ext;
}

// The name, or "NAME (2)", "NAME (3)"... (before the extension) when a name
// that differs only in case was given in the same folder already: two Mac
// names can become one PC name once their characters are replaced.
// `numbers` keeps, for each name given more than once, the number to try
// next, so that many files of one name take no more than a look-up each.
std::string unique_name(std::string name, std::unordered_set<std::string>& taken,
                        std::unordered_map<std::string, int>& numbers) {
  std::string key = lower_ascii(name);
  if (taken.insert(key).second) return name;
  const std::size_t dot = name.rfind('.');
  const std::size_t cut = dot != std::string::npos && dot > 0 ? dot : name.size();
  int& n = numbers[std::move(key)];
  for (n = std::max(n, 2);; ++n) {
    std::string candidate = numbered(name, cut, n);
    if (taken.insert(lower_ascii(candidate)).second) {
      ++n;
      return candidate;
    }
  }
}

struct Frame {
  const std::vector<std::size_t>* items;
  std::size_t next = 0;
  std::string prefix;
  int depth = 0;
  std::unordered_set<std::string> names;
  std::unordered_map<std::string, int> numbers;
};

}  // namespace

void VolumeScan::problem(std::string text) {
  if (volume.problems.size() < kMaxProblems)
    volume.problems.push_back(std::move(text));
  else
    ++dropped;
}

void VolumeScan::finish() {
  if (dropped) volume.problems.push_back(std::to_string(dropped) + " more problems not listed");
  dropped = 0;
}

std::string item_label(const ScannedItem& item) {
  return std::string(item.folder ? "folder '" : "file '") + mac_roman_to_utf8(item.mac_name) + "'";
}

std::string pascal_string(std::span<const std::uint8_t> bytes, std::size_t max) {
  if (bytes.empty() || bytes[0] > max || bytes.size() < 1u + bytes[0]) return {};
  return std::string(reinterpret_cast<const char*>(bytes.data() + 1), bytes[0]);
}

bool add_range(VolumeFork& fork, std::uint64_t offset, std::uint64_t length, std::uint64_t image_size) {
  if (offset > image_size || length > image_size - offset) return false;
  if (length == 0) return true;
  if (!fork.extents.empty() && fork.extents.back().offset + fork.extents.back().length == offset)
    fork.extents.back().length += length;
  else
    fork.extents.push_back({offset, length});
  return true;
}

bool trim_fork(VolumeFork& fork, std::uint64_t length) {
  std::uint64_t held = 0;
  std::size_t kept = 0;
  for (; kept < fork.extents.size() && held < length; ++kept) {
    ImageRange& r = fork.extents[kept];
    if (r.length > length - held) r.length = length - held;
    held += r.length;
  }
  fork.extents.resize(kept);
  fork.size = held;
  return held == length;
}

void place_items(VolumeScan& scan, std::vector<ScannedItem>& items, std::uint32_t root) {
  std::unordered_map<std::uint32_t, std::vector<std::size_t>> children;
  for (std::size_t i = 0; i < items.size(); ++i) children[items[i].parent].push_back(i);
  std::unordered_set<std::uint32_t> opened{root};
  std::vector<bool> placed(items.size(), false);
  static const std::vector<std::size_t> kNone;

  std::vector<Frame> stack;
  const auto top = children.find(root);
  stack.push_back({top == children.end() ? &kNone : &top->second, 0, "", 0, {}, {}});
  while (!stack.empty()) {
    Frame& frame = stack.back();
    if (frame.next == frame.items->size()) {
      stack.pop_back();
      continue;
    }
    const std::size_t index = (*frame.items)[frame.next++];
    ScannedItem& item = items[index];
    placed[index] = true;
    if (scan.volume.entries.size() >= kMaxVolumeEntries) {
      scan.problem("more than " + std::to_string(kMaxVolumeEntries) + " entries: the rest are not listed");
      break;
    }
    VolumeEntry entry;
    entry.path = frame.prefix + unique_name(safe_file_name(item.mac_name), frame.names, frame.numbers);
    entry.folder = item.folder;
    entry.type = std::move(item.type);
    entry.creator = std::move(item.creator);
    entry.data = std::move(item.data);
    entry.resource = std::move(item.resource);
    const std::string path = entry.path;
    const int depth = frame.depth;
    scan.volume.entries.push_back(std::move(entry));
    if (!item.folder) continue;
    const auto inside = children.find(item.id);
    if (inside == children.end()) continue;
    if (!opened.insert(item.id).second) {
      scan.problem(item_label(item) + ": folder " + std::to_string(item.id) + " appears twice");
      continue;
    }
    if (depth + 1 >= kMaxVolumeDepth) {
      scan.problem(item_label(item) + ": folders nested deeper than " + std::to_string(kMaxVolumeDepth) +
                   " are not listed");
      continue;
    }
    stack.push_back({&inside->second, 0, path + "/", depth + 1, {}, {}});  // frame is not used after this
  }
  const std::size_t lost = static_cast<std::size_t>(std::count(placed.begin(), placed.end(), false));
  if (lost) scan.problem(std::to_string(lost) + " entries lie outside the folder tree (their folder is missing)");
}

namespace {

std::string fork_fault(const VolumeFork& fork, std::uint64_t image_size) {
  std::uint64_t held = 0;
  for (std::size_t i = 0; i < fork.extents.size(); ++i) {
    const ImageRange& r = fork.extents[i];
    if (r.length == 0 || r.offset > image_size || r.length > image_size - r.offset) return "a range outside the image";
    if (i > 0 && fork.extents[i - 1].offset + fork.extents[i - 1].length == r.offset) return "adjacent ranges not joined";
    held += r.length;
  }
  return held == fork.size ? "" : "ranges that hold " + std::to_string(held) + " bytes, not " + std::to_string(fork.size);
}

std::string path_fault(const std::string& path) {
  if (path.empty()) return "an empty path";
  std::size_t start = 0;
  for (int depth = 0;; ++depth) {
    const std::size_t slash = std::min(path.find('/', start), path.size());
    const std::string_view part(path.data() + start, slash - start);
    if (part.empty() || part == "." || part == ".." || part.back() == '.' || part.back() == ' ')
      return "a name that is empty or ends in a dot or a space";
    if (part.size() > 255) return "a name longer than 255 bytes";
    for (const char c : part)
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || std::string_view("\\:*?\"<>|").find(c) != std::string_view::npos)
        return "a name with a character a PC name cannot hold";
    if (depth > kMaxVolumeDepth) return "a path deeper than the limit";
    if (slash == path.size()) return "";
    start = slash + 1;
  }
}

}  // namespace

std::string listing_fault(const Volume& volume, std::uint64_t image_size) {
  if (volume.entries.size() > kMaxVolumeEntries) return "more entries than the limit";
  if (volume.problems.size() > 101) return "more problems than the limit";
  for (std::size_t i = 0; i < volume.entries.size(); ++i) {
    const VolumeEntry& e = volume.entries[i];
    std::string fault = path_fault(e.path);
    if (fault.empty() && e.folder && (e.data.size || e.resource.size || !e.data.extents.empty()))
      fault = "a folder with forks";
    if (fault.empty()) {
      fault = fork_fault(e.data, image_size);
      if (!fault.empty()) fault = "its data fork has " + fault;
    }
    if (fault.empty()) {
      fault = fork_fault(e.resource, image_size);
      if (!fault.empty()) fault = "its resource fork has " + fault;
    }
    if (!fault.empty()) return "entry " + std::to_string(i) + " ('" + e.path + "'): " + fault;
  }
  return "";
}

}  // namespace lettrix
