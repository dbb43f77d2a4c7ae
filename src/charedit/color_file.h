#pragma once

#include <vector>

#include "session/editor_state.h"

namespace qm {

void SaveColorFile(EditorState& s);
void LoadColorFile(EditorState& s);
// Loads the colour file into the registers; false when it cannot be read or is
// not a colour file (which a message tells).
bool LoadColorFrom(EditorState& s, const std::string& path);

}  // namespace qm
