// The process-wide state the driver owns and the handlers consult: path
// buffers, the chosen formats, the current file names and the target kind.
#pragma once

#include <string>

#include "core/handler.h"

namespace lettrix {

// Which output family is being produced; shared code consults it.
enum TargetKind { KindNeutral = 0, KindPlainText = 1, KindRtfDos = 2, KindRtfWindows = 3 };

int target_kind();
void set_target_kind(int kind);

// The input and output paths of the handler running now.
void set_current_files(const std::string& input, const std::string& output);
// The output path when output is nonzero, the input path otherwise.
const std::string& current_file(int output);

// The driver's three path buffers (source, target, temporary).
struct PathBuffers {
  std::string source;
  std::string target;
  std::string temporary;
};
void init_path_buffers();
PathBuffers& path_buffers();

// The formats chosen for the next conversions: registry rows, whose handlers
// are stored for the driver. A row outside its registry selects row 0.
void choose_formats(int source_row, int target_row);
int chosen_source_row();
int chosen_target_row();
Handler chosen_reader();
Handler chosen_writer();
// Replaces the stored handlers, keeping the rows (names, target extension).
void set_chosen_handlers(Handler reader, Handler writer);

// When on, the driver tells each source's format by its content
// (core/source_detection.h) and takes that row's reader instead of the
// chosen one; files of no source format are skipped. Off by default.
void set_source_detection(bool on);
bool source_detection();

}  // namespace lettrix
