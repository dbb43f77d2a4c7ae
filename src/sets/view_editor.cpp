#include "sets/view_editor.h"

#include "core/document.h"
#include "sets/view_export_window.h"
#include "sets/view_screen.h"

namespace qm {

namespace {

constexpr int kMinWidth = 530;
constexpr int kMinHeight = 470;
constexpr int kMaxWidth = 984;
constexpr int kMaxHeight = 700;

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

tk::ControlId BoxOf(const ViewEditorUi& ui, ViewOption option) {
    switch (option) {
        case ViewOption::Grid: return ui.gridBox;
        case ViewOption::SetDraw: return ui.setDrawBox;
        case ViewOption::OnTop: return ui.onTopBox;
    }
    return 0;
}

OnOff& FlagOf(EditorState& s, ViewOption option) {
    switch (option) {
        case ViewOption::Grid: return s.ViewGrid;
        case ViewOption::SetDraw: return s.SetDraw;
        case ViewOption::OnTop: break;
    }
    return s.ViewOnTop;
}

void ApplyOnTop(EditorState& s) { tk::SetWindowOnTop(s.viewUi.window, s.ViewOnTop == kOn); }

void ShowOption(EditorState& s, ViewOption option) {
    if (option == ViewOption::OnTop) ApplyOnTop(s);
    else DrawViewScreen(s, -1, -1);
}

void HandleControl(EditorState& s, const tk::Event& event) {
    if (event.control == 0) LayOut(s);
    else if (event.control == s.viewUi.canvas) HandleViewMouse(s, event);
}

}  // namespace

void FillViewScreen(EditorState& s, int code) {
    for (auto& row : s.doc.ViewScreen) row.fill(code);
    DrawViewScreen(s, -1, -1);
}

void FlipViewOption(EditorState& s, ViewOption option) {
    OnOff& flag = FlagOf(s, option);
    flag = flag == kOff ? kOn : kOff;
    tk::SetChecked(BoxOf(s.viewUi, option), flag == kOn);
    ShowOption(s, option);
}

void ViewOptionFromBox(EditorState& s, ViewOption option) {
    FlagOf(s, option) = tk::IsChecked(BoxOf(s.viewUi, option)) ? kOn : kOff;
    ShowOption(s, option);
}

void CloseViewEditor(EditorState& s) {
    CloseExportDialog(s);
    s.ViewEditorOpen = false;
}

void OpenViewEditor(EditorState& s) {
    if (s.ViewEditorOpen) return;
    ViewEditorUi& ui = s.viewUi;
    ui = {};
    ui.window = tk::OpenWindow("View Editor", tk::WindowX(s.ui.window) + 100, tk::WindowY(s.ui.window) + 100,
                               kMinWidth, kMinHeight,
                               tk::TitleBar | tk::SystemMenu | tk::Sizable | tk::MinimizeBox);
    if (s.addWindowMenus) s.addWindowMenus(ui.window, CommandWindow::ViewEditor);
    // The bounds are of the inner size, so they follow the menu bar.
    tk::SetWindowMinSize(ui.window, kMinWidth, kMinHeight);
    tk::SetWindowMaxSize(ui.window, kMaxWidth, kMaxHeight);
    BuildControls(ui);
    if (s.ViewOnTop == kOn) ApplyOnTop(s);
    tk::SetChecked(ui.onTopBox, s.ViewOnTop == kOn);
    tk::SetChecked(ui.gridBox, s.ViewGrid == kOn);
    tk::SetChecked(ui.setDrawBox, s.SetDraw == kOn);
    s.ViewEditorOpen = true;
    DrawViewScreen(s, -1, -1);
}

bool ViewEditorHandler(EditorState& s, const tk::Event& event) {
    switch (event.kind) {
        case tk::EventKind::CloseRequest: CloseViewEditor(s); return false;
        case tk::EventKind::Control: HandleControl(s, event); break;
        default: break;
    }
    return true;
}

}  // namespace qm
