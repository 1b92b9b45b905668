#include "builders/macwrite_22_builder.h"

#include <stdexcept>

#include "builders/builder_common.h"

namespace lettrix::build {

std::string macwrite_ruler_bytes(const MacWrite46Ruler& ruler) {
  std::string r;
  put_be16(r, static_cast<std::uint16_t>(ruler.left_margin));
  put_be16(r, static_cast<std::uint16_t>(ruler.right_margin));
  r += static_cast<char>(ruler.alignment);
  r += static_cast<char>(ruler.tabs.size());
  put_be16(r, static_cast<std::uint16_t>(ruler.line_spacing));
  put_be16(r, static_cast<std::uint16_t>(ruler.first_line.value_or(ruler.left_margin)));
  for (std::uint16_t tab : ruler.tabs) put_be16(r, tab);
  r.resize(34, '\0');
  return r;
}

MacWrite22Builder& MacWrite22Builder::main() {
  section_ = 0;
  return *this;
}
MacWrite22Builder& MacWrite22Builder::header() {
  section_ = 1;
  return *this;
}
MacWrite22Builder& MacWrite22Builder::footer() {
  section_ = 2;
  return *this;
}
MacWrite22Builder& MacWrite22Builder::page(int number) {
  page_ = number;
  return *this;
}

MacWrite22Builder& MacWrite22Builder::ruler() { return ruler({.right_margin = 480, .tabs = {0}}); }

MacWrite22Builder& MacWrite22Builder::ruler(const MacWrite46Ruler& ruler) {
  Paragraph p;
  p.is_ruler = true;
  p.ruler = ruler;
  p.page = page_;
  sections_[section_].push_back(p);
  return *this;
}

MacWrite22Builder& MacWrite22Builder::paragraph(std::string_view text, const MacWrite46Look& look) {
  Paragraph p;
  p.text = text;
  p.runs.push_back({0, look});
  p.page = page_;
  sections_[section_].push_back(p);
  return *this;
}

MacWrite22Builder& MacWrite22Builder::text(std::string_view text, const MacWrite46Look& look) {
  std::vector<Paragraph>& section = sections_[section_];
  if (section.empty() || section.back().is_ruler) throw std::logic_error("MacWrite22Builder: no paragraph to change");
  section.back().runs.push_back({section.back().text.size(), look});
  section.back().text += text;
  return *this;
}

std::string MacWrite22Builder::build(std::size_t first_paragraph) const {
  std::string doc;
  put_be16(doc, 3);
  put_be16(doc, static_cast<std::uint16_t>(first_paragraph));
  for (const auto& section : sections_) put_be16(doc, static_cast<std::uint16_t>(section.size()));
  std::string records;
  for (const auto& section : sections_) {
    for (const Paragraph& p : section) {
      std::string record(8, '\0');
      set_be16(record, 0, p.is_ruler ? 0 : 16);
      record[4] = static_cast<char>(p.page);
      records += record;
    }
  }
  if (doc.size() + records.size() <= first_paragraph) {
    doc.resize(first_paragraph - records.size(), '\0');
    doc += records;
  }
  doc.resize(first_paragraph, '\0');
  for (const auto& section : sections_) {
    for (const Paragraph& p : section) {
      if (p.is_ruler) {
        put_be16(doc, 0);
        put_be16(doc, 34);
        doc += macwrite_ruler_bytes(p.ruler);
        continue;
      }
      put_be16(doc, 1);
      put_be16(doc, 0);
      put_be16(doc, static_cast<std::uint16_t>(p.text.size()));
      doc += p.text;
      if (doc.size() & 1) doc += '\0';
      std::string formats;
      for (const Run& run : p.runs) {
        put_be16(formats, static_cast<std::uint16_t>(run.position));
        formats += static_cast<char>(run.look.size);
        formats += static_cast<char>(run.look.style);
        put_be16(formats, static_cast<std::uint16_t>(run.look.font));
      }
      put_be16(doc, static_cast<std::uint16_t>(formats.size()));
      doc += formats;
      put_be16(doc, 1);  // line layout block, one byte, padded
      doc += '\x01';
      doc += '\0';
    }
  }
  return doc;
}

std::string MacWrite22Builder::build_macbinary(const std::string& name) const {
  return macbinary(build(), name, "WORD", "MACA");
}

}  // namespace lettrix::build
