#pragma once

#include "session/editor_state.h"

namespace qm {

void OpenSetsViewer(EditorState& s);
void DrawSetsViewer(EditorState& s);
// Returns false when the viewer is to be closed.
bool SetsViewerHandler(EditorState& s, const tk::Event& event);

}  // namespace qm
