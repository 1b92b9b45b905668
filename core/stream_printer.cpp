#include "core/stream_printer.h"

#include "core/stream_codes.h"
#include "core/stream_reader.h"

namespace lettrix {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void put_hex_byte(std::string& out, std::uint8_t b) {
  out += kHexDigits[b >> 4];
  out += kHexDigits[b & 15];
}

void put_hex(std::string& out, const std::uint8_t* from, const std::uint8_t* to) {
  for (; from < to; ++from) put_hex_byte(out, *from);
}

void put_byte_token(std::string& out, std::uint8_t b) {
  out += "{0x";
  put_hex_byte(out, b);
  out += '}';
}

void print_byte(std::string& out, std::uint8_t b, bool multiline) {
  switch (b) {
    case kParagraphEnd: out += multiline ? "¶\n" : "¶"; return;
    case kLineBreak: out += "{LF}"; return;
    case kTab: out += "{Tab}"; return;
    case kPageBreak: out += "{PageBreak}"; return;
    case '{': out += "{{"; return;
    case '}': out += "}}"; return;
    default: break;
  }
  if (b >= 0x20 && b < 0x7F) {
    out += static_cast<char>(b);
  } else {
    put_byte_token(out, b);
  }
}

std::uint32_t big_endian_32(const std::uint8_t* p) {
  return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
         (static_cast<std::uint32_t>(p[2]) << 8) | p[3];
}

bool is_hex_digit(std::uint8_t c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

void print_picture(std::string& out, const StreamItem& item) {
  out += "{Picture ";
  out += std::to_string(item.op1);
  if (item.op2 != 0) {
    out += ',';
    out += std::to_string(item.op2);
  }
  // A whole Picture item holds at least its eight bytes of height and width.
  const std::uint8_t* body = item.data.data() + 8;
  const std::uint8_t* end = item.data.data() + item.data.size();
  out += ' ';
  out += std::to_string(big_endian_32(item.data.data()));
  out += 'x';
  out += std::to_string(big_endian_32(item.data.data() + 4));
  if (body < end) {
    out += ' ';
    bool digits = true;
    for (const std::uint8_t* p = body; p < end && digits; ++p) digits = is_hex_digit(*p);
    if (digits) {
      out.append(reinterpret_cast<const char*>(body), static_cast<std::size_t>(end - body));
    } else {
      out += '#';
      put_hex(out, body, end);
    }
  }
  out += '}';
}

void print_code(std::string& out, const StreamItem& item) {
  switch (code_operands(item.value)) {
    case Operands::StyleSheetBlock:
      out += "{StyleSheet";
      if (!item.data.empty()) {
        out += ' ';
        put_hex(out, item.data.data(), item.data.data() + item.data.size());
      }
      out += '}';
      return;
    case Operands::PictureBlock: print_picture(out, item); return;
    case Operands::TwoBytes:
    case Operands::None: break;
  }
  out += '{';
  if (const char* name = code_name(item.value)) {
    out += name;
  } else {
    out += "Code 0x";
    put_hex_byte(out, item.value);
  }
  if (fixed_operand_count(item.value) == 2) {
    out += ' ';
    out += std::to_string(item.op1);
    out += ',';
    out += std::to_string(item.op2);
  }
  out += '}';
}

}  // namespace

std::string print_stream(std::string_view bytes, bool multiline) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  const auto* const first = reinterpret_cast<const std::uint8_t*>(bytes.data());
  MemoryStream in{first, first + bytes.size()};
  StreamItem item;
  for (;;) {
    const std::uint8_t* const start = in.at;
    if (!read_stream_item(in, item)) {
      if (start < in.end) {
        out += "{Truncated ";
        put_hex(out, start, in.end);
        out += '}';
      }
      return out;
    }
    if (item.kind == StreamItem::Kind::Byte) {
      print_byte(out, item.value, multiline);
    } else {
      print_code(out, item);
    }
  }
}

std::string print_stream(std::FILE* in, bool multiline) {
  std::string bytes;
  char block[1 << 16];
  for (std::size_t got; (got = std::fread(block, 1, sizeof block, in)) > 0;) bytes.append(block, got);
  return print_stream(bytes, multiline);
}

}  // namespace lettrix
