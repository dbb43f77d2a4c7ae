#pragma once

#include "session/editor_state.h"

namespace qm {

// Hands one event to the handler of its window and closes a secondary window
// whose handler asks for it. Returns false when the program is to end.
bool DispatchEvent(EditorState& s, const tk::Event& event);

}  // namespace qm
