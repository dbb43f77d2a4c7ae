#include "sets/view_screen.h"

#include <string>

#include "charedit/glyph.h"
#include "core/document.h"
#include "sets/mini_chars.h"
#include "sets/view_editor.h"
#include "core/view_format.h"

namespace qm {

namespace {

constexpr int kFirstCellId = 5000;
constexpr int kLastCellId = kFirstCellId + kViewColumns * kViewRows - 1;
constexpr Rgb kGridGrey = tk::MakeRgb(48, 48, 48);
constexpr Rgb kOutlineWhite = tk::MakeRgb(255, 255, 255);

void DrawGrid(tk::Surface& surface) {
    for (int k = 1; k < kViewRows; ++k) surface.Line(0, kViewCell * k, kViewScreenWidth, 1, kGridGrey);
    for (int k = 1; k < kViewColumns; ++k) surface.Line(kViewCell * k, 0, 1, kViewScreenHeight, kGridGrey);
}

// The grid over one cell's first row and column, but on the screen's edge.
void DrawGridOver(tk::Surface& surface, int x, int y) {
    if (y > 0) surface.Line(kViewCell * x, kViewCell * y, kViewCell, 1, kGridGrey);
    if (x > 0) surface.Line(kViewCell * x, kViewCell * y, 1, kViewCell, kGridGrey);
}

void DrawOutline(tk::Surface& surface, const Region& region) {
    const int x = kViewCell * region.startX;
    const int y = kViewCell * region.startY;
    const int w = kViewCell * region.width;
    const int h = kViewCell * region.height;
    surface.Line(x, y, w, 1, kOutlineWhite);
    surface.Line(x, y, 1, h, kOutlineWhite);
    surface.Line(x + w, y, 1, h, kOutlineWhite);
    surface.Line(x, y + h, w, 1, kOutlineWhite);
}

// The set's characters with all their pixels; its empty cells let the screen
// show through.
void DrawSetAt(EditorState& s, MiniCharPainter& painter, tk::Surface& surface, int px, int py) {
    painter.DrawSet(surface, s.Set(), px, py);
}

void PlaceAt(EditorState& s, int x, int y) {
    if (s.SetDraw != kOn) {
        s.doc.ViewScreen[y][x] = CellOrEmpty(s.SheetChar);
        return;
    }
    // Whatever of the set reaches past the right or bottom edge is dropped.
    for (int r = 0; r < 5 && y + r < kViewRows; ++r) {
        for (int c = 0; c < 5 && x + c < kViewColumns; ++c) {
            const int cell = s.Set().cells[5 * r + c];
            if (IsCellCode(cell)) s.doc.ViewScreen[y + r][x + c] = cell;
        }
    }
}

}  // namespace

void DrawViewScreen(EditorState& s, int px, int py) {
    if (!s.ViewEditorOpen || s.viewUi.canvas == 0) return;
    ViewInputs inputs = GlyphInputs(s).Add(px).Add(py).Add(s.Set().cells).Add(s.ViewGrid).Add(s.ExportRegion);
    for (const auto& row : s.doc.ViewScreen) inputs.AddCells(row);
    const ViewChanges changes = s.drawn.viewScreen.Changes(s.viewUi.canvas, inputs);
    if (changes.Nothing()) return;
    tk::Surface& surface = tk::CanvasSurface(s.viewUi.canvas);
    MiniCharPainter painter(s);
    // Each cell is written once, black or its character: a screen-wide fill
    // first would double the cost of the biggest surface of the program.
    // The grid goes over the cells drawn, or over all when the set covers some.
    const bool wholeGrid = changes.Everything() || px != -1;
    for (int y = 0; y < kViewRows; ++y) {
        for (int x = 0; x < kViewColumns; ++x) {
            const int index = kViewColumns * y + x;
            const int code = s.doc.ViewScreen[y][x];
            if (!changes.Cell(index, code)) continue;
            painter.DrawCell(surface, code, kViewCell * x, kViewCell * y, 0);
            if (!wholeGrid && s.ViewGrid == kOn) DrawGridOver(surface, x, y);
        }
    }
    // The set may cover cells drawn again, whatever it holds.
    if (px != -1) DrawSetAt(s, painter, surface, px, py);
    if (wholeGrid && s.ViewGrid == kOn) DrawGrid(surface);
    if (IsExportable(s.ExportRegion)) DrawOutline(surface, s.ExportRegion);
    tk::Refresh(s.viewUi.canvas);
    s.drawn.viewScreen.Drawn();
}

void HandleViewMouse(EditorState& s, const tk::Event& event) {
    const int id = FindHitArea(s, kFirstCellId, kLastCellId, event.mouseX, event.mouseY);
    if (id < 0) return;
    const int x = s.HitAreaTable[id].column;
    const int y = s.HitAreaTable[id].row;
    if (s.SetDraw == kOn) DrawViewScreen(s, kViewCell * x, kViewCell * y);
    if (event.buttons == tk::ButtonLeft) {
        PlaceAt(s, x, y);
        DrawViewScreen(s, -1, -1);
    } else if (event.buttons == tk::ButtonRight) {
        s.doc.ViewScreen[y][x] = kEmptyCell;
        DrawViewScreen(s, -1, -1);
    }
    tk::SetWindowTitle(s.viewUi.window,
                       "View Editor  (X: " + std::to_string(x) + ", Y: " + std::to_string(y) + ")");
}

}  // namespace qm
