// Sample Ragtime 3 documents for the samples, built with the document
// builder.
#include <filesystem>
#include <string>

#include "builders/builder_common.h"
#include "builders/ragtime_builder.h"
#include "samples.h"

namespace {

namespace fs = std::filesystem;
namespace rg = lettrix::build;
using rg::Ragtime3Builder;
using rg::Rg3Run;

constexpr std::uint16_t kGeneva = 3, kTimes = 20, kSymbol = 23;
constexpr std::uint8_t kCentre = 1, kJustify = 3;

}  // namespace

void make_samples_Ragtime3(const fs::path& dir) {

  // A style list as RagTime 3.2 writes it: plain, bold, italic, underline,
  // 24 points, superscript, subscript, Times and Symbol.
  const std::string text = std::string("Ch\x8Fre H\x8El\x8Fne,\r\0", 15) +
                           "Voici la liste \xD2" "fran\x8D" "aise\xD3 :\r"
                           "\xA5\tpommes\t3,50\xCA" "F\r"
                           "gras italique soulign\x8E grand m2 H2O abgp\r"
                           "Chemin : C:\\LETTRES, un mot cou\x1Fp\x8E.\r";
  const auto at = [&](const std::string& s) { return static_cast<std::uint16_t>(text.find(s) + 1); };
  const std::string doc =
      Ragtime3Builder{}
          .fonts({kGeneva, kTimes, kSymbol})
          .styles({{.font = 1, .points = 12},
                   {.font = 1, .points = 12, .style = rg::kRg3Bold},
                   {.font = 1, .points = 12, .style = rg::kRg3Italic},
                   {.font = 1, .points = 12, .style = rg::kRg3Underline},
                   {.font = 2, .points = 24},
                   {.font = 1, .points = 12, .style = rg::kRg3Superscript},
                   {.font = 1, .points = 12, .style = rg::kRg3Subscript},
                   {.font = 3, .points = 12},
                   {.font = 2, .points = 18, .style = rg::kRg3Bold}})
          .text({.text = text,
                 .runs = {{.start = 1, .style = 9},
                          {.start = at("Voici"), .style = 1},
                          {.start = at("gras"), .style = 2},
                          {.start = at(" italique"), .style = 1},
                          {.start = at("italique"), .style = 3},
                          {.start = at(" soulign"), .style = 1},
                          {.start = at("soulign"), .style = 4},
                          {.start = at(" grand"), .style = 1},
                          {.start = at("grand"), .style = 5},
                          {.start = at(" m2"), .style = 1},
                          {.start = at("2 H2O"), .style = 6},
                          {.start = at(" H2O"), .style = 1},
                          {.start = at("2O"), .style = 7},
                          {.start = at("O abgp"), .style = 1},
                          {.start = at("abgp"), .style = 8},
                          {.start = at("\rChemin"), .style = 1}},
                 .alignments = {kCentre, kJustify},
                 .zero_before_run_count = true})
          .build();
  write_sample(dir / "letter.rag", doc);
  write_sample(dir / "letter-macbinary.bin", rg::macbinary(doc, "letter.rag", "R#+D", "R#+A"));

  // Without a style list the style numbers mean fixed styles. Entries with no
  // data (0x4000), unused entries and the end of the list.
  const std::string first = "Premier cadre : italique, gras soulign\x8E, soulign\x8E, gras.\r";
  const std::string second = "Second cadre : x2, H2O.\r";
  const auto in = [](const std::string& t, const std::string& s) { return static_cast<std::uint16_t>(t.find(s) + 1); };
  write_sample(dir / "numbered-styles.rag",
               Ragtime3Builder{}
                   .text({.text = first,
                          .runs = {{.start = 1, .style = 1},
                                   {.start = in(first, "italique"), .style = 2},
                                   {.start = in(first, ", gras"), .style = 1},
                                   {.start = in(first, "gras s"), .style = 3},
                                   {.start = in(first, ", soulign"), .style = 1},
                                   {.start = in(first, "soulign\x8E, g"), .style = 4},
                                   {.start = in(first, ", gras."), .style = 1},
                                   {.start = in(first, "gras."), .style = 5},
                                   {.start = in(first, ".\r"), .style = 1}}})
                   .entry(1, 0x4000)
                   .entry(0, 0)
                   .text({.text = second,
                          .runs = {{.start = 1, .style = 1},
                                   {.start = in(second, "2,"), .style = 1, .vertical = 0xF0},
                                   {.start = in(second, ", H"), .style = 1},
                                   {.start = in(second, "2O"), .style = 6},
                                   {.start = in(second, "O."), .style = 1}},
                          .alignments = {kCentre}})
                   .end_of_list()
                   .build());
}
