// Telling a file's format by its content: which source format it is (the
// signature tests of the source rows, core/signature.h), in which wrapper it travels
// (MacBinary, BinHex, AppleSingle, AppleDouble), or whether it is one of the
// formats this program writes (then it was converted already). Only the
// first bytes of a file are read (kDetectPrefix, and as much of a wrapped
// data fork), and for NAME the AppleDouble file "._NAME" beside it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/mac_wrappers.h"
#include "core/signature.h"

namespace lettrix {

inline constexpr std::size_t kDetectPrefix = 1 << 16;

// "possible", "likely", "certain" ("none" for None).
const char* confidence_name(Confidence c);

enum class Verdict {
  Source,            // one of the source formats (source_row)
  NotMacDocument,    // none of them: skipped
  AlreadyConverted,  // one of our own target formats: skipped
  DamagedWrapper,    // a wrapper whose CRC or lengths are wrong (problem says which)
  Unreadable,        // the file cannot be opened or read
};

struct Detection {
  Verdict verdict = Verdict::NotMacDocument;
  int source_row = -1;  // Verdict::Source: the source registry row
  Confidence confidence = Confidence::None;
  WrappedFile wrapper;  // kind None for a plain file
  std::string name;     // "MacWrite 4.6", "RTF" (the kind an output test named), "ClarisWorks spreadsheet or drawing"
  std::string problem;  // DamagedWrapper, Unreadable: why
  // NotMacDocument, when the source rows' signature tests were run: why each
  // refused the file, in row order ("MacWrite 4.6: version word 0x0107 at
  // byte 0 is not MacWrite 4.x's 6").
  std::vector<std::string> refusals;
  // No wrapper in the file and none beside it (no AppleDouble "._NAME"):
  // the file goes to its reader as it is (see prepare_source).
  bool plain_file = false;
  // Macintosh text by its signature, without a type code, and no more of its
  // lines ending in CR than in LF: how every text file of a Unix system
  // looks, one-line files without any end included.
  bool text_without_cr_lines = false;

  bool is_source() const { return verdict == Verdict::Source; }
  // One line for the user: "MacWrite 4.6 in MacBinary II (certain)",
  // "not a Macintosh document we read", "already converted (RTF)",
  // "damaged wrapper: BinHex: data fork CRC mismatch".
  std::string summary() const;
};

// The format of the file at path; a source the driver checked
// (core/driver.h) is read through the descriptor it kept. look_beside false:
// the caller knows that no "._NAME" lies beside it (a batch has listed the
// folder), so none is looked for.
Detection detect_format(const std::string& path, bool look_beside = true);

// The same for a source opened already (core/source_view.h): its bytes are
// read through the descriptors it holds. is_companion_name: the file's name
// starts with "._".
struct SourceFile;
Detection detect_source(const SourceFile& file, bool is_companion_name);

// The same for a file held in memory (no AppleDouble companion): for tests
// and fuzzing.
Detection detect_bytes(std::span<const std::uint8_t> file);

}  // namespace lettrix
