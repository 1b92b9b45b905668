// The two format registries: which source formats can be read and which target
// formats written, and by which handler, made from the one list of formats
// (core/formats.def). A row whose handler is null is refused by the driver
// as "format not available yet".
#pragma once

#include <cstddef>
#include <string_view>

#include "core/handler.h"
#include "core/signature.h"

namespace lettrix {

struct FormatEntry {
  const char* french_name;
  const char* name;       // shown name; a null name ends the registry
  const char* extension;  // target rows: output extension, upper case, no dot
  Handler reader;         // source rows
  Handler writer;         // target rows
};

// A registry is reached through its descriptor: a pointer to its first row.
struct FormatRegistry {
  const FormatEntry* rows;
};

extern const FormatRegistry source_formats;
extern const FormatRegistry target_formats;

// Number of rows before the end row.
std::size_t registry_size(const FormatRegistry& registry);
// The row whose shown name equals name exactly, or -1.
int registry_find(const FormatRegistry& registry, std::string_view name);
// True when the row's handler exists.
bool source_row_available(int row);
bool target_row_available(int row);

// Row numbers of the registries, in registry order (core/formats.def).
enum SourceRow {
#define LETTRIX_SOURCE(Id, aliases, name, french_name, reader, signature) Src##Id,
#include "core/formats.def"
  SourceRowCount
};
enum TargetRow {
#define LETTRIX_TARGET(Id, aliases, name, french_name, extension, writer, output_test) Dst##Id,
#include "core/formats.def"
  TargetRowCount
};

// The signature test of a source row (core/signature.h), or null for a row
// out of range.
SignatureTest source_signature(int row);

// The output test of a target row (core/signature.h), or null for a row out
// of range.
OutputTest target_output_test(int row);

// The aliases of a row as core/formats.def lists them, separated by spaces
// ("ALIAS OTHER-ALIAS"), and the first of them, the row's main alias; "" for
// a row out of range.
std::string_view source_alias_list(int row);
std::string_view target_alias_list(int row);
std::string_view source_main_alias(int row);
std::string_view target_main_alias(int row);

}  // namespace lettrix
