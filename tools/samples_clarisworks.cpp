// Sample ClarisWorks and AppleWorks documents for the samples, built
// with the document builder.
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "samples.h"
#include <string>

#include "builders/clarisworks_builder.h"
#include "builders/macwrite_46_builder.h"

namespace {

namespace fs = std::filesystem;
using lettrix::build::ClarisWorksBuilder;
using lettrix::build::CwRun;
namespace cw = lettrix::build;

constexpr std::uint16_t kTimes = 20, kHelvetica = 21, kSymbol = 23;

}  // namespace

void make_samples_ClarisWorks(const fs::path& dir) {

  // ClarisWorks 2: accented letters, symbols, tabs, a page break, a backslash,
  // styles, a superscript and a few Greek letters in the Symbol font.
  write_sample(dir / "letter.cwk",
               ClarisWorksBuilder{}
                   .version(2)
                   .run({.font = kHelvetica, .size = 14, .style = cw::kCwBold}).text("Ch\x8Fre H\x8El\x8Fne,\r")
                   .run({.font = kTimes, .size = 12}).text("Voici la liste \xD2" "fran\x8D" "aise\xD3 \xD1 d\x8Ej\x88 pr\x90te :\r")
                   .text("\xA5\tpommes\t3,50\r\xA5\tpoires\t4,20\r")
                   .text("Chemin : C:\\LETTRES\\H\x8EL\x8FNE.CWK\r")
                   .text("Prix\xCA" "fixe, m")
                   .run({.font = kTimes, .size = 12, .vertical = cw::kCwSuperscript}).text("2")
                   .run({.font = kTimes, .size = 12}).text(" et ")
                   .run({.font = kSymbol, .size = 12}).text("abgp")
                   .run({.font = kTimes, .size = 12, .style = cw::kCwItalic | cw::kCwUnderline}).text(" fin")
                   .run({.font = kTimes, .size = 12}).text(".\r")
                   .text(std::string(1, cw::kCwPageBreak))
                   .text("\xA9 1994 M\x9Fller\r")
                   .build());

  // Two footnotes, the second of two paragraphs, and a picture in a paragraph
  // of its own, whose zone lies between the main text's and the notes'.
  write_sample(dir / "footnotes.cwk",
               ClarisWorksBuilder{}
                   .version(2)
                   .run({.font = kTimes, .size = 12}).text("Le sch\x8Ema :\r")
                   .picture({lettrix::build::mac_picture(0, 0, 30, 100, std::string("\xA0\x00\x82\xFF", 4)), 30, 100})
                   .text("\r")
                   .text("Le texte principal")
                   .run({.font = kTimes, .size = 12, .vertical = cw::kCwSuperscript})
                   .footnote("Premi\x8Fre note.\r", {.font = kTimes, .size = 10})
                   .run({.font = kTimes, .size = 12}).text(" continue ici")
                   .run({.font = kTimes, .size = 12, .vertical = cw::kCwSuperscript})
                   .footnote("Seconde note,\rsur deux paragraphes.\r", {.font = kHelvetica, .size = 9})
                   .run({.font = kTimes, .size = 12}).text(" et finit.\r")
                   .build());

  // AppleWorks 6: 18-byte runs with underline in a word of its own, text in small chunks.
  write_sample(dir / "appleworks6.cwk",
               ClarisWorksBuilder{}
                   .version(6)
                   .chunk_size(16)
                   .run({.font = 0, .size = 12}).text("The quick ")
                   .run({.font = 0, .size = 12, .style = cw::kCwBold}).text("brown")
                   .run({.font = 0, .size = 12}).text(" ")
                   .run({.font = 0, .size = 12, .style = cw::kCwItalic}).text("fox")
                   .run({.font = 0, .size = 12}).text(" ")
                   .run({.font = 0, .size = 12, .style = cw::kCwUnderline}).text("jumped")
                   .run({.font = 0, .size = 12}).text(" over the lazy dog.\rSecond paragraph.\r")
                   .build());

  // ClarisWorks 2 rulers: a centred title, a justified paragraph, a bullet list
  // with a hanging indent and a tab stop, a right-aligned closing with a right
  // indent; a header with the page number and a footer.
  write_sample(dir / "rulers.cwk",
               ClarisWorksBuilder{}
                   .version(2)
                   .rulers({{},
                            {.alignment = cw::kCwCentre},
                            {.alignment = cw::kCwJustified},
                            {.first_line = -18, .left = 36, .tabs = {{36, 0}}},
                            {.alignment = cw::kCwRight, .right = 36, .tabs = {{144, 2}}}})
                   .paragraph(1).run({.font = kHelvetica, .size = 14, .style = cw::kCwBold}).text("Compte rendu\r")
                   .paragraph(2).run({.font = kTimes, .size = 12})
                   .text("Un paragraphe justifi\x8E, assez long pour que ses lignes aillent d'une marge \x88 l'autre.\r")
                   .paragraph(3).text("\xA5\tpremier point\r\xA5\tsecond point, sur deux lignes peut-\x90tre\r")
                   .paragraph(4).text("Fin\tsign\x8E\r")
                   .paragraph(0).text("Dernier paragraphe.\r")
                   .header(std::string("Page ") + cw::kCwPageNumber, 4, {.font = kHelvetica, .size = 9})
                   .footer("Lettrix\r", 1, {.font = kTimes, .size = 9, .style = cw::kCwItalic})
                   .build());

  // AppleWorks 6 with its font list: runs name their font by its place in it;
  // a second paragraph whose style's ruler indents its first line half an inch.
  write_sample(dir / "fontlist_aw6.cwk",
               ClarisWorksBuilder{}
                   .version(6)
                   .font_names({"Helvetica", "Times", "Courier", "Symbol"})
                   .rulers({{}, {.first_line = 36}})
                   .paragraph(0)
                   .run({.font = 0, .size = 12}).text("Helvetica, ")
                   .run({.font = 1, .size = 12}).text("Times, ")
                   .run({.font = 2, .size = 10}).text("Courier, ")
                   .run({.font = 3, .size = 12}).text("abgp")
                   .run({.font = 0, .size = 12}).text(".\r")
                   .paragraph(1).text("An indented first line, and the lines after it at the margin.\r")
                   .build());
}
