// MS-Works 3 sample documents, written with the test document builder.
#include <filesystem>

#include "builders/works_builder.h"
#include "samples.h"

namespace {

namespace fs = std::filesystem;
using lettrix::build::WorksBuilder;
namespace works = lettrix::build::works;

}  // namespace

void make_samples_Works3(const fs::path& dir) {
  // A letter with styles, accents, tabs and a backslash.
  write_sample(dir / "letter.wks",
               WorksBuilder{3}
                   .style(works::kBold)
                   .paragraph("Ch\x8Fre H\x8El\x8Fne,")
                   .style(0)
                   .text("Voici la liste \xD2" "fran\x8D" "aise\xD3 \xD1 d\x8Ej\x88 pr\x90te :")
                   .paragraph()
                   .paragraph("\xA5\tpommes\t3,50")
                   .paragraph("\xA5\tpoires\t4,20")
                   .empty_item()
                   .text("Chemin : ")
                   .style(works::kItalic)
                   .text("C:\\LETTRES\\H\x8EL\x8FNE.TXT")
                   .style(0)
                   .paragraph()
                   .paragraph("\xA9 1994 M\x9Fller")
                   .build());
  // Every style bit, strike-through in place of outline; leading records
  // of several kinds before the body.
  write_sample(dir / "styles.wks",
               WorksBuilder{3}
                   .leading_record(0x01, "Works 3 document")
                   .leading_record(0x04, std::string(40, '\x7F'))
                   .leading_gap(std::string(30, '\x03'))
                   .text("Gras").style(works::kBold).text(" gras").style(0)
                   .text(", ").style(works::kItalic).text("italique").style(0)
                   .text(", ").style(works::kUnderline).text("soulign\x8E").style(0)
                   .text(", ").style(works::kStrike).text("barr\x8E").style(0)
                   .text(", x").style(works::kSuperscript).text("2").style(0)
                   .text(", H").style(works::kSubscript).text("2").style(0)
                   .paragraph("O.")
                   .build());
}
