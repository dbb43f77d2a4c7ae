#pragma once

#include <string>

#include "session/editor_state.h"

namespace qm {

// "Save" writes under ProjectPath (nothing when the project has no name yet);
// "Save As..." asks for a name first.
enum class SaveMode { Save, SaveAs };

// Returns whether the project was written.
bool SaveProject(EditorState& s, SaveMode mode);
void OpenProject(EditorState& s);
// Opens the project file; returns whether it was opened. A file that is no
// project, or ends early, is refused with a message; one that cannot be read
// is passed over silently, as a cancelled dialog is.
bool OpenProjectFrom(EditorState& s, const std::string& path);

}  // namespace qm
