// Wrapped forms of sample documents (BinHex, AppleSingle, AppleDouble,
// MacBinary II), as seeds for the fuzz targets of the wrapper decoders and
// of detection, written with the test wrapper builder.
#include <filesystem>

#include "builders/nisus_builder.h"
#include "builders/wrapper_builder.h"
#include "samples.h"

namespace {

namespace fs = std::filesystem;
using namespace lettrix::build;

}  // namespace

void make_wrapper_seeds(const fs::path& top) {
  const fs::path dir = top / "fuzz" / "seeds" / "wrappers";
  const std::string text = "Dear Paul,\r\rThe \x90\x90\x90 runs     and a tab\there.\r";
  const MacFile note{.name = "Note", .type = "TEXT", .creator = "ttxt", .resource_fork = "styl\x90\x90\x90\0\0\0\0"};
  write_sample(dir / "note.hqx", binhex(text, note));
  write_sample(dir / "note.as", applesingle(text, note));
  write_sample(dir / "._note", appledouble(note));
  write_sample(dir / "note.bin", macbinary_ii(text, note));
  // A Nisus document: the footnotes are in the resource fork.
  const std::string nisus = NisusBuilder{}.text("One").footnote("First.").text(" two.").build();
  write_sample(dir / "nisus.bin", nisus);
}
