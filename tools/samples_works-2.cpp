// MS-Works 2 sample documents, written with the test document builder.
#include <filesystem>

#include "builders/works_builder.h"
#include "samples.h"

namespace {

namespace fs = std::filesystem;
using lettrix::build::WorksBuilder;
namespace works = lettrix::build::works;

}  // namespace

void make_samples_Works2(const fs::path& dir) {
  // A letter: alignment, sizes, styles, accents, tabs and a backslash.
  write_sample(dir / "letter.wks",
               WorksBuilder{2}
                   .align('C')
                   .style(works::kBold, 18)
                   .paragraph("Ch\x8Fre H\x8El\x8Fne,")
                   .align('L')
                   .style(0, 12)
                   .text("Voici la liste \xD2" "fran\x8D" "aise\xD3 \xD1 d\x8Ej\x88 pr\x90te :")
                   .paragraph()
                   .paragraph("\xA5\tpommes\t3,50")
                   .paragraph("\xA5\tpoires\t4,20")
                   .text("Chemin : ")
                   .style(works::kItalic)
                   .text("C:\\LETTRES\\H\x8EL\x8FNE.TXT")
                   .style(0)
                   .paragraph()
                   .align('R')
                   .style(0, 10)
                   .paragraph("\xA9 1994 M\x9Fller")
                   .build());
  // Every style bit, one at a time, and the alignments.
  write_sample(dir / "styles.wks",
               WorksBuilder{2}
                   .align('F')
                   .text("Gras").style(works::kBold).text(" gras").style(0)
                   .text(", ").style(works::kItalic).text("italique").style(0)
                   .text(", ").style(works::kUnderline).text("soulign\x8E").style(0)
                   .text(", ").style(works::kOutline).text("contour").style(0)
                   .text(", ").style(works::kShadow).text("ombr\x8E").style(0)
                   .text(", x").style(works::kSuperscript).text("2").style(0)
                   .text(", H").style(works::kSubscript).text("2").style(0)
                   .paragraph("O.")
                   .align('C')
                   .style(works::kBold | works::kItalic, 14)
                   .paragraph("Centr\x8E")
                   .build());
}
