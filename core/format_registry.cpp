#include "core/format_registry.h"

#include "readers/clarisworks.h"
#include "readers/macwrite_ii.h"
#include "readers/macwrite_22.h"
#include "readers/macwrite_46.h"
#include "readers/nisus.h"
#include "readers/ragtime_2.h"
#include "readers/ragtime_3.h"
#include "readers/text_only.h"
#include "readers/works_mac.h"
#include "writers/plain_text.h"
#include "writers/rtf.h"
#include "writers/winword2.h"
#include "writers/word_dos.h"
#include "writers/wp5.h"

namespace lettrix {

namespace {

// Handlers are filled in as their readers and writers are built.
const FormatEntry kSourceRows[] = {
    {"Texte Mac seul", "Mac Text Only", "", orig_text_only, nullptr},
    {"MacWrite 2.2", "MacWrite 2.2", "", orig_macw22, nullptr},
    {"MacWrite 4.6", "MacWrite 4.6", "", orig_macw46, nullptr},
    {"MacWrite II", "MacWrite II", "", orig_macwII, nullptr},
    {"MS-Works 2", "MS-Works 2", "", orig_works_mac2, nullptr},
    {"MS-Works 3", "MS-Works 3", "", orig_works_mac3, nullptr},
    {"Claris/AppleWorks", "Claris/AppleWorks", "", orig_clarisworks, nullptr},
    {"Ragtime 2", "Ragtime 2", "", orig_ragtime2, nullptr},
    {"Ragtime 3", "Ragtime 3", "", orig_ragtime3, nullptr},
    {"Nisus Writer", "Nisus Writer", "", orig_nisus, nullptr},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
};

const FormatEntry kTargetRows[] = {
    {"Ascii (DOS)", "Ascii (DOS)", "ASC", nullptr, dest_ascii},
    {"Ansi (Windows)", "Ansi (Windows)", "ASC", nullptr, dest_ansi},
    {"Word 3/4/5 DOS", "Word 3/4/5 DOS", "DOC", nullptr, dest_word_dos},
    {"Wordperfect 5", "Wordperfect 5", "WP5", nullptr, dest_wp5},
    {"Word Windows 2", "Word Windows 2", "DOC", nullptr, dest_winword2},
    {"RTF Ascii (DOS)", "RTF Ascii (DOS)", "RTF", nullptr, dest_rtf_ascii},
    {"RTF Ansi (Windows)", "RTF Ansi (Windows)", "RTF", nullptr, dest_rtf_ansi},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
};

}  // namespace

const FormatRegistry source_formats{kSourceRows};
const FormatRegistry target_formats{kTargetRows};

std::size_t registry_size(const FormatRegistry& registry) {
  std::size_t n = 0;
  while (registry.rows[n].name) ++n;
  return n;
}

int registry_find(const FormatRegistry& registry, std::string_view name) {
  for (std::size_t i = 0; registry.rows[i].name; ++i)
    if (name == registry.rows[i].name) return static_cast<int>(i);
  return -1;
}

bool source_row_available(int row) {
  return row >= 0 && static_cast<std::size_t>(row) < registry_size(source_formats) &&
         source_formats.rows[row].reader != nullptr;
}

bool target_row_available(int row) {
  return row >= 0 && static_cast<std::size_t>(row) < registry_size(target_formats) &&
         target_formats.rows[row].writer != nullptr;
}

}  // namespace lettrix
