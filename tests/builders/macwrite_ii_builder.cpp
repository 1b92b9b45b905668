#include "builders/macwrite_ii_builder.h"

#include <algorithm>
#include <stdexcept>

#include "builders/builder_common.h"

namespace lettrix::build {

namespace {

constexpr std::size_t kBlock = 256;
constexpr char kFiller = '\xA5';  // bytes the reader must skip, never zero so that a misstep shows

// How many blocks a chain of `size` data bytes takes: 254 per linked block;
// with extents, one linked block and then an extent (254 + 256 (c - 2) + 254).
long extent_length(std::size_t size) {
  const std::size_t rest = size - 254;
  return rest <= 508 ? 2 : 2 + static_cast<long>((rest - 508 + kBlock - 1) / kBlock);
}

long chain_blocks(std::size_t size, bool extents) {
  if (size <= 254) return 1;
  if (extents) return 1 + extent_length(size);
  return static_cast<long>((size + 253) / 254);
}

std::uint16_t link_to(long block) {
  if (block > 32767) throw std::length_error("MacWrite II chain block number above 32767");
  return static_cast<std::uint16_t>(block);
}

// Bytes of the chain data from `at`, zero-padded to n.
std::string slice(const std::string& data, std::size_t at, std::size_t n) {
  std::string s = at < data.size() ? data.substr(at, n) : std::string();
  s.resize(n, '\0');
  return s;
}

void put_block(std::string& file, long block, const std::string& bytes) {
  file.replace(static_cast<std::size_t>(block - 1) * kBlock, bytes.size(), bytes);
}

struct ChainOptions {
  bool extents = false;
  std::optional<std::uint16_t> extent_count;
  std::optional<long> last_link;  // instead of 0
};

// Writes a chain's data into the blocks from `first` on.
void place_chain(std::string& file, long first, const std::string& data, const ChainOptions& options) {
  const long count = chain_blocks(data.size(), options.extents);
  const std::uint16_t end = static_cast<std::uint16_t>(options.last_link.value_or(0));
  if (!options.extents || count == 1) {
    for (long i = 0; i < count; ++i) {
      std::string block = slice(data, static_cast<std::size_t>(i) * 254, 254);
      put_be16(block, i + 1 < count ? link_to(first + i + 1) : end);
      put_block(file, first + i, block);
    }
    return;
  }
  std::string head = slice(data, 0, 254);
  const long extent_start = first + 1;
  if (extent_start > 32768) throw std::length_error("MacWrite II extent start above 32768");
  put_be16(head, static_cast<std::uint16_t>(-extent_start));
  put_block(file, first, head);
  const long c = count - 1;
  std::string block;
  put_be16(block, options.extent_count.value_or(static_cast<std::uint16_t>(c)));
  block += slice(data, 254, 254);
  put_block(file, first + 1, block);
  std::size_t at = 508;
  for (long i = 1; i < c - 1; ++i, at += kBlock) put_block(file, first + 1 + i, slice(data, at, kBlock));
  block = slice(data, at, 254);
  put_be16(block, end);
  put_block(file, first + c, block);
}

void put_run_list(std::string& out, const std::vector<MacWriteIIBuilder::Run>& runs, std::optional<std::uint32_t> bytes,
                  std::optional<std::uint16_t> first_format) {
  put_be32(out, bytes.value_or(static_cast<std::uint32_t>(runs.size() * 6)));
  for (std::size_t i = 0; i < runs.size(); ++i) {
    put_be16(out, i == 0 && first_format ? *first_format : runs[i].format);
    put_be32(out, runs[i].length);
  }
}

void add_run(std::vector<MacWriteIIBuilder::Run>& runs, std::uint16_t format, std::size_t length) {
  if (length == 0) return;
  if (!runs.empty() && runs.back().format == format)
    runs.back().length += static_cast<std::uint32_t>(length);
  else
    runs.push_back({format, static_cast<std::uint32_t>(length)});
}

}  // namespace

MacWriteIIBuilder::MacWriteIIBuilder() : zones_(1) {}

std::uint16_t MacWriteIIBuilder::char_format(const mw2::Style& style) {
  auto it = std::find(char_formats_.begin(), char_formats_.end(), style);
  if (it != char_formats_.end()) return static_cast<std::uint16_t>(it - char_formats_.begin());
  char_formats_.push_back(style);
  return static_cast<std::uint16_t>(char_formats_.size() - 1);
}

std::uint16_t MacWriteIIBuilder::para_format(int alignment) {
  const ParaFormat format{alignment, tabs_};
  auto it = std::find(para_formats_.begin(), para_formats_.end(), format);
  if (it != para_formats_.end()) return static_cast<std::uint16_t>(it - para_formats_.begin());
  para_formats_.push_back(format);
  return static_cast<std::uint16_t>(para_formats_.size() - 1);
}

void MacWriteIIBuilder::append(Zone& zone, std::string_view bytes, const mw2::Style& style, int alignment) {
  zone.text.append(bytes);
  add_run(zone.char_runs, char_format(style), bytes.size());
  add_run(zone.para_runs, para_format(alignment), bytes.size());
}

MacWriteIIBuilder& MacWriteIIBuilder::text(std::string_view mac_text, const mw2::Style& style) {
  append(zones_.back(), mac_text, style, alignment_);
  return *this;
}

MacWriteIIBuilder& MacWriteIIBuilder::paragraph(std::string_view mac_text, const mw2::Style& style) {
  text(mac_text, style);
  return text("\r", style);
}

MacWriteIIBuilder& MacWriteIIBuilder::paragraph(std::string_view mac_text, const mw2::Style& style, int alignment) {
  alignment_ = alignment;
  return paragraph(mac_text, style);
}

MacWriteIIBuilder& MacWriteIIBuilder::align(int alignment) {
  alignment_ = alignment;
  return *this;
}

MacWriteIIBuilder& MacWriteIIBuilder::tabs(const std::vector<mw2::TabStop>& stops) {
  tabs_ = stops;
  return *this;
}

MacWriteIIBuilder& MacWriteIIBuilder::footnote(std::string_view note_text, const mw2::Style& note_style,
                                               const mw2::Style& call_style) {
  text("\x05", call_style);
  append(notes_, "\x03", note_style, mw2::kLeft);
  append(notes_, note_text, note_style, mw2::kLeft);
  has_notes_ = true;
  return *this;
}

MacWriteIIBuilder& MacWriteIIBuilder::next_zone(bool new_group) {
  zones_.emplace_back();
  zones_.back().new_group = new_group;
  return *this;
}

MacWriteIIBuilder& MacWriteIIBuilder::extents(bool on) {
  extents_ = on;
  return *this;
}

MacWriteIIBuilder& MacWriteIIBuilder::block_fill(int bytes) {
  block_fill_ = std::clamp(bytes, 1, 256);
  return *this;
}

MacWriteIIBuilder& MacWriteIIBuilder::signature(std::uint8_t byte1, std::uint8_t byte3) {
  signature_[0] = byte1;
  signature_[1] = byte3;
  return *this;
}

MacWriteIIBuilder& MacWriteIIBuilder::damage(const mw2::Damage& d) {
  damage_ = d;
  return *this;
}

std::string MacWriteIIBuilder::build() const {
  std::vector<const Zone*> zones;
  for (const Zone& z : zones_) zones.push_back(&z);
  if (has_notes_) zones.push_back(&notes_);
  const mw2::Damage& d = damage_;
  const std::size_t fill = static_cast<std::size_t>(block_fill_);

  // The document chain, given the first block of each zone's chain.
  auto document_chain = [&](const std::vector<long>& zone_blocks) {
    std::string doc;
    put_be32(doc, d.skipped_length.value_or(16));
    doc.append(16, kFiller);
    doc.append(4, kFiller);
    put_be16(doc, 1);
    doc.append(42, kFiller);
    put_be32(doc, d.char_format_bytes.value_or(static_cast<std::uint32_t>(char_formats_.size() * 10)));
    for (const mw2::Style& s : char_formats_) {
      put_be16(doc, 0);
      put_be16(doc, s.font);
      put_be16(doc, static_cast<std::uint16_t>(s.quarter_points));
      doc += static_cast<char>(s.a);
      doc += static_cast<char>(s.b);
      put_be16(doc, 0);
    }
    put_be32(doc, d.para_format_bytes.value_or(static_cast<std::uint32_t>(para_formats_.size() * 202)));
    for (const ParaFormat& format : para_formats_) {
      std::string record(202, '\0');
      set_be16(record, 2, static_cast<std::uint16_t>(format.alignment));
      for (std::size_t i = 0; i < format.tabs.size() && i < 20; ++i) {
        record[42 + 8 * i] = static_cast<char>(format.tabs[i].kind);
        set_be32(record, 44 + 8 * i, static_cast<std::uint32_t>(static_cast<std::int32_t>(format.tabs[i].points * 65536)));
      }
      doc += record;
    }
    doc.append(10, kFiller);  // the first group's header
    for (std::size_t z = 0; z < zones.size(); ++z) {
      if (z > 0 && zones[z]->new_group) {
        put_be16(doc, 2);
        doc.append(10, kFiller);
      }
      std::string record(76, kFiller);
      set_be16(record, 0, 0);
      const long block = z == 0 && d.zone_first_block ? *d.zone_first_block : link_to(zone_blocks[z]);
      set_be16(record, 28, static_cast<std::uint16_t>(block));
      set_be32(record, 72, 0);
      record.append(3, kFiller);
      const long copies = z == 0 ? 1 + d.repeat_first_zone_record : 1;
      for (long i = 0; i < copies; ++i) doc += record;
    }
    std::string end(76, kFiller);
    set_be16(end, 0, 3);
    return doc + end;
  };

  // Block numbers: the document chain from block 3, then the zone chains,
  // then the text blocks.
  const std::size_t doc_size = document_chain(std::vector<long>(zones.size(), 0)).size();
  long next = 3 + chain_blocks(doc_size, extents_);
  std::vector<long> zone_blocks, text_blocks;
  std::vector<std::size_t> text_block_counts;
  for (const Zone* z : zones) {
    const std::size_t blocks = (z->text.size() + fill - 1) / fill;
    const std::size_t chain_size = 4 + 4 + 4 * blocks + 4 + 6 * z->char_runs.size() + 4 + 6 * z->para_runs.size();
    zone_blocks.push_back(next);
    next += chain_blocks(chain_size, extents_);
    text_block_counts.push_back(blocks);
  }
  for (std::size_t i = 0; i < zones.size(); ++i) {
    text_blocks.push_back(next);
    next += static_cast<long>(text_block_counts[i]);
  }
  if (next - 1 > 65535) throw std::length_error("MacWrite II text block number above 65535 (at most about 16 MB of text)");

  std::string file(static_cast<std::size_t>(next - 1) * kBlock, '\0');
  file[1] = static_cast<char>(signature_[0]);
  file[3] = static_cast<char>(signature_[1]);

  ChainOptions doc_options{extents_, d.extent_count, std::nullopt};
  if (d.document_chain_loops) doc_options.last_link = 3;
  place_chain(file, 3, document_chain(zone_blocks), doc_options);

  for (std::size_t i = 0; i < zones.size(); ++i) {
    const Zone& z = *zones[i];
    const bool first = i == 0;
    std::string chain(4, kFiller);
    put_be32(chain, first && d.block_list_bytes ? *d.block_list_bytes
                                                 : static_cast<std::uint32_t>(4 * text_block_counts[i]));
    for (std::size_t b = 0; b < text_block_counts[i]; ++b) {
      const long number = first && b == d.text_block_entry && d.text_block ? *d.text_block
                                                                             : text_blocks[i] + static_cast<long>(b);
      put_be16(chain, static_cast<std::uint16_t>(number));
      put_be16(chain, static_cast<std::uint16_t>(std::min(fill, z.text.size() - b * fill)));
      put_block(file, text_blocks[i] + static_cast<long>(b), z.text.substr(b * fill, fill));
    }
    put_run_list(chain, z.char_runs, first ? d.char_run_bytes : std::nullopt,
                 first ? d.first_char_run_format : std::nullopt);
    put_run_list(chain, z.para_runs, first ? d.para_run_bytes : std::nullopt,
                 first ? d.first_para_run_format : std::nullopt);
    place_chain(file, zone_blocks[i], chain, ChainOptions{extents_, std::nullopt, std::nullopt});
  }
  return file;
}

std::string MacWriteIIBuilder::build_macbinary(const std::string& name) const {
  return macbinary(build(), name, "MW2D", "MWII");
}

}  // namespace lettrix::build
