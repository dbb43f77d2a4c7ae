#include "maps/map_editor.h"

#include <algorithm>

#include "core/map_export.h"
#include "maps/map_canvas.h"
#include "toolkit/menu_checks.h"

namespace qm {

namespace {

constexpr int kWidth = 720;
constexpr int kHeight = 520;
constexpr int kBar = 16;
constexpr int kTop = 30;

void ShowZoom(EditorState& s) {
    tk::SetMenuItemChecked(s.mapUi.window, kMenuMapZoom1, s.map.zoom == 1);
    tk::SetMenuItemChecked(s.mapUi.window, kMenuMapZoom2, s.map.zoom == 2);
    tk::SetMenuItemChecked(s.mapUi.window, kMenuMapZoom4, s.map.zoom == 4);
}

// The canvas takes what the window leaves beside the scroll bars.
void LayOut(EditorState& s) {
    const MapEditorUi& ui = s.mapUi;
    const int width = tk::WindowWidth(ui.window);
    const int height = tk::WindowHeight(ui.window);
    const int canvasWidth = std::max(1, width - 20 - kBar);
    const int canvasHeight = std::max(1, height - kTop - 10 - kBar);
    tk::MoveControl(ui.canvas, 10, kTop, canvasWidth, canvasHeight);
    tk::MoveControl(ui.across, 10, kTop + canvasHeight, canvasWidth, kBar);
    tk::MoveControl(ui.down, 10 + canvasWidth, kTop, kBar, canvasHeight);
    FitMapScrollBars(s);
    DrawMapCanvas(s);
}

void HandleControl(EditorState& s, const tk::Event& event) {
    const MapEditorUi& ui = s.mapUi;
    const tk::ControlId c = event.control;
    if (c == 0) {
        LayOut(s);
    } else if (c == ui.canvas) {
        HandleMapMouse(s, event);
    } else if (c == ui.across || c == ui.down) {
        s.map.firstColumn = tk::Value(ui.across);
        s.map.firstRow = tk::Value(ui.down);
        DrawMapCanvas(s);
    }
}

}  // namespace

void OpenMapEditor(EditorState& s) {
    if (s.map.open) {
        tk::ActivateWindow(s.mapUi.window);
        return;
    }
    MapEditorUi& ui = s.mapUi;
    ui.window = tk::OpenWindow("Map Editor", tk::WindowX(s.ui.window) + 120, tk::WindowY(s.ui.window) + 80, kWidth,
                               kHeight, tk::TitleBar | tk::SystemMenu | tk::Sizable | tk::MinimizeBox);
    if (s.addWindowMenus) s.addWindowMenus(ui.window, CommandWindow::Map);
    tk::SetWindowMinSize(ui.window, 300, 200);
    ui.gridBox = tk::CreateControl(ui.window, tk::ControlKind::CheckBox, 10, 5, 60, 20, "Grid");
    ui.canvas = tk::CreateControl(ui.window, tk::ControlKind::Canvas, 10, kTop, 100, 100);
    ui.across = tk::CreateControl(ui.window, tk::ControlKind::HScrollBar, 10, kTop + 100, 100, kBar);
    ui.down = tk::CreateControl(ui.window, tk::ControlKind::VScrollBar, 110, kTop, kBar, 100);
    tk::SetChecked(ui.gridBox, s.map.grid);
    s.map.open = true;
    ShowZoom(s);
    ShowMapTitle(s);
    LayOut(s);
}

void DrawMapEditor(EditorState& s) {
    if (!s.map.open) return;
    // An undo may have given the map another size.
    if (s.map.selection.width != 0 && !InsideMap(s.doc.Map, s.map.selection)) s.map.selection = {0, 0, 0, 0};
    FitMapScrollBars(s);
    DrawMapCanvas(s);
}

void SetMapZoom(EditorState& s, int zoom) {
    s.map.zoom = zoom;
    ShowZoom(s);
    FitMapScrollBars(s);
    DrawMapCanvas(s);
}

void ChooseNoMapCells(EditorState& s) {
    s.map.selection = {0, 0, 0, 0};
    DrawMapCanvas(s);
}

void FlipMapGrid(EditorState& s) {
    s.map.grid = !s.map.grid;
    tk::SetChecked(s.mapUi.gridBox, s.map.grid);
    DrawMapCanvas(s);
}

void MapGridFromBox(EditorState& s) {
    s.map.grid = tk::IsChecked(s.mapUi.gridBox);
    DrawMapCanvas(s);
}

void CloseMapEditor(EditorState& s) {
    s.map.open = false;
    s.mapUi = {};
}

bool MapEditorHandler(EditorState& s, const tk::Event& event) {
    switch (event.kind) {
        case tk::EventKind::CloseRequest: CloseMapEditor(s); return false;
        case tk::EventKind::Control: HandleControl(s, event); break;
        default: break;
    }
    return true;
}

}  // namespace qm
