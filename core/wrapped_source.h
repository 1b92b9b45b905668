// The layer in front of a reader called outside a batch (--dump-stream,
// tests): the source is opened once (core/source_view.h), its wrapper, if
// any, looked through (MacBinary, BinHex, AppleSingle, or a data fork with
// its AppleDouble file "._NAME" beside it), and published for the reader
// under its own path until the PreparedSource goes: the reader then sees the
// data fork, the resource fork and the codes without opening anything again.
#pragma once

#include <string>

#include "core/mac_wrappers.h"
#include "core/source_view.h"

namespace lettrix {

struct PreparedSource {
  PreparedSource() = default;
  PreparedSource(const PreparedSource&) = delete;
  PreparedSource& operator=(const PreparedSource&) = delete;
  // Withdraws the publication.
  ~PreparedSource();

  std::string reader_path;  // what the reader is called with: the source itself
  WrapperKind wrapper = WrapperKind::None;
  std::string file_type;  // as the wrapper keeps it ("TEXT"), or empty
  SourceFile file;        // what the reader sees
  bool published = false;
};

// Prepares source for its reader. False, with a reason that names the
// wrapper ("BinHex: data fork CRC mismatch"), when the file cannot be
// opened, its wrapper is damaged or a BinHex work file cannot be written.
bool prepare_source(const std::string& source, PreparedSource& prepared, std::string& error);

}  // namespace lettrix
