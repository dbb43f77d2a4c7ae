#include "sets/view_editor.h"

#include "core/document.h"
#include "sets/view_export_window.h"
#include "sets/view_files.h"
#include "sets/view_screen.h"
#include "session/undo.h"

namespace qm {

namespace {

enum ViewMenuItem {
    kMenuLoadView = 10000,
    kMenuSaveView = 10001,
    kMenuExportView = 10002,
    kMenuExit = 10003,
    kMenuClear = 10004,
    kMenuGrid = 10005,
    kMenuSetDraw = 10006,
    kMenuOnTop = 10007,
    kMenuFillChar = 10008,
};

constexpr int kMinWidth = 530;
constexpr int kMinHeight = 470;
constexpr int kMaxWidth = 984;
constexpr int kMaxHeight = 700;

void BuildMenus(tk::WindowId w) {
    tk::CreateMenuBar(w);
    tk::AddMenu(w, "File");
    tk::AddMenuItem(w, kMenuLoadView, "Load View...");
    tk::AddMenuItem(w, kMenuSaveView, "Save View...");
    tk::AddMenuItem(w, kMenuExportView, "Export View...");
    tk::AddMenuItem(w, kMenuExit, "Exit");
    tk::AddMenu(w, "Options");
    tk::AddMenuItem(w, kMenuClear, "Clear");
    tk::AddMenuItem(w, kMenuFillChar, "Fill char");
    tk::AddMenuItem(w, kMenuGrid, "Grid On/Off");
    tk::AddMenuItem(w, kMenuSetDraw, "Set draw");
    tk::AddMenuItem(w, kMenuOnTop, "Always On Top");
}

void BuildControls(ViewEditorUi& ui) {
    using tk::ControlKind;
    const tk::WindowId w = ui.window;
    ui.gr2 = tk::CreateControl(w, ControlKind::ToggleButton, 10, 5, 50, 20, "Gr.2");
    for (int i = 0; i < 4; ++i) {
        ui.smallCanvases[i] = tk::CreateControl(w, ControlKind::Canvas, 80 + 50 * i, 5, 40, 20, "", tk::Bordered);
    }
    ui.canvasArea = tk::CreateControl(w, ControlKind::ScrollArea, 10, 30, 512, 384);
    tk::SetInnerSize(ui.canvasArea, kViewScreenWidth, kViewScreenHeight);
    tk::SetScrollStep(ui.canvasArea, kViewCell);
    ui.canvas = tk::CreateControl(w, ControlKind::Canvas, 0, 0, kViewScreenWidth, kViewScreenHeight, "", 0,
                                  ui.canvasArea);
    ui.saveView = tk::CreateControl(w, ControlKind::Button, 430, 410, 90, 20, "Save View");
    ui.loadView = tk::CreateControl(w, ControlKind::Button, 330, 410, 90, 20, "Load View");
    ui.clear = tk::CreateControl(w, ControlKind::Button, 230, 410, 80, 20, "Clear");
    ui.gridBox = tk::CreateControl(w, ControlKind::CheckBox, 10, 410, 40, 20, "Grid");
    ui.setDrawBox = tk::CreateControl(w, ControlKind::CheckBox, 60, 410, 60, 20, "Set draw");
    ui.onTopBox = tk::CreateControl(w, ControlKind::CheckBox, 130, 410, 90, 20, "Always On Top");
}

// The canvas area takes what the window leaves beside the margins and the
// button row.
void LayOut(EditorState& s) {
    const ViewEditorUi& ui = s.viewUi;
    const int width = tk::WindowWidth(ui.window);
    const int height = tk::WindowHeight(ui.window);
    const int row = height - 45;
    tk::MoveControl(ui.canvasArea, 10, 30, width - 20, height - 80);
    tk::MoveControl(ui.saveView, width - 100, row, 90, 20);
    tk::MoveControl(ui.loadView, width - 200, row, 90, 20);
    tk::MoveControl(ui.clear, width - 300, row, 80, 20);
    for (tk::ControlId box : {ui.gridBox, ui.setDrawBox, ui.onTopBox}) {
        const tk::Rect r = tk::ControlRect(box);
        tk::MoveControl(box, r.x, row, r.width, r.height);
    }
    DrawViewScreen(s, -1, -1);
}

void FillScreen(EditorState& s, int code) {
    for (auto& row : s.doc.ViewScreen) row.fill(code);
    DrawViewScreen(s, -1, -1);
}

// A flag from its check box, after the user clicked it.
void FlagFromBox(int& flag, tk::ControlId box) { flag = tk::IsChecked(box) ? kOn : kOff; }

// A flag flipped from the menu, and its box with it.
void FlipFlag(int& flag, tk::ControlId box) {
    flag = flag == kOff ? kOn : kOff;
    tk::SetChecked(box, flag == kOn);
}

void ApplyOnTop(EditorState& s) { tk::SetWindowOnTop(s.viewUi.window, s.ViewOnTop == kOn); }

bool Close(EditorState& s) {
    CloseExportDialog(s);
    s.ViewEditorOpen = 0;
    return false;
}

bool HandleMenu(EditorState& s, int item) {
    switch (item) {
        case kMenuLoadView: LoadViewFile(s); break;
        case kMenuSaveView: SaveViewFile(s); break;
        case kMenuExportView: OpenExportDialog(s); break;
        case kMenuExit: return Close(s);
        case kMenuClear: FillScreen(s, kEmptyCell); break;
        case kMenuFillChar: FillScreen(s, CellOrEmpty(s.CurrentChar)); break;
        case kMenuGrid:
            FlipFlag(s.ViewGrid, s.viewUi.gridBox);
            DrawViewScreen(s, -1, -1);
            break;
        case kMenuSetDraw:
            FlipFlag(s.SetDraw, s.viewUi.setDrawBox);
            DrawViewScreen(s, -1, -1);
            break;
        case kMenuOnTop:
            FlipFlag(s.ViewOnTop, s.viewUi.onTopBox);
            ApplyOnTop(s);
            break;
        default: break;
    }
    return true;
}

void HandleControl(EditorState& s, const tk::Event& event) {
    const ViewEditorUi& ui = s.viewUi;
    const tk::ControlId c = event.control;
    if (c == 0) {
        LayOut(s);
    } else if (c == ui.canvas) {
        HandleViewMouse(s, event);
    } else if (c == ui.loadView) {
        LoadViewFile(s);
    } else if (c == ui.saveView) {
        SaveViewFile(s);
    } else if (c == ui.clear) {
        FillScreen(s, kEmptyCell);
    } else if (c == ui.gridBox) {
        FlagFromBox(s.ViewGrid, c);
        DrawViewScreen(s, -1, -1);
    } else if (c == ui.setDrawBox) {
        FlagFromBox(s.SetDraw, c);
        DrawViewScreen(s, -1, -1);
    } else if (c == ui.onTopBox) {
        FlagFromBox(s.ViewOnTop, c);
        ApplyOnTop(s);
    }
}

}  // namespace

void OpenViewEditor(EditorState& s) {
    if (s.ViewEditorOpen == 1) return;
    ViewEditorUi& ui = s.viewUi;
    ui = {};
    ui.window = tk::OpenWindow("View Editor", tk::WindowX(s.ui.window) + 100, tk::WindowY(s.ui.window) + 100,
                               kMinWidth, kMinHeight,
                               tk::TitleBar | tk::SystemMenu | tk::Sizable | tk::MinimizeBox);
    BuildMenus(ui.window);
    AddUndoShortcuts(ui.window);
    // The bounds are of the inner size, so they follow the menu bar.
    tk::SetWindowMinSize(ui.window, kMinWidth, kMinHeight);
    tk::SetWindowMaxSize(ui.window, kMaxWidth, kMaxHeight);
    BuildControls(ui);
    if (s.ViewOnTop == kOn) ApplyOnTop(s);
    tk::SetChecked(ui.onTopBox, s.ViewOnTop == kOn);
    tk::SetChecked(ui.gridBox, s.ViewGrid == kOn);
    tk::SetChecked(ui.setDrawBox, s.SetDraw == kOn);
    s.ViewEditorOpen = 1;
    DrawViewScreen(s, -1, -1);
}

std::string ViewEditorStepName(const EditorState& s, const tk::Event& event) {
    const ViewEditorUi& ui = s.viewUi;
    if (event.kind == tk::EventKind::MenuItem) {
        switch (event.menuItem) {
            case kMenuLoadView: return "Load View";
            case kMenuClear: return "Clear View";
            case kMenuFillChar: return "Fill View";
            case kMenuSaveView:
            case kMenuExportView: return "";
            default: return "Change";
        }
    }
    if (event.kind != tk::EventKind::Control) return "Change";
    if (event.control == ui.loadView) return "Load View";
    if (event.control == ui.clear) return "Clear View";
    if (event.control == ui.saveView) return "";
    return event.control == ui.canvas ? "Paint" : "Change";
}

bool ViewEditorHandler(EditorState& s, const tk::Event& event) {
    switch (event.kind) {
        case tk::EventKind::CloseRequest: return Close(s);
        case tk::EventKind::MenuItem: return HandleMenu(s, event.menuItem);
        case tk::EventKind::Control: HandleControl(s, event); break;
        default: break;
    }
    return true;
}

}  // namespace qm
