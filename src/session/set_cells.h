#pragma once

// Putting characters into the cells of the current set, and the set commands.

#include "session/editor_state.h"

namespace qm {

void PutCharInCell(EditorState& s, int cell, bool erase);
// key: the digit key code 49..53 ("1" to "5") choosing row 0..4.
void AppendCharToSetRow(EditorState& s, int code, int key);
// 1 clear bits, 2 copy, 3 paste, 4 clear; the caller redraws.
void SetCommand(EditorState& s, int command);

}  // namespace qm
