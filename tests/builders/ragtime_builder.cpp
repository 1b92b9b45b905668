#include "builders/ragtime_builder.h"

#include "builders/builder_common.h"

namespace lettrix::build {

namespace {

constexpr std::size_t kRg2RecordTable = 256;
constexpr std::size_t kRg2RecordSize = 40;
constexpr std::size_t kRg3Entries = 224;
constexpr std::size_t kRg3EntrySize = 54;

// A paragraph format of the given size with the alignment at byte 6.
std::string paragraph_format(std::size_t size, std::uint8_t alignment) {
  std::string f(size, '\0');
  f[6] = static_cast<char>(alignment);
  return f;
}

std::string rg2_component_data(const Rg2Component& c) {
  std::string d(9, '\0');
  if (c.empty) d[0] = '\xFF';
  set_be16(d, 6, static_cast<std::uint16_t>(c.text.size() + 1));
  d += c.text;
  put_be16(d, static_cast<std::uint16_t>(c.runs.size()));
  for (const Rg2Run& r : c.runs) {
    put_be16(d, r.start);
    d += static_cast<char>(r.size);
    d += static_cast<char>(r.style);
    d += '\0';
    d += static_cast<char>(r.font);
    put_be32(d, static_cast<std::uint32_t>(r.shift));
  }
  put_be16(d, static_cast<std::uint16_t>(c.alignments.size()));
  for (std::uint8_t a : c.alignments) d += paragraph_format(34, a);
  return d;
}

std::string rg3_component_data(const Rg3Component& c) {
  std::string d(5, '\0');
  const int declared = c.declared_length >= 0 ? c.declared_length : static_cast<int>(c.text.size() + 1);
  set_be16(d, 2, static_cast<std::uint16_t>(declared));
  d += c.text;
  if (c.zero_before_run_count) d += '\0';
  // A run count of 0 would read as the 0 before the count: a component
  // without runs gets one plain run.
  const std::vector<Rg3Run> runs = c.runs.empty() ? std::vector<Rg3Run>{Rg3Run{}} : c.runs;
  put_be16(d, static_cast<std::uint16_t>(runs.size()));
  for (const Rg3Run& r : runs) {
    put_be16(d, r.start);
    put_be16(d, r.style);
    d += std::string(2, '\0');
    d += static_cast<char>(r.vertical);
    d += std::string(3, '\0');
  }
  put_be16(d, static_cast<std::uint16_t>(c.alignments.size()));
  for (std::uint8_t a : c.alignments) d += paragraph_format(48, a);
  return d;
}

// A zone: its length, a header (header length, record length, record count,
// zeros up to the header length), then the records.
std::string zone(std::size_t header, std::size_t record_size, const std::vector<std::string>& records) {
  std::string z;
  put_be16(z, static_cast<std::uint16_t>(header));
  put_be16(z, static_cast<std::uint16_t>(record_size));
  put_be16(z, static_cast<std::uint16_t>(records.size()));
  z.resize(header, '\0');
  for (const std::string& r : records) z += r;
  std::string out;
  put_be32(out, static_cast<std::uint32_t>(z.size()));
  return out + z;
}

}  // namespace

Ragtime2Builder& Ragtime2Builder::page() {
  pages_.emplace_back();
  return *this;
}

Ragtime2Builder& Ragtime2Builder::text(const Rg2Component& c) {
  pages_.back().push_back(c);
  return *this;
}

Ragtime2Builder& Ragtime2Builder::version(std::uint8_t major, std::uint8_t minor) {
  major_ = major;
  minor_ = minor;
  return *this;
}

std::string Ragtime2Builder::build(Rg2Layout* layout) const {
  Rg2Layout l;
  std::size_t records = 0;
  for (const auto& p : pages_) records += 1 + p.size();
  std::string doc(kRg2RecordTable + records * kRg2RecordSize, '\0');
  doc[4] = static_cast<char>(major_);
  doc[5] = static_cast<char>(minor_);
  if (!pages_.empty()) set_be16(doc, 130, 1);

  std::size_t number = 1;
  for (std::size_t p = 0; p < pages_.size(); ++p) {
    const std::size_t page_number = number++;
    const std::size_t page_at = l.record_offset(page_number);
    l.page_records.push_back(page_at);
    const auto& components = pages_[p];
    if (!components.empty()) set_be16(doc, page_at + 8, static_cast<std::uint16_t>(number));
    for (std::size_t i = 0; i < components.size(); ++i) {
      const std::size_t at = l.record_offset(number++);
      l.component_records.push_back(at);
      if (i + 1 < components.size()) set_be16(doc, at + 4, static_cast<std::uint16_t>(number));
      set_be32(doc, at + 20, components[i].text_kind ? 0x00006401u : 0x00006402u);
      set_be32(doc, at + 24, static_cast<std::uint32_t>(doc.size()));
      l.component_data.push_back(doc.size());
      doc += rg2_component_data(components[i]);
    }
    if (p + 1 < pages_.size()) set_be16(doc, page_at + 4, static_cast<std::uint16_t>(number));
  }
  if (layout) *layout = l;
  return doc;
}

Ragtime3Builder& Ragtime3Builder::text(const Rg3Component& c) {
  entries_.push_back({1, true, components_.size(), 0});
  components_.push_back(c);
  return *this;
}

Ragtime3Builder& Ragtime3Builder::entry(std::uint16_t first_word, std::uint32_t data_offset) {
  entries_.push_back({first_word, false, 0, data_offset});
  return *this;
}

Ragtime3Builder& Ragtime3Builder::end_of_list() { return entry(0x100, 0); }

Ragtime3Builder& Ragtime3Builder::fonts(const std::vector<std::uint16_t>& font_numbers) {
  fonts_ = font_numbers;
  return *this;
}

Ragtime3Builder& Ragtime3Builder::styles(const std::vector<Rg3Style>& list) {
  styles_ = list;
  return *this;
}

Ragtime3Builder& Ragtime3Builder::version(std::uint16_t v) {
  version_ = v;
  return *this;
}

Ragtime3Builder& Ragtime3Builder::entry_count(std::uint16_t n) {
  entry_count_ = n;
  return *this;
}

std::string Ragtime3Builder::build(Rg3Layout* layout) const {
  Rg3Layout l;
  std::string doc(kRg3Entries + entries_.size() * kRg3EntrySize, '\0');
  set_be16(doc, 4, version_);
  set_be16(doc, 96, static_cast<std::uint16_t>(entry_count_ >= 0 ? entry_count_ : entries_.size()));

  if (!styles_.empty()) {
    std::vector<std::string> font_records, style_records;
    for (std::uint16_t f : fonts_) {
      std::string r;
      put_be32(r, 1);
      put_be16(r, 0);
      put_be16(r, f);
      r.resize(16, '\0');
      font_records.push_back(r);
    }
    for (const Rg3Style& s : styles_) {
      std::string r;
      put_be32(r, 1);
      put_be16(r, s.font);
      put_be16(r, s.points);
      put_be16(r, 0);
      put_be16(r, s.style);
      r.resize(42, '\0');
      style_records.push_back(r);
    }
    const std::string font_zone = zone(0x20, 16, font_records);
    const std::string style_zone = zone(0x2C, 42, style_records);
    const std::size_t index_length = 2 + 2 * 10;
    std::string index;
    put_be16(index, static_cast<std::uint16_t>(index_length));
    put_be32(index, static_cast<std::uint32_t>(index_length));
    index += "FHfl";
    put_be16(index, 0);
    put_be32(index, static_cast<std::uint32_t>(index_length + font_zone.size()));
    index += "FHsl";
    put_be16(index, 0);
    l.style_zone = doc.size() + index.size() + font_zone.size();
    doc += index + font_zone + style_zone;
  }

  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const Entry& e = entries_[i];
    const std::size_t at = kRg3Entries + i * kRg3EntrySize;
    l.entries.push_back(at);
    set_be16(doc, at, e.first_word);
    std::uint32_t offset = e.offset;
    if (e.is_text) {
      offset = static_cast<std::uint32_t>(doc.size());
      l.component_data.push_back(doc.size());
      doc += rg3_component_data(components_[e.component]);
    }
    set_be32(doc, at + 30, offset);
  }
  if (layout) *layout = l;
  return doc;
}

}  // namespace lettrix::build
