#pragma once

#include "session/editor_state.h"

namespace qm {

// The one full redraw that every change ends with: every view of the main
// window and the secondary windows that are open.
void RedrawEverything(EditorState& s);

}  // namespace qm
