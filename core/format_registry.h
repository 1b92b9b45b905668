// The two format registries: which source formats can be read and which target
// formats written, and by which handler. A row whose handler is not built yet
// holds a null handler; the driver refuses it as "format not available yet".
#pragma once

#include <cstddef>
#include <string_view>

#include "core/handler.h"

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

// Row numbers of the registries, in registry order.
enum SourceRow { SrcMacText, SrcMacWrite22, SrcMacWrite46, SrcMacWriteII, SrcWorks2, SrcWorks3,
                 SrcClarisWorks, SrcRagtime2, SrcRagtime3, SrcNisus };
enum TargetRow { DstAscii, DstAnsi, DstWordDos, DstWordPerfect5, DstWinWord2, DstRtfAscii, DstRtfAnsi };

}  // namespace lettrix
