#include "core/font_image.h"

namespace qm {

namespace {

constexpr int kHalfRows = 32;  // font pixels in one half of the picture

void RenderHiRes(const RegisterColors& registers, Image& picture, int c, const FontSlot& font) {
    for (int half = 0; half < 2; ++half) {
        const Rgb set = half == 0 ? registers[LUM] : registers[BAK];
        const Rgb clear = half == 0 ? registers[BAK] : registers[LUM];
        for (int k = 0; k < kCharCount; ++k) {
            const int left = 8 * c * (k % 32);
            const int top = 8 * c * (k / 32) + half * kHalfRows * c;
            for (int y = 0; y < 8; ++y) {
                for (int x = 0; x < 8; ++x) {
                    picture.FillBox(left + c * x, top + c * y, c, c, font.Pixel(k, x, y) == 1 ? set : clear);
                }
            }
        }
    }
}

void RenderMulticolor(const RegisterColors& registers, Image& picture, int c, const FontSlot& font) {
    for (int half = 0; half < 2; ++half) {
        const Rgb colors[4] = {registers[BAK], registers[PF0], registers[PF1], registers[half == 0 ? PF2 : PF3]};
        for (int k = 0; k < kCharCount; ++k) {
            const int left = 8 * c * (k % 32);
            const int top = 8 * c * (k / 32) + half * kHalfRows * c;
            for (int y = 0; y < 8; ++y) {
                for (int x = 0; x < 8; x += 2) {
                    const int pair = 2 * (font.Pixel(k, x, y) == 1) + (font.Pixel(k, x + 1, y) == 1);
                    picture.FillBox(left + c * x, top + c * y, 2 * c, c, colors[pair]);
                }
            }
        }
    }
}

}  // namespace

Image RenderFontImage(const FontSlot& font, const RegisterColors& colors, bool multicolor, int factor) {
    Image picture(256 * factor, 64 * factor);
    if (multicolor) {
        RenderMulticolor(colors, picture, factor, font);
    } else {
        RenderHiRes(colors, picture, factor, font);
    }
    return picture;
}

}  // namespace qm
