#pragma once

#include <vector>

#include "app/editor_state.h"

namespace qm {

void SaveColorFile(EditorState& s);
void LoadColorFile(EditorState& s);

}  // namespace qm
