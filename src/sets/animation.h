#pragma once

#include "session/editor_state.h"

namespace qm {

void StartAnimation(EditorState& s);
void AnimationTick(EditorState& s);
void DrawAnimFrame(EditorState& s, int set);

}  // namespace qm
