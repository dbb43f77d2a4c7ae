#include "sets/sets_viewer.h"

#include <algorithm>
#include <string>

#include "charedit/font_sheet.h"
#include "charedit/glyph.h"
#include "sets/mini_chars.h"
#include "sets/tile_outline.h"
#include "session/undo.h"

namespace qm {

namespace {

constexpr int kSlots = 10;
constexpr int kSlotWidth = 80;
constexpr int kFirstSlotId = 7500;
constexpr int kLastFirstSet = kSetCount - kSlots + 1;  // 91
constexpr Rgb kBackground = tk::MakeRgb(64, 64, 64);
constexpr Rgb kSeparator = tk::MakeRgb(170, 170, 170);

void ShowSlotLabels(EditorState& s) {
    for (int i = 0; i < kSlots; ++i) {
        tk::SetText(s.viewerUi.labels[i], "SET: " + std::to_string(s.ViewerFirstSet + i));
    }
}

void BuildViewerWindow(EditorState& s) {
    SetsViewerUi& ui = s.viewerUi;
    ui.window = tk::OpenWindow("SETS Viewer", 10, 10, 820, 150, tk::TitleBar | tk::SystemMenu);
    AddUndoShortcuts(ui.window);
    ui.canvas = tk::CreateControl(ui.window, tk::ControlKind::Canvas, 10, 10, 800, 80);
    for (int i = 0; i < kSlots; ++i) {
        ui.labels[i] = tk::CreateControl(ui.window, tk::ControlKind::Label, 10 + kSlotWidth * i, 90, kSlotWidth, 20,
                                         "", tk::CenteredText | tk::Bordered);
    }
    ui.scrollBar = tk::CreateControl(ui.window, tk::ControlKind::HScrollBar, 10, 120, 800, 20);
    tk::SetRange(ui.scrollBar, 1, kSetCount, kSlots);
    tk::SetValue(ui.scrollBar, 1);
}

void ScrollViewer(EditorState& s) {
    s.ViewerFirstSet = std::clamp(tk::Value(s.viewerUi.scrollBar), 1, kLastFirstSet);
    ShowSlotLabels(s);
    DrawSetsViewer(s);
}

void ChooseSlot(EditorState& s, const tk::Event& event) {
    const int id = FindHitArea(s, kFirstSlotId, kFirstSlotId + kSlots - 1, event.mouseX, event.mouseY);
    if (id < 0) return;
    s.CurrentSet = s.ViewerFirstSet + (id - kFirstSlotId);
    tk::SetText(s.ui.setLabel, std::to_string(s.CurrentSet));
    RedrawAll(s);
}

}  // namespace

void OpenSetsViewer(EditorState& s) {
    if (s.SetsViewerOpen == kOn) return;
    s.ViewerFirstSet = 1;
    BuildViewerWindow(s);
    ShowSlotLabels(s);
    s.SetsViewerOpen = kOn;
    DrawSetsViewer(s);
}

void DrawSetsViewer(EditorState& s) {
    if (s.SetsViewerOpen != kOn) return;
    ViewInputs inputs = GlyphInputs(s).Add(s.ViewerFirstSet).Add(TileOutlineOf(s));
    for (const SetRecord& set : s.doc.SetTable) inputs.AddCells(set.cells);
    const ViewChanges changes = s.drawn.setsViewer.Changes(s.viewerUi.canvas, inputs);
    if (changes.Nothing()) return;
    tk::Surface& surface = tk::CanvasSurface(s.viewerUi.canvas);
    // The cells of the sets cover the slots: no fill goes first.
    MiniCharPainter painter(s, changes);
    for (int i = 0; i < kSlots; ++i) {
        const int set = s.ViewerFirstSet + i;
        if (set >= 1 && set <= kSetCount) {
            painter.DrawSet(surface, s.doc.SetTable[set], kSlotWidth * i, 0, kBackground, kSetCells * set);
            DrawTileOutline(surface, TileOutlineOf(s), kSlotWidth * i, 0, kMiniCharSize);
        } else if (changes.Everything()) {
            surface.FillBox(kSlotWidth * i, 0, kSlotWidth, kSlotWidth, kBackground);
        }
    }
    for (int j = 1; j < kSlots; ++j) surface.Line(kSlotWidth * j, 0, 1, kSlotWidth, kSeparator);
    tk::Refresh(s.viewerUi.canvas);
    s.drawn.setsViewer.Drawn();
}

bool SetsViewerHandler(EditorState& s, const tk::Event& event) {
    if (event.kind == tk::EventKind::CloseRequest) {
        s.SetsViewerOpen = kOff;
        return false;
    }
    if (event.kind != tk::EventKind::Control) return true;
    if (event.control == s.viewerUi.scrollBar) {
        ScrollViewer(s);
    } else if (event.control == s.viewerUi.canvas && event.buttons == tk::ButtonLeft) {
        ChooseSlot(s, event);
    }
    return true;
}

}  // namespace qm
