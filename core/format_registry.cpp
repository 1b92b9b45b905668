#include "core/format_registry.h"

#include <iterator>
#include <span>

namespace lettrix {

// The handlers and signature tests the list names (each declared again here,
// so that a format's header need not be included).
#define LETTRIX_SOURCE(Id, aliases, name, french_name, reader, signature) \
  int reader(const char*, const char*);                                     \
  Confidence signature(const DataForkView&, std::string*);
#define LETTRIX_TARGET(Id, aliases, name, french_name, extension, writer, output_test) \
  int writer(const char*, const char*);                                                   \
  OutputMatch output_test(std::span<const std::uint8_t>);
#include "core/formats.def"

namespace {

const FormatEntry kSourceRows[] = {
#define LETTRIX_SOURCE(Id, aliases, name, french_name, reader, signature) {french_name, name, "", reader, nullptr},
#include "core/formats.def"
    {nullptr, nullptr, nullptr, nullptr, nullptr},
};

const FormatEntry kTargetRows[] = {
#define LETTRIX_TARGET(Id, aliases, name, french_name, extension, writer, output_test) {french_name, name, extension, nullptr, writer},
#include "core/formats.def"
    {nullptr, nullptr, nullptr, nullptr, nullptr},
};

constexpr SignatureTest kSignatures[] = {
#define LETTRIX_SOURCE(Id, aliases, name, french_name, reader, signature) signature,
#include "core/formats.def"
};

constexpr OutputTest kOutputTests[] = {
#define LETTRIX_TARGET(Id, aliases, name, french_name, extension, writer, output_test) output_test,
#include "core/formats.def"
};

constexpr std::string_view kSourceAliases[] = {
#define LETTRIX_SOURCE(Id, aliases, name, french_name, reader, signature) aliases,
#include "core/formats.def"
};

constexpr std::string_view kTargetAliases[] = {
#define LETTRIX_TARGET(Id, aliases, name, french_name, extension, writer, output_test) aliases,
#include "core/formats.def"
};

static_assert(std::size(kSourceRows) == SourceRowCount + 1 && std::size(kTargetRows) == TargetRowCount + 1);

std::string_view alias_list(std::span<const std::string_view> lists, int row) {
  return row >= 0 && static_cast<std::size_t>(row) < lists.size() ? lists[static_cast<std::size_t>(row)]
                                                                    : std::string_view();
}

std::string_view first_word(std::string_view list) { return list.substr(0, list.find(' ')); }

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

SignatureTest source_signature(int row) {
  return row >= 0 && row < SourceRowCount ? kSignatures[row] : nullptr;
}

OutputTest target_output_test(int row) { return row >= 0 && row < TargetRowCount ? kOutputTests[row] : nullptr; }

std::string_view source_alias_list(int row) { return alias_list(kSourceAliases, row); }
std::string_view target_alias_list(int row) { return alias_list(kTargetAliases, row); }
std::string_view source_main_alias(int row) { return first_word(source_alias_list(row)); }
std::string_view target_main_alias(int row) { return first_word(target_alias_list(row)); }

}  // namespace lettrix
