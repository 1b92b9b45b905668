// Sample MacWrite 4.x documents for the samples (also the seeds of
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
using lettrix::build::MacWrite46Look;
namespace mw46 = lettrix::build::mw46;

// A letter with a header and a footer, rulers with tab stops, styles, fonts,
// accented letters, typographic signs, a backslash and a page break.
MacWrite46Builder letter() {
  const MacWrite46Look title{.size = 18, .style = mw46::kBold, .font = mw46::kTimes};
  const MacWrite46Look body{.size = 12, .font = mw46::kTimes};
  const MacWrite46Look italic{.size = 12, .style = mw46::kItalic, .font = mw46::kTimes};
  const MacWrite46Look symbol{.size = 12, .font = mw46::kSymbol};
  return MacWrite46Builder{}
      .header().ruler({.left_margin = 36, .alignment = mw46::kRight, .tabs = {}})
      .paragraph("Lettrix \xD0 sample letter\r", {.size = 9, .style = mw46::kItalic, .font = mw46::kHelvetica})
      .footer().ruler({.left_margin = 36, .tabs = {252}})
      .paragraph("Page 1\tParis, le 3 mars 1994\r", {.size = 9, .font = mw46::kHelvetica})
      .main().ruler({.left_margin = 36, .alignment = mw46::kCentred, .tabs = {}})
      .paragraph("Ch\x8Fre H\x8El\x8Fne,\r", title)
      .ruler({.left_margin = 36, .alignment = mw46::kJustified, .tabs = {144, 252, mw46::decimal(360)}})
      .paragraph("\r", body)
      .paragraph("Voici la liste \xD2", body).text("fran\x8D" "aise", italic).text("\xD3 \xD1 d\x8Ej\x88 pr\x90te :\r", body)
      .paragraph("\xA5\tpommes\t3 kg\t3,50\r", body)
      .paragraph("\xA5\tpoires\t12 kg\t14,20\r", body)
      .paragraph("Chemin : C:\\LETTRES\\H\x83L\xE9NE.TXT\r", {.size = 10, .font = 4})
      .paragraph("Formule : a \xAD b, ", body).text("p", symbol).text(" = 3,14 ", body)
      .text("(vrai)", {.size = 12, .style = mw46::kUnderline | mw46::kBold, .font = mw46::kTimes}).text("\r", body)
      .page_break()
      .ruler({.left_margin = 0, .alignment = mw46::kLeft, .tabs = {}})
      .paragraph("\xA9 1994 M\x9Fller, E", body).text("2", {.size = 9, .style = mw46::kSuperscript, .font = mw46::kTimes})
      .text(" = mc", body).text("2", {.size = 9, .style = mw46::kSuperscript, .font = mw46::kTimes}).text("\r", body);
}

// Packed paragraphs, as MacWrite stores most text, with double spacing.
MacWrite46Builder packed() {
  const MacWrite46Look body{.size = 10, .font = mw46::kGeneva};
  return MacWrite46Builder{}
      .main().ruler({.left_margin = 18, .alignment = mw46::kLeft, .line_spacing = 2, .tabs = {72}})
      .paragraph("Packed text is stored in nibbles: the fifteen most frequent letters take half a byte.\r", body)
      .compressed()
      .paragraph("Others (like \xD2X\xD3, \x8E or \\) take a byte and a half.\r", body).compressed()
      .paragraph("Odd\r", {.size = 10, .style = mw46::kBold, .font = mw46::kGeneva}).compressed().aligned(mw46::kCentred)
      .paragraph("\r", body);
}

// A grammar with hanging indents and a picture, laid out on two pages, and a
// picture of nothing that pushes the rest onto a page of its own.
MacWrite46Builder grammar() {
  const MacWrite46Look body{.size = 10, .font = mw46::kTimes};
  const MacWrite46Look term{.size = 10, .style = mw46::kItalic, .font = mw46::kTimes};
  return MacWrite46Builder{}
      .header().ruler({.alignment = mw46::kRight}).paragraph("Page A\r", body)
      .main().ruler({.alignment = mw46::kCentred})
      .paragraph("Appendix A: Grammar\r", {.size = 18, .font = mw46::kTimes})
      .ruler({.left_margin = 162, .first_line = 45})
      .paragraph("<form>", term).text("\t::= <function> ;\r", body)
      .paragraph("\t::= <prototype> ;\r", body)
      .ruler({.alignment = mw46::kCentred})
      .picture({.top = 10, .left = 20, .bottom = 40, .right = 120,
                .picture = lettrix::build::mac_picture(0, 0, 30, 100, std::string("\xA0\x00\x82\xFF", 4))})
      .page(1)
      .ruler({.left_margin = 18, .alignment = mw46::kJustified, .tabs = {90, 162}})
      .paragraph("On the second page as MacWrite laid it out.\r", body).compressed()
      .picture({.bottom = 682, .right = 1000, .picture = lettrix::build::mac_page_break_picture()})
      .page(2)
      .paragraph("Alone on the third page.\r", body);
}

}  // namespace

void make_samples_MacWrite46(const fs::path& dir) {
  write_sample(dir / "letter.mw", letter().build());
  write_sample(dir / "letter.bin", letter().build_macbinary("Lettre"));
  write_sample(dir / "packed.mw", packed().build());
  write_sample(dir / "grammar.mw", grammar().build());
  // A MacWrite 2.2 document chosen as MacWrite 4.6 goes to the 2.2 reader.
  write_sample(dir / "version-3.mw", MacWrite22Builder{}.ruler().paragraph("Written by MacWrite 2.2\r").build());
}
