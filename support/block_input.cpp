#include "support/block_input.h"

#include <cstring>

namespace lettrix {

bool BlockInput::refill() {
  // The last byte taken stays in front of the new block, so that unget()
  // still works after the block changes.
  std::size_t keep = 0;
  if (end_ > 0) {
    block_[0] = block_[end_ - 1];
    keep = 1;
  }
  const std::size_t got = std::fread(block_.get() + keep, 1, kBlockSize, in_);
  if (got < kBlockSize && std::ferror(in_)) failed_ = true;
  at_ = keep;
  end_ = keep + got;
  return got > 0;
}

std::size_t BlockInput::read(std::uint8_t* to, std::size_t n) {
  std::size_t done = 0;
  while (done < n) {
    if (at_ == end_ && !refill()) break;
    const std::size_t piece = end_ - at_ < n - done ? end_ - at_ : n - done;
    std::memcpy(to + done, block_.get() + at_, piece);
    at_ += piece;
    done += piece;
  }
  return done;
}

bool BlockInput::rewind() {
  at_ = end_ = 0;
  if (std::fseek(in_, 0, SEEK_SET) != 0) {
    failed_ = true;
    return false;
  }
  std::clearerr(in_);
  return true;
}

}  // namespace lettrix
