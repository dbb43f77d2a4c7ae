#pragma once

// The map on the window's canvas: only the cells in view are drawn, each
// tile's characters as the view editor draws the same codes.

#include "session/editor_state.h"

namespace qm {

// Screen pixels of one map cell at the window's zoom.
int MapCellWidth(const EditorState& s);
int MapCellHeight(const EditorState& s);

// Draws every cell in view, the grid and the chosen rectangle.
void DrawMapCanvas(EditorState& s);
// The scroll bars' ranges after a change of size, zoom or map.
void FitMapScrollBars(EditorState& s);

// Every event of the canvas: placing, emptying and picking tiles, Shift+drag
// choosing a rectangle, and the cell under the pointer in the title.
void HandleMapMouse(EditorState& s, const tk::Event& event);
void ShowMapTitle(EditorState& s);

}  // namespace qm
