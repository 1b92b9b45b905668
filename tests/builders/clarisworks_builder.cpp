#include "builders/clarisworks_builder.h"

#include "builders/builder_common.h"

namespace lettrix::build {

namespace {

constexpr std::size_t kHeaderSize = 0x100;

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

ClarisWorksBuilder& ClarisWorksBuilder::chunk_size(std::size_t n) {
  chunk_size_ = n == 0 ? 1 : n;
  return *this;
}

ClarisWorksBuilder& ClarisWorksBuilder::without_text() {
  with_text_ = false;
  return *this;
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
                                     std::size_t base, CwLayout* layout) const {
  std::string z = "DSET";
  // A: the zone header, as a text zone starts it.
  std::string a = {'\0', '\x01', '\0', '\0'};
  put_be32(a, static_cast<std::uint32_t>(text.size() + 1));
  a.append(8, '\0');
  std::string runs_bytes;
  std::vector<std::size_t> record_offsets;
  for (const PlacedRun& r : runs) {
    record_offsets.push_back(runs_bytes.size());
    runs_bytes += run_record(r);
  }
  const std::string items[5] = {a, std::string(8, '\0'), runs_bytes, "", std::string(10, '\0')};
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
  // 0 length: a word of flags stands here.
  put_be32(z, 0x005A0001);
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
  if (layout) layout->main_tag = doc.size();
  doc += zone(text_, runs_, with_text_, doc.size(), layout);
  for (const Note& note : notes_) {
    if (layout) layout->note_tags.push_back(doc.size());
    doc += zone(note.text, {{0, note.run}}, true, doc.size(), nullptr);
  }
  return doc;
}

}  // namespace lettrix::build
