#include "charedit/transforms.h"

#include <algorithm>

#include "charedit/font_sheet.h"

namespace qm {

namespace {

struct Point {
    int x, y;
};

// Where each moving transform takes pixel (x, y) of the new character from.
// In the multicolour view horizontal moves go by whole pairs, so every pair
// keeps its colour.
Point SourceOf(int code, bool multicolor, int x, int y) {
    const int step = multicolor ? 2 : 1;
    switch (code) {
        case kRotate: return {y, 7 - x};
        case kHMirror: return multicolor ? Point{(6 - (x & ~1)) + (x & 1), y} : Point{7 - x, y};
        case kVMirror: return {x, 7 - y};
        case kShiftRight: return {(x - step + 8) % 8, y};
        case kShiftLeft: return {(x + step) % 8, y};
        case kShiftDown: return {x, (y + 7) % 8};
        case kShiftUp: return {x, (y + 1) % 8};
        default: return {x, y};
    }
}

// The old character is copied aside first, so no pixel is read after it was written.
void Move(EditorState& s, std::uint8_t* pixels, int code) {
    std::copy(pixels, pixels + 64, s.TransformScratch.begin());
    const bool multicolor = s.MulticolorMode != 0;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const Point from = SourceOf(code, multicolor, x, y);
            pixels[8 * y + x] = s.TransformScratch[8 * from.y + from.x];
        }
    }
}

}  // namespace

void TransformChar(EditorState& s, int code) {
    if (s.CurrentChar < 0 || s.CurrentChar >= kCharCount) return;
    std::uint8_t* pixels = s.Slot().Char(s.CurrentChar);
    switch (code) {
        case kPaste:
            std::copy(s.CharClipboard.begin(), s.CharClipboard.end(), pixels);
            break;
        case kCopy:
            std::copy(pixels, pixels + 64, s.CharClipboard.begin());
            return;
        case kRotate:
            // A quarter turn would tear the pairs apart, so the multicolour
            // view has no rotation.
            if (s.MulticolorMode != 0) return;
            Move(s, pixels, code);
            break;
        case kHMirror: case kVMirror: case kShiftRight: case kShiftLeft: case kShiftDown: case kShiftUp:
            Move(s, pixels, code);
            break;
        case kInverse:
            std::for_each(pixels, pixels + 64, [](std::uint8_t& p) { p = p == 0 ? 1 : 0; });
            break;
        case kClear:
            std::fill(pixels, pixels + 64, std::uint8_t{0});
            break;
        default:
            return;
    }
    RedrawAll(s);
}

}  // namespace qm
