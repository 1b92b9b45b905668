#include "graphics/pict_text.h"

#include "core/charset.h"
#include "core/mac_font_names.h"
#include "core/unicode_tables.h"
#include "graphics/pict_paint.h"

// Fontconfig, which cairo asks for faces, keeps its configuration and
// patterns for the process's lifetime behind offsets rather than pointers, so
// a leak checker takes them for leaks at exit: builds under AddressSanitizer
// leave them out of its report, and say nothing of having done so (programs
// whose messages are compared, in tests, would otherwise end with that list).
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LETTRIX_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(LETTRIX_ASAN)
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
#endif

namespace lettrix::pict {

const char* font_family(const PictState& st) {
  std::string_view name;
  for (const FontNameEntry& e : st.font_names)
    if (e.id == st.text_font) name = e.name;
  if (name.empty()) name = mac_font_number_name(st.text_font);
  // The DejaVu faces by name (the fonts package the build installs), not the
  // system's choice for "serif" or "monospace": a picture is drawn the same
  // whatever other fonts are installed (fontconfig falls back where they
  // are missing).
  switch (name.empty() ? FontSans : mac_font_class(name)) {  // 0 and 1: Chicago, Geneva
    case FontSerif: return "DejaVu Serif";
    case FontFixed: return "DejaVu Sans Mono";
    default: return "DejaVu Sans";
  }
}

std::string mac_text_utf8(std::span<const std::uint8_t> text) {
  std::string out;
  out.reserve(text.size());
  for (const std::uint8_t byte : text) {
    if (byte < 0x20 || byte == 0x7F) continue;
    const std::uint16_t e = kMacintoshTable[byte];
    if ((e >> 8) == 0) {
      if ((e & 0xFF) >= 0x20 && (e & 0xFF) < 0x7F) out.push_back(static_cast<char>(e & 0xFF));
    } else if (const char* u = position_utf8(e >> 8, e & 0xFF)) {
      out += u;
    }
  }
  return out;
}

void draw_text(cairo_t* cr, const PictState& st, std::span<const std::uint8_t> text) {
  const std::string utf8 = mac_text_utf8(text);
  if (utf8.empty()) return;
  cairo_new_path(cr);
  cairo_select_font_face(cr, font_family(st), (st.text_face & 2) ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                         (st.text_face & 1) ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  const int size = st.text_size > 0 && st.text_size < 1000 ? st.text_size : 12;
  cairo_set_font_size(cr, size);
  const int kind = mode_kind(st.text_mode);
  const Rgb c = kind == ModeXor ? kWhite : kind == ModeBic ? st.bg : st.fg;
  cairo_set_operator(cr, kind == ModeXor ? CAIRO_OPERATOR_DIFFERENCE : CAIRO_OPERATOR_OVER);
  cairo_set_source_rgb(cr, c.r, c.g, c.b);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, utf8.c_str(), &ext);
  cairo_move_to(cr, st.text_at.h, st.text_at.v);
  cairo_show_text(cr, utf8.c_str());
  if (st.text_face & 4) {  // underline, a point below the baseline
    cairo_new_path(cr);
    cairo_rectangle(cr, st.text_at.h, st.text_at.v + 1, ext.x_advance, size >= 24 ? 2 : 1);
    cairo_fill(cr);
  }
}

}  // namespace lettrix::pict
