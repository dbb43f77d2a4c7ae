#pragma once

#include "session/editor_state.h"

namespace qm {

// The small window that sets the export region and saves it; at most one.
void OpenExportDialog(EditorState& s);
// Closes it if it is open.
void CloseExportDialog(EditorState& s);

}  // namespace qm
