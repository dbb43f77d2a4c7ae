#include "toolkit/surface.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace tk {

namespace {

// A drawing call tells whether it changed a pixel from the differences
// between the old words and the new: drawing what a view already shows is no
// change to show.

// Four words at a time, in the vector extension of GCC and Clang, moved in
// and out with memcpy, which compiles to plain loads and stores.
using Words = std::uint32_t __attribute__((vector_size(16)));
constexpr int kWords = 4;

Words Load(const std::uint32_t* at) {
    Words words;
    std::memcpy(&words, at, sizeof words);
    return words;
}

bool AnyOf(Words diff) { return (diff[0] | diff[1] | diff[2] | diff[3]) != 0; }

// Compares as it writes, which costs next to nothing beside the writing, and
// returns the differences. Inlined: the boxes of enlarged pixels are a few
// words wide, and a call per row would cost more than they do.
[[gnu::always_inline]] inline Words FillWords(std::uint32_t* dst, int count, std::uint32_t word) {
    const Words fill = {word, word, word, word};
    Words diff = {};
    int i = 0;
    for (; i + kWords <= count; i += kWords) {
        diff |= Load(dst + i) ^ fill;
        std::memcpy(dst + i, &fill, sizeof fill);
    }
    for (; i < count; ++i) {
        diff[0] |= dst[i] ^ word;
        dst[i] = word;
    }
    return diff;
}

// Rows of a picture: the library's wide comparison, then its wide copy where
// needed, measured faster here than one pass of four words.
bool CopyWords(std::uint32_t* dst, const std::uint32_t* src, int count) {
    const std::size_t bytes = static_cast<std::size_t>(count) * sizeof *dst;
    if (std::memcmp(dst, src, bytes) == 0) return false;
    std::memcpy(dst, src, bytes);
    return true;
}

// (a * new + (255 - a) * old) / 255 in each channel alike, so the order of
// the channels in the word does not matter.
std::uint32_t BlendWords(std::uint32_t old, std::uint32_t word, std::uint32_t a) {
    const std::uint32_t na = 255 - a;
    const std::uint32_t c0 = (a * (word & 0xFF) + na * (old & 0xFF)) / 255;
    const std::uint32_t c1 = (a * ((word >> 8) & 0xFF) + na * ((old >> 8) & 0xFF)) / 255;
    const std::uint32_t c2 = (a * ((word >> 16) & 0xFF) + na * ((old >> 16) & 0xFF)) / 255;
    return 0xFF000000u | c0 | (c1 << 8) | (c2 << 16);
}

}  // namespace

Surface::Surface(int width, int height) { Resize(width, height); }

void Surface::Resize(int width, int height) {
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), WordOf(0));
    tileColumns_ = (width_ + kTile - 1) / kTile;
    changedTiles_.assign(static_cast<std::size_t>(tileColumns_) * ((height_ + kTile - 1) / kTile), 0);
    ChangeAll();
}

std::uint32_t* Surface::WritableData() {
    ChangeAll();
    return pixels_.data();
}

void Surface::ChangeAll() {
    ++generation_;
    changedLeft_ = 0;
    changedTop_ = 0;
    changedRight_ = width_;
    changedBottom_ = height_;
    std::fill(changedTiles_.begin(), changedTiles_.end(), 1);
}

// (x0, y0) to (x1, y1), right and bottom edges excluded, lies inside the surface.
inline void Surface::Widen(int x0, int y0, int x1, int y1) {
    if (changedLeft_ >= changedRight_) {
        changedLeft_ = x0;
        changedTop_ = y0;
        changedRight_ = x1;
        changedBottom_ = y1;
    } else {
        changedLeft_ = std::min(changedLeft_, x0);
        changedTop_ = std::min(changedTop_, y0);
        changedRight_ = std::max(changedRight_, x1);
        changedBottom_ = std::max(changedBottom_, y1);
    }
    const int first = x0 / kTile;
    const int count = (x1 - 1) / kTile - first + 1;
    for (int row = y0 / kTile; row <= (y1 - 1) / kTile; ++row) {
        std::fill_n(changedTiles_.begin() + row * tileColumns_ + first, count, 1);
    }
}

Rect Surface::Changed() const {
    if (changedLeft_ >= changedRight_ || changedTop_ >= changedBottom_) return {};
    return {changedLeft_, changedTop_, changedRight_ - changedLeft_, changedBottom_ - changedTop_};
}

std::vector<Rect> Surface::ChangedParts() const {
    std::vector<Rect> parts;
    const Rect bounds = Changed();
    if (bounds.width <= 0) return parts;
    // Each run of squares with a change along a row of squares is one part,
    // trimmed to the changed rectangle.
    const int lastColumn = (bounds.x + bounds.width - 1) / kTile;
    for (int row = bounds.y / kTile; row <= (bounds.y + bounds.height - 1) / kTile; ++row) {
        const std::uint8_t* tiles = changedTiles_.data() + row * tileColumns_;
        for (int column = bounds.x / kTile; column <= lastColumn; ++column) {
            if (!tiles[column]) continue;
            const int start = column;
            while (column + 1 <= lastColumn && tiles[column + 1]) ++column;
            const int left = std::max(start * kTile, bounds.x);
            const int top = std::max(row * kTile, bounds.y);
            const int right = std::min((column + 1) * kTile, bounds.x + bounds.width);
            const int bottom = std::min((row + 1) * kTile, bounds.y + bounds.height);
            parts.push_back({left, top, right - left, bottom - top});
        }
    }
    return parts;
}

Rect Surface::TakeChanged() {
    const Rect changed = Changed();
    if (changed.width > 0) std::fill(changedTiles_.begin(), changedTiles_.end(), 0);
    changedLeft_ = changedTop_ = changedRight_ = changedBottom_ = 0;
    return changed;
}

void Surface::FillBox(int x, int y, int width, int height, Rgb color) {
    const int x0 = std::max(x, 0);
    const int y0 = std::max(y, 0);
    const int x1 = std::min(x + width, width_);
    const int y1 = std::min(y + height, height_);
    if (x0 >= x1 || y0 >= y1) return;
    ++generation_;
    const std::uint32_t word = WordOf(color);
    const std::uint32_t alpha = color >> 24;
    Words diff = {};
    for (int row = y0; row < y1; ++row) {
        std::uint32_t* line = pixels_.data() + static_cast<std::size_t>(row) * width_;
        if (!blending_) {
            diff |= FillWords(line + x0, x1 - x0, word);
            continue;
        }
        for (int col = x0; col < x1; ++col) {
            const std::uint32_t blended = BlendWords(line[col], word, alpha);
            diff[0] |= blended ^ line[col];
            line[col] = blended;
        }
    }
    if (AnyOf(diff)) Widen(x0, y0, x1, y1);
}

void Surface::Plot(int x, int y, Rgb color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    ++generation_;
    std::uint32_t& pixel = pixels_[static_cast<std::size_t>(y) * width_ + x];
    const std::uint32_t drawn = blending_ ? BlendWords(pixel, WordOf(color), color >> 24) : WordOf(color);
    if (drawn == pixel) return;
    pixel = drawn;
    Widen(x, y, x + 1, y + 1);
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
    return RgbOfWord(pixels_[static_cast<std::size_t>(y) * width_ + x]);
}

void Surface::DrawImage(int x, int y, const Surface& image) {
    const int x0 = std::max(x, 0);
    const int y0 = std::max(y, 0);
    const int x1 = std::min(x + image.width_, width_);
    const int y1 = std::min(y + image.height_, height_);
    if (x0 >= x1 || y0 >= y1) return;
    ++generation_;
    bool changed = false;
    for (int row = y0; row < y1; ++row) {
        const std::uint32_t* src = image.pixels_.data() + static_cast<std::size_t>(row - y) * image.width_ + (x0 - x);
        changed |= CopyWords(pixels_.data() + static_cast<std::size_t>(row) * width_ + x0, src, x1 - x0);
    }
    if (changed) Widen(x0, y0, x1, y1);
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
    const int y0 = std::max(y, 0);
    const int y1 = std::min(y + rows * scaleY, height_);
    if (x0 >= x1 || y0 >= y1) return;
    ++generation_;
    Words diff = {};
    bool copiedOver = false;
    for (int r = 0; r < rows; ++r) {
        const int top = std::max(y + r * scaleY, 0);
        const int bottom = std::min(y + (r + 1) * scaleY, height_);
        if (top >= bottom) continue;
        // The first line of the blocks is drawn, the others copied from it.
        std::uint32_t* first = pixels_.data() + static_cast<std::size_t>(top) * width_;
        for (int c = 0; c < columns; ++c) {
            const int left = std::max(x + c * scaleX, x0);
            const int right = std::min(x + (c + 1) * scaleX, x1);
            if (left < right) diff |= FillWords(first + left, right - left, WordOf(colors[r * columns + c]));
        }
        for (int line = top + 1; line < bottom; ++line) {
            copiedOver |= CopyWords(pixels_.data() + static_cast<std::size_t>(line) * width_ + x0, first + x0, x1 - x0);
        }
    }
    if (copiedOver || AnyOf(diff)) Widen(x0, y0, x1, y1);
}

}  // namespace tk
