// The block file under a MacWrite II document: 256-byte blocks of the data
// fork numbered from 1 (block n at (n - 1) * 256), and the chains of blocks
// that hold the document's structures.
//
// A chain block holds 254 data bytes and a 16-bit link: 0 ends the chain, n > 0
// continues with block n, and a link with the top bit set continues with an
// extent at block -n: a run of c consecutive blocks whose first one starts with
// the 16-bit count c and 254 data bytes, whose c - 2 middle ones hold 256 data
// bytes each, and whose last one holds 254 data bytes and the next link.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/source_view.h"

namespace lettrix::macwrite_ii {

inline constexpr long kBlockSize = 256;

// Access to the blocks of one data fork, shared by every chain and text
// block that one conversion reads.
//
// A sound document uses each block once, so the whole conversion may read at
// most kReadsPerBlock times as many blocks as the file holds: this bounds the
// work on a document whose zones all point at the same chain. A chain that
// comes back to a block it has already visited ends there.
class BlockFile {
 public:
  static constexpr long kReadsPerBlock = 4;

  explicit BlockFile(SourceView& fork);

  long block_count() const { return block_count_; }
  // The fork offset of block n, or -1 when block n does not start inside the fork.
  long block_offset(long n) const;
  // False once the conversion has used up its block reads.
  bool exhausted() const { return reads_left_ <= 0; }

  // Records that the document uses block n (a chain link, a zone's first
  // block, a block of text), and with it the file bytes up to its end.
  void reach(long n);
  // Bytes of the fork that the blocks used so far need; beyond its end when
  // a chain or a zone points past it or into a cut last block.
  long needed() const { return needed_; }

  // The bytes of block n (up to 256; fewer at the end of the fork), valid as
  // a span of the view is (until the fork is next read); empty when the
  // block lies outside the fork, cannot be read, or no reads are left.
  std::span<const std::uint8_t> read_block(long n);

  // The data of the chain that begins with this link (a block number, or a
  // negative extent start). The chain ends early at a block outside the file,
  // at an extent count below 2, at a block it has visited before, or when no
  // reads are left; the data gathered up to there is returned.
  std::vector<std::uint8_t> flatten_chain(long link);

 private:
  // Counts one read of block n for the chain now being flattened.
  bool claim(long n);

  SourceView& fork_;
  long block_count_;
  long reads_left_;
  long needed_ = 0;
  std::vector<std::uint32_t> visited_;  // number of the last chain that visited each block
  std::uint32_t chain_number_ = 0;
};

}  // namespace lettrix::macwrite_ii
