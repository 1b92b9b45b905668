// The WordprocessingML of a stream's text: the body's paragraphs, the notes
// and the running heads, written as the stream is read (writers/docx_text.cpp).
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "support/file_handle.h"
#include "support/output_buffer.h"

namespace lettrix {

// The six running heads of the stream, by their codes' order: HeaderEven,
// HeaderOdd, HeaderAll, FooterEven, FooterOdd, FooterAll.
inline constexpr int kDocxHeadKinds = 6;

struct DocxText {
  int notes = 0;  // notes written, numbered 1 to notes
  // Each head's whole part (w:hdr or w:ftr) in a work file of its own, the
  // last text of its kind; null for a kind the stream has none of.
  std::array<FilePtr, kDocxHeadKinds> heads{};
  // The PNG drawn of each picture of the body, one after the other in a
  // work file: word/media/imageN.png, N from 1.
  struct Image {
    std::uint64_t start;
    std::uint64_t length;
  };
  FilePtr media;
  std::vector<Image> images;
  bool read_failed = false;
};

// Reads the stream `in` from its start: the body's block elements (its
// paragraphs) go to `body`, each note as a w:footnote element to `notes`.
// Returns false when a work file for a head cannot be had or written.
bool write_docx_text(std::FILE* in, OutputBuffer& body, OutputBuffer& notes, DocxText& text);

}  // namespace lettrix
