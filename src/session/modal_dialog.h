#pragma once

// The dialogs of this folder are modal: the main window is disabled while one
// is open, and enabled and made active again when it closes.

#include <string>

#include "session/editor_state.h"

namespace qm {

// A window with title bar and close box whose top-left corner lies dx, dy from
// the main window's.
tk::WindowId OpenModalDialog(EditorState& s, const std::string& title, int dx, int dy, int width, int height);
void CloseModalDialog(EditorState& s, tk::WindowId dialog);

// A close request, Escape, or the window gone from under the wait.
bool EndsDialog(const tk::Event& event);
// The Escape key pressed, which closes a dialog as its close box does.
bool IsEscape(const tk::Event& event);

// Whether the event is a press of this control (any event a button raises).
bool IsControlEvent(const tk::Event& event, tk::ControlId control);

}  // namespace qm
