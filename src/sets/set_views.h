#pragma once

// The small and the large view of the current set, the set commands and
// putting characters into cells.

#include "app/editor_state.h"

namespace qm {

void DrawSmallSetView(EditorState& s);
void DrawLargeSetView(EditorState& s);
void HandleSmallSetMouse(EditorState& s, const tk::Event& event);
void HandleLargeSetMouse(EditorState& s, const tk::Event& event);
void PutCharInCell(EditorState& s, int cell, bool erase);
// key: the digit key code 49..53 ("1" to "5") choosing row 0..4.
void AppendCharToSetRow(EditorState& s, int code, int key);
// 1 clear bits, 2 copy, 3 paste, 4 clear; the caller redraws.
void SetCommand(EditorState& s, int command);

}  // namespace qm
