#include "core/transforms.h"

#include <algorithm>
#include <array>

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
void Move(std::uint8_t* pixels, int code, bool multicolor) {
    std::array<std::uint8_t, 64> old{};
    std::copy(pixels, pixels + 64, old.begin());
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const Point from = SourceOf(code, multicolor, x, y);
            pixels[8 * y + x] = old[8 * from.y + from.x];
        }
    }
}

}  // namespace

bool TransformPixels(std::uint8_t* pixels, int code, bool multicolor) {
    switch (code) {
        case kRotate:
            if (multicolor) return false;
            Move(pixels, code, multicolor);
            return true;
        case kHMirror: case kVMirror: case kShiftRight: case kShiftLeft: case kShiftDown: case kShiftUp:
            Move(pixels, code, multicolor);
            return true;
        case kInverse:
            std::for_each(pixels, pixels + 64, [](std::uint8_t& p) { p = p == 0 ? 1 : 0; });
            return true;
        case kClear:
            std::fill(pixels, pixels + 64, std::uint8_t{0});
            return true;
        default:
            return false;
    }
}

}  // namespace qm
