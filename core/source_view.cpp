#include "core/source_view.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

#include "core/binhex.h"
#include "core/byte_helpers.h"
#include "core/handler.h"
#include "support/file_handle.h"
#include "support/owned_files.h"
#include "support/platform.h"

namespace lettrix {

SourceDescriptor::~SourceDescriptor() {
  if (owned && fd >= 0) ::close(fd);
}

namespace {

std::string g_published_path;
SourceFile g_published;

// Reads count bytes at offset, retrying short reads; false at the end of the
// file or on an error.
bool pread_all(int fd, std::uint8_t* to, std::size_t count, std::uint64_t offset) {
  while (count > 0) {
    const ssize_t got = ::pread(fd, to, count, static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    to += got;
    count -= static_cast<std::size_t>(got);
    offset += static_cast<std::uint64_t>(got);
  }
  return true;
}

std::vector<std::uint8_t> read_head(const SourceFork& fork, std::size_t count) { return read_fork_head(fork, count); }

std::shared_ptr<const SourceDescriptor> open_descriptor(const std::string& path) {
  auto d = std::make_shared<SourceDescriptor>();
  d->fd = kept_descriptor(path);
  if (d->fd < 0) {
    d->fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    d->owned = true;
  }
  if (d->fd < 0) return nullptr;
  return d;
}

std::uint64_t descriptor_size(int fd) {
  const off_t end = ::lseek(fd, 0, SEEK_END);
  return end < 0 ? 0 : static_cast<std::uint64_t>(end);
}

// Decodes a BinHex file into two anonymous work files, one per fork.
bool decode_binhex_forks(const SourceFork& whole, const WrappedFile& info, SourceFile& file, std::string& error) {
  auto data = anonymous_work_file(error);
  auto resource = data ? anonymous_work_file(error) : nullptr;
  if (!resource) return false;
  std::FILE* in = ::fdopen(::dup(whole.file->fd), "rb");
  std::FILE* data_out = ::fdopen(::dup(data->fd), "w+b");
  std::FILE* resource_out = ::fdopen(::dup(resource->fd), "w+b");
  bool ok = in && data_out && resource_out && std::fseek(in, 0, SEEK_SET) == 0 &&
            decode_binhex(in, data_out, resource_out, error);
  for (std::FILE* f : {data_out, resource_out})
    if (f && (std::fflush(f) != 0 || std::ferror(f))) ok = false;
  for (std::FILE* f : {in, data_out, resource_out})
    if (f) std::fclose(f);
  if (!ok) {
    if (error.empty()) error = "BinHex: cannot write the work file";
    return false;
  }
  file.data = {data, 0, descriptor_size(data->fd)};
  file.resource = {resource, 0, descriptor_size(resource->fd)};
  file.wrapper = info.kind;
  file.type = info.type;
  file.creator = info.creator;
  return true;
}

// The resource fork and the codes from the AppleDouble file beside path, if
// there is a sound one; false only for a damaged one.
bool look_beside_for(const std::string& path, SourceFile& file, std::string& error) {
  auto d = std::make_shared<SourceDescriptor>();
  d->fd = ::open(appledouble_companion(path).c_str(), O_RDONLY | O_CLOEXEC);
  d->owned = true;
  if (d->fd < 0) return true;
  const SourceFork whole{d, 0, descriptor_size(d->fd)};
  if (whole.size == 0) return true;
  file.companion = whole;
  WrappedFile info;
  const WrapperCheck check = probe_applesingle(read_head(whole, kWrapperProbeSize), whole.size, info, error);
  if (info.kind != WrapperKind::AppleDouble || check == WrapperCheck::NotWrapped) {
    error.clear();
    return true;
  }
  if (check == WrapperCheck::Damaged) return false;
  file.wrapper = WrapperKind::AppleDouble;
  file.wrapped = info;
  file.type = info.type;
  file.creator = info.creator;
  file.resource = {d, info.resource_offset, info.resource_length};
  return true;
}

}  // namespace

std::vector<std::uint8_t> read_fork_head(const SourceFork& fork, std::size_t count) {
  std::vector<std::uint8_t> head(static_cast<std::size_t>(std::min<std::uint64_t>(count, fork.size)));
  if (!fork.present() || !pread_all(fork.file->fd, head.data(), head.size(), fork.offset)) head.clear();
  return head;
}

std::shared_ptr<SourceDescriptor> anonymous_work_file(std::string& error) {
  std::string path;
  if (!create_temp_file("lettrix-fork-", path)) {
    error = "cannot create a work file in " + temp_directory();
    return nullptr;
  }
  // A descriptor of the file created (whatever its name leads to by now);
  // then its name goes and the registry lets go of it, its kept descriptor
  // closed (one kept for each work file would run out of descriptors).
  auto d = std::make_shared<SourceDescriptor>();
  d->fd = kept_descriptor(path);
  d->owned = true;
  remove_owned_file(path);
  if (d->fd < 0) {
    error = "cannot open the work file " + path;
    return nullptr;
  }
  return d;
}

SourceOpen open_source(const std::string& path, SourceFile& file, std::string& error, bool look_beside) {
  if (!g_published_path.empty() && path == g_published_path) {
    file = g_published;
    return SourceOpen::Ok;
  }
  file = SourceFile{};
  auto d = open_descriptor(path);
  if (!d) {
    error = "cannot open it";
    return SourceOpen::CannotOpen;
  }
  file.whole = SourceFork{d, 0, descriptor_size(d->fd)};
  const std::vector<std::uint8_t> head = read_head(file.whole, kBinHexProbeSize);
  WrappedFile info;
  std::vector<std::uint8_t> decoded;
  WrapperCheck check = probe_macbinary(head, file.whole.size, info, error);
  if (check == WrapperCheck::NotWrapped) check = probe_applesingle(head, file.whole.size, info, error);
  if (check == WrapperCheck::NotWrapped) check = probe_binhex(head, info, decoded, error);
  file.wrapped = info;
  if (check == WrapperCheck::Damaged) return SourceOpen::DamagedWrapper;
  if (check == WrapperCheck::NotWrapped) {
    file.wrapped = WrappedFile{};
    file.data = file.whole;
    if (!look_beside || is_appledouble_name(path)) return SourceOpen::Ok;
    return look_beside_for(path, file, error) ? SourceOpen::Ok : SourceOpen::DamagedWrapper;
  }
  if (!info.has_data_fork) {
    error = "AppleDouble: this file holds no data fork; convert the file whose name it carries after \"._\"";
    return SourceOpen::NoDataFork;
  }
  if (info.kind == WrapperKind::BinHex)
    return decode_binhex_forks(file.whole, info, file, error) ? SourceOpen::Ok : SourceOpen::DamagedWrapper;
  file.data = {d, info.data_offset, info.data_length};
  file.resource = {d, info.resource_offset, info.resource_length};
  file.wrapper = info.kind;
  file.type = info.type;
  file.creator = info.creator;
  return SourceOpen::Ok;
}

bool open_source_file(const std::string& path, SourceFile& file, std::string& error, bool look_beside) {
  return open_source(path, file, error, look_beside) == SourceOpen::Ok;
}

SourceFork open_plain_fork(const std::string& path) {
  auto d = open_descriptor(path);
  if (!d) return {};
  return {d, 0, descriptor_size(d->fd)};
}

void publish_source(const std::string& path, const SourceFile& file) {
  g_published_path = path;
  g_published = path.empty() ? SourceFile{} : file;
}

void withdraw_source() { publish_source("", SourceFile{}); }

SourceView::SourceView(std::span<const std::uint8_t> bytes) : memory_(bytes), size_(bytes.size()) {
  // A view of no bytes still answers as memory (data() must not be null).
  static const std::uint8_t kNothing = 0;
  if (!memory_.data()) memory_ = {&kNothing, 0};
}

std::span<const std::uint8_t> SourceView::view_slow(std::uint64_t offset) {
  if (offset >= size_ || failed_) return {};
  const std::uint64_t index = offset / kPageSize;
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
    const std::uint64_t start = index * kPageSize;
    const std::size_t length = static_cast<std::size_t>(std::min<std::uint64_t>(kPageSize, size_ - start));
    if (!page->data)
      page->data.reset(new (std::nothrow) std::uint8_t[std::min<std::uint64_t>(kPageSize, size_)]);
    page->index = UINT64_MAX;
    if (!page->data || !fork_.present() || !pread_all(fork_.file->fd, page->data.get(), length, fork_.offset + start)) {
      failed_ = true;
      last_ = nullptr;
      return {};
    }
    page->index = index;
    page->length = length;
  }
  page->used = ++clock_;
  last_ = page;
  const std::size_t in = static_cast<std::size_t>(offset - index * kPageSize);
  return {page->data.get() + in, page->length - in};
}

std::span<const std::uint8_t> SourceView::span(std::uint64_t offset, std::size_t n) {
  if (offset > size_ || n > size_ - offset) return {};
  const std::span<const std::uint8_t> v = view(offset);
  if (v.size() >= n) return v.first(n);
  if (n == 0) return v;
  if (scratch_.size() < n) scratch_.resize(n);
  if (!read(offset, scratch_.data(), n)) return {};
  return {scratch_.data(), n};
}

std::span<const std::uint8_t> SourceView::span_up_to(std::uint64_t offset, std::size_t n) {
  if (offset >= size_) return {};
  return span(offset, static_cast<std::size_t>(std::min<std::uint64_t>(n, size_ - offset)));
}

bool SourceView::read(std::uint64_t offset, std::uint8_t* to, std::size_t n) {
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

bool SourceView::be16(std::uint64_t offset, std::uint16_t& value) {
  const std::span<const std::uint8_t> v = view(offset);
  if (v.size() >= 2) {
    value = be16_at(v.data());
    return true;
  }
  std::uint8_t b[2];
  if (!read(offset, b, sizeof b)) return false;
  value = be16_at(b);
  return true;
}

bool SourceView::be32(std::uint64_t offset, std::uint32_t& value) {
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

std::uint64_t SourceView::find(std::uint64_t from, std::span<const std::uint8_t> tag) {
  constexpr std::size_t kMaxTag = 16;
  const std::size_t n = tag.size();
  if (n == 0 || n > kMaxTag) return size_;
  for (std::uint64_t at = from; at < size_ && size_ - at >= n;) {
    const std::span<const std::uint8_t> v = view(at);
    if (v.empty()) return size_;
    // Matches that lie whole in this block.
    const std::uint8_t* p = v.data();
    const std::uint8_t* const last = p + v.size();
    while (static_cast<std::size_t>(last - p) >= n) {
      const void* first = std::memchr(p, tag[0], static_cast<std::size_t>(last - p) - (n - 1));
      if (!first) break;
      p = static_cast<const std::uint8_t*>(first);
      if (std::memcmp(p, tag.data(), n) == 0) return at + static_cast<std::uint64_t>(p - v.data());
      ++p;
    }
    // Matches that start in the last n - 1 bytes of the block and end in the next.
    const std::size_t tail = std::min(v.size(), n - 1);
    const std::uint64_t tail_at = at + v.size() - tail;
    const std::size_t ahead = static_cast<std::size_t>(std::min<std::uint64_t>(n - 1, size_ - (at + v.size())));
    std::uint8_t joint[2 * kMaxTag];
    std::memcpy(joint, v.data() + v.size() - tail, tail);
    if (ahead > 0 && !read(at + v.size(), joint + tail, ahead)) return size_;
    for (std::size_t k = 0; k < tail && k + n <= tail + ahead; ++k)
      if (std::memcmp(joint + k, tag.data(), n) == 0) return tail_at + k;
    at += v.size();
  }
  return size_;
}

void SourceCursor::fail(std::uint64_t n) {
  if (ok_) {
    failed_at_ = pos_;
    needed_ = pos_ + n;
  }
  ok_ = false;
}

std::uint16_t SourceCursor::be16() {
  std::uint16_t v = 0;
  if (!ok_ || !view_->be16(pos_, v)) return fail(2), 0;
  pos_ += 2;
  return v;
}

std::uint32_t SourceCursor::be32() {
  std::uint32_t v = 0;
  if (!ok_ || !view_->be32(pos_, v)) return fail(4), 0;
  pos_ += 4;
  return v;
}

std::span<const std::uint8_t> SourceCursor::bytes(std::size_t n) {
  const std::span<const std::uint8_t> s = ok_ ? view_->span(pos_, n) : std::span<const std::uint8_t>();
  if (s.size() != n || (n > 0 && !s.data())) return fail(n), std::span<const std::uint8_t>();
  pos_ += n;
  return s;
}

void SourceCursor::skip(std::uint64_t n) {
  if (!ok_) return;
  if (n > remaining()) return fail(n);
  pos_ += n;
}

void SourceCursor::seek(std::uint64_t offset) {
  if (!ok_) return;
  if (offset > size()) {
    failed_at_ = needed_ = offset;
    ok_ = false;
    return;
  }
  pos_ = offset;
}

std::string SourceCursor::cut_short(const char* what) const {
  return ok_ ? std::string() : cut_short_reason(what, size(), needed_);
}

}  // namespace lettrix
