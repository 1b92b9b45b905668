// The paragraph codes of the stream as the formatting writers keep them: the
// change each makes to a paragraph state, its tab table and its border.
#pragma once

#include <cstdint>

#include "core/emitter.h"
#include "core/stream_reader.h"

namespace lettrix {

// Applies a paragraph code (alignment, margins, indents, tab stops, line
// spacing, border); false, with nothing changed, for any other code.
bool apply_paragraph_code(ParaState& ps, TabTable& tabs, std::uint8_t& border, const StreamItem& item);

}  // namespace lettrix
