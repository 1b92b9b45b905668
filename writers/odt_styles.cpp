// The styles of the OpenDocument writer (odt_styles.h).
//
//   text style        style:font-name (the PC font), fo:font-size, fo:font-weight,
//                     fo:font-style, style:text-underline-* (solid, double),
//                     style:text-line-through-style, style:text-outline,
//                     fo:text-shadow, fo:font-variant (small capitals),
//                     fo:text-transform (capitals), style:text-position
//                     (super- and subscript), text:display (hidden), fo:color
//   paragraph style   fo:text-align, fo:margin-left, fo:margin-right,
//                     fo:text-indent, fo:line-height (a percentage: 8 eighths
//                     are 100%), fo:break-before, fo:border-*, style:tab-stops
//
// A stream column is a tenth of an inch: lengths are written in inches with
// one decimal, exactly.
#include "writers/odt_styles.h"

#include <array>

#include "core/emitter.h"
#include "core/pc_fonts.h"
#include "core/stream_codes.h"

namespace lettrix {

namespace {

// The RTF writer's colour table, by the same index (0: automatic).
constexpr std::array<std::string_view, 17> kColours = {
    "",        "#000000", "#0000ff", "#00ffff", "#00ff00", "#ff00ff", "#ff0000", "#ffff00", "#ffffff",
    "#00007f", "#007f7f", "#007f00", "#7f007f", "#7f0000", "#7f7f00", "#7f7f7f", "#c0c0c0",
};

void put_number(std::string& xml, long long n) { xml += std::to_string(n); }

void put_font_name(std::string& xml, std::uint8_t font) {
  xml += " style:font-name=\"";
  xml += kPcFonts[font < kPcFonts.size() ? font : std::uint8_t{kDocumentFont}].name;
  xml += '"';
}

void put_size(std::string& xml, int points) {
  xml += " fo:font-size=\"";
  put_number(xml, points);
  xml += "pt\"";
}

// The properties of `format` that differ from `base`.
void put_text_properties(std::string& xml, const OdtCharFormat& f, const OdtCharFormat& base) {
  xml += "<style:text-properties";
  if (f.font != base.font) put_font_name(xml, f.font);
  if (f.points != base.points) put_size(xml, f.points);
  const auto on = [&](std::uint8_t flags, std::uint8_t bit) { return (flags & bit) != 0; };
  if (on(f.flags1, kBold)) xml += " fo:font-weight=\"bold\"";
  if (on(f.flags1, kItalic)) xml += " fo:font-style=\"italic\"";
  if (on(f.flags2, kDoubleUnderline))
    xml += " style:text-underline-style=\"solid\" style:text-underline-type=\"double\""
           " style:text-underline-width=\"auto\" style:text-underline-color=\"font-color\"";
  else if (on(f.flags1, kUnderline))
    xml += " style:text-underline-style=\"solid\" style:text-underline-width=\"auto\""
           " style:text-underline-color=\"font-color\"";
  if (on(f.flags1, kStrike)) xml += " style:text-line-through-style=\"solid\"";
  if (on(f.flags2, kOutline)) xml += " style:text-outline=\"true\"";
  if (on(f.flags2, kShadow)) xml += " fo:text-shadow=\"1pt 1pt\"";
  if (on(f.flags2, kSmallCaps)) xml += " fo:font-variant=\"small-caps\"";
  if (on(f.flags1, kCaps)) xml += " fo:text-transform=\"uppercase\"";
  if (on(f.flags1, kSuperscript))
    xml += " style:text-position=\"super 58%\"";
  else if (on(f.flags1, kSubscript))
    xml += " style:text-position=\"sub 58%\"";
  if (on(f.flags1, kHidden)) xml += " text:display=\"none\"";
  if (f.colour > 0 && f.colour < kColours.size()) {
    xml += " fo:color=\"";
    xml += kColours[f.colour];
    xml += '"';
  }
  xml += "/>";
}

void put_length(std::string& xml, std::string_view attribute, long long columns) {
  xml += ' ';
  xml += attribute;
  xml += "=\"";
  put_inches(xml, columns);
  xml += '"';
}

void put_borders(std::string& xml, std::uint8_t sides) {
  const std::string_view line = (sides & kBorderDouble) ? "2.25pt double #000000" : "0.75pt solid #000000";
  const struct {
    std::uint8_t bit;
    std::string_view side;
  } kSides[] = {{kBorderTop, "top"}, {kBorderLeft, "left"}, {kBorderBottom, "bottom"}, {kBorderRight, "right"}};
  for (const auto& s : kSides) {
    if (!(sides & s.bit)) continue;
    xml += " fo:border-";
    xml += s.side;
    xml += "=\"";
    xml += line;
    xml += "\" fo:padding-";
    xml += s.side;
    xml += "=\"1pt\"";
  }
}

void put_paragraph_properties(std::string& xml, const OdtParaFormat& p,
                              const std::vector<OdtTabStop>* tabs) {
  static constexpr std::string_view kAlign[] = {"start", "center", "end", "justify"};
  xml += "<style:paragraph-properties";
  if (p.align != OdtParaFormat::Start && p.align <= OdtParaFormat::Justify) {
    xml += " fo:text-align=\"";
    xml += kAlign[p.align];
    xml += '"';
  }
  if (p.left != 0) put_length(xml, "fo:margin-left", p.left);
  if (p.right != 0) put_length(xml, "fo:margin-right", p.right);
  if (p.indent != 0) put_length(xml, "fo:text-indent", p.indent);
  if (p.spacing > 0 && p.spacing != 8) {
    xml += " fo:line-height=\"";
    put_number(xml, (p.spacing * 100LL + 4) / 8);
    xml += "%\"";
  }
  if (p.page_break) xml += " fo:break-before=\"page\"";
  put_borders(xml, p.border);
  if (!tabs || tabs->empty()) {
    xml += "/>";
    return;
  }
  xml += "><style:tab-stops>";
  static constexpr std::string_view kKinds[] = {"", "", " style:type=\"center\"", " style:type=\"right\"",
                                                " style:type=\"char\" style:char=\".\""};
  for (const OdtTabStop& t : *tabs) {
    xml += "<style:tab-stop style:position=\"";
    put_inches(xml, t.column);
    xml += '"';
    if (t.kind >= 0 && t.kind < 5) xml += kKinds[t.kind];
    xml += "/>";
  }
  xml += "</style:tab-stops></style:paragraph-properties>";
}

}  // namespace

const std::string_view kOdtNamespaces =
    " xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
    " xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\""
    " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\""
    " xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\""
    " xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\""
    " xmlns:xlink=\"http://www.w3.org/1999/xlink\""
    " xmlns:meta=\"urn:oasis:names:tc:opendocument:xmlns:meta:1.0\""
    " xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\""
    " office:version=\"1.2\"";

void put_inches(std::string& xml, long long columns) {
  if (columns < 0) xml += '-';
  const long long a = columns < 0 ? -columns : columns;
  put_number(xml, a / 10);
  if (a % 10 != 0) {
    xml += '.';
    xml += static_cast<char>('0' + a % 10);
  }
  xml += "in";
}

void put_escaped(std::string& xml, std::string_view text) {
  for (const char c : text) {
    switch (c) {
      case '<': xml += "&lt;"; break;
      case '>': xml += "&gt;"; break;
      case '&': xml += "&amp;"; break;
      case '"': xml += "&quot;"; break;
      default: xml += c; break;
    }
  }
}

void put_font_faces(std::string& xml) {
  xml += "<office:font-face-decls>";
  for (const PcFontFace& face : kPcFonts) {
    xml += "<style:font-face style:name=\"";
    xml += face.name;
    xml += "\" svg:font-family=\"&apos;";
    xml += face.name;
    xml += "&apos;\"";
    switch (face.family) {
      case FontFamily::Roman: xml += " style:font-family-generic=\"roman\""; break;
      case FontFamily::Swiss: xml += " style:font-family-generic=\"swiss\""; break;
      case FontFamily::Modern: xml += " style:font-family-generic=\"modern\""; break;
      default: xml += " style:font-family-generic=\"decorative\""; break;
    }
    xml += face.fixed_pitch ? " style:font-pitch=\"fixed\"" : " style:font-pitch=\"variable\"";
    if (face.symbol) xml += " style:font-charset=\"x-symbol\"";
    xml += "/>";
  }
  xml += "</office:font-face-decls>";
}

std::uint32_t OdtStyles::text_style(const OdtCharFormat& format) {
  if (format == document_) return 0;
  const auto found = text_numbers_.find(format.key());
  if (found != text_numbers_.end()) return found->second;
  if (texts_.size() >= kMaxStyles) return 0;
  texts_.push_back(format);
  const auto number = static_cast<std::uint32_t>(texts_.size());
  text_numbers_.emplace(format.key(), number);
  return number;
}

std::uint32_t OdtStyles::paragraph_style(const OdtParaFormat& format) {
  const auto found = paragraph_numbers_.find(format);
  if (found != paragraph_numbers_.end()) return found->second;
  if (paragraphs_.size() >= kMaxStyles) return 0;
  paragraphs_.push_back(format);
  const auto number = static_cast<std::uint32_t>(paragraphs_.size());
  paragraph_numbers_.emplace(format, number);
  return number;
}

std::uint32_t OdtStyles::tab_set(const std::vector<OdtTabStop>& stops) {
  if (stops.empty()) return 0;
  const auto found = tab_numbers_.find(stops);
  if (found != tab_numbers_.end()) return found->second;
  if (tab_sets_.size() >= kMaxTabSets) return 0;
  const auto number = static_cast<std::uint32_t>(tab_sets_.size() + 1);
  const auto placed = tab_numbers_.emplace(stops, number);
  tab_sets_.push_back(&placed.first->first);
  return number;
}

void OdtStyles::put_automatic_styles(std::string& xml) const {
  for (std::size_t i = 0; i < paragraphs_.size(); ++i) {
    const OdtParaFormat& p = paragraphs_[i];
    xml += "<style:style style:name=\"P";
    put_number(xml, static_cast<long long>(i + 1));
    xml += "\" style:family=\"paragraph\" style:parent-style-name=\"Standard\">";
    const bool has_tabs = p.tabs >= 1 && p.tabs <= tab_sets_.size();
    put_paragraph_properties(xml, p, has_tabs ? tab_sets_[p.tabs - 1] : nullptr);
    xml += "</style:style>";
  }
  for (std::size_t i = 0; i < texts_.size(); ++i) {
    xml += "<style:style style:name=\"T";
    put_number(xml, static_cast<long long>(i + 1));
    xml += "\" style:family=\"text\">";
    put_text_properties(xml, texts_[i], document_);
    xml += "</style:style>";
  }
}

std::string odt_styles_xml(const OdtStyles& styles, const OdtHeads& heads) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document-styles";
  xml += kOdtNamespaces;
  xml += '>';
  put_font_faces(xml);
  // The document's character format is the default one; paragraphs have a
  // parent style, "Standard", that adds nothing to it.
  const OdtCharFormat& doc = styles.document_format();
  xml += "<office:styles><style:default-style style:family=\"paragraph\">"
         "<style:paragraph-properties style:tab-stop-distance=\"0.5in\"/><style:text-properties";
  put_font_name(xml, doc.font);
  put_size(xml, doc.points);
  xml += "/></style:default-style><style:style style:name=\"Standard\" style:family=\"paragraph\""
         " style:class=\"text\"/>"
         "<text:notes-configuration text:note-class=\"footnote\" style:num-format=\"1\" text:start-value=\"0\""
         " text:footnotes-position=\"page\" text:start-numbering-at=\"document\"/></office:styles>";
  // The page: US Letter with margins of an inch, as the Macintosh programs
  // set them.
  xml += "<office:automatic-styles><style:page-layout style:name=\"Page\"><style:page-layout-properties"
         " fo:page-width=\"8.5in\" fo:page-height=\"11in\" style:print-orientation=\"portrait\""
         " fo:margin-top=\"1in\" fo:margin-bottom=\"1in\" fo:margin-left=\"1in\" fo:margin-right=\"1in\"/>";
  const bool header = heads.present[OdtHeads::Header] || heads.present[OdtHeads::HeaderLeft];
  const bool footer = heads.present[OdtHeads::Footer] || heads.present[OdtHeads::FooterLeft];
  if (header)
    xml += "<style:header-style><style:header-footer-properties fo:min-height=\"0in\""
           " fo:margin-bottom=\"0.2in\"/></style:header-style>";
  if (footer)
    xml += "<style:footer-style><style:header-footer-properties fo:min-height=\"0in\""
           " fo:margin-top=\"0.2in\"/></style:footer-style>";
  xml += "</style:page-layout>";
  styles.put_automatic_styles(xml);
  xml += "</office:automatic-styles><office:master-styles>"
         "<style:master-page style:name=\"Standard\" style:page-layout-name=\"Page\">";
  // A text for even pages only ("-left") needs the one for the others
  // beside it, empty when the stream has none: their difference is what
  // makes a reader keep left and right pages apart.
  const auto put_part = [&](OdtHeads::Part part, std::string_view element, bool needed) {
    if (!heads.present[part] && !needed) return;
    xml += '<';
    xml += element;
    xml += '>';
    xml += heads.present[part] && !heads.text[part].empty() ? std::string_view(heads.text[part]) : "<text:p/>";
    xml += "</";
    xml += element;
    xml += '>';
  };
  put_part(OdtHeads::Header, "style:header", heads.present[OdtHeads::HeaderLeft]);
  put_part(OdtHeads::HeaderLeft, "style:header-left", false);
  put_part(OdtHeads::Footer, "style:footer", heads.present[OdtHeads::FooterLeft]);
  put_part(OdtHeads::FooterLeft, "style:footer-left", false);
  xml += "</style:master-page></office:master-styles></office:document-styles>\n";
  return xml;
}

}  // namespace lettrix
