#include "builders/clarisworks_builder.h"

#include "builders/builder_common.h"

namespace lettrix::build {

namespace {

constexpr std::size_t kHeaderSize = 0x100;
// Where versions 1 to 3 keep their ruler list, and its record sizes.
constexpr std::size_t kRulerListV1 = 0x114;
constexpr std::size_t kRulerList = 0x158;
constexpr std::size_t kRulerSizeV1 = 92;
constexpr std::size_t kRulerSize = 96;
constexpr std::size_t kMaxTabs = 20;
constexpr std::uint16_t kMainZoneId = 1;
constexpr std::uint16_t kFirstPictureZone = 100;
constexpr std::size_t kPictureRefSize = 32;
constexpr std::size_t kFontRecordSize = 68;
// Versions 4 to 6: style records (28 bytes, 30 in version 6) and rulers.
constexpr std::size_t kStyleRecordSize = 28;
constexpr std::size_t kStyleRecordSizeV6 = 30;
constexpr std::size_t kStyledRulerSize = 108;
constexpr std::size_t kFrameExtension = 72;
// Page rectangles of the frame, in points: the main text, a header above it
// and a footer below it.
constexpr std::uint32_t kMainTop = 36, kMainBottom = 684, kHeadBottom = 30, kFootTop = 700, kFootBottom = 730,
                        kRight = 468;

// A list: length, count, record size, head extension, records.
std::string list(std::uint16_t count, std::uint16_t record_size, const std::string& extension,
                 const std::string& records) {
  std::string out;
  put_be32(out, static_cast<std::uint32_t>(12 + extension.size() + records.size()));
  put_be16(out, count);
  put_be16(out, 0xFFFF);
  put_be16(out, 0);
  put_be16(out, record_size);
  put_be16(out, static_cast<std::uint16_t>(extension.size()));
  put_be16(out, 2);
  return out + extension + records;
}

void pad(std::string& rec, std::size_t size) { rec.resize(size, '\0'); }

// An item: its 32-bit length and its bytes.
void put_item(std::string& out, const std::string& bytes) {
  put_be32(out, static_cast<std::uint32_t>(bytes.size()));
  out += bytes;
}

}  // namespace

ClarisWorksBuilder& ClarisWorksBuilder::version(int v) {
  version_ = v;
  return *this;
}

ClarisWorksBuilder& ClarisWorksBuilder::run(const CwRun& r) {
  runs_.push_back({static_cast<std::uint32_t>(text_.size()), r});
  return *this;
}

ClarisWorksBuilder& ClarisWorksBuilder::run_at(std::uint32_t position, const CwRun& r) {
  runs_.push_back({position, r});
  return *this;
}

ClarisWorksBuilder& ClarisWorksBuilder::text(std::string_view mac_bytes) {
  text_ += mac_bytes;
  return *this;
}

ClarisWorksBuilder& ClarisWorksBuilder::footnote(std::string_view note_text, const CwRun& note_run) {
  text_ += kCwNoteReference;
  notes_.push_back({std::string(note_text), note_run});
  return *this;
}

ClarisWorksBuilder& ClarisWorksBuilder::extra_note_zone(std::string_view note_text) {
  notes_.push_back({std::string(note_text), CwRun{}});
  return *this;
}

ClarisWorksBuilder& ClarisWorksBuilder::reference() {
  text_ += kCwNoteReference;
  return *this;
}

ClarisWorksBuilder& ClarisWorksBuilder::picture(const CwPicture& p) {
  const auto own = static_cast<std::uint16_t>(kFirstPictureZone + pictures_.size());
  std::string ref;
  put_be32(ref, static_cast<std::uint32_t>(text_.size()));
  put_be16(ref, 1);
  put_be32(ref, p.zone != 0 ? p.zone : own);
  put_be16(ref, 0);
  put_be32(ref, 0);
  put_be16(ref, static_cast<std::uint16_t>(p.width + 2));  // the sizes, not read
  put_be16(ref, static_cast<std::uint16_t>(p.height + 2));
  pad(ref, kPictureRefSize);
  picture_refs_ += ref;
  text_ += kCwPicture;
  pictures_.push_back(p);
  return *this;
}

ClarisWorksBuilder& ClarisWorksBuilder::chunk_size(std::size_t n) {
  chunk_size_ = n == 0 ? 1 : n;
  return *this;
}

ClarisWorksBuilder& ClarisWorksBuilder::without_text() {
  with_text_ = false;
  return *this;
}

ClarisWorksBuilder& ClarisWorksBuilder::rulers(std::vector<CwRuler> list) {
  rulers_ = std::move(list);
  return *this;
}

ClarisWorksBuilder& ClarisWorksBuilder::paragraph(std::uint16_t ruler) {
  paragraph_runs_ += paragraph_record(static_cast<std::uint32_t>(text_.size()), ruler);
  return *this;
}

ClarisWorksBuilder& ClarisWorksBuilder::header(std::string_view text, std::uint16_t ruler, const CwRun& r) {
  heads_.push_back({false, std::string(text), ruler, r});
  return *this;
}

ClarisWorksBuilder& ClarisWorksBuilder::footer(std::string_view text, std::uint16_t ruler, const CwRun& r) {
  heads_.push_back({true, std::string(text), ruler, r});
  return *this;
}

ClarisWorksBuilder& ClarisWorksBuilder::font_names(std::vector<std::string> names) {
  font_names_ = std::move(names);
  return *this;
}

std::string ClarisWorksBuilder::paragraph_record(std::uint32_t position, std::uint16_t ruler) const {
  std::string rec;
  put_be32(rec, position);
  put_be16(rec, version_ >= 4 ? static_cast<std::uint16_t>(kCwFirstStyle + ruler) : ruler);
  if (version_ >= 2) put_be16(rec, 0);
  return rec;
}

std::string ClarisWorksBuilder::ruler_list() const {
  const std::size_t size = version_ == 1 ? kRulerSizeV1 : kRulerSize;
  std::string records;
  for (const CwRuler& r : rulers_) {
    std::string rec;
    put_be16(rec, 1);  // paragraphs that use it
    rec += static_cast<char>(r.alignment << 6);
    rec += '\0';
    put_be16(rec, static_cast<std::uint16_t>(r.first_line));
    put_be16(rec, static_cast<std::uint16_t>(r.left));
    put_be16(rec, static_cast<std::uint16_t>(r.right));
    if (version_ != 1) put_be32(rec, 0);  // not read
    put_be16(rec, static_cast<std::uint16_t>(r.tab_count >= 0 ? r.tab_count : static_cast<int>(r.tabs.size())));
    for (std::size_t t = 0; t < r.tabs.size() && t < kMaxTabs; ++t) {
      put_be16(rec, static_cast<std::uint16_t>(r.tabs[t].position));
      rec += static_cast<char>(r.tabs[t].kind);
      rec += '.';
    }
    pad(rec, size);
    records += rec;
  }
  return list(static_cast<std::uint16_t>(rulers_.size()), static_cast<std::uint16_t>(size), "", records);
}

namespace {

// The short item that follows a zone's text here, as the next structure
// follows it in a real file: a 32-bit length and that many bytes.
std::string following_item() {
  std::string item;
  put_be32(item, 6);
  item += std::string("\x00\x01\xFF\xFF\x00\x00", 6);
  return item;
}

}  // namespace

// The document's own styles first (numbers 0 to 8, no ruler), then one
// style per ruler, in reverse order so that a style's place in the list is
// not its number.
std::string ClarisWorksBuilder::style_list() const {
  const std::size_t size = version_ >= 6 ? kStyleRecordSizeV6 : kStyleRecordSize;
  auto record = [&](std::uint16_t number, std::uint16_t ruler) {
    std::string rec;
    put_be16(rec, 0xFFFF);
    put_be16(rec, 0);
    put_be16(rec, 1);
    put_be16(rec, 0xFFFF);
    put_be16(rec, number);
    pad(rec, 24);
    put_be16(rec, ruler);
    pad(rec, size);
    return rec;
  };
  std::string records;
  for (std::uint16_t n = 0; n < kCwFirstStyle; ++n) records += record(n, 0xFFFF);
  for (std::size_t i = rulers_.size(); i-- > 0;)
    records += record(static_cast<std::uint16_t>(kCwFirstStyle + i), static_cast<std::uint16_t>(i));
  return list(static_cast<std::uint16_t>(kCwFirstStyle + rulers_.size()), static_cast<std::uint16_t>(size),
              "STYL" + std::string(6, '\0'), records);
}

// A ruler of the "RULR" list: a 6-byte head as a style's, the masks of the
// fields it sets and of those it takes from its style, the alignment, the
// indents and the tab stops (position, kind in bits 7-6, decimal character).
std::string ClarisWorksBuilder::styled_ruler_list() const {
  std::string records;
  for (const CwRuler& r : rulers_) {
    std::string rec;
    put_be16(rec, 0xFFFF);
    put_be16(rec, 0);
    put_be16(rec, 1);  // paragraphs that use it
    put_be16(rec, 0x0280);
    put_be16(rec, 0x017F);
    pad(rec, 14);
    rec += static_cast<char>(r.alignment << 6);
    rec += '\0';
    put_be16(rec, static_cast<std::uint16_t>(r.first_line));
    put_be16(rec, static_cast<std::uint16_t>(r.left));
    put_be16(rec, static_cast<std::uint16_t>(r.right));
    put_be32(rec, 0);  // not read
    put_be16(rec, static_cast<std::uint16_t>(r.tab_count >= 0 ? r.tab_count : static_cast<int>(r.tabs.size())));
    for (std::size_t t = 0; t < r.tabs.size() && t < kMaxTabs; ++t) {
      put_be16(rec, static_cast<std::uint16_t>(r.tabs[t].position));
      rec += static_cast<char>(r.tabs[t].kind << 6);
      rec += '.';
    }
    pad(rec, kStyledRulerSize);
    records += rec;
  }
  return list(static_cast<std::uint16_t>(rulers_.size()), kStyledRulerSize, "RULR" + std::string(6, '\0'), records);
}

std::string ClarisWorksBuilder::frame_zone() const {
  const std::size_t size = version_ == 1 ? 38 : 40;
  const std::size_t id_at = version_ == 1 ? 30 : 32;
  auto record = [&](std::uint8_t kind, std::uint32_t top, std::uint32_t bottom, std::uint16_t id) {
    std::string rec = {'\x01', '\0', static_cast<char>(kind), '\x01'};
    put_be32(rec, top << 8);
    put_be32(rec, 0);
    put_be32(rec, bottom << 8);
    put_be32(rec, kRight << 8);
    pad(rec, id_at);
    put_be16(rec, id);
    pad(rec, size);
    return rec;
  };
  std::string records = record(2, kMainTop, kMainBottom, kMainZoneId);
  for (std::size_t i = 0; i < heads_.size(); ++i) {
    const auto id = static_cast<std::uint16_t>(kMainZoneId + 1 + i);
    records += heads_[i].footer ? record(5, kFootTop, kFootBottom, id) : record(4, 0, kHeadBottom, id);
  }
  std::string z = "DSET";
  z += list(static_cast<std::uint16_t>(1 + heads_.size()), static_cast<std::uint16_t>(size),
            std::string(kFrameExtension, '\0'), records);
  for (int item = 1; item < 5; ++item) put_be32(z, 0);
  put_be32(z, 0);  // no text
  z += following_item();
  return z;
}

std::string ClarisWorksBuilder::font_list() const {
  std::string records;
  for (const std::string& name : font_names_) {
    std::string rec;
    put_be16(rec, 0);
    put_be16(rec, 2);
    rec += static_cast<char>(name.size());
    rec += name;
    pad(rec, kFontRecordSize);
    records += rec;
  }
  return list(static_cast<std::uint16_t>(font_names_.size()), kFontRecordSize, "FNTM", records);
}

std::string ClarisWorksBuilder::run_record(const PlacedRun& r) const {
  std::string rec;
  put_be32(rec, r.position);
  put_be16(rec, r.run.font);
  rec += static_cast<char>(r.run.vertical);
  std::uint8_t style = r.run.style;
  if (version_ >= 6) style &= static_cast<std::uint8_t>(~kCwUnderline);  // underline has a word of its own
  rec += static_cast<char>(style);
  rec += static_cast<char>(r.run.size);
  rec += '\x01';
  if (version_ >= 4) put_be16(rec, 9);  // style-list index, not read
  if (version_ >= 6) {
    put_be16(rec, (r.run.style & kCwUnderline) ? 1 : 0);
    put_be32(rec, 0x0300);
  }
  return rec;
}

std::string ClarisWorksBuilder::zone(const std::string& text, const std::vector<PlacedRun>& runs, bool with_text,
                                     std::size_t base, CwLayout* layout, std::uint16_t id,
                                     const std::string& paragraph_runs, const std::string& refs) const {
  std::string z = "DSET";
  // A: the zone header, as a text zone starts it, with the zone's number at 14.
  std::string a = {'\0', '\x01', '\0', '\0'};
  put_be32(a, static_cast<std::uint32_t>(text.size() + 1));
  a.append(6, '\0');
  put_be16(a, id);
  std::string runs_bytes;
  std::vector<std::size_t> record_offsets;
  for (const PlacedRun& r : runs) {
    record_offsets.push_back(runs_bytes.size());
    runs_bytes += run_record(r);
  }
  const std::string items[5] = {a, paragraph_runs, runs_bytes, refs, std::string(10, '\0')};
  for (int i = 0; i < 5; ++i) {
    if (layout) layout->item_length[i] = base + z.size();
    if (layout && i == 2)
      for (std::size_t off : record_offsets) layout->run_records.push_back(base + z.size() + 4 + off);
    put_item(z, items[i]);
  }
  if (layout) layout->first_chunk_length = base + z.size();
  if (with_text) {
    const std::string all = text + '\0';  // every zone's text ends with a 0x00
    for (std::size_t at = 0; at < all.size(); at += chunk_size_) put_item(z, all.substr(at, chunk_size_));
  } else {
    put_be32(z, 0);  // no chunk at all
  }
  // What follows a zone's text in a real file is the next structure, never a
  // 0 length: an item (its length, then the bytes) stands here.
  z += following_item();
  return z;
}

// A graphics zone of one object, whose rectangle is the picture's, and the
// picture as its E item.
std::string ClarisWorksBuilder::picture_zone(const CwPicture& p, std::uint16_t id, std::size_t base,
                                             CwLayout* layout) const {
  const std::size_t size = version_ == 1 ? 38 : 40;
  std::string rec = {'\x08', '\0', '\0', '\x12'};
  put_be32(rec, 0);
  put_be32(rec, 0);
  put_be32(rec, std::uint32_t{p.height} << 8);
  put_be32(rec, std::uint32_t{p.width} << 8);
  pad(rec, size);
  std::string extension;
  put_be16(extension, 0);
  put_be16(extension, id);
  pad(extension, kFrameExtension);
  std::string z = "DSET";
  z += list(1, static_cast<std::uint16_t>(size), extension, rec);
  put_item(z, std::string(50, '\0'));  // B: not read
  put_be32(z, 0);                      // C, D: empty
  put_be32(z, 0);
  if (layout) layout->picture_data.push_back(base + z.size());
  put_item(z, p.bytes);
  put_be32(z, 0);  // no text
  z += following_item();
  return z;
}

std::string ClarisWorksBuilder::build(CwLayout* layout) const {
  std::string doc;
  doc += static_cast<char>(version_);
  doc += std::string("\x00\x36\x00", 3);
  doc += "BOBO";
  doc += static_cast<char>(version_);
  doc.resize(kHeaderSize, '\0');
  if (layout) *layout = CwLayout{};
  if (!rulers_.empty() && version_ <= 3) {
    const std::size_t at = version_ == 1 ? kRulerListV1 : kRulerList;
    doc.resize(at, '\0');
    if (layout) layout->ruler_list = doc.size();
    doc += ruler_list();
  }
  if (layout) layout->main_tag = doc.size();
  doc += zone(text_, runs_, with_text_, doc.size(), layout, kMainZoneId,
              paragraph_runs_.empty() ? std::string(8, '\0') : paragraph_runs_, picture_refs_);
  for (std::size_t i = 0; i < pictures_.size(); ++i) {
    if (layout) layout->picture_tags.push_back(doc.size());
    doc += picture_zone(pictures_[i], static_cast<std::uint16_t>(kFirstPictureZone + i), doc.size(), layout);
  }
  for (const Note& note : notes_) {
    if (layout) layout->note_tags.push_back(doc.size());
    doc += zone(note.text, {{0, note.run}}, true, doc.size(), nullptr);
  }
  if (!heads_.empty()) {
    if (layout) layout->frame_tag = doc.size();
    doc += frame_zone();
    for (std::size_t i = 0; i < heads_.size(); ++i)
      doc += zone(heads_[i].text, {{0, heads_[i].run}}, true, doc.size(), nullptr,
                  static_cast<std::uint16_t>(kMainZoneId + 1 + i), paragraph_record(0, heads_[i].ruler));
  }
  if (!font_names_.empty()) {
    if (layout) layout->font_list = doc.size();
    doc += font_list();
  }
  if (!rulers_.empty() && version_ >= 4) {
    if (layout) layout->style_list = doc.size();
    doc += style_list();
    if (layout) layout->styled_ruler_list = doc.size();
    doc += styled_ruler_list();
  }
  return doc;
}

}  // namespace lettrix::build
