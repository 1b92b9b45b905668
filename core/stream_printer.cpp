#include "core/stream_printer.h"

#include "core/stream_codes.h"
#include "core/stream_reader.h"

namespace lettrix {

namespace {

std::string hex_byte(unsigned v) {
  static const char digits[] = "0123456789ABCDEF";
  std::string s = "0x";
  s += digits[(v >> 4) & 15];
  s += digits[v & 15];
  return s;
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
    out += '{';
    out += hex_byte(b);
    out += '}';
  }
}

void print_code(std::string& out, const StreamItem& item) {
  const char* name = code_name(item.value);
  std::string label = name ? name : "Code " + hex_byte(item.value);
  if (item.value == StyleSheet) {
    out += "{StyleSheet " + std::to_string(item.data.size()) + " bytes}";
  } else if (item.value == Picture) {
    out += "{Picture " + std::to_string(item.op1) + " " + std::to_string(picture_height(item)) + "x" +
           std::to_string(picture_width(item)) + " " +
           std::to_string(item.data.size() >= 8 ? item.data.size() - 8 : 0) + " digits}";
  } else if (fixed_operand_count(item.value) == 2) {
    out += "{" + label + " " + std::to_string(item.op1) + "," + std::to_string(item.op2) + "}";
  } else {
    out += "{" + label + "}";
  }
}

}  // namespace

std::string print_stream(std::FILE* in, bool multiline) {
  std::string out;
  StreamItem item;
  while (read_stream_item(in, item)) {
    if (item.kind == StreamItem::Kind::Byte) {
      print_byte(out, item.value, multiline);
    } else {
      print_code(out, item);
    }
  }
  return out;
}

std::string print_stream(std::string_view bytes, bool multiline) {
  std::FILE* in = std::tmpfile();
  if (!in) return "{cannot print: no temporary file}";
  std::fwrite(bytes.data(), 1, bytes.size(), in);
  std::rewind(in);
  std::string out = print_stream(in, multiline);
  std::fclose(in);
  return out;
}

}  // namespace lettrix
