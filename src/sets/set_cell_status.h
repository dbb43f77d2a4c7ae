#pragma once

#include "session/editor_state.h"

namespace qm {

// Status field 0 of the main window for the set cell under the pointer: its
// code, or "NONE" when there is no cell or it is empty.
void ShowSetCellStatus(EditorState& s, int cellValue);

// The cell's character (or none) becomes the one the character editor shows.
void ChooseCellChar(EditorState& s, int cell);

// The value of cell `cell` of the current set, or -1 when cell is -1 (none).
int CurrentSetCell(const EditorState& s, int cell);

// A cell's character goes to the editor: character code & 127, or none for
// an empty cell; the label shows the cell's code, bit 7 included. What is
// placed from the sheet stays as it was.
void EditCellChar(EditorState& s, int cellValue);

}  // namespace qm
