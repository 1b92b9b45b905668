// Nisus Writer sample documents (MacBinary files), written with the test
// document builder.
#include <filesystem>

#include "builders/nisus_builder.h"
#include "samples.h"

namespace {

namespace fs = std::filesystem;
using lettrix::build::NisusBuilder;

}  // namespace

void make_samples_Nisus(const fs::path& dir) {
  // A letter with two footnotes, accents, tabs and a backslash.
  write_sample(dir / "letter.bin",
               NisusBuilder{}
                   .other_resource("vers", std::string("\x01\x00\x80\x00\x00\x00", 6), "Nisus")
                   .text("Ch\x8Fre H\x8El\x8Fne,\r"
                         "Voici la liste \xD2" "fran\x8D" "aise\xD3 \xD1 d\x8Ej\x88 pr\x90te")
                   .footnote("Envoy\x8E" "e le 3 mars.")
                   .text(" :\r\xA5\tpommes\t3,50\r\xA5\tpoires\t4,20\rChemin : C:\\LETTRES\\H\x8EL\x8FNE.TXT")
                   .footnote("Sur la disquette \xC7" "Archives\xC8, dossier C:\\ARCHIVES.")
                   .text("\r\f\xA9 1994 M\x9Fller\r")
                   .build());
  // Three footnotes in three resources.
  write_sample(dir / "notes.bin",
               NisusBuilder{}
                   .notes_per_resource(1)
                   .text("Un")
                   .footnote("Premi\x8Fre note.")
                   .text(", deux")
                   .footnote("Deuxi\x8Fme note,\rsur deux paragraphes.")
                   .text(", trois")
                   .footnote("Troisi\x8Fme note.")
                   .text(".\r")
                   .build());
}
