#include <algorithm>

#include "charedit/char_editor.h"
#include "charedit/font_sheet.h"
#include "charedit/glyph.h"
#include "core/document.h"
#include "sets/set_cell_status.h"
#include "sets/set_views.h"
#include "sets/tile_outline.h"

namespace qm {

namespace {

constexpr int kFirstCellId = 600;
constexpr int kLastCellId = 624;
constexpr int kFirstPixelId = 1000;
constexpr int kLastPixelId = 2599;
constexpr int kCell = 80;
constexpr Rgb kEmptyGrey = tk::MakeRgb(48, 48, 48);
constexpr Rgb kDotGrey = tk::MakeRgb(112, 112, 112);
constexpr Rgb kLineGrey = tk::MakeRgb(64, 64, 64);

// The grid's dots and lines over one cell: a dot every 10 pixels but on the
// view's top row, a line over each cell's first row and column but on the
// view's edge.
void DrawGridOver(tk::Surface& surface, int left, int top) {
    for (int y = std::max(top, 10); y < top + kCell; y += 10) {
        for (int x = left; x < left + kCell; x += 10) surface.Plot(x, y, kDotGrey);
    }
    if (top > 0) surface.Line(left, top, kCell, 1, kLineGrey);
    if (left > 0) surface.Line(left, top, 1, kCell, kLineGrey);
}

// The button that acts on the view, or 0: the left one only once the click
// guard has run down, the right one always.
int ActingButton(const EditorState& s, const tk::Event& event) {
    if (event.buttons == tk::ButtonLeft && s.ClickGuard == 0) return 1;
    if (event.buttons == tk::ButtonRight) return 2;
    return 0;
}

}  // namespace

void DrawLargeSetView(EditorState& s) {
    if (s.ui.largeSetView == 0) return;
    const ViewChanges changes = s.drawn.largeSetView.Changes(
        s.ui.largeSetView, GlyphInputs(s).AddCells(s.Set().cells).Add(s.LargeSetGrid).Add(TileOutlineOf(s)));
    if (changes.Nothing()) return;
    tk::Surface& surface = tk::CanvasSurface(s.ui.largeSetView);
    for (int cell = 0; cell < kSetCells; ++cell) {
        const int left = kCell * (cell % 5);
        const int top = kCell * (cell / 5);
        const int code = s.Set().cells[cell];
        if (!changes.Cell(cell, code)) continue;
        // The cells cover the view, so no fill goes first, but for characters
        // over the mask: they blend with what lies beneath, which must be black.
        if (IsCellCode(code) && DrawsOverMask(s)) surface.FillBox(left, top, kCell, kCell, 0);
        if (IsCellCode(code)) {
            DrawCharAt(s, surface, code, left, top);
        } else {
            surface.FillBox(left, top, kCell, kCell, kEmptyGrey);
        }
        if (s.LargeSetGrid == kOn) DrawGridOver(surface, left, top);
    }
    DrawTileOutline(surface, TileOutlineOf(s), 0, 0, kCell);
    tk::Refresh(s.ui.largeSetView);
    s.drawn.largeSetView.Drawn();
}

void HandleLargeSetMouse(EditorState& s, const tk::Event& event) {
    const int cellId = FindHitArea(s, kFirstCellId, kLastCellId, event.mouseX, event.mouseY);
    const int cell = cellId < 0 ? -1 : cellId - kFirstCellId;
    const int button = ActingButton(s, event);
    if (button != 0) {
        if (cell >= 0) EditCellChar(s, CurrentSetCell(s, cell));
        const int pixelId = FindHitArea(s, kFirstPixelId, kLastPixelId, event.mouseX, event.mouseY);
        if (s.DrawOnSet == kOn && pixelId >= 0 && IsCharCode(s.CurrentChar)) {
            const HitArea& pixel = s.HitAreaTable[pixelId];
            if (PaintCharPixel(s, s.CurrentChar, pixel.column, pixel.row, button)) RedrawAll(s);
        }
    }
    ShowSetCellStatus(s, CurrentSetCell(s, cell));
}

}  // namespace qm
