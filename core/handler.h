#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace lettrix {

// A reader or writer: opens both files itself, does its whole job, closes them.
// Returns 0 on success, -1 when a file cannot be opened or (readers) the
// document is not of the format, -2 when the input is empty; readers may
// return other nonzero values for a source they cannot read.
using Handler = int (*)(const char* input_path, const char* output_path);

inline constexpr int kHandlerOk = 0;
inline constexpr int kHandlerCannotOpen = -1;
inline constexpr int kHandlerEmpty = -2;
// Writers: the document is larger than the target format can hold.
inline constexpr int kHandlerTooLarge = -3;
// Readers: the document is of this format but damaged (cut short, a count or
// offset beyond the file). What could be read is in the stream, complete and
// well formed, and the writer still runs; handler_reason() says what is wrong.
inline constexpr int kHandlerDamaged = -4;

// Why the running handler failed, in words for the user ("text cut short at
// byte 4,923 of 22,976"). The driver clears it before each handler; a handler
// that fails may set it, and the driver's message then names that cause.
void set_handler_reason(std::string reason);
const std::string& handler_reason();
void clear_handler_reason();

// Notes a handler leaves for the user on a conversion that went through
// ("picture 3 drawn in part: unknown opcode 0x00A7 at byte 1,234"): shown
// with -v. The driver clears them before each conversion; at most
// kMaxHandlerNotes are kept, the rest counted.
inline constexpr std::size_t kMaxHandlerNotes = 8;
void add_handler_note(std::string note);
// The notes, one per line, with "and N more" when some were not kept.
std::string handler_notes();
void clear_handler_notes();
// Notes, once a conversion, that characters of another script (Japanese,
// Chinese, Korean) were written as "_": the target's code page has none.
void note_unshown_script_chars();

// The usual reason for a document that ends too early:
// "WHAT cut short at byte AT of SIZE", the numbers with thousands separators.
std::string cut_short_reason(const char* what, std::uint64_t at, std::uint64_t size);

}  // namespace lettrix
