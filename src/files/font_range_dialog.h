#pragma once

// The "Save font range ..." window, built apart from its modal wait so that
// the selections can be set before the wait starts.

#include "session/editor_state.h"

namespace qm {

struct FontRangeDialog {
    tk::WindowId window = 0;
    tk::ControlId from = 0, to = 0, save = 0;
};

// Opens the window with both lists and disables the main window.
FontRangeDialog OpenFontRangeDialog(EditorState& s);
// Waits until the window closes or a range is written, then closes it.
void RunFontRangeDialog(EditorState& s, const FontRangeDialog& d);

}  // namespace qm
