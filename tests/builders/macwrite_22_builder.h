// Builds MacWrite 2.2 documents (version 3) from a short description:
//
//   auto doc = MacWrite22Builder{}.ruler().paragraph("Hello\r").build();
//
// Texts are given in the Macintosh character set, exactly as the paragraph
// holds them (a paragraph normally ends with "\r").
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lettrix::build {

class MacWrite22Builder {
 public:
  MacWrite22Builder& ruler();
  MacWrite22Builder& paragraph(std::string_view text);

  // first_paragraph: where the paragraphs start (after the document header).
  std::string build(std::size_t first_paragraph = 64) const;
  // The same document behind a MacBinary header of type "WORD", creator "MACA".
  std::string build_macbinary(const std::string& name = "MacWrite document") const;

 private:
  struct Paragraph {
    bool ruler = false;
    std::string text;
  };
  std::vector<Paragraph> paragraphs_;
};

}  // namespace lettrix::build
