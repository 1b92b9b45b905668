// Structures of a ClarisWorks/AppleWorks document outside its text zones: the
// ruler list of versions 1 to 3, the style, ruler and font lists of versions
// 4 to 6, and the frames that place headers and footers. The layouts are
// drawn in clarisworks.cpp; this module decodes them, checking every offset
// and count against the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "core/emitter.h"
#include "core/source_view.h"

namespace lettrix::clarisworks {

// A list as ClarisWorks stores its tables: a 16-byte head, a head extension
// (from version 4 on it starts with the list's tag) and count records of
// record_size bytes.
struct List {
  std::size_t count = 0;
  std::size_t record_size = 0;
  std::size_t records = 0;  // offset of the first record; count * record_size bytes
  std::size_t record(std::size_t i) const { return records + i * record_size; }
};

// Reads the list whose length word is at `at`; false when it does not fit the
// file or its counts do not add up to its length.
bool read_list(SourceView& file, std::size_t at, List& list);

// The list (versions 4 to 6) whose head extension starts with the tag; false
// when no such list fits the file.
bool find_tagged_list(SourceView& file, const std::uint8_t (&tag)[4], List& list);

// Paragraph format of one ruler, in points from the left and right margins of
// the text.
struct SourceTab {
  int position = 0;  // points
  int kind = 0;      // 0 left, 1 centre, 2 right, 3 decimal
};
struct Ruler {
  int alignment = 0;   // 0 left, 1 centre, 2 right, 3 justified
  int first_line = 0;  // first line, relative to the left indent
  int left = 0;
  int right = 0;
  std::vector<SourceTab> tabs;
};

// The rulers of a document and the numbers by which paragraph runs name
// them: up to version 3 a ruler's place in the ruler list, from version 4 on
// the number of a style, whose record names its ruler.
struct Rulers {
  std::vector<Ruler> list;
  bool by_style = false;
  std::vector<std::pair<int, std::size_t>> styles;  // style number, ruler index; sorted by number
  // The ruler a paragraph run names; null when there is none.
  const Ruler* find(int number) const;
};

// The rulers of a document; none when the lists are missing or damaged.
Rulers read_rulers(SourceView& file, int version);

// The font names of a version 4 to 6 document, in the order that character
// runs number them; empty when the document has no font list.
std::vector<std::string> read_font_names(SourceView& file);

// Where the zone tags "DSET" lie in the file. The first search goes on to
// the end of the file and keeps every tag it meets (up to kMaxKept of them),
// so that later searches from there on, the running heads' frame, their
// zones and the notes, need not go through the text again. Searches before
// the first one's start, or past the last tag kept when there were more, go
// to the file.
class ZoneTags {
 public:
  explicit ZoneTags(SourceView& file) : file_(file) {}
  // The first tag at or after `from`; file.size() when there is none.
  std::size_t find(std::size_t from);

 private:
  static constexpr std::size_t kMaxKept = 16384;
  SourceView& file_;
  std::vector<std::size_t> kept_;  // ascending: every tag from start_ up to the last one
  std::size_t start_ = 0;
  bool scanned_ = false;
  bool complete_ = false;  // every tag from start_ to the end of the file is kept
};

// A text zone that the page frame of the main text places above it (a
// header) or below it (a footer), by the zone's number.
struct RunningHead {
  bool footer = false;
  int zone_id = 0;
};

// The headers and footers of a version 1 to 3 document whose main text zone
// has the number main_id, in the frame's order; empty for other versions.
std::vector<RunningHead> read_running_heads(SourceView& file, ZoneTags& tags, int version, int main_id);

// The paragraph properties in force while writing a stream.
struct ParagraphFormat {
  ParaState ps;
  TabTable tabs;
  int alignment = 0;  // source alignment in force
  std::vector<TabStop> installed;  // the stops installed last
  bool installed_exact = false;    // the tab table holds them and no others
};

// Writes the codes that change the paragraph properties in force to those of
// the ruler: alignment, left margin, hanging indent, right margin, tab stops.
// One column is a tenth of an inch.
void apply_ruler(std::FILE* out, ParagraphFormat& format, const Ruler& ruler);

}  // namespace lettrix::clarisworks
