#include "builders/macwrite_46_builder.h"

#include <stdexcept>

#include "builders/builder_common.h"
#include "builders/macwrite_22_builder.h"

namespace lettrix::build {

namespace {

constexpr std::size_t kDocumentHeaderSize = 280;  // the 276 bytes read, padded
constexpr std::size_t kDescriptorOffset[3] = {206, 160, 252};  // header, footer, main
constexpr std::size_t kCountOffset[3] = {4, 6, 2};
constexpr char kAlphabet[] = " etnroaisdlhcfp";

void pad_even(std::string& out) {
  if (out.size() & 1) out += '\0';
}

}  // namespace

std::string pack_macwrite_text(std::string_view text) {
  std::vector<int> nibbles;
  for (char c : text) {
    const std::string_view alphabet(kAlphabet);
    const std::size_t at = alphabet.find(c);
    if (at != std::string_view::npos) {
      nibbles.push_back(static_cast<int>(at));
    } else {
      const auto u = static_cast<unsigned char>(c);
      nibbles.push_back(15);
      nibbles.push_back(u >> 4);
      nibbles.push_back(u & 0x0F);
    }
  }
  if (nibbles.size() & 1) nibbles.push_back(0);
  std::string packed;
  for (std::size_t i = 0; i < nibbles.size(); i += 2) packed += static_cast<char>(nibbles[i] << 4 | nibbles[i + 1]);
  return packed;
}

std::string mac_picture(int top, int left, int bottom, int right, std::string_view opcodes) {
  std::string frame;
  for (int v : {top, left, bottom, right}) put_be16(frame, static_cast<std::uint16_t>(v));
  std::string body = frame + "\x11\x01" + std::string(opcodes);
  std::string pict;
  put_be16(pict, static_cast<std::uint16_t>(2 + body.size()));
  return pict + body;
}

std::string mac_page_break_picture(bool version2) {
  std::string pict;
  if (!version2) {
    put_be16(pict, 13);
    return pict + "MAGICPIC" + std::string("\x11\x01\xFF", 3);
  }
  put_be16(pict, 42);
  pict += "MAGICPIC";
  pict += std::string("\x00\x11\x02\xFF\x0C\x00", 6);
  pict.resize(42, '\0');
  pict.back() = '\xFF';
  return pict;
}

std::vector<MacWrite46Builder::Entry>& MacWrite46Builder::current() { return sections_[section_]; }

MacWrite46Builder& MacWrite46Builder::page(int number) {
  page_ = number;
  return *this;
}

MacWrite46Builder::Entry& MacWrite46Builder::last_text() {
  if (current().empty() || current().back().kind != Entry::Kind::Text)
    throw std::logic_error("MacWrite46Builder: no paragraph to change");
  return current().back();
}

MacWrite46Builder& MacWrite46Builder::header() {
  section_ = 0;
  return *this;
}
MacWrite46Builder& MacWrite46Builder::footer() {
  section_ = 1;
  return *this;
}
MacWrite46Builder& MacWrite46Builder::main() {
  section_ = 2;
  return *this;
}

MacWrite46Builder& MacWrite46Builder::ruler(const MacWrite46Ruler& ruler) {
  Entry e;
  e.kind = Entry::Kind::Ruler;
  e.ruler = ruler;
  e.page = page_;
  current().push_back(e);
  return *this;
}

MacWrite46Builder& MacWrite46Builder::paragraph(std::string_view text, const MacWrite46Look& look) {
  Entry e;
  e.text = text;
  e.runs.push_back({0, look});
  e.page = page_;
  current().push_back(e);
  return *this;
}

MacWrite46Builder& MacWrite46Builder::text(std::string_view text, const MacWrite46Look& look) {
  Entry& e = last_text();
  e.runs.push_back({e.text.size(), look});
  e.text += text;
  return *this;
}

MacWrite46Builder& MacWrite46Builder::compressed() {
  last_text().packed = true;
  return *this;
}

MacWrite46Builder& MacWrite46Builder::aligned(int alignment, std::uint8_t own_bit) {
  last_text().own_alignment = alignment;
  last_text().own_bit = own_bit;
  return *this;
}

MacWrite46Builder& MacWrite46Builder::end_mark() {
  last_text().end_mark = true;
  return *this;
}

MacWrite46Builder& MacWrite46Builder::empty_entry() {
  Entry e;
  e.page = page_;
  current().push_back(e);
  return *this;
}

MacWrite46Builder& MacWrite46Builder::page_break() {
  Entry e;
  e.kind = Entry::Kind::Special;
  e.special_word = 22;
  e.page = page_;
  current().push_back(e);
  return *this;
}

MacWrite46Builder& MacWrite46Builder::picture() {
  Entry e;
  e.kind = Entry::Kind::Special;
  e.special_word = 117;
  e.page = page_;
  current().push_back(e);
  return *this;
}

MacWrite46Builder& MacWrite46Builder::picture(const MacWrite46Picture& picture) {
  Entry e;
  e.kind = Entry::Kind::Special;
  e.picture = picture;
  e.page = page_;
  current().push_back(e);
  return *this;
}

std::string MacWrite46Builder::build(MacWrite46Layout* layout) const {
  std::string doc(kDocumentHeaderSize, '\0');
  doc[1] = 6;
  MacWrite46Layout where;
  MacWrite46Layout::Section* parts[3] = {&where.header, &where.footer, &where.main};

  for (int s = 0; s < 3; ++s) {
    const std::vector<Entry>& entries = sections_[s];
    MacWrite46Layout::Section& part = *parts[s];
    std::string array;
    for (const Entry& e : entries) {
      pad_even(doc);
      const std::size_t data = doc.size();
      std::string info(16, '\0');
      info[4] = static_cast<char>(e.page);
      switch (e.kind) {
        case Entry::Kind::Ruler: {
          const std::string r = macwrite_ruler_bytes(e.ruler);
          doc += r;
          break;
        }
        case Entry::Kind::Special:
          set_be16(info, 0, 0xFFFF);
          set_be16(info, 12, e.special_word);
          if (e.picture) {
            std::string frame;
            for (int v : {e.picture->top, e.picture->left, e.picture->bottom, e.picture->right})
              put_be16(frame, static_cast<std::uint16_t>(v));
            const int height = e.picture->bottom - e.picture->top;
            set_be16(info, 0, static_cast<std::uint16_t>(height > 0 ? -height : -1));
            set_be16(info, 12, static_cast<std::uint16_t>(frame.size() + e.picture->picture.size()));
            doc += frame + e.picture->picture;
          }
          break;
        case Entry::Kind::Text: {
          set_be16(info, 0, 12);  // height in pixels
          std::uint8_t status = 0;
          if (e.own_alignment >= 0) status |= static_cast<std::uint8_t>(e.own_bit | (e.own_alignment & 3));
          if (e.packed) status |= 0x08;
          info[8] = static_cast<char>(status);
          put_be16(doc, static_cast<std::uint16_t>(e.text.size()));
          if (e.text.empty()) break;
          doc += e.packed ? pack_macwrite_text(e.text) : e.text;
          pad_even(doc);
          std::string formats;
          for (const Run& run : e.runs) {
            put_be16(formats, static_cast<std::uint16_t>(run.position));
            formats += static_cast<char>(run.look.size);
            formats += static_cast<char>(run.look.style);
            put_be16(formats, static_cast<std::uint16_t>(run.look.font));
          }
          if (e.end_mark) {
            put_be16(formats, static_cast<std::uint16_t>(e.text.size()));
            formats += static_cast<char>(12);
            formats += static_cast<char>(0x80);
            put_be16(formats, 0);
          }
          put_be16(doc, static_cast<std::uint16_t>(formats.size()));
          doc += formats;
          break;
        }
      }
      if (e.kind != Entry::Kind::Special || e.picture) {
        info[9] = static_cast<char>(data >> 16);
        info[10] = static_cast<char>(data >> 8);
        info[11] = static_cast<char>(data);
      }
      part.data_offsets.push_back(data);
      array += info;
    }
    pad_even(doc);
    part.descriptor = kDescriptorOffset[s];
    part.array_offset = doc.size();
    part.array_size = array.size();
    doc += array;
    set_be16(doc, kCountOffset[s], static_cast<std::uint16_t>(entries.size()));
    set_be32(doc, part.descriptor + 12, static_cast<std::uint32_t>(part.array_offset));
    set_be16(doc, part.descriptor + 16, static_cast<std::uint16_t>(part.array_size));
  }
  if (layout) *layout = where;
  return doc;
}

std::string MacWrite46Builder::build_macbinary(const std::string& name) const {
  return macbinary(build(), name, "WORD", "MACA");
}

}  // namespace lettrix::build
