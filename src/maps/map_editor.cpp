#include "maps/map_editor.h"

#include <algorithm>

#include "core/map_export.h"
#include "maps/map_canvas.h"
#include "maps/map_commands.h"
#include "session/undo.h"
#include "toolkit/menu_checks.h"

namespace qm {

namespace {

enum MapMenuItem {
    kMenuExport = 11000,
    kMenuExit,
    kMenuCopy,
    kMenuPaste,
    kMenuFill,
    kMenuChooseNone,
    kMenuSize,
    kMenuToView,
    kMenuZoom1,
    kMenuZoom2,
    kMenuZoom4,
    kMenuGrid,
};

constexpr int kWidth = 720;
constexpr int kHeight = 520;
constexpr int kBar = 16;
constexpr int kTop = 30;

void BuildMenus(tk::WindowId w) {
    tk::CreateMenuBar(w);
    tk::AddMenu(w, "File");
    tk::AddMenuItem(w, kMenuExport, "Export...");
    tk::AddMenuItem(w, kMenuExit, "Exit");
    tk::AddMenu(w, "Edit");
    tk::AddMenuItem(w, kMenuCopy, "Copy\tCtrl+C");
    tk::AddMenuItem(w, kMenuPaste, "Paste\tCtrl+V");
    tk::AddMenuItem(w, kMenuFill, "Fill");
    tk::AddMenuItem(w, kMenuChooseNone, "Select None");
    tk::AddMenuSeparator(w);
    tk::AddMenuItem(w, kMenuSize, "Size...");
    tk::AddMenuItem(w, kMenuToView, "To View Editor");
    tk::AddMenu(w, "View");
    tk::AddMenuItem(w, kMenuZoom1, "Zoom 1x");
    tk::AddMenuItem(w, kMenuZoom2, "Zoom 2x");
    tk::AddMenuItem(w, kMenuZoom4, "Zoom 4x");
    tk::AddMenuItem(w, kMenuGrid, "Grid On/Off");
    tk::AddShortcut(w, 'C', tk::Ctrl, kMenuCopy);
    tk::AddShortcut(w, 'V', tk::Ctrl, kMenuPaste);
}

void ShowZoom(EditorState& s) {
    tk::SetMenuItemChecked(s.mapUi.window, kMenuZoom1, s.map.zoom == 1);
    tk::SetMenuItemChecked(s.mapUi.window, kMenuZoom2, s.map.zoom == 2);
    tk::SetMenuItemChecked(s.mapUi.window, kMenuZoom4, s.map.zoom == 4);
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

void SetZoom(EditorState& s, int zoom) {
    s.map.zoom = zoom;
    ShowZoom(s);
    FitMapScrollBars(s);
    DrawMapCanvas(s);
}

void SetGrid(EditorState& s, bool on) {
    s.map.grid = on;
    tk::SetChecked(s.mapUi.gridBox, on);
    DrawMapCanvas(s);
}

bool Close(EditorState& s) {
    s.map.open = false;
    s.mapUi = {};
    return false;
}

bool HandleMenu(EditorState& s, int item) {
    switch (item) {
        case kMenuExport: ExportMapDialog(s); break;
        case kMenuExit: return Close(s);
        case kMenuCopy: CopyMapCells(s); break;
        case kMenuPaste: PasteMapCells(s); break;
        case kMenuFill: FillMap(s); break;
        case kMenuChooseNone:
            s.map.selection = {0, 0, 0, 0};
            DrawMapCanvas(s);
            break;
        case kMenuSize: MapSizeDialog(s); break;
        case kMenuToView: MapToViewScreen(s); break;
        case kMenuZoom1: SetZoom(s, 1); break;
        case kMenuZoom2: SetZoom(s, 2); break;
        case kMenuZoom4: SetZoom(s, 4); break;
        case kMenuGrid: SetGrid(s, !s.map.grid); break;
        default: break;
    }
    return true;
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
    } else if (c == ui.gridBox) {
        SetGrid(s, tk::IsChecked(c));
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
    BuildMenus(ui.window);
    AddUndoShortcuts(ui.window);
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

std::string MapEditorStepName(const EditorState& s, const tk::Event& event) {
    if (event.kind == tk::EventKind::MenuItem) {
        switch (event.menuItem) {
            case kMenuPaste: return "Paste Tiles";
            case kMenuFill: return "Fill Map";
            case kMenuSize: return "Map Size";
            case kMenuToView: return "Map To View";
            default: return "";
        }
    }
    if (event.kind == tk::EventKind::Control && event.control == s.mapUi.canvas) return "Place Tiles";
    return "";
}

bool MapEditorHandler(EditorState& s, const tk::Event& event) {
    switch (event.kind) {
        case tk::EventKind::CloseRequest: return Close(s);
        case tk::EventKind::MenuItem: return HandleMenu(s, event.menuItem);
        case tk::EventKind::Control: HandleControl(s, event); break;
        default: break;
    }
    return true;
}

}  // namespace qm
