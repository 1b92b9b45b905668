#include "readers/reader_damage.h"

#include <string_view>

#include "core/handler.h"

namespace lettrix {

void Damage::cut_short(const char* what, std::uint64_t at, std::uint64_t needed) {
  note(cut_short_reason(what, at, needed));
}

void Damage::cut_short_at_least(const char* what, std::uint64_t at, std::uint64_t needed) {
  std::string why = cut_short_reason(what, at, needed);
  constexpr std::string_view kOf = " of ";
  why.insert(why.rfind(kOf) + kOf.size(), "at least ");
  note(std::move(why));
}

int reader_result(std::FILE* out, const Damage& damage) {
  if (std::fflush(out) != 0 || std::ferror(out)) return kHandlerCannotOpen;
  if (!damage.found()) return kHandlerOk;
  set_handler_reason(damage.reason);
  return kHandlerDamaged;
}

}  // namespace lettrix
