#include "charedit/palette.h"

#include "session/font_buffer.h"

namespace qm {

namespace {

constexpr int kImageWidth = 161;
constexpr int kImageHeight = 289;
constexpr int kPitch = 16;
constexpr int kColumns = 8;
constexpr int kRows = 16;
constexpr int kGridEnd = kPitch * (kColumns + 1);  // x of the closing line, 144
constexpr int kGridBottom = kPitch * (kRows + 1);  // y of the closing line, 272
constexpr Rgb kBackground = tk::MakeRgb(240, 240, 240);
constexpr Rgb kBorder = tk::MakeRgb(1, 1, 1);
constexpr Rgb kLabelInk = tk::MakeRgb(0, 0, 0);

// The standard character set keeps its digits from internal code 16 and its
// capitals from 33.
int GlyphOfHexDigit(int digit) { return digit < 10 ? 16 + digit : 33 + digit - 10; }

void DrawGlyph(tk::Surface& image, int code, int left, int top) {
    for (int row = 0; row < 8; ++row) {
        const int bits = DefaultFontData[8 * code + row];
        for (int column = 0; column < 8; ++column) {
            if (bits & (0x80 >> column)) image.Plot(left + column, top + row, kLabelInk);
        }
    }
}

void DrawCells(tk::Surface& image) {
    for (int hue = 0; hue < kRows; ++hue) {
        for (int column = 0; column < kColumns; ++column) {
            image.FillBox(kPitch * (column + 1) + 1, kPitch * (hue + 1) + 1, kPitch - 1, kPitch - 1,
                          PlatformPalette[hue][column]);
        }
    }
}

void DrawBorders(tk::Surface& image) {
    for (int x = kPitch; x <= kGridEnd; x += kPitch) image.Line(x, kPitch, 1, kGridBottom - kPitch + 1, kBorder);
    for (int y = kPitch; y <= kGridBottom; y += kPitch) image.Line(kPitch, y, kGridEnd - kPitch + 1, 1, kBorder);
}

// Luminance above the columns (0, 2, ... E), hue left of the rows (0 ... F),
// each glyph centred in the margin cell.
void DrawLabels(tk::Surface& image) {
    constexpr int kInset = (kPitch - 8) / 2;
    for (int column = 0; column < kColumns; ++column) {
        DrawGlyph(image, GlyphOfHexDigit(2 * column), kPitch * (column + 1) + kInset, kInset);
    }
    for (int hue = 0; hue < kRows; ++hue) DrawGlyph(image, GlyphOfHexDigit(hue), kInset, kPitch * (hue + 1) + kInset);
}

tk::Surface BuildPaletteImage() {
    tk::Surface image(kImageWidth, kImageHeight);
    image.FillBox(0, 0, kImageWidth, kImageHeight, kBackground);
    DrawCells(image);
    DrawBorders(image);
    DrawLabels(image);
    return image;
}

}  // namespace

const tk::Surface& PaletteImage() {
    static const tk::Surface image = BuildPaletteImage();
    return image;
}

}  // namespace qm
