#include "builders/macwrite_22_builder.h"

#include "builders/builder_common.h"

namespace lettrix::build {

MacWrite22Builder& MacWrite22Builder::ruler() {
  paragraphs_.push_back({true, {}});
  return *this;
}

MacWrite22Builder& MacWrite22Builder::paragraph(std::string_view text) {
  paragraphs_.push_back({false, std::string(text)});
  return *this;
}

std::string MacWrite22Builder::build(std::size_t first_paragraph) const {
  std::string doc;
  put_be16(doc, 3);
  put_be16(doc, static_cast<std::uint16_t>(first_paragraph));
  put_be16(doc, static_cast<std::uint16_t>(paragraphs_.size()));
  doc.resize(first_paragraph, '\0');
  for (const Paragraph& p : paragraphs_) {
    if (p.ruler) {
      put_be16(doc, 0);
      put_be16(doc, 34);
      put_be16(doc, 0);
      std::string ruler;
      put_be16(ruler, 480);  // right margin
      put_be16(ruler, 1);    // tab count
      ruler.resize(32, '\0');
      doc += ruler;
      continue;
    }
    put_be16(doc, 1);
    put_be16(doc, 0);
    put_be16(doc, static_cast<std::uint16_t>(p.text.size()));
    doc += p.text;
    if (doc.size() & 1) doc += '\0';
    put_be16(doc, 6);  // one format: position 0, 12 points, plain, Geneva
    put_be16(doc, 0);
    doc += '\x0C';
    doc += '\0';
    put_be16(doc, 3);
    put_be16(doc, 1);  // line layout block, one byte, padded
    doc += '\x01';
    doc += '\0';
  }
  return doc;
}

std::string MacWrite22Builder::build_macbinary(const std::string& name) const {
  return macbinary(build(), name, "WORD", "MACA");
}

}  // namespace lettrix::build
