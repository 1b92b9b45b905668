#pragma once

#include "writers/wp5_state.h"

namespace lettrix::wp5 {

// Writes the pending tab changes as a tab set function, if there are any and
// the open header, footer or note has not had its tab set yet. In the body
// they are merged into the document's stops (the first change replaces the
// default stops) and forgotten; inside a header, footer or note the pending
// stops alone make the new set, and the changes stay for the body after it.
void apply_pending_tabs(Wp5Writer& w);

// Ends an open centred or right tab.
void end_alignment_tab(Wp5Writer& w);

}  // namespace lettrix::wp5
