#pragma once

// What the map window's menus do to the map: fill, copy and paste a
// rectangle, change the size, export, and fill the view screen from it.

#include "session/editor_state.h"

namespace qm {

// The chosen rectangle, or the whole map when none is chosen.
Region MapTarget(const EditorState& s);

// The target filled with the current set's tile.
void FillMap(EditorState& s);
void CopyMapCells(EditorState& s);
// What Copy took, with its top-left corner at the cell under the pointer (or
// the chosen rectangle's); what reaches past the map is dropped.
void PasteMapCells(EditorState& s);
// Width, height and tile size; asks before tiles are dropped.
void MapSizeDialog(EditorState& s);
// The target's tiles or characters, or the tile set, as bytes or source text,
// with the width and height first when asked.
void ExportMapDialog(EditorState& s);
// The view screen becomes the 60 x 40 characters of the map from the
// target's top-left corner; what lies past the map is empty.
void MapToViewScreen(EditorState& s);

}  // namespace qm
