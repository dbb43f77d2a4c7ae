#include "charedit/transforms.h"

#include <algorithm>

namespace qm {

void TransformChar(EditorState& s, TransformCode code) {
    if (s.CurrentChar < 0 || s.CurrentChar >= kCharCount) return;
    std::uint8_t* pixels = s.Slot().Char(s.CurrentChar);
    switch (code) {
        case kPaste:
            std::copy(s.CharClipboard.begin(), s.CharClipboard.end(), pixels);
            break;
        case kCopy:
            std::copy(pixels, pixels + 64, s.CharClipboard.begin());
            return;
        default:
            if (!TransformPixels(pixels, code, s.MulticolorMode == DisplayMode::Multicolor)) return;
            break;
    }
    RedrawAll(s);
}

}  // namespace qm
