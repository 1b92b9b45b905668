#include "core/driver_state.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/format_registry.h"
#include "support/paths.h"
#include "support/strings.h"

namespace lettrix {

namespace {

int g_target_kind = KindNeutral;
std::string g_current_input;
std::string g_current_output;
PathBuffers g_paths;
int g_source_row = 0;
int g_target_row = 0;
Handler g_reader = nullptr;
Handler g_writer = nullptr;
std::string g_handler_reason;
bool g_detect_sources = false;

}  // namespace

int target_kind() { return g_target_kind; }
void set_target_kind(int kind) { g_target_kind = kind; }

void set_current_files(const std::string& input, const std::string& output) {
  g_current_input = input;
  g_current_output = output;
}

const std::string& current_file(int output) { return output ? g_current_output : g_current_input; }

void init_path_buffers() {
  for (std::string* s : {&g_paths.source, &g_paths.target, &g_paths.temporary}) {
    s->clear();
    s->reserve(kMaxPath + 1);
  }
}

PathBuffers& path_buffers() { return g_paths; }

void choose_formats(int source_row, int target_row) {
  g_source_row = (source_row >= 0 && static_cast<std::size_t>(source_row) < registry_size(source_formats))
                     ? source_row : 0;
  g_target_row = (target_row >= 0 && static_cast<std::size_t>(target_row) < registry_size(target_formats))
                     ? target_row : 0;
  g_reader = source_formats.rows[g_source_row].reader;
  g_writer = target_formats.rows[g_target_row].writer;
}

int chosen_source_row() { return g_source_row; }
Handler chosen_reader() { return g_reader; }
Handler chosen_writer() { return g_writer; }

void set_chosen_handlers(Handler reader, Handler writer) {
  g_reader = reader;
  g_writer = writer;
}

int chosen_target_row() { return g_target_row; }

void set_source_detection(bool on) { g_detect_sources = on; }
bool source_detection() { return g_detect_sources; }

void set_handler_reason(std::string reason) { g_handler_reason = std::move(reason); }
const std::string& handler_reason() { return g_handler_reason; }
void clear_handler_reason() { g_handler_reason.clear(); }

namespace {
std::vector<std::string> g_handler_notes;
std::size_t g_handler_notes_dropped = 0;
}  // namespace

void add_handler_note(std::string note) {
  if (g_handler_notes.size() < kMaxHandlerNotes)
    g_handler_notes.push_back(std::move(note));
  else
    ++g_handler_notes_dropped;
}

std::string handler_notes() {
  std::string text;
  for (const std::string& note : g_handler_notes) {
    if (!text.empty()) text += '\n';
    text += note;
  }
  if (g_handler_notes_dropped > 0) text += "\nand " + std::to_string(g_handler_notes_dropped) + " more";
  return text;
}

void note_unshown_script_chars() {
  static const std::string kNote = "characters of another script written as \"_\": the target's code page has none";
  if (std::find(g_handler_notes.begin(), g_handler_notes.end(), kNote) == g_handler_notes.end()) add_handler_note(kNote);
}

void clear_handler_notes() {
  g_handler_notes.clear();
  g_handler_notes_dropped = 0;
}

std::string cut_short_reason(const char* what, std::uint64_t at, std::uint64_t size) {
  return std::string(what) + " cut short at byte " + with_thousands(at) + " of " + with_thousands(size);
}

}  // namespace lettrix
