#pragma once

#include "session/editor_state.h"

namespace qm {

void ExportImageDialog(EditorState& s, int x, int y, int width, int height);

}  // namespace qm
