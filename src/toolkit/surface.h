#pragma once

#include <cstdint>
#include <vector>

#include "core/rgb.h"

namespace tk {

using qm::Rgb;
using qm::MakeRgb;
using qm::WithAlpha;
using qm::RedOf;
using qm::GreenOf;
using qm::BlueOf;

// The word a surface keeps for a colour, 0xFFRRGGBB: the 32-bit form that the
// window system shows without converting it. The top byte of the colour is
// dropped.
constexpr std::uint32_t WordOf(Rgb c) {
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr Rgb RgbOfWord(std::uint32_t word) {
    return ((word & 0xFFu) << 16) | (word & 0xFF00u) | ((word >> 16) & 0xFFu);
}

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
};

// An in-memory 32-bit picture that canvases show and off-screen images hold,
// kept as WordOf() words, row by row; Pixel() hands back the plain Rgb. Every
// drawing call clips to the surface, so callers may draw boxes and lines that
// reach past its edges.
class Surface {
public:
    Surface() = default;
    Surface(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Black all over, and all of it changed.
    void Resize(int width, int height);

    // With blending on, a colour's top byte is its opacity a and the drawn
    // pixel becomes (a * new + (255 - a) * old) / 255; with it off the colour
    // is written as it is and its top byte ignored.
    void SetBlending(bool on) { blending_ = on; }
    bool Blending() const { return blending_; }

    void FillBox(int x, int y, int width, int height, Rgb color);
    // A line of a width and a height is a box; the name says what it is for.
    void Line(int x, int y, int width, int height, Rgb color) { FillBox(x, y, width, height, color); }
    void LineBetween(int x1, int y1, int x2, int y2, Rgb color);
    void Plot(int x, int y, Rgb color);
    Rgb Pixel(int x, int y) const;
    void DrawImage(int x, int y, const Surface& image);
    // A small picture of columns x rows colours, each drawn as a scaleX x scaleY
    // block; one call draws a whole enlarged character.
    void DrawScaled(int x, int y, const Rgb* colors, int columns, int rows, int scaleX, int scaleY);

    // The words themselves. Asking to write them counts as a change of every
    // pixel.
    const std::uint32_t* Data() const { return pixels_.data(); }
    std::uint32_t* WritableData();

    // The rectangle to show again: it holds what every drawing call that
    // changed a pixel drew since it was last taken (or since the surface got
    // its size); width 0 when none did. A call that draws only what is
    // already there changes nothing.
    Rect Changed() const;
    Rect TakeChanged();
    // What changed, as rectangles that do not overlap, inside Changed():
    // changes far apart are shown again apart, without all that lies between.
    std::vector<Rect> ChangedParts() const;

    // Bumped by every drawing call that reaches the surface, whether or not
    // it changes a pixel, so a view can tell whether anything drew into it
    // since it did.
    std::uint64_t Generation() const { return generation_; }

private:
    void Widen(int x0, int y0, int x1, int y1);
    void ChangeAll();

    // The parts are kept as squares of this side that hold a change.
    static constexpr int kTile = 32;

    int width_ = 0;
    int height_ = 0;
    bool blending_ = false;
    std::uint64_t generation_ = 0;
    // The changed rectangle as edges, empty while left >= right.
    int changedLeft_ = 0, changedTop_ = 0, changedRight_ = 0, changedBottom_ = 0;
    int tileColumns_ = 0;
    std::vector<std::uint8_t> changedTiles_;  // row by row, 1 for a square with a change
    std::vector<std::uint32_t> pixels_;
};

}  // namespace tk
