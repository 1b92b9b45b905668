// Running the MacWrite readers on documents held in memory.
#pragma once

#include <cstdio>
#include <string>

#include "core/handler.h"
#include "core/stream_codes.h"
#include "core/stream_printer.h"
#include "core/stream_reader.h"
#include "support/file_handle.h"
#include "test_util.h"

namespace lettrix::testing {

struct ReaderRun {
  int rc = -9;
  std::string stream;                           // the bytes written
  std::string printed() const { return print_stream(stream); }
  bool leaves_nothing_behind = true;            // no file but source and stream in the directory
};

inline ReaderRun run_reader(Handler reader, const std::string& source) {
  ScratchDir dir;
  write_file(dir.file("doc"), source);
  ReaderRun run;
  run.rc = reader(dir.file("doc").c_str(), dir.file("doc.###").c_str());
  run.stream = read_file(dir.file("doc.###"));
  for (const std::string& name : dir_names(dir.path()))
    if (name != "doc" && name != "doc.###") run.leaves_nothing_behind = false;
  return run;
}

// Whether the stream ends at the end of an item and keeps its embedded texts
// (header, footer, note ... EndOfText) closed and unnested.
inline bool well_formed(const std::string& stream) {
  ScratchDir dir;
  write_file(dir.file("s"), stream);
  FilePtr f = open_file(dir.file("s"), "rb");
  StreamItem item;
  bool embedded = false;
  while (read_stream_item(f.get(), item)) {
    if (item.kind != StreamItem::Kind::Code) continue;
    const bool opens = is_header_code(item.value) || is_footer_code(item.value) || item.value == NoteCall;
    if (opens && embedded) return false;
    if (opens) embedded = true;
    if (item.value == EndOfText) {
      if (!embedded) return false;
      embedded = false;
    }
  }
  return !embedded && std::ftell(f.get()) == static_cast<long>(stream.size());
}

}  // namespace lettrix::testing
