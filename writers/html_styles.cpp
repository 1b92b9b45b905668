// CSS of the HTML writer's classes. Fonts come from the one font table
// (core/pc_fonts.h) with a generic family after them for readers that lack
// the face: serif for the roman fonts, sans-serif for the swiss ones,
// monospace for a fixed pitch. Lengths are points: a stream column is 7.2.
// Outline has no CSS form that every reader shows (a stroke with a
// transparent fill would leave the text unseen where strokes are unknown):
// outlined text shows plain.
#include "writers/html_styles.h"

#include <string_view>

#include "core/emitter.h"
#include "core/pc_fonts.h"

namespace lettrix {

namespace {

// The colours of TextColour 1 to 16, as the RTF writer's colour table has them.
constexpr std::string_view kColours[17] = {
    "",        "#000000", "#0000FF", "#00FFFF", "#00FF00", "#FF00FF", "#FF0000", "#FFFF00", "#FFFFFF",
    "#00007F", "#007F7F", "#007F00", "#7F007F", "#7F0000", "#7F7F00", "#7F7F7F", "#C0C0C0"};

// Stream columns as points: "7.2pt", "-36pt", "0pt".
void put_points(std::string& css, long long columns) {
  const long long tenths = columns * 72;
  const long long magnitude = tenths < 0 ? -tenths : tenths;
  if (tenths < 0) css += '-';
  css += std::to_string(magnitude / 10);
  if (magnitude % 10) {
    css += '.';
    css += static_cast<char>('0' + magnitude % 10);
  }
  css += "pt";
}

std::string_view generic_family(const PcFontFace& face) {
  if (face.fixed_pitch) return "monospace";
  if (face.family == FontFamily::Roman) return "serif";
  if (face.family == FontFamily::Swiss) return "sans-serif";
  return {};
}

}  // namespace

std::string css_declarations(const HtmlCharFormat& f) {
  std::string css;
  const PcFontFace& face = kPcFonts[f.font < kPcFonts.size() ? f.font : static_cast<std::uint8_t>(kDocumentFont)];
  css += "font-family:'";
  css += face.name;
  css += '\'';
  if (const std::string_view generic = generic_family(face); !generic.empty()) {
    css += ',';
    css += generic;
  }
  css += ";font-size:" + std::to_string(f.points) + "pt";
  if (f.flags1 & kBold) css += ";font-weight:bold";
  if (f.flags1 & kItalic) css += ";font-style:italic";
  const bool underline = (f.flags1 & kUnderline) || (f.flags2 & kDoubleUnderline);
  const bool strike = f.flags1 & kStrike;
  if (underline || strike) {
    css += ";text-decoration:";
    css += underline && strike ? "underline line-through" : underline ? "underline" : "line-through";
    if (f.flags2 & kDoubleUnderline) css += ";text-decoration-style:double";
  }
  if (f.flags2 & kSmallCaps) css += ";font-variant:small-caps";
  if (f.flags1 & kCaps) css += ";text-transform:uppercase";
  if (f.flags1 & kSuperscript)
    css += ";vertical-align:super";
  else if (f.flags1 & kSubscript)
    css += ";vertical-align:sub";
  if (f.flags2 & kShadow) css += ";text-shadow:1pt 1pt 1pt #7F7F7F";
  if (f.flags1 & kHidden) css += ";display:none";
  if (f.colour >= 1 && f.colour <= 16) {
    css += ";color:";
    css += kColours[f.colour];
  }
  return css;
}

std::string css_declarations(const HtmlParaFormat& f) {
  std::string css;
  auto add = [&css](std::string_view text) {
    if (!css.empty()) css += ';';
    css += text;
  };
  switch (f.align) {
    case HtmlAlign::Centre: add("text-align:center"); break;
    case HtmlAlign::Right: add("text-align:right"); break;
    case HtmlAlign::Justify: add("text-align:justify"); break;
    case HtmlAlign::Left: break;
  }
  if (f.margin_left != 0) {
    add("margin-left:");
    put_points(css, f.margin_left);
  }
  if (f.text_indent != 0) {
    add("text-indent:");
    put_points(css, f.text_indent);
  }
  if (f.margin_right != 0) {
    add("margin-right:");
    put_points(css, f.margin_right);
  }
  if (f.line_spacing != 0) add("line-height:" + std::to_string(f.line_spacing * 100 / 8) + "%");
  if (f.tab_size != 0) {
    add("tab-size:");
    put_points(css, f.tab_size);
  }
  if (f.page_break_before) add("break-before:page;page-break-before:always");
  return css;
}

std::string HtmlClasses::css() const {
  std::string text;
  for (std::size_t i = 0; i < para_order_.size(); ++i)
    text += ".p" + std::to_string(i + 1) + "{" + css_declarations(*para_order_[i]) + "}\n";
  for (std::size_t i = 0; i < char_order_.size(); ++i)
    text += ".c" + std::to_string(i + 1) + "{" + css_declarations(*char_order_[i]) + "}\n";
  return text;
}

}  // namespace lettrix
