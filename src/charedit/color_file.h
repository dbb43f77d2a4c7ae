#pragma once

#include <vector>

#include "session/editor_state.h"

namespace qm {

void SaveColorFile(EditorState& s);
void LoadColorFile(EditorState& s);

}  // namespace qm
