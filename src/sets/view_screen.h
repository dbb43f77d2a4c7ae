#pragma once

#include "session/editor_state.h"

namespace qm {

constexpr int kViewCell = 16;
constexpr int kViewScreenWidth = kViewColumns * kViewCell;  // 960
constexpr int kViewScreenHeight = kViewRows * kViewCell;    // 640

// Every event of the view canvas: placing, stamping and erasing, the set
// following the pointer, and the cell in the window title.
void HandleViewMouse(EditorState& s, const tk::Event& event);

}  // namespace qm
