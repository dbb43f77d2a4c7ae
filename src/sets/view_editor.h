#pragma once

#include <string>

#include "session/editor_state.h"

namespace qm {

void OpenViewEditor(EditorState& s);
// (px, py): where the current set follows the pointer; -1 for no preview.
void DrawViewScreen(EditorState& s, int px, int py);
// Both return false when their window is to be closed.
bool ViewEditorHandler(EditorState& s, const tk::Event& event);
bool ViewExportHandler(EditorState& s, const tk::Event& event);
// The name of the undo step an event of the view editor makes; empty for the
// events whose changes are not the user's work (saving).
std::string ViewEditorStepName(const EditorState& s, const tk::Event& event);

}  // namespace qm
