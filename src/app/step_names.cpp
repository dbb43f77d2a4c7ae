#include "app/step_names.h"

#include "app/commands.h"
#include "app/file_opening.h"
#include "maps/map_editor.h"

namespace qm {

namespace {

// The canvases are no commands: what they change is named by the canvas.
const char* CanvasStepName(const EditorState& s, tk::ControlId c) {
    if (c == s.ui.charEditor || c == s.ui.largeSetView || c == s.viewUi.canvas) return "Paint";
    if (c == s.ui.smallSetView || c == s.ui.fontSheet) return "Set Cell";
    return nullptr;
}

std::string StepNameIn(const EditorState& s, CommandWindow window, const tk::Event& event) {
    const Command* command = nullptr;
    if (event.kind == tk::EventKind::MenuItem) {
        command = CommandOfMenuItem(window, event.menuItem);
        if (command == nullptr && window == CommandWindow::Main && IsRecentItem(event.menuItem)) return "Open Project";
    } else if (event.kind == tk::EventKind::Control && event.control != 0) {
        if (const char* canvas = CanvasStepName(s, event.control)) return canvas;
        command = CommandOfControl(s, window, event.control);
    }
    return command != nullptr ? command->step : kUnnamedStep;
}

}  // namespace

std::string StepNameOf(const EditorState& s, const tk::Event& event) {
    if (event.window != 0 && event.window == s.viewUi.window) return StepNameIn(s, CommandWindow::ViewEditor, event);
    if (event.window != 0 && event.window == s.exportUi.window) return kNoStep;
    if (event.window != 0 && event.window == s.mapUi.window) return MapEditorStepName(s, event);
    if (event.window != s.ui.window) return kUnnamedStep;
    if (event.kind == tk::EventKind::FilesDropped) return OpenFilesStepName(event.paths);
    return StepNameIn(s, CommandWindow::Main, event);
}

}  // namespace qm
