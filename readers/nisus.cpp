// Nisus Writer documents: the text is the data fork, the footnote texts are
// resources of type "FNTX" in the resource fork (core/resource_fork.h). Nisus
// Writer keeps plain text in the data fork, so its documents are text files
// to the Finder (type "TEXT"); only a wrapper (MacBinary, BinHex, AppleSingle,
// AppleDouble) keeps the resource fork and the codes, and the source view
// (core/source_view.h) hands both over.
//
// Text: characters of the Macintosh character set; 0x1C marks a footnote
// reference. The "FNTX" resources, taken in the order of the map, hold the
// footnote texts one after another, each introduced by 0x1C: the n-th text
// belongs to the n-th reference.
#include "readers/nisus.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/char_output.h"
#include "core/charset.h"
#include "core/emitter.h"
#include "core/handler.h"
#include "core/resource_fork.h"
#include "core/source_detection.h"
#include "core/source_view.h"
#include "core/stream_codes.h"
#include "readers/reader_damage.h"
#include "readers/reader_entry.h"
#include "support/file_handle.h"
#include "support/strings.h"

namespace lettrix {

namespace {

constexpr const char* kShownName = "Nisus Writer";
constexpr std::uint8_t kNoteMark = 0x1C;
constexpr std::uint32_t kFootnoteType = resource_type("FNTX");

void refuse_because(const std::string& why) { refuse_document(kShownName, why); }

// The footnote texts: the data of every "FNTX" resource, one after another,
// read in order through the view of the resource fork.
class Notes {
 public:
  explicit Notes(SourceView& fork) : fork_(fork) {}

  // Finds the "FNTX" resources. False when the resource fork is damaged
  // (the reason given).
  bool locate() {
    ResourceFork map(fork_);
    const ResourceForkStatus status = map.read_map();
    if (status == ResourceForkStatus::Empty) return true;
    if (status != ResourceForkStatus::Ok) {
      set_handler_reason("the resource fork's map points outside the fork");
      return false;
    }
    for (const ResourceRef& ref : map.refs()) {
      if (ref.type != kFootnoteType) continue;
      Item item;
      if (!map.locate_data(ref, item.offset, item.length)) {
        set_handler_reason("a footnote lies outside the resource fork");
        return false;
      }
      if (item.length != 0) items_.push_back(item);
    }
    return true;
  }

  // The next byte of the notes without taking it; -1 at their end (or where
  // the fork cannot be read: failed() tells).
  int peek() {
    while (item_ < items_.size() && at_ == items_[item_].length) {
      ++item_;
      at_ = 0;
    }
    if (item_ == items_.size()) return -1;
    const auto v = fork_.view(items_[item_].offset + at_);
    return v.empty() ? -1 : v[0];
  }
  void take() { ++at_; }
  bool failed() const { return fork_.failed(); }

 private:
  struct Item {
    std::uint64_t offset = 0;
    std::uint32_t length = 0;
  };
  SourceView& fork_;
  std::vector<Item> items_;
  std::size_t item_ = 0;
  std::uint32_t at_ = 0;
};

void write_text_byte(std::FILE* out, std::uint8_t byte) {
  if (byte == kEscape)
    write_code(out, Backslash);
  else if (byte >= 0x80)
    write_source_char(out, kMacintoshTable, byte);
  else
    put_byte(byte, out);
}

// The next footnote text: from the next 0x1C of the notes up to the one
// after it (left for the next note) or their end.
void write_next_footnote(Notes& notes, std::FILE* out) {
  int c;
  while ((c = notes.peek()) >= 0) {
    notes.take();
    if (c == kNoteMark) break;
  }
  if (c < 0) return;
  while ((c = notes.peek()) >= 0 && c != kNoteMark) {
    notes.take();
    write_text_byte(out, static_cast<std::uint8_t>(c));
  }
}

// Whether the reader takes the file: a wrapper kept its resource fork, and
// the type it kept, if any, is "TEXT" (a text file to the Finder). Its
// creator is not looked at: a text file of another creator reads as one
// without footnotes. When not, *why says what is missing.
bool takes(const SourceFile& file, SourceView& text, std::string& why) {
  std::string signature_why;
  const DataForkView head{text.span_up_to(0, kDetectPrefix), text.size(), file.type, file.creator};
  const Confidence confidence = signature_nisus(head, &signature_why);
  if (file.resource.present() && (file.type.empty() || file.type == "TEXT")) return true;
  if (confidence == Confidence::None)
    why = signature_why;
  else if (!file.resource.present())
    why = "no resource fork (only a wrapper keeps it)";
  else
    why = "its type code " + code_text(file.type) + " is not \"TEXT\"";
  return false;
}

int read_nisus(const SourceFile& file, SourceView& text, std::FILE* out) {
  std::string why;
  if (!takes(file, text, why)) {
    refuse_because(why);
    return kHandlerCannotOpen;
  }
  SourceView resource(file.resource);
  Notes notes(resource);
  if (!notes.locate()) return kHandlerCannotOpen;

  unsigned note_count = 0;
  for (std::uint64_t at = 0; at < text.size();) {
    const std::span<const std::uint8_t> block = text.view(at);
    if (block.empty()) {
      set_handler_reason("the data fork cannot be read at byte " + with_thousands(at));
      return kHandlerCannotOpen;
    }
    for (const std::uint8_t c : block) {
      if (c != kNoteMark) {
        write_text_byte(out, c);
        continue;
      }
      ++note_count;
      write_code(out, NoteCall, note_count & 0xFF, 0);
      write_next_footnote(notes, out);
      write_code(out, EndOfText);
    }
    at += block.size();
  }
  if (notes.failed()) {
    set_handler_reason("the resource fork cannot be read");
    return kHandlerCannotOpen;
  }
  return reader_result(out, Damage{});
}

}  // namespace

int orig_nisus(const char* source_path, const char* stream_path) {
  ReaderFiles files;
  if (const int rc = open_reader_files(source_path, stream_path, files); rc != kHandlerOk) return rc;
  if (files.file.data.size == 0) return refuse_document(kShownName, "it is empty", kHandlerEmpty);
  SourceView text(files.file.data);
  return read_nisus(files.file, text, files.out.get());
}

// Nisus Writer keeps plain text in its data fork: only its creator tells,
// which a wrapper (MacBinary, BinHex, AppleSingle, AppleDouble) keeps.
Confidence signature_nisus(const DataForkView& f, std::string* why) {
  if (f.creator == "NISI") return Confidence::Certain;
  return refuse(why, f.creator.empty() ? "no creator code (a Nisus Writer document is told by its creator \"NISI\", "
                                         "which only a wrapper keeps)"
                                       : "its creator code " + code_text(f.creator) + " is not \"NISI\"");
}

}  // namespace lettrix
