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

// An in-memory 32-bit picture that canvases show and off-screen images hold.
// Pixels are kept as 0xFFBBGGRR so a widget can show the buffer without
// converting it; Pixel() hands back the plain Rgb. Every drawing call clips to
// the surface, so callers may draw boxes and lines that reach past its edges.
class Surface {
public:
    Surface() = default;
    Surface(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
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

    const std::uint32_t* Data() const { return pixels_.data(); }
    std::uint32_t* Data() { return pixels_.data(); }

    // Bumped by every change, so a widget knows when to show the surface again.
    std::uint64_t Generation() const { return generation_; }

private:
    void PutBlended(std::uint32_t& dst, Rgb color) const;

    int width_ = 0;
    int height_ = 0;
    bool blending_ = false;
    std::uint64_t generation_ = 0;
    std::vector<std::uint32_t> pixels_;
};

}  // namespace tk
