#pragma once

#include "session/editor_state.h"

namespace qm {

// Status field 0 of the main window for the set cell under the pointer: its
// character number, or "NONE" when there is no cell or it is empty.
void ShowSetCellStatus(EditorState& s, int cellValue);

// The cell's character (or none) becomes the one the character editor shows.
void ChooseCellChar(EditorState& s, int cell);

// The value of cell `cell` of the current set, or -1 when cell is -1 (none).
int CurrentSetCell(const EditorState& s, int cell);

}  // namespace qm
