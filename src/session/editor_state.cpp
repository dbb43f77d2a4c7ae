#include "session/editor_state.h"

#include <cstdint>
#include <cstdio>
#include <utility>

namespace qm {

void ResetEditorState(EditorState& s) {
    // The redraw, the menus and the recovery copy belong to the program, not
    // to the state being reset.
    EditorState fresh;
    fresh.fullRedraw = s.fullRedraw;
    fresh.addWindowMenus = s.addWindowMenus;
    fresh.recovery = std::move(s.recovery);
    s = std::move(fresh);
    ResetDocument(s.doc);

    s.CurrentSlot = 1;
    s.CurrentChar = kEmptyCell;
    s.SheetChar = 1;
    s.CurrentSet = 1;
    s.MulticolorMode = DisplayMode::HiRes;
    s.LayerMode = Layer::Normal;
    s.LeftColor = LUM;
    s.RightColor = BAK;
    s.SavedGfxLeftColor = PF0;
    s.SavedGfxRightColor = BAK;
    s.LargeSetGrid = kOn;
    s.SmallSetGrid = kOn;
    s.DrawOnSet = kOn;
    s.SetsViewerOpen = kOff;
    s.ViewerFirstSet = 1;
    s.ViewGrid = kOff;
    s.SetDraw = kOff;
    s.ViewOnTop = kOff;
    s.ExportRegion = Region{0, 0, 4, 4};
    InitTables(s);
}

void SetHitArea(EditorState& s, int id, int left, int top, int width, int height, int column, int row) {
    s.HitAreaTable[id] = HitArea{left, top, width, height, column, row};
}

int FindHitArea(const EditorState& s, int first, int last, int x, int y) {
    for (int id = first; id <= last; ++id) {
        const HitArea& a = s.HitAreaTable[id];
        if (a.left <= x && x <= a.left + a.width && a.top <= y && y <= a.top + a.height) return id;
    }
    return -1;
}

namespace {

// One range of the table: areas laid out row by row, id = first + row * perRow + column.
void FillHitRange(EditorState& s, int first, int perRow, int rows, int originY, int pitch, int size,
                  bool carryPosition, int positionModulo) {
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < perRow; ++c) {
            const int column = carryPosition ? c % positionModulo : 0;
            const int row = carryPosition ? r % positionModulo : 0;
            SetHitArea(s, first + r * perRow + c, pitch * c, originY + pitch * r, size, size, column, row);
        }
    }
}

}  // namespace

void InitTables(EditorState& s) {
    for (SetRecord& set : s.doc.SetTable) set.cells.fill(kEmptyCell);
    for (auto& row : s.doc.ViewScreen) row.fill(kEmptyCell);

    s.HitAreaTable.assign(kHitAreaCount, HitArea{});
    constexpr int kNoWrap = 1 << 30;
    FillHitRange(s, 0, 32, 4, 0, 17, 16, false, kNoWrap);      // font sheet, normal half
    FillHitRange(s, 128, 32, 4, 68, 17, 16, false, kNoWrap);   // font sheet, inverse half
    FillHitRange(s, 500, 8, 8, 0, 30, 30, true, kNoWrap);      // character editor
    FillHitRange(s, 600, 5, 5, 0, 80, 80, false, kNoWrap);     // large set view, cells
    FillHitRange(s, 1000, 40, 40, 0, 10, 10, true, 8);         // large set view, pixels
    FillHitRange(s, 3000, 5, 5, 0, 16, 16, false, kNoWrap);    // small set view
    FillHitRange(s, 5000, 60, 40, 0, 16, 16, true, kNoWrap);   // view editor screen
    FillHitRange(s, 7500, 10, 1, 0, 80, 80, true, kNoWrap);    // sets viewer
}

std::string CharNumberText(int code) {
    // A negative code (an empty cell) shows as its 64-bit two's complement.
    char text[48];
    std::snprintf(text, sizeof text, "$%llX (%d)",
                  static_cast<unsigned long long>(static_cast<long long>(code)), code);
    return text;
}

std::string FontFieldText(const EditorState& s) {
    const auto& [name, note] = s.fontNotes[s.CurrentSlot];
    return "Font: " + s.Slot().fileName + (name == s.Slot().fileName ? note : std::string());
}

}  // namespace qm
