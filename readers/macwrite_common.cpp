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
