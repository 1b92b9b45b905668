// Runs the MacWrite II reader on a document held in memory.
#pragma once

#include <string>

#include "core/handler.h"
#include "core/stream_printer.h"
#include "readers/macwrite_ii.h"
#include "test_util.h"

namespace lettrix::testing {

struct ReaderResult {
  int rc = 0;
  std::string stream;  // the stream's bytes
  std::string reason;  // handler_reason() after the call

  std::string printed() const { return print_stream(stream); }
};

inline ReaderResult read_macwrite_ii(const std::string& document) {
  ScratchDir dir;
  write_file(dir.file("doc.mw2"), document);
  ReaderResult r;
  clear_handler_reason();
  r.rc = orig_macwII(dir.file("doc.mw2").c_str(), dir.file("doc.###").c_str());
  r.reason = handler_reason();
  r.stream = read_file(dir.file("doc.###"));
  return r;
}

}  // namespace lettrix::testing
