#include "readers/macwrite_common.h"
#include "readers/reader_entry.h"

#include <cstring>

#include "core/byte_helpers.h"
#include "core/char_output.h"
#include "core/emitter.h"
#include "core/handler.h"
#include "core/source_detection.h"
#include "core/stream_codes.h"
#include "support/byte_io.h"
#include "support/file_handle.h"

namespace lettrix {

Confidence macwrite_version_test(const DataForkView& f, std::uint16_t version, const char* name, std::string* why) {
  if (f.head.size() < 2) return refuse(why, "too short for a version word (" + std::to_string(f.head.size()) + " bytes)");
  if (word_at(f.head, 0) != version)
    return refuse(why, "version word " + hex_word(word_at(f.head, 0)) + " at byte 0 is not " + name + "'s " +
                           std::to_string(version));
  if (has_codes(f, "WORD", "MACA")) return Confidence::Certain;
  return f.type.empty() ? Confidence::Likely : Confidence::Possible;
}

DataForkView signature_view(MacWriteSource& src) {
  return {src.view->span_up_to(0, kDetectPrefix), static_cast<std::uint64_t>(src.size), src.type, src.creator};
}

int refuse_macwrite(const char* shown_name, const std::string& why) { return refuse_document(shown_name, why); }

int run_macwrite_reader(const char* source_path, const char* stream_path, const char* shown_name, MacWriteBody body) {
  ReaderFiles files;
  if (const int rc = open_reader_files(source_path, stream_path, files); rc != kHandlerOk) return rc;
  const SourceFile& file = files.file;
  FilePtr& out = files.out;
  const SourceFork& fork = file.data;
  if (fork.size == 0) return refuse_document(shown_name, "its data fork is empty", kHandlerEmpty);
  SourceView view(fork);
  MacWriteSource src;
  src.view = &view;
  src.size = static_cast<long>(fork.size);
  src.type = file.type;
  src.creator = file.creator;
  return body(src, out.get(), false);
}

std::vector<std::uint8_t> read_document(MacWriteSource& src, long offset, long count) {
  const std::span<const std::uint8_t> bytes = view_document(src, offset, count);
  return {bytes.begin(), bytes.end()};
}

void need_document(MacWriteSource& src, long end) {
  if (end > src.needed) src.needed = end;
}

void check_document_size(const MacWriteSource& src, bool structures_give_size, Damage& damage) {
  const auto at = static_cast<std::uint64_t>(src.size);
  if (src.needed > src.size && structures_give_size) {
    damage.cut_short("text", at, static_cast<std::uint64_t>(src.needed));
  } else if (src.needed > src.size) {
    damage.cut_short_at_least("text", at, static_cast<std::uint64_t>(src.needed));
  }
}

namespace {

constexpr std::size_t kFrameSize = 8;
constexpr std::size_t kPictureHeaderSize = 10;  // the picture's size and its own frame
constexpr char kPageBreakFrame[] = "MAGICPIC";

long frame_extent(std::span<const std::uint8_t> frame, std::size_t low, std::size_t high) {
  return static_cast<long>(be16s_at(frame.data() + high)) - be16s_at(frame.data() + low);
}

}  // namespace

MacPictureKind classify_mac_picture(std::span<const std::uint8_t> data) {
  if (data.size() < kFrameSize + kPictureHeaderSize + 2) return MacPictureKind::None;
  const std::uint8_t* picture = data.data() + kFrameSize;
  if (std::memcmp(picture + 2, kPageBreakFrame, 8) == 0) return MacPictureKind::PageBreak;
  const std::uint8_t* opcodes = picture + kPictureHeaderSize;
  const bool version1 = opcodes[0] == 0x11 && opcodes[1] == 0x01;
  const bool version2 = data.size() >= kFrameSize + kPictureHeaderSize + 4 && opcodes[0] == 0x00 &&
                        opcodes[1] == 0x11 && opcodes[2] == 0x02 && opcodes[3] == 0xFF;
  return version1 || version2 ? MacPictureKind::Picture : MacPictureKind::None;
}

void write_mac_picture(std::FILE* out, std::span<const std::uint8_t> data) {
  if (data.size() < kFrameSize) return;
  // The frame in the document; the picture's own frame when that one is empty.
  long height = frame_extent(data, 0, 4);
  long width = frame_extent(data, 2, 6);
  if ((height <= 0 || width <= 0) && data.size() >= kFrameSize + kPictureHeaderSize) {
    height = frame_extent(data.subspan(kFrameSize + 2), 0, 4);
    width = frame_extent(data.subspan(kFrameSize + 2), 2, 6);
  }
  if (height < 0) height = 0;
  if (width < 0) width = 0;
  write_code(out, Picture, 1, 0);
  for (long value : {height, width}) {
    for (int shift = 24; shift >= 0; shift -= 8) put_byte(static_cast<int>((value >> shift) & 0xFF), out);
  }
  static constexpr char kDigits[] = "0123456789abcdef";
  for (std::size_t i = kFrameSize; i < data.size(); ++i) {
    put_byte(kDigits[data[i] >> 4], out);
    put_byte(kDigits[data[i] & 0x0F], out);
  }
  write_code(out, EndOfText);
}

void follow_page(MacWritePages& pages, int page) {
  if (pages.page >= 0 && page > pages.page && !pages.at_page_start) add_page_break(pages);
  pages.page = page;
}

void add_page_break(MacWritePages& pages) {
  ++pages.pending;
  pages.at_page_start = true;
}

void start_content(std::FILE* out, MacWritePages& pages) {
  for (; pages.pending > 0; --pages.pending) put_byte(kPageBreak, out);
  pages.at_page_start = false;
}

void write_mac_char(std::FILE* out, const ReaderTable& table, std::uint8_t byte) {
  write_source_char(out, table, byte);
}

}  // namespace lettrix
