#pragma once

// The character transforms, on the 64 pixels of one character.

#include <cstdint>

namespace qm {

enum TransformCode {
    kPaste = 1, kCopy, kRotate, kHMirror, kVMirror, kInverse, kClear,
    kShiftRight, kShiftLeft, kShiftDown, kShiftUp,
};

// Applies a transform other than paste and copy to the pixels, row by row.
// In the multicolour view horizontal moves go by whole pairs and there is no
// rotation, since a quarter turn would tear the pairs apart. Returns whether
// the transform applies (unknown codes and a multicolour rotation do nothing).
bool TransformPixels(std::uint8_t* pixels, int code, bool multicolor);

}  // namespace qm
