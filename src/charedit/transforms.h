#pragma once

#include "core/transforms.h"
#include "session/editor_state.h"

namespace qm {

// A transform of the current character, then the full redraw; copy fills the
// character clipboard and paste takes from it.
void TransformChar(EditorState& s, TransformCode code);

}  // namespace qm
