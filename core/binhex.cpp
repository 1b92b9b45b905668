#include "core/binhex.h"

#include <algorithm>
#include <climits>
#include <array>
#include <cstring>
#include <string_view>

#include "core/crc_ccitt.h"

namespace lettrix {

namespace {

constexpr std::string_view kAlphabet = "!\"#$%&'()*+,-012345689@ABCDEFGHIJKLMNPQRSTUVXYZ[`abcdefhijklmpqr";
// How the first line of BinHex begins, whatever its encoder wrote after it
// ("with BinHex 4.0)", "with BinHex)", ...).
constexpr std::string_view kBanner = "(This file must be converted";
constexpr std::uint8_t kRunMark = 0x90;
constexpr std::size_t kMaxNameLength = 63;
constexpr std::size_t kLineLength = 64;
constexpr std::size_t kBlock = 1 << 16;

constexpr std::array<std::int8_t, 256> make_values() {
  std::array<std::int8_t, 256> v{};
  for (auto& x : v) x = -1;
  for (std::size_t i = 0; i < kAlphabet.size(); ++i) v[static_cast<std::uint8_t>(kAlphabet[i])] = static_cast<std::int8_t>(i);
  return v;
}
constexpr std::array<std::int8_t, 256> kValue = make_values();

bool is_blank(int c) { return c == '\r' || c == '\n' || c == ' ' || c == '\t'; }

// Where the encoded text starts (just after its opening colon), or npos.
std::size_t encoded_start(std::span<const std::uint8_t> head, bool& has_banner) {
  const std::string_view text(reinterpret_cast<const char*>(head.data()), head.size());
  // The banner starts a line; mail or news headers and any text may come
  // before it, a text that only quotes it is none.
  std::size_t banner = text.find(kBanner);
  while (banner != std::string_view::npos && banner > 0 && text[banner - 1] != '\n' && text[banner - 1] != '\r')
    banner = text.find(kBanner, banner + 1);
  has_banner = banner != std::string_view::npos;
  if (has_banner) {
    // The colon that opens the data stands at the start of a line.
    for (std::size_t at = text.find(':', banner); at != std::string_view::npos; at = text.find(':', at + 1))
      if (at > 0 && (text[at - 1] == '\n' || text[at - 1] == '\r')) return at + 1;
    return std::string_view::npos;
  }
  // Without the banner: the first line is ":" and a full line of the alphabet.
  std::size_t at = 0;
  while (at < text.size() && is_blank(text[at])) ++at;
  if (at >= text.size() || text[at] != ':' || text.size() - at < kLineLength + 1) return std::string_view::npos;
  for (std::size_t i = at + 1; i < at + 1 + kLineLength - 1; ++i)
    if (kValue[static_cast<std::uint8_t>(text[i])] < 0) return std::string_view::npos;
  return at + 1;
}

// The bytes of the encoded text, with the run codes expanded. Reads from a
// stream or from a block in memory.
class Decoder {
 public:
  Decoder(std::FILE* file, std::uint64_t offset) : file_(file), offset_(offset) {}
  Decoder(std::span<const std::uint8_t> text, std::size_t offset) : memory_(text), offset_(offset) {
    pos_ = offset;
  }

  // The next byte, or -1 when the text ends (ended()) or is wrong (error()).
  int next() {
    for (;;) {
      if (repeat_ > 0) {
        --repeat_;
        return previous_;
      }
      const int b = raw();
      if (b < 0) return -1;
      if (b != kRunMark) return previous_ = b;
      const int n = raw();
      if (n < 0) return -1;
      if (n == 0) return previous_ = kRunMark;
      if (previous_ < 0) {
        error_ = "a run code with no byte before it";
        return -1;
      }
      repeat_ = n - 1;  // the byte itself came before the code
    }
  }

  // Reads n bytes into out (or only counts them when out is null), updating
  // the CRC. False when the text ends first.
  bool read(std::uint8_t* out, std::size_t n, std::uint16_t& crc) {
    for (std::size_t i = 0; i < n; ++i) {
      const int b = next();
      if (b < 0) return false;
      crc = crc_ccitt_byte(crc, static_cast<std::uint8_t>(b));
      if (out) out[i] = static_cast<std::uint8_t>(b);
    }
    return true;
  }

  bool read_stored_crc(std::uint16_t& value) {
    const int a = next();
    const int b = next();
    if (a < 0 || b < 0) return false;
    value = static_cast<std::uint16_t>(a << 8 | b);
    return true;
  }

  const std::string& error() const { return error_; }

 private:
  int source_char() {
    if (!file_) return pos_ < memory_.size() ? memory_[pos_++] : -1;
    if (pos_ == length_) {
      if (started_ && length_ < buffer_.size()) return -1;
      if (!started_) {
        started_ = true;
        if (offset_ > static_cast<std::uint64_t>(LONG_MAX) ||
            std::fseek(file_, static_cast<long>(offset_), SEEK_SET) != 0)
          return -1;
      }
      length_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
      pos_ = 0;
      if (length_ == 0) return -1;
    }
    return buffer_[pos_++];
  }

  // The next 8 bits of the 6-bit code, or -1.
  int raw() {
    while (bits_ < 8) {
      if (ended_) return -1;
      const int c = source_char();
      if (c < 0) return -1;
      if (is_blank(c)) continue;
      if (c == ':') {
        ended_ = true;
        return -1;
      }
      const int v = kValue[static_cast<std::uint8_t>(c)];
      if (v < 0) {
        error_ = "a character outside the BinHex alphabet";
        ended_ = true;
        return -1;
      }
      accumulator_ = (accumulator_ << 6 | static_cast<unsigned>(v)) & 0xFFFFFF;
      bits_ += 6;
    }
    bits_ -= 8;
    return static_cast<int>((accumulator_ >> bits_) & 0xFF);
  }

  std::FILE* file_ = nullptr;
  std::span<const std::uint8_t> memory_;
  std::uint64_t offset_ = 0;
  std::array<std::uint8_t, 4096> buffer_{};
  std::size_t length_ = 0;
  std::size_t pos_ = 0;
  bool started_ = false;
  bool ended_ = false;
  unsigned accumulator_ = 0;
  int bits_ = 0;
  int previous_ = -1;
  int repeat_ = 0;
  std::string error_;
};

std::string cut_short(const Decoder& d, const char* what) {
  return "BinHex: " + (d.error().empty() ? std::string(what) + " cut short" : d.error() + " in the " + what);
}

// Reads and checks the header. Damaged with a reason when it is wrong.
WrapperCheck read_header(Decoder& d, WrappedFile& info, std::string& error) {
  info = WrappedFile{};
  info.kind = WrapperKind::BinHex;
  info.version = 4;
  std::uint16_t crc = 0;
  std::uint8_t length = 0;
  if (!d.read(&length, 1, crc)) {
    error = cut_short(d, "header");
    return WrapperCheck::Damaged;
  }
  if (length == 0 || length > kMaxNameLength) {
    error = "BinHex: file name length " + std::to_string(length) + " in the header";
    return WrapperCheck::Damaged;
  }
  std::uint8_t h[kMaxNameLength + 19];
  if (!d.read(h, length + 19u, crc)) {
    error = cut_short(d, "header");
    return WrapperCheck::Damaged;
  }
  std::uint16_t stored = 0;
  if (!d.read_stored_crc(stored)) {
    error = cut_short(d, "header");
    return WrapperCheck::Damaged;
  }
  if (stored != crc) {
    error = "BinHex: header CRC mismatch";
    return WrapperCheck::Damaged;
  }
  const std::uint8_t* p = h + length + 1;  // after the name and the version byte
  info.name.assign(h, h + length);
  info.type.assign(p, p + 4);
  info.creator.assign(p + 4, p + 8);
  info.data_length = std::uint64_t{p[10]} << 24 | std::uint64_t{p[11]} << 16 | std::uint64_t{p[12]} << 8 | p[13];
  info.resource_length = std::uint64_t{p[14]} << 24 | std::uint64_t{p[15]} << 16 | std::uint64_t{p[16]} << 8 | p[17];
  for (std::uint64_t n : {info.data_length, info.resource_length}) {
    if (n > kMaxBinHexFork) {
      error = "BinHex: a fork of " + std::to_string(n) + " bytes is more than this program takes";
      return WrapperCheck::Damaged;
    }
  }
  return WrapperCheck::Ok;
}

// Decodes one fork of length bytes to out (may be null) and checks its CRC.
bool decode_fork(Decoder& d, std::uint64_t length, std::FILE* out, const char* what, std::string& error) {
  std::vector<std::uint8_t> block(static_cast<std::size_t>(std::min<std::uint64_t>(length, kBlock)));
  std::uint16_t crc = 0;
  while (length > 0) {
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(length, block.size()));
    if (!d.read(block.data(), n, crc)) {
      error = cut_short(d, what);
      return false;
    }
    if (out && std::fwrite(block.data(), 1, n, out) != n) {
      error = "BinHex: cannot write the work file";
      return false;
    }
    length -= n;
  }
  std::uint16_t stored = 0;
  if (!d.read_stored_crc(stored)) {
    error = cut_short(d, what);
    return false;
  }
  if (stored != crc) {
    error = std::string("BinHex: ") + what + " CRC mismatch";
    return false;
  }
  return true;
}

}  // namespace

WrapperCheck probe_binhex(std::span<const std::uint8_t> head, WrappedFile& info, std::vector<std::uint8_t>& data_head,
                          std::string& error) {
  data_head.clear();
  bool has_banner = false;
  const std::size_t start = encoded_start(head.first(std::min(head.size(), kBinHexProbeSize)), has_banner);
  if (start == std::string_view::npos) return WrapperCheck::NotWrapped;
  Decoder d(head.first(std::min(head.size(), kBinHexProbeSize)), start);
  std::string why;
  const WrapperCheck header = read_header(d, info, why);
  if (header != WrapperCheck::Ok) {
    if (!has_banner) return WrapperCheck::NotWrapped;
    error = why;
    return header;
  }
  const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(info.data_length, kBinHexProbeSize));
  data_head.reserve(want);
  for (std::size_t i = 0; i < want; ++i) {
    const int b = d.next();
    if (b < 0) break;
    data_head.push_back(static_cast<std::uint8_t>(b));
  }
  return WrapperCheck::Ok;
}

bool decode_binhex(std::FILE* in, std::FILE* data_out, std::FILE* resource_out, std::string& error) {
  std::vector<std::uint8_t> head(kBinHexProbeSize);
  if (std::fseek(in, 0, SEEK_SET) != 0) {
    error = "BinHex: cannot read the file";
    return false;
  }
  head.resize(std::fread(head.data(), 1, head.size(), in));
  bool has_banner = false;
  const std::size_t start = encoded_start(head, has_banner);
  if (start == std::string_view::npos) {
    error = "BinHex: no line starting with \":\"";
    return false;
  }
  Decoder d(in, start);
  WrappedFile info;
  if (read_header(d, info, error) != WrapperCheck::Ok) return false;
  if (!decode_fork(d, info.data_length, data_out, "data fork", error)) return false;
  if (!decode_fork(d, info.resource_length, resource_out, "resource fork", error)) return false;
  for (std::FILE* f : {data_out, resource_out}) {
    if (f && (std::fflush(f) != 0 || std::ferror(f))) {
      error = "BinHex: cannot write the work file";
      return false;
    }
  }
  return true;
}

}  // namespace lettrix
