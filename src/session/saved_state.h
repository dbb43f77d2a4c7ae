#pragma once

// Whether the work is saved: the editor compares the document with what was
// last opened or saved (undoing back to that point counts as saved), shows
// the answer in the main window's title and asks before work that is not
// saved would be left behind.

#include <functional>
#include <string>

#include "session/editor_state.h"

namespace qm {

bool HasUnsavedWork(const EditorState& s);

// The work as it is now is what was opened. While a step is being made, as
// opening a project is, the mark is set once the step is recorded, so that
// the step itself can still be undone.
void MarkOpenedWork(EditorState& s);

// "Quillmere - game.proj", without a name before the first save, and " *"
// after it while there are unsaved changes.
std::string MainWindowTitle(const EditorState& s);
void ShowSavedState(EditorState& s);

// Before the work is left behind (the editor ending, another project
// opening): true at once when nothing is unsaved; otherwise asks Save,
// Discard or Cancel under title, with leaving ("before leaving?") ending the
// question. Save runs save, and goes on only when that succeeded.
bool MayLeaveWork(EditorState& s, const std::string& title, const std::string& leaving,
                  const std::function<bool()>& save);

}  // namespace qm
