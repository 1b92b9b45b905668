// Macintosh plain text: bytes in the Macintosh character set, paragraphs ended
// by CR (0x0D). There is no header; the first byte is text. Files that passed
// through other systems may end their lines with LF or CR LF instead.
//
//   0x08        overstrike: character, backspace, character makes an accented
//               letter the old typewriter way ("e" BS "'" is e-acute)
//   0x09        tab                0x0B, 0x0D   paragraph end
//   0x0A        paragraph end, unless it follows a CR (CR LF is one end)
//   0x0C        page break         0x1A         Ctrl-Z, dropped (not an end mark)
//   0x11-0x14   the system font's symbols: command key, check mark, black
//               diamond, Apple logo
//   0x5C        backslash          other < 0x20 dropped
//   0x20-0xFF   through the Macintosh character table
//
// When a wrapper kept the file's resource fork, the look that TextEdit-based
// editors keep there (readers/mac_text_styles.h) is written too: the codes of
// each style run at its first character, each run's bytes through its font's
// table, and the pictures of a SimpleText document in place of the 0xCA bytes
// that hold their places.
#include "readers/text_only.h"
#include "readers/reader_entry.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string>

#include "core/byte_helpers.h"
#include "core/char_output.h"
#include "core/charset.h"
#include "core/double_byte.h"
#include "core/handler.h"
#include "core/mac_font_names.h"
#include "core/signature.h"
#include "core/source_detection.h"
#include "core/source_view.h"
#include "core/stream_codes.h"
#include "readers/mac_picture.h"
#include "readers/mac_text_styles.h"
#include "readers/reader_damage.h"
#include "support/file_handle.h"

namespace lettrix {

namespace {

// What one source byte becomes in the stream, worked out once from the
// character table: up to four bytes, and the plain printable byte an accent
// can be struck over (0 for none). Backspace and LF depend on their
// neighbours and are handled in the loop.
// (Eight bytes, the four of the stream first, so that a piece is one aligned
// load and its bytes one store.)
struct alignas(8) Piece {
  std::uint8_t bytes[4] = {};
  std::uint8_t length = 0;
  std::uint8_t composable = 0;
  bool contextual = false;
};

constexpr std::uint8_t kPictureMark = 0xCA;  // a non-breaking space, where a SimpleText picture goes

using Pieces = std::array<Piece, 256>;

// The pieces of the bytes of text set in a font read through `table`; with
// pictures, 0xCA is handled in the loop.
Pieces make_pieces(const ReaderTable& table = kMacintoshTable, bool pictures = false) {
  Pieces pieces{};
  const auto set = [&](int c, std::initializer_list<int> bytes) {
    Piece& p = pieces[static_cast<std::size_t>(c)];
    for (int b : bytes) p.bytes[p.length++] = static_cast<std::uint8_t>(b);
  };
  pieces[0x08].contextual = pieces[0x0A].contextual = true;
  set(0x09, {kTab});
  set(0x0B, {kParagraphEnd});
  set(0x0D, {kParagraphEnd});
  set(0x0C, {kPageBreak});
  // The symbols of the system font, in which a text file is shown, at
  // positions of their own: the Macintosh table's entries for these bytes
  // serve formats whose fonts draw other things there.
  for (int k = 0; k < kSystemSymbolCount; ++k)
    set(0x11 + k, {kEscape, TableChar, kSystemSymbolTable, kSystemSymbolFirst + k});
  for (int c = 0x20; c < 0x100; ++c) {
    const std::uint16_t entry =
        c == 0x5C && &table == &kMacintoshTable ? kEscape : table[static_cast<std::size_t>(c)];
    const int plain = entry_index(entry);
    if (is_table_char(entry)) {
      set(c, {kEscape, TableChar, entry_table(entry), plain});
    } else if (plain == kEscape) {
      set(c, {kEscape, Backslash});
    } else if (plain != 0) {
      set(c, {plain});
      if (plain >= 0x20 && plain < 0x7F) pieces[static_cast<std::size_t>(c)].composable = static_cast<std::uint8_t>(plain);
    }
  }
  pieces[kPictureMark].contextual = pictures;
  return pieces;
}

bool plain_printable(int c) { return c >= 0x20 && c <= 0x7E && c != kEscape; }

constexpr std::size_t kBlock = 1 << 16;
constexpr std::size_t kPiece = 1 << 12;

// The source block by block, as the view holds it.
struct Source {
  SourceView& view;
  std::span<const std::uint8_t> block{};
  std::size_t at = 0;       // in block
  std::uint64_t start = 0;  // of block in the fork

  bool fill() {
    if (at < block.size()) return true;
    start += block.size();
    block = view.view(start);
    at = 0;
    return !block.empty();
  }
};

// The stream in large blocks. The last byte written stays in the block, so
// that an accent struck over it can take its place.
struct Stream {
  std::FILE* file;
  std::unique_ptr<std::uint8_t[]> block{new std::uint8_t[kBlock]};
  std::size_t used = 0;
  bool failed = false;

  // Sends on whole pieces of 4 KB (which the C library writes as they stand
  // rather than through its own buffer) and keeps the rest, the last byte at
  // least.
  void make_room() {
    if (used + 4 <= kBlock) return;
    const std::size_t whole = (used - 1) / kPiece * kPiece;
    if (std::fwrite(block.get(), 1, whole, file) != whole) failed = true;
    std::memmove(block.get(), block.get() + whole, used - whole);
    used -= whole;
  }
  void put(std::uint8_t b) { block[used++] = b; }
  // Sends on everything, before codes are written to the file itself.
  void flush() {
    if (used > 0 && std::fwrite(block.get(), 1, used, file) != used) failed = true;
    used = 0;
  }
  bool finish() {
    flush();
    return !failed && std::fflush(file) == 0 && !std::ferror(file);
  }
};

// Character, backspace, character: the backspace has been read and `previous`
// (the byte written last) can take an accent. When the next character is
// plain printable ASCII it is consumed and the two become the composed
// letter, or the accent and the letter as plain bytes; otherwise nothing
// changes and the next character is read as usual.
void compose(Source& in, Stream& out, int previous) {
  if (!in.fill()) return;
  const int next = in.block[in.at];
  if (!plain_printable(next)) return;
  ++in.at;
  --out.used;  // the byte written for `previous`
  const bool accent_first = is_vowel(next);
  const int letter = accent_first ? next : previous;
  const int accent = accent_first ? previous : next;
  const int index = composed_letter_index(letter, accent);
  if (index > 0) {
    out.put(kEscape);
    out.put(TableChar);
    out.put(1);
    out.put(static_cast<std::uint8_t>(index));
  } else {
    out.put(static_cast<std::uint8_t>(accent));
    out.put(static_cast<std::uint8_t>(letter));
  }
}

constexpr const char* kShownName = "Mac Text Only";

// Binary data: NUL bytes more than one in 4,096 (any in a shorter text), or
// more than one byte in fifty a control byte that
// text does not hold, the same limits as the signature test's (which also
// asks for three bytes in four of plain ASCII, more than a short text or
// one in another Macintosh script may have).
bool binary(std::span<const std::uint8_t> head) {
  if (head.empty()) return false;
  if (static_cast<std::size_t>(std::count(head.begin(), head.end(), std::uint8_t{0})) > stray_nuls_allowed(head.size()))
    return true;
  std::size_t odd = 0;
  for (const std::uint8_t c : head) odd += is_stray_control(c);
  return odd * 50 > head.size();
}

// Whether the reader takes the file: its signature test, or else its first
// bytes are no binary data (a text file whose wrapper kept another type,
// Nisus Writer's included, reads as text too). When not, why says what is
// wrong.
bool takes(const SourceFile& file, SourceView& in, std::string& why) {
  const DataForkView head{in.span_up_to(0, kDetectPrefix), in.size(), file.type, file.creator};
  std::string signature_why;
  if (signature_mac_text(head, &signature_why) != Confidence::None || !binary(head.head)) return true;
  std::string not_text;
  looks_like_text(head.head, &not_text);
  not_text = "not text: " + not_text;
  why = signature_why == not_text ? not_text : signature_why + ", and " + not_text;
  return false;
}

// The look of a text while it is read: the runs still to start, the
// pictures still to draw, and the pieces of the font in force (with 0xCA
// handled in the loop while pictures are left).
class Styling {
 public:
  Styling(const MacTextLook& look, std::FILE* out) : look_(look), out_(out) { choose_pieces(); }

  // Where the next run starts; UINT64_MAX after the last.
  std::uint64_t next_run() const { return run_ < look_.runs.size() ? look_.runs[run_].start : UINT64_MAX; }
  // Writes the codes of the runs that start at `at` (or before it).
  void start_runs(std::uint64_t at) {
    while (run_ < look_.runs.size() && look_.runs[run_].start <= at) {
      const RunCharacters chars = write_style_run(out_, cs_, fonts_, look_, look_.runs[run_++]);
      table_ = chars.table;
      wide_ = chars.wide;
    }
    choose_pieces();
  }
  // The character set of the run in force when its script is written with
  // two bytes a character, else null.
  const DoubleByteSet* wide() const { return wide_; }
  // At a 0xCA while pictures are left: draws the next one, or else writes
  // the 0xCA as text (a picture that cannot be drawn) into dst.
  void picture(Stream& dst) {
    const std::vector<std::uint8_t>& picture = look_.pictures[picture_++];
    choose_pieces();
    if (!picture.empty()) {
      write_mac_picture(out_, picture);
      return;
    }
    const Piece& text = pieces_of(*table_, false)[kPictureMark];
    for (std::uint8_t k = 0; k < text.length; ++k) dst.put(text.bytes[k]);
  }
  const Piece* pieces() const { return pieces_; }

 private:
  const Pieces& pieces_of(const ReaderTable& table, bool pictures) {
    for (const Made& m : made_)
      if (m.table == &table && m.pictures == pictures) return *m.pieces;
    made_.push_back({&table, pictures, std::make_unique<Pieces>(make_pieces(table, pictures))});
    return *made_.back().pieces;
  }
  void choose_pieces() { pieces_ = pieces_of(*table_, picture_ < look_.pictures.size()).data(); }

  struct Made {
    const ReaderTable* table;
    bool pictures;
    std::unique_ptr<Pieces> pieces;
  };
  const MacTextLook& look_;
  std::FILE* out_;
  CharState cs_;
  MacFontNumberCache fonts_;
  const ReaderTable* table_ = &kMacintoshTable;
  const DoubleByteSet* wide_ = nullptr;
  std::size_t run_ = 0;
  std::size_t picture_ = 0;
  std::vector<Made> made_;  // a few: one for each font table met, with and without pictures
  const Piece* pieces_ = nullptr;
};

void put_code_point(Stream& dst, std::uint16_t cp) {
  std::uint8_t bytes[4];
  const std::size_t n = code_point_stream_bytes(cp, bytes);
  for (std::size_t k = 0; k < n; ++k) dst.put(bytes[k]);
}

// A character read in two bytes whose lead byte ended a run, or the text:
// it has no character.
void end_wide(Stream& dst, int& lead) {
  if (lead < 0) return;
  dst.make_room();
  put_code_point(dst, kReplacementCharacter);
  lead = -1;
}

// The next `left` bytes of the block, in a font of a script written with one
// or two bytes a character. A lead byte that ends the block waits in `lead`
// for the next one; a pair the set leaves undefined is the replacement
// character, and so is a lead byte without a trail byte after it (the byte
// after it is then read on its own). Control bytes are read as in Roman text.
void read_wide(Source& src, Stream& dst, const DoubleByteSet& set, std::size_t left, const Piece* roman, int& lead,
               int& previous) {
  const std::uint8_t* from = src.block.data() + src.at;
  const std::uint8_t* const stop = from + left;
  while (from < stop) {
    dst.make_room();
    const std::uint8_t c = *from++;
    if (lead >= 0) {
      const std::uint16_t cp = set.pair(static_cast<std::uint8_t>(lead), c);
      lead = -1;
      if (cp != 0 || set.trails(c)) {
        put_code_point(dst, cp != 0 ? cp : kReplacementCharacter);
        previous = c;
        continue;
      }
      put_code_point(dst, kReplacementCharacter);
      dst.make_room();
    }
    if (set.leads(c)) {
      lead = c;
    } else if (c >= 0x20) {
      put_code_point(dst, set.single[c] != 0 ? set.single[c] : kReplacementCharacter);
    } else if (c == 0x0A) {
      if (previous != 0x0D) dst.put(kParagraphEnd);
    } else if (c != 0x08) {  // a backspace strikes nothing over a character of these scripts
      const Piece& piece = roman[c];
      for (std::uint8_t k = 0; k < piece.length; ++k) dst.put(piece.bytes[k]);
    }
    previous = c;
  }
  src.at = static_cast<std::size_t>(from - src.block.data());
}

// Each source byte becomes its precomputed piece; the source is read and the
// stream written in large blocks. With a look, each stretch of the text
// between two run starts is gone through the same way.
int read_text_only(SourceView& in, std::FILE* out, Styling* styling) {
  static const Pieces plain = make_pieces();
  const Piece* pieces = plain.data();
  std::uint64_t next_run = styling ? styling->next_run() : UINT64_MAX;
  Source src{in};
  Stream dst{out};

  int previous = 0;    // the source byte before this one
  int composable = 0;  // the plain byte written for it, when an accent can go over it
  int lead = -1;       // a lead byte of a two-byte character whose trail byte is still to come
  while (src.fill()) {
    std::size_t left = src.block.size() - src.at;
    if (styling) {
      // The codes of a run go straight to the file, after the text before them.
      const std::uint64_t at = src.start + src.at;
      if (at >= next_run) {
        end_wide(dst, lead);
        dst.flush();
        styling->start_runs(at);
        next_run = styling->next_run();
        composable = 0;  // no accent is struck over a character of another run
      }
      if (next_run - at < left) left = static_cast<std::size_t>(next_run - at);
      pieces = styling->pieces();
      if (const DoubleByteSet* wide = styling->wide()) {
        read_wide(src, dst, *wide, left, plain.data(), lead, previous);
        composable = 0;
        continue;
      }
    }
    // A source byte makes at most four stream bytes: a stretch of the block
    // that fits in the room left is gone through without a check of room or
    // block end for each byte. Each byte writes its four bytes of piece and
    // moves on by its length, without a branch on the kind of byte.
    dst.make_room();
    const std::size_t fits = (kBlock - dst.used) / 4;
    const std::uint8_t* const first = src.block.data() + src.at;
    const std::uint8_t* from = first;
    const std::uint8_t* const stop = from + (left < fits ? left : fits);
    std::uint8_t* to = dst.block.get() + dst.used;
    bool moved = false;  // by the handling of a backspace or line feed
    while (from < stop) {
      const Piece& piece = pieces[*from++];
      if (piece.contextual) {
        const int c = from[-1];
        if (from - first >= 2) previous = from[-2];
        src.at = static_cast<std::size_t>(from - src.block.data());
        dst.used = static_cast<std::size_t>(to - dst.block.get());
        if (c == 0x0A && previous != 0x0D) dst.put(kParagraphEnd);
        // Without a plain character before it a backspace has nothing to
        // strike over: it is dropped and the next character read as usual.
        if (c == 0x08 && composable) compose(src, dst, composable);
        if (c == kPictureMark) {
          dst.flush();
          styling->picture(dst);
        }
        composable = 0;
        previous = c;
        moved = true;
        break;
      }
      std::memcpy(to, piece.bytes, 4);
      to += piece.length;
      composable = piece.composable;
    }
    if (!moved) {
      if (from != first) previous = from[-1];
      src.at = static_cast<std::size_t>(from - src.block.data());
      dst.used = static_cast<std::size_t>(to - dst.block.get());
    }
  }
  end_wide(dst, lead);
  if (!dst.finish()) return kHandlerCannotOpen;
  if (in.failed()) {
    set_handler_reason("the file cannot be read after byte " + std::to_string(src.start));
    return kHandlerCannotOpen;
  }
  return kHandlerOk;
}

}  // namespace

int orig_text_only(const char* source_path, const char* stream_path) {
  ReaderFiles files;
  if (const int rc = open_reader_files(source_path, stream_path, files); rc != kHandlerOk) return rc;
  const SourceFile& file = files.file;
  FilePtr& out = files.out;
  // An empty file is an empty text (no binary data): it converts to an empty
  // document, as it always has.
  SourceView in(file.data);
  std::string why;
  if (!takes(file, in, why)) return refuse_document(kShownName, why);
  if (!file.resource.present() || file.resource.size == 0) return read_text_only(in, out.get(), nullptr);
  SourceView fork(file.resource);
  Damage damage;
  const MacTextLook look = read_mac_text_look(fork, in.size(), damage);
  Styling styling(look, out.get());
  if (const int rc = read_text_only(in, out.get(), look.any() ? &styling : nullptr); rc != kHandlerOk) return rc;
  return reader_result(out.get(), damage);
}

// Mac text: the type "TEXT" when a wrapper kept it (but not Nisus Writer's,
// whose text lies in the same kind of file); otherwise bytes that look like
// text. Macintosh lines end in CR; a file without any may be text of any kind.
Confidence signature_mac_text(const DataForkView& f, std::string* why) {
  if (f.type == "TEXT") {
    if (f.creator == "NISI") return refuse(why, "a Nisus Writer document (creator \"NISI\")");
    return Confidence::Certain;
  }
  if (!f.type.empty()) return refuse(why, "its type code " + code_text(f.type) + " is not \"TEXT\"");
  std::string not_text;
  if (!looks_like_text(f.head, &not_text)) return refuse(why, "not text: " + not_text);
  return std::find(f.head.begin(), f.head.end(), '\r') != f.head.end() ? Confidence::Likely : Confidence::Possible;
}

}  // namespace lettrix
