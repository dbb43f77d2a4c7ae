#pragma once

#include "app/editor_state.h"

namespace qm {

void StartAnimation(EditorState& s);
void AnimationTick(EditorState& s);
void DrawAnimFrame(EditorState& s, int set);

}  // namespace qm
