#pragma once

// The map window: a map of tiles larger than the screen, laid out from the
// sets, drawn with the current slot's font and colours.

#include <string>

#include "session/editor_state.h"

namespace qm {

void OpenMapEditor(EditorState& s);
// Redraws the map while the window is open.
void DrawMapEditor(EditorState& s);
// False when the window is to be closed.
bool MapEditorHandler(EditorState& s, const tk::Event& event);
// The name of the undo step an event of the window makes; empty for those
// that change nothing of the document.
std::string MapEditorStepName(const EditorState& s, const tk::Event& event);

}  // namespace qm
