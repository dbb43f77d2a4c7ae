#pragma once

#include "session/editor_state.h"

namespace qm {

// Start-up up to the event loop: state, main window, tables, the standard
// character set in slot 1, the timer, the first redraw. The toolkit must be
// initialised.
void StartUp(EditorState& s);
// Routes events by window until the main window's handler asks to end.
void RunMainLoop(EditorState& s);
// Closes every window of the editor; used at the end and by tests.
void CloseAllWindows(EditorState& s);

}  // namespace qm
