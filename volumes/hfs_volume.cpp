// HFS volumes, as this lister reads them. Numbers are big-endian; a "block"
// is 512 bytes, an "allocation block" the volume's own unit of space.
//
// Master directory block, at byte 1024 of the volume:
//   0    2   'BD'
//   18   2   number of allocation blocks
//   20   4   allocation block size (a multiple of 512)
//   28   2   where allocation block 0 starts, in blocks from the volume's start
//   36   28  the volume's name (length byte, at most 27 characters)
//   124  2   'H+' when an HFS Plus volume is embedded in this one
//   130  4   extents overflow file: length     134  12  its extent record
//   146  4   catalog file: length              150  12  its extent record
// An extent is a first allocation block (2) and a count (2); an extent
// record holds three. A fork's first record is in its catalog record; the
// extents overflow file holds the rest, keyed by the fork's allocation block
// where each one takes over.
//
// Both files are B-trees of nodes (512 bytes, the header says):
//   0   4   next node of the same level (0: none)   4  4  previous node
//   8   1   kind: 0xFF leaf, 0 index, 1 header, 2 map
//   9   1   height          10  2  number of records
//   14  ... the records; at the node's end, backwards, the 16-bit offset of
//           each record, then that of the free space
// Node 0 is the header node, whose first record (at 14) holds: 0 depth (2),
// 2 root (4), 6 leaf records (4), 10 first leaf (4), 14 last leaf (4),
// 18 node size (2). The leaves, linked in key order, hold every record: a
// key (its length byte first, the length not counting itself), then the
// record's data from the next even offset.
//
// Catalog key: 2 parent folder's id (4), 6 name (length byte, at most 31).
// Catalog data: 0 kind (1 folder, 2 file, 3 folder thread, 4 file thread),
//   folder (70 bytes): 6 folder id (4)
//   file (102 bytes):  4 type (4), 8 creator (4), 20 file id (4),
//                      26 data fork length (4), 36 resource fork length (4),
//                      74 data fork's extent record, 86 resource fork's
// The root folder has id 2 (its record's parent is 1 and its name the
// volume's). Extents overflow key: 1 fork (0 data, 0xFF resource), 2 file id
// (4), 6 the fork's first allocation block this record maps (2); its data is
// an extent record. The extents file is file 3, the catalog file 4.
#include <algorithm>
#include <array>
#include <unordered_map>

#include "core/byte_helpers.h"
#include "volumes/file_systems.h"
#include "volumes/volume_names.h"

namespace lettrix {
namespace {

constexpr std::uint32_t kRootParent = 1;
constexpr std::uint32_t kRootFolder = 2;
constexpr std::uint32_t kCatalogFileId = 4;
constexpr std::size_t kMdbSize = 162;
constexpr std::size_t kNodeDescriptor = 14;
// More leaves than a volume of a million entries fills.
constexpr std::size_t kMaxLeaves = 1000000;

struct Extent {
  std::uint16_t start = 0;
  std::uint16_t count = 0;
};
using ExtentRecord = std::array<Extent, 3>;

ExtentRecord extent_record(const std::uint8_t* p) {
  ExtentRecord r;
  for (std::size_t i = 0; i < 3; ++i) r[i] = {be16_at(p + 4 * i), be16_at(p + 4 * i + 2)};
  return r;
}

struct OverflowRecord {
  std::uint16_t first = 0;  // the fork's allocation block it starts at
  ExtentRecord extents;
};

struct Hfs {
  Hfs(VolumeScan& s, std::uint64_t e) : scan(s), end(e) {}
  VolumeScan& scan;
  std::uint64_t end = 0;          // the volume's bytes in the image end here
  std::uint64_t block_size = 0;   // allocation block size
  std::uint64_t block_zero = 0;   // where allocation block 0 lies in the image
  std::uint32_t blocks = 0;       // allocation blocks in the volume
  // Extents overflow records by file id << 8 | fork kind, in fork order.
  std::unordered_map<std::uint64_t, std::vector<OverflowRecord>> overflow;
  // Extents that all forks together may still take: a sound volume's forks
  // share no block, so they have fewer extents than it has blocks.
  std::uint64_t steps_left = 4 * 65536;

  // The ranges of `length` bytes of a fork from its first extent record and
  // the overflow records; problems are named after `label`.
  VolumeFork fork(const ExtentRecord& first, std::uint32_t file_id, std::uint8_t kind, std::uint64_t length,
                  const std::string& label);
};

VolumeFork Hfs::fork(const ExtentRecord& first, std::uint32_t file_id, std::uint8_t kind, std::uint64_t length,
                     const std::string& label) {
  VolumeFork fork;
  const char* which = kind ? "resource fork" : "data fork";
  const std::uint64_t needed = (length + block_size - 1) / block_size;
  const auto more = overflow.find(std::uint64_t{file_id} << 8 | kind);
  const std::size_t records = more == overflow.end() ? 0 : more->second.size();
  ExtentRecord record = first;
  std::uint64_t mapped = 0;  // allocation blocks of the fork found so far
  bool broken = false;
  for (std::size_t round = 0; round <= records && mapped < needed && !broken; ++round) {
    const std::uint64_t before = mapped;
    if (round > 0) {
      const std::vector<OverflowRecord>& list = more->second;
      const auto next = std::lower_bound(list.begin(), list.end(), mapped,
                                         [](const OverflowRecord& r, std::uint64_t at) { return r.first < at; });
      if (next == list.end() || next->first != mapped) break;
      record = next->extents;
    }
    for (const Extent& e : record) {
      if (mapped >= needed || e.count == 0) break;
      if (steps_left == 0) {
        scan.problem(label + ": the forks share blocks; its " + which + " is not followed");
        broken = true;
        break;
      }
      --steps_left;
      if (std::uint32_t{e.start} + e.count > blocks) {
        scan.problem(label + ": extent beyond the end of the volume");
        broken = true;
        break;
      }
      if (!add_range(fork, block_zero + e.start * block_size, e.count * block_size, end)) {
        scan.problem(label + ": extent beyond the end of the image");
        broken = true;
        break;
      }
      mapped += e.count;
    }
    if (mapped == before) break;  // a record of empty extents
  }
  if (!trim_fork(fork, length) && !broken)
    scan.problem(label + ": its " + which + " has " + std::to_string(fork.size) + " of its " +
                 std::to_string(length) + " bytes on the volume");
  return fork;
}

// A leaf record's key and data, or false when they do not fit the record.
bool split_record(std::span<const std::uint8_t> record, std::size_t min_key, std::span<const std::uint8_t>& key,
                  std::span<const std::uint8_t>& data) {
  if (record.empty()) return false;
  const std::size_t key_length = record[0];
  const std::size_t data_at = (key_length + 2) & ~std::size_t{1};
  if (key_length < min_key || data_at > record.size()) return false;
  key = record.subspan(1, key_length);
  data = record.subspan(data_at);
  return true;
}

// One of the two B-trees, read node by node through its fork.
class BTree {
 public:
  BTree(Hfs& hfs, VolumeFork file, const char* name) : hfs_(hfs), file_(std::move(file)), name_(name) {
    std::uint64_t at = 0;
    for (const ImageRange& r : file_.extents) {
      starts_.push_back(at);
      at += r.length;
    }
  }

  // Reads the header node; false (with a problem) when the tree cannot be
  // walked.
  bool open() {
    node_size_ = 512;
    if (file_.size < node_size_ || !read_node(0)) return fail("header node cannot be read");
    const std::uint8_t* header = node_.data() + kNodeDescriptor;
    if (node_[8] != 1) return fail("node 0 is not a header node");
    const std::uint32_t size = be16_at(header + 18);
    if (size < 512 || size > 32768 || size % 512 != 0 || size > file_.size)
      return fail("node size " + std::to_string(size) + " is not usable");
    node_size_ = size;
    nodes_ = file_.size / node_size_;
    root_ = be32_at(header + 2);
    first_leaf_ = be32_at(header + 10);
    records_ = be32_at(header + 6);
    return true;
  }

  // Calls visit(node number, record) for each leaf record in key order,
  // following the leaves' links; where they break off, the leaves they did
  // not reach are looked for from the root down through the index nodes.
  template <class Visit>
  void each_record(Visit visit) {
    std::vector<bool> seen(static_cast<std::size_t>(nodes_), false);
    seen[0] = true;
    if (!follow_links(seen, visit)) visit_unlinked(seen, visit);
  }

  bool fail(const std::string& what) {
    hfs_.scan.problem(std::string("HFS: ") + name_ + " " + what);
    return false;
  }

 private:
  // The leaves along their links from the first; false where they break.
  template <class Visit>
  bool follow_links(std::vector<bool>& seen, Visit& visit) {
    if (first_leaf_ == 0) return records_ == 0 || fail("header names no first leaf");
    std::uint64_t from = 0;
    std::size_t visits = 0;
    for (std::uint64_t n = first_leaf_; n != 0;) {
      if (++visits > kMaxLeaves) return fail("has more than " + std::to_string(kMaxLeaves) + " leaves: the rest are not read");
      if (n >= nodes_)
        return fail("node " + std::to_string(from) + " links to node " + std::to_string(n) + ", beyond the end of the file");
      if (seen[n]) return fail("node " + std::to_string(from) + " links back to node " + std::to_string(n));
      seen[n] = true;
      if (!read_node(n)) return fail("node " + std::to_string(n) + " cannot be read");
      if (node_[8] != 0xFF) return fail("node " + std::to_string(n) + " is not a leaf node");
      visit_records(n, visit);
      from = n;
      n = be32_at(node_.data());
    }
    return true;
  }

  // The leaves not seen yet that the index nodes lead to, depth first from
  // the root, each index node's children in order (so in key order).
  template <class Visit>
  void visit_unlinked(std::vector<bool>& seen, Visit& visit) {
    if (root_ == 0 || root_ >= nodes_) return;
    std::vector<bool> opened(static_cast<std::size_t>(nodes_), false);
    std::vector<std::uint64_t> stack{root_};  // the next node on top
    std::vector<std::uint64_t> children;
    std::size_t found = 0;
    std::size_t steps = 0;
    while (!stack.empty() && ++steps <= 2 * kMaxLeaves) {
      const std::uint64_t n = stack.back();
      stack.pop_back();
      if (n == 0 || n >= nodes_ || opened[n]) continue;
      opened[n] = true;
      if (!read_node(n)) continue;
      if (node_[8] == 0xFF) {
        if (seen[n]) continue;
        seen[n] = true;
        ++found;
        visit_records(n, visit);
      } else if (node_[8] == 0) {
        children.clear();
        each_span(n, [&](std::span<const std::uint8_t> record) {
          std::span<const std::uint8_t> key, data;
          if (split_record(record, 0, key, data) && data.size() >= 4) children.push_back(be32_at(data.data()));
        });
        stack.insert(stack.end(), children.rbegin(), children.rend());
      }
    }
    if (found) fail("leaves the links do not reach, found through the index nodes: " + std::to_string(found));
  }

  template <class Visit>
  void visit_records(std::uint64_t n, Visit& visit) {
    each_span(n, [&](std::span<const std::uint8_t> record) { visit(n, record); });
  }

  // Calls take(record) for each record of node n (in node_) that lies in it.
  template <class Take>
  void each_span(std::uint64_t n, Take take) {
    const std::size_t count = be16_at(node_.data() + 10);
    const std::size_t room = (node_size_ - kNodeDescriptor) / 2 - 1;  // offsets that fit beside the descriptor
    if (count > room) {
      fail("node " + std::to_string(n) + " claims " + std::to_string(count) + " records");
      return;
    }
    const std::size_t table = node_size_ - 2 * (count + 1);
    for (std::size_t i = 0; i < count; ++i) {
      const std::size_t at = be16_at(node_.data() + node_size_ - 2 * (i + 1));
      const std::size_t next = be16_at(node_.data() + node_size_ - 2 * (i + 2));
      if (at < kNodeDescriptor || at >= table) {
        fail("node " + std::to_string(n) + ": record " + std::to_string(i) + " lies outside the node");
        continue;
      }
      const std::size_t stop = next > at && next <= table ? next : table;
      take(std::span<const std::uint8_t>(node_.data() + at, stop - at));
    }
  }

  // Copies node n into node_; false when the file does not hold it.
  bool read_node(std::uint64_t n) {
    node_.resize(node_size_);
    std::uint64_t at = n * node_size_;
    if (at > file_.size || node_size_ > file_.size - at) return false;
    std::size_t done = 0;
    auto range = std::upper_bound(starts_.begin(), starts_.end(), at) - 1;
    for (std::size_t i = static_cast<std::size_t>(range - starts_.begin()); done < node_size_ && i < starts_.size(); ++i) {
      const ImageRange& r = file_.extents[i];
      const std::uint64_t in = at + done - starts_[i];
      const std::size_t piece = static_cast<std::size_t>(std::min<std::uint64_t>(node_size_ - done, r.length - in));
      if (!hfs_.scan.image.read(r.offset + in, node_.data() + done, piece)) return false;
      done += piece;
    }
    return done == node_size_;
  }

  Hfs& hfs_;
  VolumeFork file_;
  const char* name_;
  std::vector<std::uint64_t> starts_;  // where each range starts in the file
  std::vector<std::uint8_t> node_;
  std::size_t node_size_ = 512;
  std::uint64_t nodes_ = 0;
  std::uint64_t root_ = 0;
  std::uint64_t first_leaf_ = 0;
  std::uint64_t records_ = 0;
};

void read_overflow(Hfs& hfs, BTree& tree) {
  std::size_t kept = 0;
  tree.each_record([&](std::uint64_t node, std::span<const std::uint8_t> record) {
    std::span<const std::uint8_t> key, data;
    if (!split_record(record, 7, key, data) || data.size() < 12) {
      tree.fail("node " + std::to_string(node) + ": a record does not fit in it");
      return;
    }
    if (kept >= kMaxVolumeEntries) return;
    ++kept;
    const std::uint64_t id = std::uint64_t{be32_at(key.data() + 1)} << 8 | key[0];
    hfs.overflow[id].push_back({be16_at(key.data() + 5), extent_record(data.data())});
  });
  for (auto& [id, list] : hfs.overflow)
    std::stable_sort(list.begin(), list.end(), [](const OverflowRecord& a, const OverflowRecord& b) { return a.first < b.first; });
}

void read_catalog(Hfs& hfs, BTree& tree, std::vector<ScannedItem>& items) {
  bool full = false;
  tree.each_record([&](std::uint64_t node, std::span<const std::uint8_t> record) {
    std::span<const std::uint8_t> key, data;
    const auto bad = [&](const char* what) { tree.fail("node " + std::to_string(node) + ": " + what); };
    if (!split_record(record, 6, key, data) || key[5] > 31 || 6u + key[5] > key.size() || data.empty())
      return bad("a record does not fit in it");
    const std::uint32_t parent = be32_at(key.data() + 1);
    const std::uint8_t kind = data[0];
    if (kind == 3 || kind == 4) return;  // threads: the same facts, found from the other side
    if (kind != 1 && kind != 2) return bad("a record is of no known kind");
    if (data.size() < (kind == 1 ? 70u : 102u)) return bad("a record is cut short");
    if (kind == 1 && parent == kRootParent) return;  // the root folder itself
    if (items.size() >= kMaxVolumeEntries) {
      if (!full) hfs.scan.problem("HFS: more than " + std::to_string(kMaxVolumeEntries) + " entries: the rest are not listed");
      full = true;
      return;
    }
    ScannedItem item;
    item.parent = parent;
    item.mac_name.assign(reinterpret_cast<const char*>(key.data() + 6), key[5]);
    item.folder = kind == 1;
    if (item.folder) {
      item.id = be32_at(data.data() + 6);
    } else {
      item.type.assign(reinterpret_cast<const char*>(data.data() + 4), 4);
      item.creator.assign(reinterpret_cast<const char*>(data.data() + 8), 4);
      const std::uint32_t id = be32_at(data.data() + 20);
      const std::string label = item_label(item);
      item.data = hfs.fork(extent_record(data.data() + 74), id, 0, be32_at(data.data() + 26), label);
      item.resource = hfs.fork(extent_record(data.data() + 86), id, 0xFF, be32_at(data.data() + 36), label);
    }
    items.push_back(std::move(item));
  });
}

}  // namespace

bool list_hfs(VolumeScan& scan, std::uint64_t end, std::string& why_not) {
  const std::span<const std::uint8_t> mdb = scan.image.span(scan.base + kMasterDirectoryBlock, kMdbSize);
  if (mdb.empty()) {
    why_not = "HFS: the master directory block is cut short";
    return false;
  }
  if (be16_at(mdb.data()) != kHfsSignature) {
    why_not = "HFS: no master directory block";
    return false;
  }
  if (be16_at(mdb.data() + 124) == 0x482B) {
    why_not = "an HFS Plus volume (in an HFS wrapper): not read";
    return false;
  }
  Hfs hfs(scan, end);
  hfs.block_size = be32_at(mdb.data() + 20);
  hfs.blocks = be16_at(mdb.data() + 18);
  hfs.block_zero = scan.base + std::uint64_t{be16_at(mdb.data() + 28)} * 512;
  if (hfs.block_size == 0 || hfs.block_size % 512 != 0) {
    why_not = "HFS: allocation block size " + std::to_string(hfs.block_size) + " is not a multiple of 512";
    return false;
  }
  scan.volume.name = mac_roman_to_utf8(pascal_string(mdb.subspan(36), 27));
  const std::uint32_t extents_length = be32_at(mdb.data() + 130);
  const ExtentRecord extents_first = extent_record(mdb.data() + 134);
  const std::uint32_t catalog_length = be32_at(mdb.data() + 146);
  const ExtentRecord catalog_first = extent_record(mdb.data() + 150);

  if (extents_length > 0) {
    BTree extents(hfs, hfs.fork(extents_first, 3, 0, extents_length, "HFS: the extents overflow file"), "extents file");
    if (extents.open()) read_overflow(hfs, extents);
  }
  BTree catalog(hfs, hfs.fork(catalog_first, kCatalogFileId, 0, catalog_length, "HFS: the catalog file"), "catalog");
  std::vector<ScannedItem> items;
  if (catalog.open()) read_catalog(hfs, catalog, items);
  place_items(scan, items, kRootFolder);
  return true;
}

}  // namespace lettrix
