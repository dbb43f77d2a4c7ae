#include "charedit/char_editor.h"

namespace qm {

namespace {

struct Pair {
    std::uint8_t left, right;
};

// The pair code that a button colour paints in the multicolour view; LUM and
// PF3 have none, so they paint nothing there.
bool PairOfColor(int colorIndex, Pair& pair) {
    switch (colorIndex) {
        case BAK: pair = {0, 0}; return true;
        case PF0: pair = {0, 1}; return true;
        case PF1: pair = {1, 0}; return true;
        case PF2: pair = {1, 1}; return true;
        default: return false;
    }
}

bool InsideChar(int ch, int x, int y) {
    return ch >= 0 && ch < kCharCount && x >= 0 && x < 8 && y >= 0 && y < 8;
}

}  // namespace

bool PaintCharPixel(EditorState& s, int ch, int x, int y, int button) {
    if (!InsideChar(ch, x, y)) return false;
    FontSlot& slot = s.Slot();
    if (s.MulticolorMode == DisplayMode::HiRes) {
        const std::uint8_t value = button == tk::ButtonLeft ? 1 : 0;
        const bool changed = slot.Pixel(ch, x, y) != value;
        slot.Pixel(ch, x, y) = value;
        return changed;
    }
    const int pairX = x & ~1;
    Pair pair{};
    if (!PairOfColor(button == tk::ButtonLeft ? s.LeftColor : s.RightColor, pair)) return false;
    const bool changed = slot.Pixel(ch, pairX, y) != pair.left || slot.Pixel(ch, pairX + 1, y) != pair.right;
    slot.Pixel(ch, pairX, y) = pair.left;
    slot.Pixel(ch, pairX + 1, y) = pair.right;
    return changed;
}

bool PaintEditorPixel(EditorState& s, int button, int x, int y) {
    return PaintCharPixel(s, s.CurrentChar, x, y, button);
}

}  // namespace qm
