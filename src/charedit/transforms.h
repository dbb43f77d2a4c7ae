#pragma once

#include "app/editor_state.h"

namespace qm {

enum TransformCode {
    kPaste = 1, kCopy, kRotate, kHMirror, kVMirror, kInverse, kClear,
    kShiftRight, kShiftLeft, kShiftDown, kShiftUp,
};

void TransformChar(EditorState& s, int code);

}  // namespace qm
