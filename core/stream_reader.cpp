#include "core/stream_reader.h"

#include <cstring>

#include "core/stream_codes.h"
#include "support/byte_io.h"

namespace lettrix {

namespace {

bool end_of_stream(StreamItem& item) {
  item.kind = StreamItem::Kind::End;
  item.data.clear();
  return false;
}

// The byte sources the code readers below take: a C stream read a byte at a
// time, or a stream read in blocks.
struct FileSource {
  std::FILE* f;
  int get() { return get_byte(f); }
  void unget(int c) { std::ungetc(c, f); }
  std::size_t read(std::uint8_t* to, std::size_t n) { return std::fread(to, 1, n, f); }
};

struct BlockSource {
  BlockInput& in;
  int get() { return in.get(); }
  void unget(int) { in.unget(); }
  std::size_t read(std::uint8_t* to, std::size_t n) { return in.read(to, n); }
};

struct MemorySource {
  MemoryStream& in;
  int get() { return next_stream_byte(in); }
  void unget(int) { --in.at; }  // only ever after a byte was read
  std::size_t read(std::uint8_t* to, std::size_t n) {
    const std::size_t left = static_cast<std::size_t>(in.end - in.at);
    if (n > left) n = left;
    if (n > 0) std::memcpy(to, in.at, n);
    in.at += n;
    return n;
  }
};

// Reads the picture body: 8 bytes of height and width, then everything up to
// the two bytes of EndOfText. The size fields are read as such, so a 0x5C among
// them cannot be taken for the end mark.
template <typename Source>
bool read_picture_body(Source& in, StreamItem& item) {
  for (int i = 0; i < 8; ++i) {
    int c = in.get();
    if (c == EOF) return false;
    item.data.push_back(static_cast<std::uint8_t>(c));
  }
  for (;;) {
    int c = in.get();
    if (c == EOF) return false;
    if (c == kEscape) {
      int d = in.get();
      if (d == EOF) return false;
      if (d == EndOfText) return true;
      item.data.push_back(static_cast<std::uint8_t>(c));
      in.unget(d);
      continue;
    }
    item.data.push_back(static_cast<std::uint8_t>(c));
  }
}

template <typename Source>
bool read_code_after(Source& in, StreamItem& item, int code) {
  if (!item.data.empty()) item.data.clear();
  item.op1 = item.op2 = 0;
  if (code == EOF) return end_of_stream(item);
  item.kind = StreamItem::Kind::Code;
  item.value = static_cast<std::uint8_t>(code);
  if (fixed_operand_count(item.value) == 0) return true;

  if (item.value == StyleSheet) {
    int lo = in.get();
    int hi = lo == EOF ? EOF : in.get();
    if (hi == EOF) return end_of_stream(item);
    item.op1 = static_cast<std::uint8_t>(lo);
    item.op2 = static_cast<std::uint8_t>(hi);
    std::size_t length = static_cast<std::size_t>(lo) | (static_cast<std::size_t>(hi) << 8);
    item.data.resize(length);
    if (length > 0 && in.read(item.data.data(), length) != length) return end_of_stream(item);
    return true;
  }

  int a = in.get();
  int b = a == EOF ? EOF : in.get();
  if (b == EOF) return end_of_stream(item);
  item.op1 = static_cast<std::uint8_t>(a);
  item.op2 = static_cast<std::uint8_t>(b);
  if (item.value == Picture && !read_picture_body(in, item)) return end_of_stream(item);
  return true;
}

}  // namespace

bool read_stream_code(std::FILE* in, StreamItem& item) { return read_stream_code_after(in, item, get_byte(in)); }

bool read_stream_code_after(std::FILE* in, StreamItem& item, int code) {
  FileSource source{in};
  return read_code_after(source, item, code);
}

bool read_stream_code(BlockInput& in, StreamItem& item) { return read_stream_code_after(in, item, in.get()); }

bool read_stream_code_after(BlockInput& in, StreamItem& item, int code) {
  BlockSource source{in};
  return read_code_after(source, item, code);
}

bool read_stream_code_after(MemoryStream& in, StreamItem& item, int code) {
  MemorySource source{in};
  return read_code_after(source, item, code);
}

int init_stream_state(BlockInput& in, CharState& cs, ParaState& ps, TabTable* tabs) {
  if (in.peek() == EOF) return -2;
  cs = CharState{};
  ps = ParaState{};
  if (tabs) *tabs = TabTable{};
  return 0;
}

bool write_stream_item(std::FILE* out, const StreamItem& item) {
  if (item.kind == StreamItem::Kind::End) return true;
  if (item.kind == StreamItem::Kind::Byte) return put_byte(item.value, out) != EOF;
  put_byte(kEscape, out);
  put_byte(item.value, out);
  if (fixed_operand_count(item.value) != 0) {
    put_byte(item.op1, out);
    put_byte(item.op2, out);
    if (!item.data.empty()) std::fwrite(item.data.data(), 1, item.data.size(), out);
    if (item.value == Picture) {
      put_byte(kEscape, out);
      put_byte(EndOfText, out);
    }
  }
  return !std::ferror(out);
}

static std::uint16_t low16_at(const StreamItem& item, std::size_t offset) {
  if (item.data.size() < offset + 4) return 0;
  return static_cast<std::uint16_t>((item.data[offset + 2] << 8) | item.data[offset + 3]);
}

std::uint16_t picture_height(const StreamItem& item) { return low16_at(item, 0); }
std::uint16_t picture_width(const StreamItem& item) { return low16_at(item, 4); }

}  // namespace lettrix
