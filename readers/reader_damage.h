// What a reader found wrong with a document that it recognised as its own
// format: the first fault met, in words for the user. A reader notes each
// fault where it meets it, goes on with whatever it can still read, closes
// what is open in its stream as usual, and ends with reader_result, so that
// the partial text reaches the target and the driver reports the document as
// damaged rather than converted.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace lettrix {

struct Damage {
  std::string reason;  // empty while the document looks sound

  // Keeps the first reason: later faults are mostly its consequences.
  void note(std::string why) {
    if (reason.empty()) reason = std::move(why);
  }
  // A part of the document that needs `needed` bytes of the file, which ends
  // at `at`: "WHAT cut short at byte AT of NEEDED".
  void cut_short(const char* what, std::uint64_t at, std::uint64_t needed);
  // The same when the document does not say how long it is: the structure
  // that runs past the end shows only that it needs `needed` bytes at least
  // ("text cut short at byte 10,760 of at least 10,848").
  void cut_short_at_least(const char* what, std::uint64_t at, std::uint64_t needed);
  bool found() const { return !reason.empty(); }
};

// A reader's result once its stream is complete: -1 when the stream could not
// be written, kHandlerDamaged (the reason handed over to the driver) when a
// fault was noted, 0 otherwise.
int reader_result(std::FILE* out, const Damage& damage);

}  // namespace lettrix
