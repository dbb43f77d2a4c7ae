#pragma once

// The map window: a map of tiles larger than the screen, laid out from the
// sets, drawn with the current slot's font and colours.

#include "session/editor_state.h"

namespace qm {

void OpenMapEditor(EditorState& s);
// Redraws the map while the window is open.
void DrawMapEditor(EditorState& s);
// The window's own events: its close box, its resizing, its scroll bars and
// its canvas; its menus and its grid box run the program's commands. False
// when the window is to be closed.
bool MapEditorHandler(EditorState& s, const tk::Event& event);

// What the window's menus and its grid box do to the view of the map; what
// they do to the map itself is in map_commands.h.
// Screen pixels per machine pixel: 1, 2 or 4, ticked in the menu.
void SetMapZoom(EditorState& s, int zoom);
void ChooseNoMapCells(EditorState& s);
// From the menu: the grid and its box flip together.
void FlipMapGrid(EditorState& s);
// From the box, which the user has just ticked or cleared.
void MapGridFromBox(EditorState& s);
// The window is closing: it forgets its controls.
void CloseMapEditor(EditorState& s);

}  // namespace qm
