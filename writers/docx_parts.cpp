// The fixed parts of a Word (DOCX) package. Every part is written the same
// for the same stream, without dates or names, so that a package's bytes
// depend on the stream alone.
#include "writers/docx_parts.h"

#include "core/pc_fonts.h"

namespace lettrix {

namespace {

constexpr std::string_view kRelationshipTypes = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
constexpr std::string_view kWordTypes = "application/vnd.openxmlformats-officedocument.wordprocessingml.";

// The relationship ids of document.xml's parts.
constexpr std::string_view kHeaderDefaultId = "rIdHeader1";
constexpr std::string_view kHeaderEvenId = "rIdHeader2";
constexpr std::string_view kFooterDefaultId = "rIdFooter1";
constexpr std::string_view kFooterEvenId = "rIdFooter2";

void override_part(std::string& text, std::string_view part, std::string_view type) {
  text += "<Override PartName=\"/";
  text += part;
  text += "\" ContentType=\"";
  text += type;
  text += "\"/>";
}

void relationship(std::string& text, std::string_view id, std::string_view type, std::string_view target) {
  text += "<Relationship Id=\"";
  text += id;
  text += "\" Type=\"";
  text += kRelationshipTypes;
  text += type;
  text += "\" Target=\"";
  text += target;
  text += "\"/>";
}

void head_reference(std::string& text, std::string_view element, std::string_view type, std::string_view id) {
  text += "<w:";
  text += element;
  text += " w:type=\"";
  text += type;
  text += "\" r:id=\"";
  text += id;
  text += "\"/>";
}

}  // namespace

std::string docx_content_types(const DocxHeadSet& set) {
  std::string text(kXmlDeclaration);
  text +=
      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
      "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
      "<Default Extension=\"xml\" ContentType=\"application/xml\"/>";
  if (set.images > 0) text += "<Default Extension=\"png\" ContentType=\"image/png\"/>";
  const std::string word(kWordTypes);
  override_part(text, "word/document.xml", word + "document.main+xml");
  override_part(text, "word/styles.xml", word + "styles+xml");
  override_part(text, "word/settings.xml", word + "settings+xml");
  if (set.notes) override_part(text, "word/footnotes.xml", word + "footnotes+xml");
  if (set.header_default) override_part(text, kHeaderDefaultPart, word + "header+xml");
  if (set.header_even) override_part(text, kHeaderEvenPart, word + "header+xml");
  if (set.footer_default) override_part(text, kFooterDefaultPart, word + "footer+xml");
  if (set.footer_even) override_part(text, kFooterEvenPart, word + "footer+xml");
  override_part(text, "docProps/core.xml", "application/vnd.openxmlformats-package.core-properties+xml");
  override_part(text, "docProps/app.xml", "application/vnd.openxmlformats-officedocument.extended-properties+xml");
  text += "</Types>";
  return text;
}

std::string_view docx_package_relationships() {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
         "officeDocument\" Target=\"word/document.xml\"/>"
         "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/package/2006/relationships/metadata/"
         "core-properties\" Target=\"docProps/core.xml\"/>"
         "<Relationship Id=\"rId3\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
         "extended-properties\" Target=\"docProps/app.xml\"/>"
         "</Relationships>";
}

std::string docx_document_relationships(const DocxHeadSet& set) {
  std::string text(kXmlDeclaration);
  text += "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  relationship(text, "rIdStyles", "styles", "styles.xml");
  relationship(text, "rIdSettings", "settings", "settings.xml");
  if (set.notes) relationship(text, "rIdNotes", "footnotes", "footnotes.xml");
  if (set.header_default) relationship(text, kHeaderDefaultId, "header", "header1.xml");
  if (set.header_even) relationship(text, kHeaderEvenId, "header", "header2.xml");
  if (set.footer_default) relationship(text, kFooterDefaultId, "footer", "footer1.xml");
  if (set.footer_even) relationship(text, kFooterEvenId, "footer", "footer2.xml");
  for (std::size_t i = 1; i <= set.images; ++i) {
    const std::string n = std::to_string(i);
    relationship(text, "rIdImage" + n, "image", "media/image" + n + ".png");
  }
  text += "</Relationships>";
  return text;
}

// The document's font and size (10 points) are the defaults; paragraphs have
// no space between them and single lines, as in the Macintosh programs.
std::string docx_styles() {
  const std::string_view font = kPcFonts[kDocumentFont].name;
  std::string text(kXmlDeclaration);
  text += "<w:styles";
  text += kWordNamespaces;
  text += "><w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:ascii=\"";
  text += font;
  text += "\" w:eastAsia=\"";
  text += font;
  text += "\" w:hAnsi=\"";
  text += font;
  text += "\" w:cs=\"";
  text += font;
  text +=
      "\"/><w:sz w:val=\"20\"/><w:szCs w:val=\"20\"/></w:rPr></w:rPrDefault>"
      "<w:pPrDefault><w:pPr><w:spacing w:after=\"0\" w:line=\"240\" w:lineRule=\"auto\"/></w:pPr></w:pPrDefault>"
      "</w:docDefaults>"
      "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name w:val=\"Normal\"/></w:style>"
      "<w:style w:type=\"character\" w:default=\"1\" w:styleId=\"DefaultParagraphFont\">"
      "<w:name w:val=\"Default Paragraph Font\"/></w:style>"
      "<w:style w:type=\"paragraph\" w:styleId=\"FootnoteText\"><w:name w:val=\"footnote text\"/>"
      "<w:basedOn w:val=\"Normal\"/></w:style>"
      "<w:style w:type=\"character\" w:styleId=\"FootnoteReference\"><w:name w:val=\"footnote reference\"/>"
      "<w:rPr><w:vertAlign w:val=\"superscript\"/></w:rPr></w:style>"
      "</w:styles>";
  return text;
}

std::string docx_settings(const DocxHeadSet& set) {
  std::string text(kXmlDeclaration);
  text += "<w:settings";
  text += kWordNamespaces;
  text += "><w:defaultTabStop w:val=\"720\"/>";
  if (set.even_and_odd) text += "<w:evenAndOddHeaders/>";
  text +=
      "<w:footnotePr><w:footnote w:id=\"-1\"/><w:footnote w:id=\"0\"/></w:footnotePr>"
      "<w:compat><w:compatSetting w:name=\"compatibilityMode\" w:uri=\"http://schemas.microsoft.com/office/word\" "
      "w:val=\"15\"/></w:compat></w:settings>";
  return text;
}

std::string_view docx_core_properties() {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
         "<cp:coreProperties xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
         "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:dcterms=\"http://purl.org/dc/terms/\" "
         "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"></cp:coreProperties>";
}

std::string_view docx_app_properties() {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
         "<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\">"
         "<Application>Lettrix</Application></Properties>";
}

std::string_view docx_document_start() {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
         "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
         "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><w:body>";
}

std::string docx_document_end(const DocxHeadSet& set) {
  std::string text = "<w:sectPr>";
  if (set.header_default) head_reference(text, "headerReference", "default", kHeaderDefaultId);
  if (set.header_even) head_reference(text, "headerReference", "even", kHeaderEvenId);
  if (set.footer_default) head_reference(text, "footerReference", "default", kFooterDefaultId);
  if (set.footer_even) head_reference(text, "footerReference", "even", kFooterEvenId);
  text +=
      "<w:pgSz w:w=\"12240\" w:h=\"15840\"/><w:pgMar w:top=\"1440\" w:right=\"1440\" w:bottom=\"1440\" "
      "w:left=\"1440\" w:header=\"720\" w:footer=\"720\" w:gutter=\"0\"/></w:sectPr></w:body></w:document>";
  return text;
}

std::string_view docx_notes_start() {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
         "<w:footnotes xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
         "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
         "<w:footnote w:type=\"separator\" w:id=\"-1\"><w:p><w:r><w:separator/></w:r></w:p></w:footnote>"
         "<w:footnote w:type=\"continuationSeparator\" w:id=\"0\"><w:p><w:r><w:continuationSeparator/></w:r>"
         "</w:p></w:footnote>";
}

std::string_view docx_notes_end() { return "</w:footnotes>"; }

}  // namespace lettrix
