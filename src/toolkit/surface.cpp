#include "toolkit/surface.h"

#include <algorithm>
#include <cstdlib>

namespace tk {

namespace {
constexpr std::uint32_t kOpaque = 0xFF000000u;
}

Surface::Surface(int width, int height) { Resize(width, height); }

void Surface::Resize(int width, int height) {
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), kOpaque);
    ++generation_;
}

void Surface::PutBlended(std::uint32_t& dst, Rgb color) const {
    if (!blending_) {
        dst = (color & 0xFFFFFFu) | kOpaque;
        return;
    }
    const std::uint32_t a = color >> 24;
    const std::uint32_t na = 255 - a;
    const std::uint32_t r = (a * (color & 0xFF) + na * (dst & 0xFF)) / 255;
    const std::uint32_t g = (a * ((color >> 8) & 0xFF) + na * ((dst >> 8) & 0xFF)) / 255;
    const std::uint32_t b = (a * ((color >> 16) & 0xFF) + na * ((dst >> 16) & 0xFF)) / 255;
    dst = r | (g << 8) | (b << 16) | kOpaque;
}

void Surface::FillBox(int x, int y, int width, int height, Rgb color) {
    const int x0 = std::max(x, 0);
    const int y0 = std::max(y, 0);
    const int x1 = std::min(x + width, width_);
    const int y1 = std::min(y + height, height_);
    if (x0 >= x1 || y0 >= y1) return;
    ++generation_;
    for (int row = y0; row < y1; ++row) {
        std::uint32_t* line = pixels_.data() + static_cast<std::size_t>(row) * width_;
        if (!blending_) {
            std::fill(line + x0, line + x1, (color & 0xFFFFFFu) | kOpaque);
        } else {
            for (int col = x0; col < x1; ++col) PutBlended(line[col], color);
        }
    }
}

void Surface::Plot(int x, int y, Rgb color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    ++generation_;
    PutBlended(pixels_[static_cast<std::size_t>(y) * width_ + x], color);
}

void Surface::LineBetween(int x1, int y1, int x2, int y2, Rgb color) {
    // Bresenham, both end points included.
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        Plot(x1, y1, color);
        if (x1 == x2 && y1 == y2) break;
        const int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x1 += sx; }
        if (e2 <= dx) { err += dx; y1 += sy; }
    }
}

Rgb Surface::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return pixels_[static_cast<std::size_t>(y) * width_ + x] & 0xFFFFFFu;
}

void Surface::DrawImage(int x, int y, const Surface& image) {
    const int x0 = std::max(x, 0);
    const int y0 = std::max(y, 0);
    const int x1 = std::min(x + image.width_, width_);
    const int y1 = std::min(y + image.height_, height_);
    if (x0 >= x1 || y0 >= y1) return;
    ++generation_;
    for (int row = y0; row < y1; ++row) {
        const std::uint32_t* src = image.pixels_.data() + static_cast<std::size_t>(row - y) * image.width_ + (x0 - x);
        std::copy(src, src + (x1 - x0), pixels_.data() + static_cast<std::size_t>(row) * width_ + x0);
    }
}

void Surface::DrawScaled(int x, int y, const Rgb* colors, int columns, int rows, int scaleX, int scaleY) {
    if (blending_) {
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c) FillBox(x + c * scaleX, y + r * scaleY, scaleX, scaleY, colors[r * columns + c]);
        }
        return;
    }
    const int x0 = std::max(x, 0);
    const int x1 = std::min(x + columns * scaleX, width_);
    if (x0 >= x1) return;
    ++generation_;
    for (int r = 0; r < rows; ++r) {
        const int top = std::max(y + r * scaleY, 0);
        const int bottom = std::min(y + (r + 1) * scaleY, height_);
        if (top >= bottom) continue;
        std::uint32_t* first = pixels_.data() + static_cast<std::size_t>(top) * width_;
        for (int px = x0; px < x1; ++px) first[px] = (colors[r * columns + (px - x) / scaleX] & 0xFFFFFFu) | kOpaque;
        for (int line = top + 1; line < bottom; ++line) {
            std::copy(first + x0, first + x1, pixels_.data() + static_cast<std::size_t>(line) * width_ + x0);
        }
    }
}

}  // namespace tk
