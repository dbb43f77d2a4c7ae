#pragma once

#include <string>

#include "session/editor_state.h"

namespace qm {

// mode "zapiszjako" asks for a name first; any other word saves under ProjectPath.
// Returns whether the project was written.
bool SaveProject(EditorState& s, const std::string& mode);
void OpenProject(EditorState& s);
// Opens the project file; returns whether it was opened. A file that is no
// project, or ends early, is refused with a message; one that cannot be read
// is passed over silently, as a cancelled dialog is.
bool OpenProjectFrom(EditorState& s, const std::string& path);

}  // namespace qm
