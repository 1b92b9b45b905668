// Builds MacWrite 2.2 documents (version 3) from a short description:
//
//   auto doc = MacWrite22Builder{}
//                  .header().paragraph("Title\r")
//                  .main().ruler({.left_margin = 18, .tabs = {72}})
//                  .paragraph("Hello ").text("world\r", {.style = mw46::kBold})
//                  .page(1).paragraph("On the second page\r")
//                  .build();
//
// Texts are given in the Macintosh character set, exactly as the paragraph
// holds them (a paragraph normally ends with "\r"). Rulers and character
// formats are laid out as in MacWrite 4.x documents, so the 4.x builder's
// descriptions serve here too.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "builders/macwrite_46_builder.h"

namespace lettrix::build {

class MacWrite22Builder {
 public:
  // The section that the following paragraphs go to (the main text at first).
  MacWrite22Builder& header();
  MacWrite22Builder& footer();
  MacWrite22Builder& main();
  // The paragraphs that follow stand on this page of the laid-out document.
  MacWrite22Builder& page(int number);

  // A ruler with one tab stop at position 0 and a right margin of 480 points.
  MacWrite22Builder& ruler();
  MacWrite22Builder& ruler(const MacWrite46Ruler& ruler);
  // A text paragraph with its first run (12-point Geneva unless told).
  MacWrite22Builder& paragraph(std::string_view text, const MacWrite46Look& look = {});
  // One more run of the last paragraph.
  MacWrite22Builder& text(std::string_view text, const MacWrite46Look& look = {});

  // first_paragraph: where the paragraphs start (after the document header
  // and, when they fit, the page records of every paragraph).
  std::string build(std::size_t first_paragraph = 64) const;
  // The same document behind a MacBinary header of type "WORD", creator "MACA".
  std::string build_macbinary(const std::string& name = "MacWrite document") const;

 private:
  struct Run {
    std::size_t position = 0;
    MacWrite46Look look;
  };
  struct Paragraph {
    bool is_ruler = false;
    MacWrite46Ruler ruler;
    std::string text;
    std::vector<Run> runs;
    int page = 0;
  };
  std::vector<Paragraph> sections_[3];  // main, header, footer
  int section_ = 0;
  int page_ = 0;
};

// The 34 bytes of a MacWrite ruler.
std::string macwrite_ruler_bytes(const MacWrite46Ruler& ruler);

}  // namespace lettrix::build
