// The parts of a Word (DOCX) package other than the text: content types,
// relationships, styles, settings and properties, and the openings and
// closings of the parts whose text the stream gives (writers/docx_parts.cpp).
#pragma once

#include <string>
#include <string_view>

namespace lettrix {

// The XML declaration every part starts with.
inline constexpr std::string_view kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";
// The namespaces of the parts in WordprocessingML.
inline constexpr std::string_view kWordNamespaces =
    " xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\""
    " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";

// The running heads a package holds: a header and a footer for every page
// (or the odd ones), and for the even ones.
struct DocxHeadSet {
  bool header_default = false;
  bool header_even = false;
  bool footer_default = false;
  bool footer_even = false;
  bool even_and_odd = false;  // w:evenAndOddHeaders: the even pages have heads of their own
  bool notes = false;         // word/footnotes.xml
  std::size_t images = 0;     // word/media/image1.png ...
};

// The package's part names of the heads: word/header1.xml (default),
// header2.xml (even), footer1.xml, footer2.xml.
inline constexpr std::string_view kHeaderDefaultPart = "word/header1.xml";
inline constexpr std::string_view kHeaderEvenPart = "word/header2.xml";
inline constexpr std::string_view kFooterDefaultPart = "word/footer1.xml";
inline constexpr std::string_view kFooterEvenPart = "word/footer2.xml";

std::string docx_content_types(const DocxHeadSet& set);
std::string_view docx_package_relationships();
std::string docx_document_relationships(const DocxHeadSet& set);
std::string docx_styles();
std::string docx_settings(const DocxHeadSet& set);
std::string_view docx_core_properties();
std::string_view docx_app_properties();

// document.xml up to its body's first paragraph, and from the section's
// properties (its running heads, a letter page with inch margins) to its end.
std::string_view docx_document_start();
std::string docx_document_end(const DocxHeadSet& set);
// footnotes.xml up to the first note (the separators first), and its end.
std::string_view docx_notes_start();
std::string_view docx_notes_end();

}  // namespace lettrix
