// Sample MacWrite 2.2 documents for the samples (also the seeds of
// the reader's fuzz target).
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "samples.h"
#include <string>

#include "builders/macwrite_22_builder.h"
#include "builders/macwrite_46_builder.h"

namespace {

namespace fs = std::filesystem;
using lettrix::build::MacWrite22Builder;
using lettrix::build::MacWrite46Builder;
namespace mw46 = lettrix::build::mw46;

// A note with accented letters, typographic signs, tabs and a backslash.
MacWrite22Builder note() {
  return MacWrite22Builder{}
      .ruler()
      .paragraph("Ars Magna\xAA \xD1 a note in MacWrite 2.2\r")
      .paragraph("\r")
      .ruler()
      .paragraph("\xA5\tCaf\x8E, na\x95ve, \xD2quoted\xD3 and \xD4single\xD5\r")
      .paragraph("\xA5\tC:\\MAC\\NOTE.TXT\r")
      .paragraph("Odd")
      .paragraph("\rThe end\xC9");
}

// A manual with a header and a footer, styles and sizes, an indented list
// with hanging indents, and two pages.
MacWrite22Builder manual() {
  const lettrix::build::MacWrite46Look bold{.style = mw46::kBold};
  const lettrix::build::MacWrite46Look small{.size = 9, .font = 4};
  return MacWrite22Builder{}
      .header().ruler({.left_margin = 10, .tabs = {360}}).paragraph("\tArs Magna\xAA, version 1.0\r")
      .footer().ruler({.left_margin = 10, .tabs = {360}}).paragraph("\tp.\r")
      .main().ruler({.right_margin = 480, .tabs = {360}})
      .paragraph("A R S  M A G N A\r", {.size = 12, .font = 0})
      .ruler({.left_margin = 20, .tabs = {360}})
      .paragraph("Ars Magna", {.style = mw46::kUnderline}).text(" finds ").text("anagrams", bold).text(":\r")
      .ruler({.left_margin = 60, .first_line = 40, .tabs = {360}})
      .paragraph("\xA5\tdormitory\r").paragraph("\xA5\tdirty room\r")
      .page(1)
      .ruler({.left_margin = 20, .tabs = {40, 360}})
      .paragraph("\tType a phrase:\r", small)
      .paragraph("Have fun!");
}

}  // namespace

void make_samples_MacWrite22(const fs::path& dir) {
  write_sample(dir / "note.mw", note().build(96));
  write_sample(dir / "note.bin", note().build_macbinary("Note"));
  write_sample(dir / "manual.mw", manual().build(200));
  // A MacWrite 4.x document chosen as MacWrite 2.2 goes to the 4.6 reader.
  write_sample(dir / "version-6.mw",
               MacWrite46Builder{}.header().paragraph("Header\r").main().paragraph("Written by MacWrite 4.6\r").build());
}
