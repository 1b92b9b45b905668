// What every reader's handler does before it reads: it opens its source
// (core/source_view.h: the data fork, the resource fork a wrapper carried,
// the type and creator) and creates its stream; and how it refuses a file
// that is not of its format, saying why.
#pragma once

#include <string>

#include "core/signature.h"
#include "core/source_view.h"
#include "support/file_handle.h"

namespace lettrix {

struct ReaderFiles {
  SourceFile file;
  FilePtr out;
};

// kHandlerOk, or kHandlerCannotOpen: the source cannot be opened or its
// wrapper is damaged (the reason says which), or the stream cannot be created.
int open_reader_files(const char* source_path, const char* stream_path, ReaderFiles& files);

// Sets the handler's reason to "not a NAME document: WHY" and returns result.
int refuse_document(const char* shown_name, const std::string& why, int result = -1);

// What a signature test looks at in a source: the first bytes of its data
// fork (read through view), the fork's size, and the codes a wrapper kept.
DataForkView signature_view_of(const SourceFile& file, SourceView& view);

}  // namespace lettrix
