#include "charedit/char_editor.h"
#include "charedit/font_sheet.h"
#include "charedit/glyph.h"
#include "sets/mini_chars.h"
#include "sets/set_cell_status.h"
#include "sets/set_views.h"

namespace qm {

namespace {

constexpr int kFirstCellId = 3000;
constexpr int kLastCellId = 3024;
constexpr int kCell = 16;
constexpr Rgb kEmptyGrey = tk::MakeRgb(64, 64, 64);
constexpr Rgb kGridGrey = tk::MakeRgb(80, 80, 80);

void DrawGrid(tk::Surface& surface) {
    for (int k = 1; k <= 4; ++k) {
        surface.Line(0, kCell * k, 120, 1, kGridGrey);
        surface.Line(kCell * k, 0, 1, 120, kGridGrey);
    }
}

}  // namespace

void DrawSmallSetView(EditorState& s) {
    if (s.ui.smallSetView == 0) return;
    const ViewChanges changes =
        s.drawn.smallSetView.Changes(s.ui.smallSetView, GlyphInputs(s).AddCells(s.Set().cells).Add(s.SmallSetGrid));
    if (changes.Nothing()) return;
    tk::Surface& surface = tk::CanvasSurface(s.ui.smallSetView);
    MiniCharPainter(s, changes).DrawSet(surface, s.Set(), 0, 0, kEmptyGrey, 0);
    if (s.SmallSetGrid == kOn) DrawGrid(surface);
    tk::Refresh(s.ui.smallSetView);
    s.drawn.smallSetView.Drawn();
}

void HandleSmallSetMouse(EditorState& s, const tk::Event& event) {
    const int id = FindHitArea(s, kFirstCellId, kLastCellId, event.mouseX, event.mouseY);
    const int cell = id < 0 ? -1 : id - kFirstCellId;
    if (cell >= 0) {
        if (event.buttons == tk::ButtonMiddle) {
            EditCellChar(s, CurrentSetCell(s, cell));
        } else if (event.buttons == tk::ButtonLeft && s.ClickGuard == 0) {
            PutCharInCell(s, cell, false);
            RedrawAll(s);
        } else if (event.buttons == tk::ButtonRight) {
            PutCharInCell(s, cell, true);
            DrawSmallSetView(s);
            DrawLargeSetView(s);
            DrawCharEditor(s);
        }
    }
    ShowSetCellStatus(s, CurrentSetCell(s, cell));
}

}  // namespace qm
