#include "writers/picture_png.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>

#include "core/handler.h"

namespace lettrix {

namespace {

int hex_digit(std::uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string picture_bytes(const StreamItem& item) {
  std::string bytes;
  if (item.data.size() > 8) bytes.reserve((item.data.size() - 8) / 2);
  int high = -1;
  for (std::size_t i = 8; i < item.data.size(); ++i) {
    const int digit = hex_digit(item.data[i]);
    if (digit < 0) continue;
    if (high < 0) {
      high = digit;
    } else {
      bytes.push_back(static_cast<char>(high << 4 | digit));
      high = -1;
    }
  }
  return bytes;
}

namespace {
std::chrono::steady_clock::duration g_picture_time{};  // spent on this document's pictures
std::chrono::milliseconds g_document_time = kDocumentPictureTime;
bool g_picture_time_noted = false;
}  // namespace

void set_document_picture_time_for_tests(std::chrono::milliseconds time) { g_document_time = time; }

void begin_document_pictures() {
  g_picture_time = {};
  g_picture_time_noted = false;
}

bool picture_png(const StreamItem& item, int number, RenderedPicture& out) {
  if (item.op1 != 1) return false;
  out = RenderedPicture{};
  if (g_picture_time >= g_document_time) {
    if (!g_picture_time_noted)
      add_handler_note("picture " + std::to_string(number) + " and those after it not drawn: the document's pictures took " +
                       std::to_string(g_document_time.count() / 1000) + " s");
    g_picture_time_noted = true;
    return false;
  }
  PictLimits limits;
  limits.max_time = std::min(limits.max_time, std::chrono::duration_cast<std::chrono::milliseconds>(
                                                  g_document_time - g_picture_time));
  const std::string bytes = picture_bytes(item);
  const auto start = std::chrono::steady_clock::now();
  const bool drawn =
      render_pict(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), out, limits);
  g_picture_time += std::chrono::steady_clock::now() - start;
  if (!out.note.empty())
    add_handler_note("picture " + std::to_string(number) + (drawn ? " drawn in part: " : " not drawn: ") + out.note);
  return drawn && !out.png.empty();
}

void append_base64(std::string& out, std::string_view bytes) {
  static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  out.reserve(out.size() + (bytes.size() + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const std::uint32_t v = static_cast<std::uint8_t>(bytes[i]) << 16 | static_cast<std::uint8_t>(bytes[i + 1]) << 8 |
                            static_cast<std::uint8_t>(bytes[i + 2]);
    const char quad[4] = {kDigits[v >> 18], kDigits[v >> 12 & 63], kDigits[v >> 6 & 63], kDigits[v & 63]};
    out.append(quad, 4);
  }
  const std::size_t rest = bytes.size() - i;
  if (rest == 0) return;
  std::uint32_t v = static_cast<std::uint8_t>(bytes[i]) << 16;
  if (rest == 2) v |= static_cast<std::uint8_t>(bytes[i + 1]) << 8;
  const char quad[4] = {kDigits[v >> 18], kDigits[v >> 12 & 63], rest == 2 ? kDigits[v >> 6 & 63] : '=', '='};
  out.append(quad, 4);
}

std::string points_text(double points) {
  const long long tenths = std::llround(points * 10);
  std::string text = std::to_string(tenths / 10);
  if (tenths % 10 != 0) text += "." + std::to_string(tenths % 10);
  return text;
}

std::string picture_placeholder(const StreamItem& item) {
  return "[picture " + std::to_string(picture_width(item)) + " \xC3\x97 " + std::to_string(picture_height(item)) + "]";
}

}  // namespace lettrix
