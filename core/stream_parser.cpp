#include "core/stream_parser.h"

#include <cstdint>

#include "core/stream_codes.h"
#include "core/stream_reader.h"

namespace lettrix {

namespace {

constexpr std::string_view kPilcrow = "¶";

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Two hex digits per byte, appended to out.
bool parse_hex_bytes(std::string_view digits, std::string& out) {
  if (digits.size() % 2 != 0) return false;
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    const int hi = hex_value(digits[i]), lo = hex_value(digits[i + 1]);
    if (hi < 0 || lo < 0) return false;
    out += static_cast<char>(hi << 4 | lo);
  }
  return true;
}

// "0xNN".
bool parse_hex_byte(std::string_view s, std::uint8_t& value) {
  std::string one;
  if (s.size() != 4 || s[0] != '0' || s[1] != 'x' || !parse_hex_bytes(s.substr(2), one)) return false;
  value = static_cast<std::uint8_t>(one[0]);
  return true;
}

// Decimal digits only, at most max.
bool parse_number(std::string_view s, std::uint32_t max, std::uint32_t& value) {
  if (s.empty() || s.size() > 10) return false;
  std::uint64_t v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (v > max) return false;
  value = static_cast<std::uint32_t>(v);
  return true;
}

// "a,b", two bytes in decimal.
bool parse_pair(std::string_view s, std::string& out) {
  const std::size_t comma = s.find(',');
  std::uint32_t a = 0, b = 0;
  if (comma == std::string_view::npos || !parse_number(s.substr(0, comma), 255, a) ||
      !parse_number(s.substr(comma + 1), 255, b))
    return false;
  out += static_cast<char>(a);
  out += static_cast<char>(b);
  return true;
}

void put_big_endian_32(std::string& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  ParsedStream run() {
    ParsedStream result;
    out_ = &result.bytes;
    std::size_t i = 0;
    while (i < text_.size() && step(i, result)) {
    }
    if (!result.ok()) result.bytes.clear();
    return result;
  }

 private:
  // Reads the character or token at i; false after an error.
  bool step(std::size_t& i, ParsedStream& result) {
    const char c = text_[i];
    const char next = i + 1 < text_.size() ? text_[i + 1] : '\0';
    if (c == '{' && next == '{') {
      *out_ += '{';
      i += 2;
      return true;
    }
    if (c == '{') {
      std::size_t close = i + 1;
      while (close < text_.size() && text_[close] != '}' && text_[close] != '{' && text_[close] != '\n') ++close;
      if (close == text_.size() || text_[close] != '}') {
        return fail(result, i, close - i, "the token is not closed by } (a { character is written {{)");
      }
      const std::string_view token = text_.substr(i, close + 1 - i);
      std::string why;
      if (!parse_token(token.substr(1, token.size() - 2), close + 1 == text_.size(), why)) {
        return fail(result, i, token.size(), why);
      }
      i = close + 1;
      return true;
    }
    if (c == '}') {
      if (next != '}') return fail(result, i, 1, "a lone } (the character is written }})");
      *out_ += '}';
      i += 2;
      return true;
    }
    if (text_.substr(i, kPilcrow.size()) == kPilcrow) {
      *out_ += static_cast<char>(kParagraphEnd);
      i += kPilcrow.size();
      if (i < text_.size() && text_[i] == '\n') ++i;
      return true;
    }
    if (c == '\n') return fail(result, i, 0, "a newline stands only after ¶ (byte 10 is written {LF})");
    if (c == '\\') return fail(result, i, 1, "a backslash would begin a code: write {Backslash} or the code's token");
    const auto byte = static_cast<std::uint8_t>(c);
    if (byte < 0x20 || byte >= 0x7F) {
      static constexpr char kDigits[] = "0123456789ABCDEF";
      const std::string hex = {kDigits[byte >> 4], kDigits[byte & 15]};
      return fail(result, i, 0, "character 0x" + hex + " is not printable ASCII (a byte is written {0x" + hex + "})");
    }
    *out_ += c;
    ++i;
    return true;
  }

  bool fail(ParsedStream& result, std::size_t at, std::size_t length, const std::string& why) {
    std::size_t line = 1;
    for (std::size_t k = 0; k < at; ++k) line += text_[k] == '\n';
    std::string shown;
    if (length > 0) {
      constexpr std::size_t kShown = 40;
      shown = "\"";
      shown.append(text_.substr(at, length < kShown ? length : kShown));
      shown += length > kShown ? "...\": " : "\": ";
    }
    result.error = "offset " + std::to_string(at) + " (line " + std::to_string(line) + "): " + shown + why;
    result.offset = at;
    return false;
  }

  // The inside of a token, between its braces; why says what is wrong.
  bool parse_token(std::string_view inside, bool last, std::string& why) {
    const std::size_t space = inside.find(' ');
    const std::string_view name = inside.substr(0, space);
    const bool has_args = space != std::string_view::npos;
    const std::string_view args = has_args ? inside.substr(space + 1) : std::string_view();
    if (has_args && args.empty()) return (why = "nothing after the space"), false;

    std::uint8_t value = 0;
    if (name.substr(0, 2) == "0x" && !has_args) {
      if (!parse_hex_byte(name, value)) return (why = "a byte is {0xNN}, two hex digits"), false;
      if (value == kEscape) return (why = "byte 0x5C begins every code: write {Backslash} or the code's token"), false;
      *out_ += static_cast<char>(value);
      return true;
    }
    if (!has_args && (name == "LF" || name == "Tab" || name == "PageBreak")) {
      *out_ += static_cast<char>(name == "LF" ? kLineBreak : name == "Tab" ? kTab : kPageBreak);
      return true;
    }
    if (name == "StyleSheet") return style_sheet(args, why);
    if (name == "Picture") return picture(args, why);
    if (name == "Truncated") return truncated(args, last, why);
    std::string_view operands = args;
    if (name == "Code") {
      const std::size_t split = args.find(' ');
      if (!parse_hex_byte(args.substr(0, split), value)) return (why = "a code byte is {Code 0xNN}"), false;
      if (const char* named = code_name(value)) {
        return (why = "the code has a name: {" + std::string(named) + "}"), false;
      }
      operands = split == std::string_view::npos ? std::string_view() : args.substr(split + 1);
      if (split != std::string_view::npos && operands.empty()) return (why = "nothing after the space"), false;
    } else {
      const int found = find_code(name);
      if (found < 0) return (why = "no code has this name"), false;
      value = static_cast<std::uint8_t>(found);
    }
    *out_ += static_cast<char>(kEscape);
    *out_ += static_cast<char>(value);
    if (fixed_operand_count(value) == 0) {
      if (!operands.empty()) return (why = "the code takes no operands"), false;
      return true;
    }
    if (!parse_pair(operands, *out_)) return (why = "the code takes two operands, a,b in decimal (0 to 255)"), false;
    return true;
  }

  bool style_sheet(std::string_view args, std::string& why) {
    std::string data;
    if (!parse_hex_bytes(args, data)) return (why = "a style sheet's bytes are two hex digits each"), false;
    if (data.size() > 0xFFFF) return (why = "a style sheet holds at most 65535 bytes"), false;
    *out_ += static_cast<char>(kEscape);
    *out_ += static_cast<char>(StyleSheet);
    *out_ += static_cast<char>(data.size() & 0xFF);
    *out_ += static_cast<char>(data.size() >> 8);
    *out_ += data;
    return true;
  }

  // "K[,Z] HxW[ DIGITS | #HEX]".
  bool picture(std::string_view args, std::string& why) {
    why = "a picture is {Picture K HxW DIGITS}: kind, height x width, hex digits";
    const std::size_t first = args.find(' ');
    if (first == std::string_view::npos) return false;
    const std::size_t second = args.find(' ', first + 1);
    const std::string_view kind = args.substr(0, first);
    const std::string_view size = args.substr(first + 1, second == std::string_view::npos ? second : second - first - 1);
    const std::string_view body = second == std::string_view::npos ? std::string_view() : args.substr(second + 1);
    std::string head;
    std::uint32_t k = 0, height = 0, width = 0;
    if (kind.find(',') != std::string_view::npos) {
      if (!parse_pair(kind, head)) return false;
    } else {
      if (!parse_number(kind, 255, k)) return false;
      head += static_cast<char>(k);
      head += '\0';
    }
    const std::size_t x = size.find('x');
    if (x == std::string_view::npos || !parse_number(size.substr(0, x), 0xFFFFFFFF, height) ||
        !parse_number(size.substr(x + 1), 0xFFFFFFFF, width))
      return false;
    put_big_endian_32(head, height);
    put_big_endian_32(head, width);
    if (second != std::string_view::npos && body.empty()) return (why = "nothing after the space"), false;
    if (!body.empty() && body[0] == '#') {
      if (!parse_hex_bytes(body.substr(1), head)) return (why = "a picture's #HEX is two hex digits a byte"), false;
      // The reader ends the picture at the first escape and EndOfText after its size.
      const std::string_view bytes = std::string_view(head).substr(10);
      if (bytes.find("\x5C\x7F") != std::string_view::npos) {
        return (why = "a picture cannot hold the bytes 5C 7F: they end it"), false;
      }
    } else {
      for (char c : body) {
        if (hex_value(c) < 0) return (why = "a picture's digits are hex digits (or #HEX for any bytes)"), false;
      }
      head += body;
    }
    *out_ += static_cast<char>(kEscape);
    *out_ += static_cast<char>(Picture);
    *out_ += head;
    *out_ += static_cast<char>(kEscape);
    *out_ += static_cast<char>(EndOfText);
    return true;
  }

  bool truncated(std::string_view args, bool last, std::string& why) {
    std::string tail;
    if (!parse_hex_bytes(args, tail) || tail.empty()) return (why = "the cut bytes are two hex digits each"), false;
    if (!last) return (why = "a truncated code ends the stream: it is the last token"), false;
    if (static_cast<std::uint8_t>(tail[0]) != kEscape) return (why = "a truncated code begins with 5C"), false;
    const auto* const first = reinterpret_cast<const std::uint8_t*>(tail.data());
    MemoryStream in{first, first + tail.size()};
    StreamItem item;
    if (read_stream_item(in, item)) return (why = "the bytes make a whole code: write its token"), false;
    *out_ += tail;
    return true;
  }

  std::string_view text_;
  std::string* out_ = nullptr;
};

}  // namespace

ParsedStream parse_stream(std::string_view text) { return Parser(text).run(); }

}  // namespace lettrix
