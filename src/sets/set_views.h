#pragma once

// The small and the large view of the current set.

#include "session/editor_state.h"
#include "session/set_cells.h"

namespace qm {

void DrawSmallSetView(EditorState& s);
void DrawLargeSetView(EditorState& s);
void HandleSmallSetMouse(EditorState& s, const tk::Event& event);
void HandleLargeSetMouse(EditorState& s, const tk::Event& event);

}  // namespace qm
