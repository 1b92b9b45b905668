// The one way a reader sees its document: the data fork, the resource fork
// when the file came with one (a wrapper supplied it), and the Finder's type
// and creator codes.
//
//   SourceFile    what the source is: its forks, each a byte range of an open
//                 file, and its codes; opened once (open_source_file) and
//                 shared by detection, the wrappers' probes and the reader
//   SourceView    one fork read through a few cached 64 KB blocks: spans for
//                 fast loops, checked big-endian numbers at offsets, searches
//   SourceCursor  checked reads one after another from a SourceView, with a
//                 sticky error that remembers the first read past the end:
//                 what was read, where, and the fork's size
//
// A span or view points into a cached block (or the view's scratch buffer):
// it stays valid only until the next call on the same view that may read
// another block. Loops that walk one part of a fork while they look up
// another take a fresh span after each look-up.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/mac_wrappers.h"

namespace lettrix {

// An open file descriptor, closed with the last SourceFile that holds it.
struct SourceDescriptor {
  int fd = -1;
  bool owned = false;  // closed on destruction (a kept descriptor is not)
  ~SourceDescriptor();
};

// One fork: `size` bytes of a file from `offset` on. A fork without a file
// is empty.
struct SourceFork {
  std::shared_ptr<const SourceDescriptor> file;
  std::uint64_t offset = 0;
  std::uint64_t size = 0;
  bool present() const { return file != nullptr; }
};

struct SourceFile {
  SourceFork data;
  SourceFork resource;  // present when a wrapper carried one (it may be empty)
  WrapperKind wrapper = WrapperKind::None;
  std::string type;     // four characters, or empty when no wrapper kept them
  std::string creator;
  WrappedFile wrapped;  // what the wrapper said of the file (kind None for a plain file)
  SourceFork whole;      // the file as it stands, its wrapper included
  SourceFork companion;  // the file "._NAME" beside it, when there is one (of any kind)
};

enum class SourceOpen {
  Ok,
  CannotOpen,      // the file cannot be opened
  DamagedWrapper,  // its wrapper's CRC or lengths are wrong, or a work file failed
  NoDataFork,      // an AppleDouble header: its document is the file without "._"
};

// open_source_file with the kind of failure: whole and companion are filled
// in whatever the answer but CannotOpen, for detection to look at.
SourceOpen open_source(const std::string& path, SourceFile& file, std::string& error, bool look_beside = true);

// The first count bytes of a fork (fewer where it ends), empty when it cannot
// be read.
std::vector<std::uint8_t> read_fork_head(const SourceFork& fork, std::size_t count);

// A private work file open for reading and writing that no name leads to
// (its name is removed as soon as it is open), for a fork that must be
// decoded or gathered before a reader sees it; null with the reason when
// none can be made.
std::shared_ptr<SourceDescriptor> anonymous_work_file(std::string& error);

// Opens the source at path for a reader. A source the driver has opened and
// published (publish_source) is taken as it stands: nothing is opened again.
// Otherwise the file is opened (through its kept descriptor when the driver
// registered one) and its wrapper, if any, is looked through: MacBinary and
// AppleSingle as ranges of the file itself, BinHex decoded into a private
// work file that no name leads to, and with look_beside an AppleDouble
// "._NAME" beside it for the resource fork and the codes. False with a reason
// ("cannot open it", "BinHex: data fork CRC mismatch") when the file cannot
// be read or its wrapper is damaged.
bool open_source_file(const std::string& path, SourceFile& file, std::string& error, bool look_beside = true);

// The whole file at path as one fork, opened as it stands (through its kept
// descriptor when the driver registered one); not present when it cannot be
// opened.
SourceFork open_plain_fork(const std::string& path);

// The driver's hand-over: while published, open_source_file(path) answers
// with this file. Publishing another path, or an empty one, withdraws it.
void publish_source(const std::string& path, const SourceFile& file);
void withdraw_source();

class SourceView {
 public:
  static constexpr std::size_t kPageSize = 1 << 16;
  static constexpr std::size_t kPages = 8;

  SourceView() = default;
  explicit SourceView(SourceFork fork) : fork_(std::move(fork)), size_(fork_.size) {}
  // A view of bytes held in memory (tests, fuzzing, decoded structures).
  explicit SourceView(std::span<const std::uint8_t> bytes);
  SourceView(const SourceView&) = delete;
  SourceView& operator=(const SourceView&) = delete;

  std::uint64_t size() const { return size_; }

  // The bytes from `offset` to the end of its block; empty at or past the end
  // of the fork, or when the block cannot be read (see failed()).
  std::span<const std::uint8_t> view(std::uint64_t offset) {
    if (memory_.data()) return offset < size_ ? memory_.subspan(static_cast<std::size_t>(offset)) : memory_.first(0);
    const std::uint64_t index = offset / kPageSize;
    if (offset < size_ && last_ && last_->index == index) {
      const std::size_t in = static_cast<std::size_t>(offset - index * kPageSize);
      return {last_->data.get() + in, last_->length - in};
    }
    return view_slow(offset);
  }
  // The n bytes at `offset` in one piece: in their block when they lie in one,
  // else copied into the view's scratch buffer; empty when they do not all
  // lie in the fork or cannot be read.
  std::span<const std::uint8_t> span(std::uint64_t offset, std::size_t n);
  // Up to n bytes at `offset`: fewer (none) where the fork ends first.
  std::span<const std::uint8_t> span_up_to(std::uint64_t offset, std::size_t n);
  // Copies the n bytes at `offset`; false when they do not all lie in the
  // fork or cannot be read (`to` is then left incomplete).
  bool read(std::uint64_t offset, std::uint8_t* to, std::size_t n);
  // Big-endian numbers at `offset`; false when they do not lie in the fork.
  bool be16(std::uint64_t offset, std::uint16_t& value);
  bool be32(std::uint64_t offset, std::uint32_t& value);
  // The first offset at or after `from` where the bytes of `tag` (1 to 16 of
  // them) start; size() when there is none.
  std::uint64_t find(std::uint64_t from, std::span<const std::uint8_t> tag);
  // Whether a block could not be read: what was made of the fork is then
  // incomplete.
  bool failed() const { return failed_; }

 private:
  struct Page {
    std::unique_ptr<std::uint8_t[]> data;
    std::uint64_t index = UINT64_MAX;  // block number, UINT64_MAX while empty
    std::size_t length = 0;
    std::uint64_t used = 0;  // when last looked at
  };

  std::span<const std::uint8_t> view_slow(std::uint64_t offset);

  SourceFork fork_;
  std::span<const std::uint8_t> memory_;
  std::uint64_t size_ = 0;
  std::array<Page, kPages> pages_{};
  Page* last_ = nullptr;
  std::uint64_t clock_ = 0;
  std::vector<std::uint8_t> scratch_;
  bool failed_ = false;
};

// Checked reads in order from a view. A read that does not fit the fork
// reads nothing, yields 0 (or an empty span) and sets the sticky error, which
// keeps the first such read: the offset it started at and the end it needed.
class SourceCursor {
 public:
  explicit SourceCursor(SourceView& view, std::uint64_t offset = 0) : view_(&view), pos_(offset) {}

  std::uint8_t u8() {
    const std::span<const std::uint8_t> v = ok_ ? view_->view(pos_) : std::span<const std::uint8_t>();
    if (v.empty()) return fail(1), 0;
    ++pos_;
    return v[0];
  }
  std::uint16_t be16();
  std::uint32_t be32();
  std::int16_t be16s() { return static_cast<std::int16_t>(be16()); }
  std::int32_t be32s() { return static_cast<std::int32_t>(be32()); }
  // The next n bytes (valid as a view's span is), or empty and the error.
  std::span<const std::uint8_t> bytes(std::size_t n);
  void skip(std::uint64_t n);
  // Moves to an offset of the fork; past its end sets the error.
  void seek(std::uint64_t offset);

  std::uint64_t position() const { return pos_; }
  std::uint64_t size() const { return view_->size(); }
  std::uint64_t remaining() const { return pos_ < size() ? size() - pos_ : 0; }
  bool has(std::uint64_t n) const { return n <= remaining(); }
  bool ok() const { return ok_; }
  // The first failed read: where it started and the end it needed.
  std::uint64_t failed_at() const { return failed_at_; }
  std::uint64_t needed() const { return needed_; }
  // "WHAT cut short at byte SIZE of NEEDED" for the first failed read, as
  // the damage messages put it; "" while every read fitted.
  std::string cut_short(const char* what) const;

 private:
  void fail(std::uint64_t n);

  SourceView* view_;
  std::uint64_t pos_ = 0;
  bool ok_ = true;
  std::uint64_t failed_at_ = 0;
  std::uint64_t needed_ = 0;
};

}  // namespace lettrix
