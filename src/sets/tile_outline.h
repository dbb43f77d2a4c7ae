#pragma once

// While a map is in use, the set views show which cells of a set make its
// tile: the top-left tile width x tile height cells.

#include "session/editor_state.h"

namespace qm {

struct TileOutline {
    int columns = 0;  // 0: no outline
    int rows = 0;
};

TileOutline TileOutlineOf(const EditorState& s);
// The outline around the tile's cells of a set drawn at (left, top) with
// cells of cellSize pixels.
void DrawTileOutline(tk::Surface& surface, const TileOutline& outline, int left, int top, int cellSize);

}  // namespace qm
