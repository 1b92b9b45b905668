// Sample Ragtime 2 documents for the samples, built with the document
// builder.
#include <filesystem>
#include <string>

#include "builders/builder_common.h"
#include "builders/ragtime_builder.h"
#include "samples.h"

namespace {

namespace fs = std::filesystem;
namespace rg = lettrix::build;
using rg::Ragtime2Builder;

constexpr std::uint8_t kTimes = 20, kHelvetica = 21, kSymbol = 23, kGeneva = 3;
constexpr std::uint8_t kCentre = 1, kLeft = 0, kRight = 2, kJustify = 3;

}  // namespace

void make_samples_Ragtime2(const fs::path& dir) {

  // Two pages: a centred title, accented letters, a tab, a backslash, a
  // soft hyphen, styles, a superscript, Greek in the Symbol font and the
  // page number; the second page is right-aligned.
  const std::string title = "Ch\x8Fre H\x8El\x8Fne,\r";
  const std::string body = std::string("\0", 1) +
                           "Voici la liste \xD2" "fran\x8D" "aise\xD3 \xD1 d\x8Ej\x88 pr\x90te :\r"
                           "\xA5\tpommes\t3,50\rChemin : C:\\LETTRES\\H\x8EL\x8FNE.RAG\r"
                           "Un mot cou\x1Fp\x8E en fin de ligne, m2 et abgp.\r";
  const std::string text = title + body;
  const auto at = [&](const std::string& s) { return static_cast<std::uint16_t>(text.find(s) + 1); };
  const std::string doc =
      Ragtime2Builder{}
          .text({.text = text,
                 .runs = {{.start = 1, .size = 14, .style = rg::kRgBold, .font = kHelvetica},
                          {.start = at("Voici"), .size = 12, .font = kTimes},
                          {.start = at("fran"), .size = 12, .style = rg::kRgItalic, .font = kTimes},
                          {.start = at(" \xD1"), .size = 12, .font = kTimes},
                          {.start = at("Chemin"), .size = 10, .font = kGeneva},
                          {.start = at("Un mot"), .size = 12, .style = rg::kRgUnderline, .font = kTimes},
                          {.start = at(" en fin"), .size = 12, .font = kTimes},
                          {.start = at("2 et"), .size = 12, .style = rg::kRgSuperscriptMark, .font = kTimes},
                          {.start = at(" et abgp"), .size = 12, .font = kTimes},
                          {.start = at("abgp"), .size = 12, .font = kSymbol},
                          {.start = at(".\r"), .size = 12, .font = kTimes}},
                 .alignments = {kCentre, kJustify}})
          .text({.text = "Page \x03", .runs = {{.start = 1, .size = 9, .style = rg::kRgItalic, .font = kTimes}}})
          .page()
          .text({.text = "\xA9 1994 M\x9Fller\rH" "2" "O\r",
                 .runs = {{.start = 1, .size = 12, .font = kTimes},
                          {.start = 16, .size = 12 + rg::kRgSubscriptMark, .font = kTimes},
                          {.start = 17, .size = 12, .font = kTimes}},
                 .alignments = {kRight}})
          .build();
  write_sample(dir / "letter.rag", doc);
  write_sample(dir / "letter-macbinary.bin", rg::macbinary(doc, "letter.rag", "RTDO", "R#+A"));

  // Page layout: three pages, the second without text; a picture component
  // and an empty text component on the first, text that flows over several
  // paragraphs in one bold run, an outline and a shadow word.
  write_sample(dir / "layout.rag",
               Ragtime2Builder{}
                   .text({.text = "Rapport annuel", .runs = {{.start = 1, .size = 18, .style = rg::kRgBold,
                                                              .font = kHelvetica}},
                          .alignments = {kCentre}})
                   .text({.text = "(image)", .text_kind = false})
                   .text({.text = "", .empty = true})
                   .text({.text = "Premier paragraphe,\rdeuxi\x8Fme paragraphe du m\x90me style.\r",
                          .runs = {{.start = 1, .size = 12, .style = rg::kRgBold, .font = kTimes}},
                          .alignments = {kLeft}})
                   .page()
                   .page()
                   .text({.text = "Contour et ombre.",
                          .runs = {{.start = 1, .size = 12, .style = rg::kRgOutline, .font = kTimes},
                                   {.start = 8, .size = 12, .font = kTimes},
                                   {.start = 12, .size = 12, .style = rg::kRgShadow, .font = kTimes},
                                   {.start = 17, .size = 12, .font = kTimes}}})
                   .build());
}
