#include "app/main_loop.h"

#include "app/main_event_handler.h"
#include "session/save_dialog.h"
#include "sets/sets_viewer.h"
#include "sets/view_editor.h"

namespace qm {

namespace {

void CloseIfAsked(bool keepOpen, tk::WindowId& window) {
    if (keepOpen) return;
    if (tk::WindowExists(window)) tk::CloseWindow(window);
    window = 0;
}

}  // namespace

bool DispatchEvent(EditorState& s, const tk::Event& event) {
    const tk::WindowId w = event.window;
    if (w == 0) return true;
    EndSaveNotice(s, event);
    if (w == s.ui.window) {
        if (MainEventHandler(s, event)) return true;
        tk::CloseWindow(s.ui.window);
        s.ui.window = 0;
        return false;
    }
    if (w == s.viewerUi.window) {
        CloseIfAsked(SetsViewerHandler(s, event), s.viewerUi.window);
    } else if (w == s.viewUi.window) {
        CloseIfAsked(ViewEditorHandler(s, event), s.viewUi.window);
    } else if (w == s.exportUi.window) {
        CloseIfAsked(ViewExportHandler(s, event), s.exportUi.window);
    }
    return true;
}

}  // namespace qm
