#include "readers/paged_source.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

#include "core/byte_helpers.h"

namespace lettrix {

std::span<const std::uint8_t> PagedSource::view_slow(std::size_t offset) {
  if (offset >= size_ || failed_) return {};
  const std::size_t index = offset / kPageSize;
  Page* page = nullptr;
  for (Page& p : pages_) {
    if (p.index == index) {
      page = &p;
      break;
    }
  }
  if (!page) {
    // The block looked at longest ago (an empty one first) takes the new one.
    page = &*std::min_element(pages_.begin(), pages_.end(),
                              [](const Page& a, const Page& b) { return a.used < b.used; });
    const std::size_t start = index * kPageSize;
    const std::size_t length = std::min(kPageSize, size_ - start);
    if (!page->data) page->data.reset(new (std::nothrow) std::uint8_t[std::min(kPageSize, size_)]);
    page->index = SIZE_MAX;
    if (!page->data || start + base_ > static_cast<std::uint64_t>(LONG_MAX) ||
        std::fseek(file_, static_cast<long>(base_ + start), SEEK_SET) != 0 ||
        std::fread(page->data.get(), 1, length, file_) != length) {
      failed_ = true;
      last_ = nullptr;
      return {};
    }
    page->index = index;
    page->length = length;
  }
  page->used = ++clock_;
  last_ = page;
  const std::size_t in = offset - index * kPageSize;
  return {page->data.get() + in, page->length - in};
}

bool PagedSource::read(std::size_t offset, std::uint8_t* to, std::size_t n) {
  if (offset > size_ || n > size_ - offset) return false;
  while (n > 0) {
    const std::span<const std::uint8_t> v = view(offset);
    if (v.empty()) return false;
    const std::size_t piece = std::min(v.size(), n);
    std::memcpy(to, v.data(), piece);
    to += piece;
    offset += piece;
    n -= piece;
  }
  return true;
}

bool PagedSource::be16(std::size_t offset, std::uint16_t& value) {
  std::uint8_t b[2];
  if (!read(offset, b, sizeof b)) return false;
  value = be16_at(b);
  return true;
}

bool PagedSource::be32(std::size_t offset, std::uint32_t& value) {
  const std::span<const std::uint8_t> v = view(offset);
  if (v.size() >= 4) {
    value = be32_at(v.data());
    return true;
  }
  std::uint8_t b[4];
  if (!read(offset, b, sizeof b)) return false;
  value = be32_at(b);
  return true;
}

std::size_t PagedSource::find(std::size_t from, std::span<const std::uint8_t> tag) {
  constexpr std::size_t kMaxTag = 16;
  const std::size_t n = tag.size();
  if (n == 0 || n > kMaxTag) return size_;
  for (std::size_t at = from; at < size_ && size_ - at >= n;) {
    const std::span<const std::uint8_t> v = view(at);
    if (v.empty()) return size_;
    // Matches that lie whole in this block.
    const std::uint8_t* p = v.data();
    const std::uint8_t* const last = p + v.size();
    while (static_cast<std::size_t>(last - p) >= n) {
      const void* first = std::memchr(p, tag[0], static_cast<std::size_t>(last - p) - (n - 1));
      if (!first) break;
      p = static_cast<const std::uint8_t*>(first);
      if (std::memcmp(p, tag.data(), n) == 0) return at + static_cast<std::size_t>(p - v.data());
      ++p;
    }
    // Matches that start in the last n - 1 bytes of the block and end in the next.
    const std::size_t tail = std::min(v.size(), n - 1);
    const std::size_t tail_at = at + v.size() - tail;
    const std::size_t ahead = std::min(n - 1, size_ - (at + v.size()));
    std::uint8_t joint[2 * kMaxTag];
    std::memcpy(joint, v.data() + v.size() - tail, tail);
    if (ahead > 0 && !read(at + v.size(), joint + tail, ahead)) return size_;
    for (std::size_t k = 0; k < tail && k + n <= tail + ahead; ++k)
      if (std::memcmp(joint + k, tag.data(), n) == 0) return tail_at + k;
    at += v.size();
  }
  return size_;
}

}  // namespace lettrix
