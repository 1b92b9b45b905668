#include "readers/macwrite_ii_blocks.h"

#include <cstring>

#include "core/byte_helpers.h"

namespace lettrix::macwrite_ii {

namespace {


void append(std::vector<std::uint8_t>& out, const std::uint8_t* p, std::size_t n) { out.insert(out.end(), p, p + n); }

}  // namespace

BlockFile::BlockFile(std::FILE* file, long base, long file_size)
    : file_(file), base_(base) {
  block_count_ = file_size > base ? (file_size - base + kBlockSize - 1) / kBlockSize : 0;
  reads_left_ = kReadsPerBlock * block_count_ + 16;
  visited_.assign(static_cast<std::size_t>(block_count_) + 1, 0);
}

long BlockFile::block_offset(long n) const {
  if (n < 1 || n > block_count_) return -1;
  return base_ + (n - 1) * kBlockSize;
}

void BlockFile::reach(long n) {
  if (n >= 1 && n * kBlockSize > needed_) needed_ = n * kBlockSize;
}

std::size_t BlockFile::read_block(long n, std::uint8_t* buf) {
  reach(n);
  const long offset = block_offset(n);
  if (offset < 0 || exhausted()) return 0;
  --reads_left_;
  // Windows start at block boundaries, so a block never straddles two.
  constexpr long kWindowSize = 128 * kBlockSize;
  if (window_start_ < 0 || offset < window_start_ ||
      offset >= window_start_ + static_cast<long>(window_.size())) {
    const long start = base_ + (offset - base_) / kWindowSize * kWindowSize;
    window_.resize(static_cast<std::size_t>(kWindowSize));
    window_start_ = -1;
    if (std::fseek(file_, start, SEEK_SET) != 0) return 0;
    window_.resize(std::fread(window_.data(), 1, window_.size(), file_));
    window_start_ = start;
  }
  const long from = offset - window_start_;
  const long available = static_cast<long>(window_.size()) - from;
  if (available <= 0) return 0;
  const std::size_t count = static_cast<std::size_t>(available < kBlockSize ? available : kBlockSize);
  std::memcpy(buf, window_.data() + from, count);
  return count;
}

bool BlockFile::claim(long n) {
  reach(n);
  if (block_offset(n) < 0 || exhausted()) return false;
  std::uint32_t& mark = visited_[static_cast<std::size_t>(n)];
  if (mark == chain_number_) return false;
  mark = chain_number_;
  return true;
}

std::vector<std::uint8_t> BlockFile::flatten_chain(long link) {
  std::vector<std::uint8_t> data;
  std::uint8_t block[kBlockSize];
  ++chain_number_;
  while (link != 0) {
    if (link > 0) {
      if (!claim(link)) break;
      std::size_t got = read_block(link, block);
      if (got < kBlockSize) {  // cut short by the end of the file: its data, then no link
        append(data, block, got < 254 ? got : 254);
        break;
      }
      append(data, block, 254);
      link = be16s_at(block + 254);
      continue;
    }
    // An extent of c blocks from block `first`.
    const long first = -link;
    if (!claim(first) || read_block(first, block) < kBlockSize) break;
    const long count = static_cast<long>(be16_at(block));
    if (count < 2) break;
    append(data, block + 2, 254);
    bool whole = true;
    for (long i = 1; i < count - 1 && whole; ++i) {
      whole = claim(first + i) && read_block(first + i, block) == kBlockSize;
      if (whole) append(data, block, kBlockSize);
    }
    if (!whole || !claim(first + count - 1) || read_block(first + count - 1, block) < kBlockSize) break;
    append(data, block, 254);
    link = be16s_at(block + 254);
  }
  return data;
}

}  // namespace lettrix::macwrite_ii
