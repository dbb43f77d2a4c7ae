#include "session/modal_dialog.h"

namespace qm {

tk::WindowId OpenModalDialog(EditorState& s, const std::string& title, int dx, int dy, int width, int height) {
    const tk::WindowId main = s.ui.window;
    tk::EnableWindow(main, false);
    return tk::OpenWindow(title, tk::WindowX(main) + dx, tk::WindowY(main) + dy, width, height,
                          tk::TitleBar | tk::SystemMenu);
}

void CloseModalDialog(EditorState& s, tk::WindowId dialog) {
    tk::CloseWindow(dialog);
    tk::EnableWindow(s.ui.window, true);
    tk::ActivateWindow(s.ui.window);
}

bool EndsDialog(const tk::Event& event) {
    return IsEscape(event) || event.kind == tk::EventKind::CloseRequest || event.kind == tk::EventKind::None;
}

bool IsEscape(const tk::Event& event) { return event.kind == tk::EventKind::KeyPressed && event.key == tk::KeyEscape; }

bool IsControlEvent(const tk::Event& event, tk::ControlId control) {
    return event.kind == tk::EventKind::Control && event.control == control;
}

}  // namespace qm
