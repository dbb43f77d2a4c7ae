#pragma once

#include "session/editor_state.h"
#include "session/menu_items.h"

namespace qm {

// The main window with its shortcuts, status bar, menus and 77 controls; the
// handles land in s.ui.
void BuildMainWindow(EditorState& s, int x, int y, int width, int height);

}  // namespace qm
