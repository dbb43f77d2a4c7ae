#include "app/step_names.h"

#include "app/commands.h"
#include "app/file_opening.h"

namespace qm {

namespace {

// The canvases are no commands: what they change is named by the canvas.
const char* CanvasStepName(const EditorState& s, tk::ControlId c) {
    if (c == s.ui.charEditor || c == s.ui.largeSetView || c == s.viewUi.canvas) return "Paint";
    if (c == s.ui.smallSetView || c == s.ui.fontSheet) return "Set Cell";
    if (c == s.mapUi.canvas) return "Place Tiles";
    return nullptr;
}

std::string StepNameIn(const EditorState& s, CommandWindow window, const tk::Event& event) {
    if (event.kind == tk::EventKind::Control && event.control != 0) {
        if (const char* canvas = CanvasStepName(s, event.control)) return canvas;
    }
    if (const Command* command = CommandOfEvent(s, window, event)) return command->step;
    if (event.kind == tk::EventKind::MenuItem && window == CommandWindow::Main && IsRecentItem(event.menuItem)) {
        return "Open Project";
    }
    return kUnnamedStep;
}

}  // namespace

std::string StepNameOf(const EditorState& s, const tk::Event& event) {
    if (event.window != 0 && event.window == s.viewUi.window) return StepNameIn(s, CommandWindow::ViewEditor, event);
    if (event.window != 0 && event.window == s.exportUi.window) return kNoStep;
    if (event.window != 0 && event.window == s.mapUi.window) return StepNameIn(s, CommandWindow::Map, event);
    if (event.window != s.ui.window) return kUnnamedStep;
    if (event.kind == tk::EventKind::FilesDropped) return OpenFilesStepName(event.paths);
    return StepNameIn(s, CommandWindow::Main, event);
}

}  // namespace qm
