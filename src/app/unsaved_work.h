#pragma once

// The project saved by the user's command, and the questions asked before
// unsaved work would be left behind.

#include <string>

#include "files/project_file.h"
#include "session/editor_state.h"

namespace qm {

// "Save" or "Save As...": the project is written, the work counts as saved, the recovery copy goes and the project
// heads the recent list. Returns whether it was written.
bool SaveWork(EditorState& s, SaveMode mode);

// Closing or "Exit": whether the editor may end. Asks only when there are
// unsaved changes; Save saves (asking for a name when the project has none).
bool MayEnd(EditorState& s);
// The same question before another project replaces the work.
bool MayOpenAnotherProject(EditorState& s);

}  // namespace qm
