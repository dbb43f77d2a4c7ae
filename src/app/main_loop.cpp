#include "app/main_loop.h"

#include "app/main_event_handler.h"
#include "app/recovery.h"
#include "app/step_names.h"
#include "session/save_dialog.h"
#include "session/undo.h"
#include "sets/sets_viewer.h"
#include "sets/view_editor.h"

namespace qm {

namespace {

void CloseIfAsked(bool keepOpen, tk::WindowId& window) {
    if (keepOpen) return;
    if (tk::WindowExists(window)) tk::CloseWindow(window);
    window = 0;
}

bool IsEditorWindow(const EditorState& s, tk::WindowId w) {
    return w == s.ui.window || w == s.viewerUi.window || w == s.viewUi.window || w == s.exportUi.window ||
           w == s.mapUi.window;
}

bool IsUndoItem(const tk::Event& event) {
    return event.kind == tk::EventKind::MenuItem && (event.menuItem == kMenuUndo || event.menuItem == kMenuRedo);
}

// Events that never change the document, and so neither end a stroke nor
// make a step of their own.
bool IsNeutral(const tk::Event& event) {
    return event.kind == tk::EventKind::Timer || event.kind == tk::EventKind::KeyPressed ||
           event.kind == tk::EventKind::KeyReleased || event.kind == tk::EventKind::None;
}

bool RouteEvent(EditorState& s, const tk::Event& event);

}  // namespace

bool DispatchEvent(EditorState& s, const tk::Event& event) {
    const tk::WindowId w = event.window;
    if (w == 0) return true;
    if (event.kind == tk::EventKind::Timer && event.timer == kRecoveryTimer) {
        RecoveryTick(s);
        return true;
    }
    EndSaveNotice(s, event);
    if (IsUndoItem(event) && IsEditorWindow(s, w)) {
        if (w == s.ui.window && s.ClickGuard >= 1) --s.ClickGuard;
        if (event.menuItem == kMenuUndo) UndoStep(s);
        else RedoStep(s);
        return true;
    }
    // Every change an event makes is one step, but a stroke of the mouse is
    // one step from the press of the button to its release.
    if (IsNeutral(event)) {
        const bool goOn = RouteEvent(s, event);
        if (!StepOpen(s)) EndStep(s);
        return goOn;
    }
    if (ContinuesStroke(event)) {
        if (!StepOpen(s)) BeginStep(s, StepNameOf(s, event));
        return RouteEvent(s, event);
    }
    BeginStep(s, StepNameOf(s, event));
    const bool goOn = RouteEvent(s, event);
    EndStep(s);
    return goOn;
}

namespace {

bool RouteEvent(EditorState& s, const tk::Event& event) {
    const tk::WindowId w = event.window;
    if (w == s.ui.window) {
        if (MainEventHandler(s, event)) return true;
        tk::CloseWindow(s.ui.window);
        s.ui.window = 0;
        return false;
    }
    if (w == s.viewerUi.window) {
        CloseIfAsked(SetsViewerHandler(s, event), s.viewerUi.window);
    } else if (w == s.viewUi.window) {
        CloseIfAsked(ViewEditorEventHandler(s, event), s.viewUi.window);
    } else if (w == s.exportUi.window) {
        CloseIfAsked(ViewExportHandler(s, event), s.exportUi.window);
    } else if (w == s.mapUi.window) {
        if (!MapEditorEventHandler(s, event) && tk::WindowExists(w)) tk::CloseWindow(w);
    }
    return true;
}

}  // namespace

}  // namespace qm
