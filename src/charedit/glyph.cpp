#include "charedit/glyph.h"

namespace qm {

Rgb PairColor(const EditorState& s, int pairValue, bool inverse) {
    static constexpr int kRegisterOfPair[4] = {BAK, PF0, PF1, PF2};
    if (pairValue == 3 && inverse) return s.doc.RegisterRgb[PF3];
    return s.doc.RegisterRgb[kRegisterOfPair[pairValue & 3]];
}

void CodeColors(const EditorState& s, int code, Rgb out[64]) {
    const std::uint8_t* pixels = s.Slot().Char(CharOfCode(code));
    const bool inverse = IsInverseCode(code);
    if (s.MulticolorMode == DisplayMode::HiRes) {
        const Rgb set = s.doc.RegisterRgb[inverse ? BAK : LUM];
        const Rgb clear = s.doc.RegisterRgb[inverse ? LUM : BAK];
        for (int i = 0; i < 64; ++i) out[i] = pixels[i] == 1 ? set : clear;
        return;
    }
    for (int i = 0; i < 64; i += 2) {
        const int value = 2 * (pixels[i] == 1) + (pixels[i + 1] == 1);
        out[i] = out[i + 1] = PairColor(s, value, inverse);
    }
}

ViewInputs GlyphInputs(const EditorState& s) {
    ViewInputs inputs;
    inputs.Add(s.MulticolorMode).Add(s.LayerMode).Add(s.doc.RegisterRgb).Add(s.CurrentSlot).AddGlyphs(s.Slot().pixels);
    // The mask view draws the next slot beneath the current one.
    if (s.CurrentSlot + 1 <= kSlotCount) inputs.AddGlyphs(s.doc.Slots[s.CurrentSlot + 1].pixels);
    return inputs;
}

void DrawCode(const EditorState& s, tk::Surface& surface, int code, int left, int top, int scale) {
    if (!IsCellCode(code)) return;
    Rgb colors[64];
    CodeColors(s, code, colors);
    surface.DrawScaled(left, top, colors, 8, 8, scale, scale);
}

}  // namespace qm
