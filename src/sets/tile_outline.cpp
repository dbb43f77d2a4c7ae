#include "sets/tile_outline.h"

namespace qm {

namespace {
constexpr Rgb kOutline = tk::MakeRgb(255, 200, 0);
}

TileOutline TileOutlineOf(const EditorState& s) {
    if (!s.doc.Map.InUse() && !s.map.open) return {};
    return {s.doc.Map.tileWidth, s.doc.Map.tileHeight};
}

void DrawTileOutline(tk::Surface& surface, const TileOutline& outline, int left, int top, int cellSize) {
    if (outline.columns == 0) return;
    const int w = outline.columns * cellSize, h = outline.rows * cellSize;
    surface.Line(left, top, w, 1, kOutline);
    surface.Line(left, top + h - 1, w, 1, kOutline);
    surface.Line(left, top, 1, h, kOutline);
    surface.Line(left + w - 1, top, 1, h, kOutline);
}

}  // namespace qm
