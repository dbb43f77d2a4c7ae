#include "files/export_image.h"

namespace qm {

namespace {

constexpr int kHalfRows = 32;  // font pixels in one half of the picture

// Hi-res: a set pixel shows LUM, a clear one BAK; the inverse half swaps them.
void RenderHiRes(const EditorState& s, tk::Surface& canvas, int c, const FontSlot& font) {
    for (int half = 0; half < 2; ++half) {
        const Rgb set = half == 0 ? s.RegisterRgb[LUM] : s.RegisterRgb[BAK];
        const Rgb clear = half == 0 ? s.RegisterRgb[BAK] : s.RegisterRgb[LUM];
        for (int k = 0; k < kCharCount; ++k) {
            const int left = 8 * c * (k % 32);
            const int top = 8 * c * (k / 32) + half * kHalfRows * c;
            for (int y = 0; y < 8; ++y) {
                for (int x = 0; x < 8; ++x) {
                    canvas.FillBox(left + c * x, top + c * y, c, c, font.Pixel(k, x, y) == 1 ? set : clear);
                }
            }
        }
    }
}

// Multicolour: each pixel pair selects BAK, PF0, PF1 or PF2, PF3 taking PF2's
// place in the inverse half.
void RenderMulticolor(const EditorState& s, tk::Surface& canvas, int c, const FontSlot& font) {
    for (int half = 0; half < 2; ++half) {
        const Rgb colors[4] = {s.RegisterRgb[BAK], s.RegisterRgb[PF0], s.RegisterRgb[PF1],
                               s.RegisterRgb[half == 0 ? PF2 : PF3]};
        for (int k = 0; k < kCharCount; ++k) {
            const int left = 8 * c * (k % 32);
            const int top = 8 * c * (k / 32) + half * kHalfRows * c;
            for (int y = 0; y < 8; ++y) {
                for (int x = 0; x < 8; x += 2) {
                    const int pair = 2 * (font.Pixel(k, x, y) == 1) + (font.Pixel(k, x + 1, y) == 1);
                    canvas.FillBox(left + c * x, top + c * y, 2 * c, c, colors[pair]);
                }
            }
        }
    }
}

}  // namespace

void RenderFontImage(EditorState& s, tk::Surface& canvas, int scale) {
    const int c = scale + 1;
    if (s.MulticolorMode) {
        RenderMulticolor(s, canvas, c, s.Slot());
    } else {
        RenderHiRes(s, canvas, c, s.Slot());
    }
}

}  // namespace qm
