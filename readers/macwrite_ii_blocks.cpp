#include "readers/macwrite_ii_blocks.h"

#include "core/byte_helpers.h"

namespace lettrix::macwrite_ii {

namespace {

void append(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> bytes) {
  out.insert(out.end(), bytes.begin(), bytes.end());
}

}  // namespace

BlockFile::BlockFile(SourceView& fork) : fork_(fork) {
  block_count_ = static_cast<long>((fork.size() + kBlockSize - 1) / kBlockSize);
  reads_left_ = kReadsPerBlock * block_count_ + 16;
  visited_.assign(static_cast<std::size_t>(block_count_) + 1, 0);
}

long BlockFile::block_offset(long n) const {
  if (n < 1 || n > block_count_) return -1;
  return (n - 1) * kBlockSize;
}

void BlockFile::reach(long n) {
  if (n >= 1 && n * kBlockSize > needed_) needed_ = n * kBlockSize;
}

std::span<const std::uint8_t> BlockFile::read_block(long n) {
  reach(n);
  const long offset = block_offset(n);
  if (offset < 0 || exhausted()) return {};
  --reads_left_;
  // Blocks start at multiples of 256, so a block lies whole in one of the
  // view's blocks: the span is never a copy.
  return fork_.span_up_to(static_cast<std::uint64_t>(offset), kBlockSize);
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
  constexpr std::size_t kWhole = kBlockSize;
  ++chain_number_;
  while (link != 0) {
    if (link > 0) {
      if (!claim(link)) break;
      const std::span<const std::uint8_t> block = read_block(link);
      if (block.size() < kWhole) {  // cut short by the end of the fork: its data, then no link
        append(data, block.first(block.size() < 254 ? block.size() : 254));
        break;
      }
      append(data, block.first(254));
      link = be16s_at(block.data() + 254);
      continue;
    }
    // An extent of c blocks from block `first`.
    const long first = -link;
    if (!claim(first)) break;
    std::span<const std::uint8_t> block = read_block(first);
    if (block.size() < kWhole) break;
    const long count = static_cast<long>(be16_at(block.data()));
    if (count < 2) break;
    append(data, block.subspan(2, 254));
    bool whole = true;
    for (long i = 1; i < count - 1 && whole; ++i) {
      whole = claim(first + i);
      if (whole) block = read_block(first + i);
      whole = whole && block.size() == kWhole;
      if (whole) append(data, block);
    }
    if (!whole || !claim(first + count - 1)) break;
    block = read_block(first + count - 1);
    if (block.size() < kWhole) break;
    append(data, block.first(254));
    link = be16s_at(block.data() + 254);
  }
  return data;
}

}  // namespace lettrix::macwrite_ii
