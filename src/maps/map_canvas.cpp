#include "maps/map_canvas.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "sets/char_tools.h"
#include "sets/mini_chars.h"

namespace qm {

namespace {

// Empty map cells are dark, apart from the black of empty cells within a tile.
constexpr Rgb kEmptyMapCell = tk::MakeRgb(40, 40, 40);
constexpr Rgb kGridGrey = tk::MakeRgb(72, 72, 72);
constexpr Rgb kPastMap = tk::MakeRgb(24, 24, 24);
constexpr Rgb kSelectionWhite = tk::MakeRgb(255, 255, 255);

int CharSize(const EditorState& s) { return 8 * s.map.zoom; }

void DrawCell(const EditorState& s, MiniCharPainter& painter, tk::Surface& surface, int x, int y) {
    const TileMap& map = s.doc.Map;
    const int left = (x - s.map.firstColumn) * MapCellWidth(s);
    const int top = (y - s.map.firstRow) * MapCellHeight(s);
    const int tile = map.Tile(x, y);
    if (tile == 0) {
        surface.FillBox(left, top, MapCellWidth(s), MapCellHeight(s), kEmptyMapCell);
    } else {
        const SetRecord& set = s.doc.SetTable[tile];
        for (int r = 0; r < map.tileHeight; ++r) {
            for (int c = 0; c < map.tileWidth; ++c) {
                painter.DrawCell(surface, set.cells[5 * r + c], left + c * CharSize(s), top + r * CharSize(s), 0);
            }
        }
    }
    // Each cell draws its own top and left edge, so one cell can be drawn
    // again alone.
    if (s.map.grid) {
        surface.Line(left, top, MapCellWidth(s), 1, kGridGrey);
        surface.Line(left, top, 1, MapCellHeight(s), kGridGrey);
    }
}

void DrawSelection(const EditorState& s, tk::Surface& surface) {
    const Region& r = s.map.selection;
    if (r.width == 0) return;
    const int x = (r.startX - s.map.firstColumn) * MapCellWidth(s);
    const int y = (r.startY - s.map.firstRow) * MapCellHeight(s);
    const int w = r.width * MapCellWidth(s);
    const int h = r.height * MapCellHeight(s);
    surface.Line(x, y, w, 1, kSelectionWhite);
    surface.Line(x, y + h - 1, w, 1, kSelectionWhite);
    surface.Line(x, y, 1, h, kSelectionWhite);
    surface.Line(x + w - 1, y, 1, h, kSelectionWhite);
}

// The map cell under a canvas point, or false off the map.
bool CellAt(const EditorState& s, int px, int py, int& x, int& y) {
    const tk::Surface& surface = tk::CanvasSurface(s.mapUi.canvas);
    if (px < 0 || py < 0 || px >= surface.Width() || py >= surface.Height()) return false;
    x = s.map.firstColumn + px / MapCellWidth(s);
    y = s.map.firstRow + py / MapCellHeight(s);
    return s.doc.Map.Contains(x, y);
}

void Place(EditorState& s, int x, int y, int tile) {
    if (s.doc.Map.Tile(x, y) == tile) return;
    s.doc.Map.Place(x, y, tile);
    if (s.map.selection.width != 0) {
        DrawMapCanvas(s);
        return;
    }
    tk::Surface& surface = tk::CanvasSurface(s.mapUi.canvas);
    MiniCharPainter painter(s, s.map.zoom);
    DrawCell(s, painter, surface, x, y);
    tk::Refresh(s.mapUi.canvas);
}

void Choose(EditorState& s, int x, int y, bool begins) {
    if (begins) {
        s.map.anchorX = x;
        s.map.anchorY = y;
    }
    const Region chosen{std::min(x, s.map.anchorX), std::min(y, s.map.anchorY), std::abs(x - s.map.anchorX) + 1,
                        std::abs(y - s.map.anchorY) + 1};
    const Region& was = s.map.selection;
    if (chosen.startX == was.startX && chosen.startY == was.startY && chosen.width == was.width &&
        chosen.height == was.height) {
        return;
    }
    s.map.selection = chosen;
    DrawMapCanvas(s);
}

}  // namespace

int MapCellWidth(const EditorState& s) { return s.doc.Map.tileWidth * CharSize(s); }
int MapCellHeight(const EditorState& s) { return s.doc.Map.tileHeight * CharSize(s); }

void DrawMapCanvas(EditorState& s) {
    if (!s.map.open || s.mapUi.canvas == 0) return;
    tk::Surface& surface = tk::CanvasSurface(s.mapUi.canvas);
    const TileMap& map = s.doc.Map;
    MiniCharPainter painter(s, s.map.zoom);
    const int columns = std::min(map.width - s.map.firstColumn, surface.Width() / MapCellWidth(s) + 1);
    const int rows = std::min(map.height - s.map.firstRow, surface.Height() / MapCellHeight(s) + 1);
    for (int y = s.map.firstRow; y < s.map.firstRow + rows; ++y) {
        for (int x = s.map.firstColumn; x < s.map.firstColumn + columns; ++x) DrawCell(s, painter, surface, x, y);
    }
    const int right = columns * MapCellWidth(s), bottom = rows * MapCellHeight(s);
    surface.FillBox(right, 0, surface.Width() - right, surface.Height(), kPastMap);
    surface.FillBox(0, bottom, right, surface.Height() - bottom, kPastMap);
    DrawSelection(s, surface);
    tk::Refresh(s.mapUi.canvas);
}

void FitMapScrollBars(EditorState& s) {
    if (!s.map.open) return;
    const tk::Surface& surface = tk::CanvasSurface(s.mapUi.canvas);
    const int across = std::max(1, surface.Width() / MapCellWidth(s));
    const int down = std::max(1, surface.Height() / MapCellHeight(s));
    const TileMap& map = s.doc.Map;
    s.map.firstColumn = std::clamp(s.map.firstColumn, 0, std::max(0, map.width - across));
    s.map.firstRow = std::clamp(s.map.firstRow, 0, std::max(0, map.height - down));
    tk::SetRange(s.mapUi.across, 0, map.width - 1, across);
    tk::SetRange(s.mapUi.down, 0, map.height - 1, down);
    tk::SetValue(s.mapUi.across, s.map.firstColumn);
    tk::SetValue(s.mapUi.down, s.map.firstRow);
}

void ShowMapTitle(EditorState& s) {
    std::string title = "Map Editor";
    if (s.map.pointerX >= 0) {
        const int tile = s.doc.Map.Tile(s.map.pointerX, s.map.pointerY);
        title += "  (X: " + std::to_string(s.map.pointerX) + ", Y: " + std::to_string(s.map.pointerY) +
                 ", Tile: " + (tile ? std::to_string(tile) : std::string("none")) + ")";
    }
    tk::SetWindowTitle(s.mapUi.window, title);
}

void HandleMapMouse(EditorState& s, const tk::Event& event) {
    int x = 0, y = 0;
    const bool onMap = CellAt(s, event.mouseX, event.mouseY, x, y);
    const bool choosing = (event.modifiers & tk::Shift) != 0;
    if (onMap && event.buttons == tk::ButtonLeft && choosing) {
        Choose(s, x, y, s.map.lastButtons != tk::ButtonLeft);
    } else if (onMap && event.buttons == tk::ButtonLeft) {
        Place(s, x, y, s.CurrentSet);
    } else if (onMap && event.buttons == tk::ButtonRight) {
        Place(s, x, y, 0);
    } else if (onMap && event.buttons == tk::ButtonMiddle) {
        const int tile = s.doc.Map.Tile(x, y);
        if (tile != 0 && tile != s.CurrentSet) ShowSet(s, tile);
    }
    s.map.lastButtons = event.buttons;
    s.map.pointerX = onMap ? x : -1;
    s.map.pointerY = onMap ? y : -1;
    ShowMapTitle(s);
}

}  // namespace qm
