#pragma once

// The "Export font as..." window, built apart from its modal wait so that its
// controls can be reached before the wait starts.

#include "session/editor_state.h"

namespace qm {

struct SourceExportDialog {
    tk::WindowId window = 0;
    tk::ControlId formats = 0, preview = 0, save = 0, cancel = 0;
    // Puts the MADS text on a 1 KB boundary; the other formats have no such line.
    tk::ControlId alignMads = 0;
};

// Opens the window with format 0 generated and disables the main window.
SourceExportDialog OpenSourceExportDialog(EditorState& s, int x, int y, int width, int height);
// Waits until "Cancel" or the close box, then closes the window.
void RunSourceExportDialog(EditorState& s, const SourceExportDialog& d);

}  // namespace qm
