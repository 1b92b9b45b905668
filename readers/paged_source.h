// Random access to a source document through a few cached blocks, for
// readers whose structures point back and forth through the file: the
// document is never held whole (memory stays the same whatever its size),
// and each 64 KB block costs one read when it is first met.
//
// A view points into a cached block: it stays valid only until the next call
// that may read another block (view, bytes, read, be16, be32, find). Loops that walk
// one part of the file while they look up another take a fresh view after
// each look-up.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>

namespace lettrix {

class PagedSource {
 public:
  static constexpr std::size_t kPageSize = 1 << 16;
  static constexpr std::size_t kPages = 8;

  // The document is the `size` bytes of `file` from offset `base` on; the
  // stream is only read through this object from now on.
  PagedSource(std::FILE* file, std::uint64_t base, std::size_t size) : file_(file), base_(base), size_(size) {}
  PagedSource(const PagedSource&) = delete;
  PagedSource& operator=(const PagedSource&) = delete;

  std::size_t size() const { return size_; }
  // The bytes from `offset` to the end of its block; empty at or past the end
  // of the document, or when the block cannot be read (see failed()).
  std::span<const std::uint8_t> view(std::size_t offset) {
    const std::size_t index = offset / kPageSize;
    if (offset < size_ && last_ && last_->index == index) {
      const std::size_t in = offset - index * kPageSize;
      return {last_->data.get() + in, last_->length - in};
    }
    return view_slow(offset);
  }
  // The n bytes at `offset`: in their cached block when they lie in one,
  // else copied into `scratch` (n bytes); null when they do not all lie in
  // the document or cannot be read. Valid as a view is.
  const std::uint8_t* bytes(std::size_t offset, std::size_t n, std::uint8_t* scratch) {
    const std::span<const std::uint8_t> v = view(offset);
    if (n > 0 && v.size() >= n) return v.data();
    return read(offset, scratch, n) ? scratch : nullptr;
  }
  // Copies the n bytes at `offset`; false when they do not all lie in the
  // document or cannot be read (`to` is then left incomplete).
  bool read(std::size_t offset, std::uint8_t* to, std::size_t n);
  // Big-endian numbers at `offset`; false when they do not lie in the document.
  bool be16(std::size_t offset, std::uint16_t& value);
  bool be32(std::size_t offset, std::uint32_t& value);
  // The first offset at or after `from` where the bytes of `tag` (1 to 16 of
  // them) start; size() when there is none.
  std::size_t find(std::size_t from, std::span<const std::uint8_t> tag);
  // Whether a block could not be read: what the reader made of the document
  // is then incomplete.
  bool failed() const { return failed_; }

 private:
  struct Page {
    std::unique_ptr<std::uint8_t[]> data;
    std::size_t index = SIZE_MAX;  // block number, SIZE_MAX while empty
    std::size_t length = 0;
    std::uint64_t used = 0;  // when last looked at
  };

  std::span<const std::uint8_t> view_slow(std::size_t offset);

  std::FILE* file_;
  std::uint64_t base_;
  std::size_t size_;
  std::array<Page, kPages> pages_{};
  Page* last_ = nullptr;
  std::uint64_t clock_ = 0;
  bool failed_ = false;
};

}  // namespace lettrix
