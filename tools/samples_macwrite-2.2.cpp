// Sample MacWrite 2.2 documents for samples/macwrite-2.2/ (also the seeds of
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

}  // namespace

void make_macwrite_2_2_samples(const fs::path& top) {
  const fs::path dir = top / "samples" / "macwrite-2.2";
  write_sample(dir / "note.mw", note().build(96));
  write_sample(dir / "note.bin", note().build_macbinary("Note"));
  // A MacWrite 4.x document chosen as MacWrite 2.2 goes to the 4.6 reader.
  write_sample(dir / "version-6.mw",
               MacWrite46Builder{}.header().paragraph("Header\r").main().paragraph("Written by MacWrite 4.6\r").build());
}
