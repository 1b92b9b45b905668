// MacWrite II sample documents, written with the test document builder.
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "samples.h"
#include <string>

#include "builders/macwrite_ii_builder.h"

namespace {

namespace fs = std::filesystem;
using lettrix::build::MacWriteIIBuilder;
using lettrix::build::mw2::Style;
namespace mw2 = lettrix::build::mw2;

}  // namespace

void make_samples_MacWriteII(const fs::path& dir) {
  const Style body;
  const Style title = Style{}.bold().size(18).in_font(mw2::kHelvetica);

  // A letter: accents, typographic signs, tabs, a page break, a backslash and
  // two footnotes.
  write_sample(dir / "letter.mw2",
               MacWriteIIBuilder{}
                   .paragraph("Ch\x8Fre H\x8El\x8Fne,", title, mw2::kCentred)
                   .align(mw2::kLeft)
                   .text("Voici la liste \xD2" "fran\x8D" "aise\xD3 \xD1 d\x8Ej\x88 pr\x90te", body)
                   .footnote("Envoy\x8E" "e le 3 mars.")
                   .paragraph(" :")
                   .paragraph("\xA5\tpommes\t3,50")
                   .paragraph("\xA5\tpoires\t4,20")
                   .text("Chemin : ")
                   .text("C:\\LETTRES\\H\x8EL\x8FNE.TXT", Style{}.in_font(mw2::kGeneva).size(10))
                   .footnote("Sur la disquette \xC7" "Archives\xC8.", Style{}.italic())
                   .paragraph("")
                   .paragraph("\f\xA9 1994 M\x9Fller", Style{}.small_caps(), mw2::kRight)
                   .build());

  // Character formats, fonts and alignments, through extents and behind a
  // MacBinary header.
  write_sample(dir / "styles.bin",
               MacWriteIIBuilder{}
                   .extents()
                   .paragraph("Formats", title, mw2::kCentred)
                   .align(mw2::kJustified)
                   .text("Gras", Style{}.bold())
                   .text(", ")
                   .text("italique", Style{}.italic())
                   .text(", ")
                   .text("soulign\x8E", Style{}.underline())
                   .text(", ")
                   .text("double", Style{}.double_underline())
                   .text(", ")
                   .text("barr\x8E", Style{}.strike())
                   .text(", x")
                   .text("2", Style{}.superscript())
                   .text(", H")
                   .text("2", Style{}.subscript())
                   .text("O, ")
                   .text("ombr\x8E", Style{}.shadow())
                   .text(", ")
                   .text("contour", Style{}.outline())
                   .paragraph(".")
                   .text("Symbol : ", body)
                   .text("a + b \xB9 p", Style{}.in_font(mw2::kSymbol))
                   .paragraph(" ; Zapf : ")
                   .text("AB", Style{}.in_font(mw2::kDingbats))
                   .paragraph("", body, mw2::kRight)
                   .next_zone()
                   .paragraph("Deuxi\x8Fme zone.", Style{}.size(9))
                   .build_macbinary("Formats"));

  // A long paragraph that the reader breaks at column 79.
  std::string words;
  for (int i = 0; i < 12; ++i) words += "Lorem ipsum dolor sit amet, consectetur adipiscing elit. ";
  write_sample(dir / "long-lines.mw2", MacWriteIIBuilder{}.block_fill(100).paragraph(words).paragraph("Fin.").build());
}
