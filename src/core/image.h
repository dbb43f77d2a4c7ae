#pragma once

// A plain RGB picture in memory: what the font picture export renders, what
// the picture files are written from and read into.

#include <cstdint>
#include <string>
#include <vector>

#include "core/rgb.h"

namespace qm {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // row by row, top byte zero

    Image() = default;
    Image(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, 0) {}

    bool Empty() const { return width <= 0 || height <= 0; }
    Rgb At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    Rgb& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    // Clipped to the picture.
    void FillBox(int x, int y, int w, int h, Rgb color);
};

// Both give no bytes for an empty picture.
std::vector<unsigned char> EncodePng(const Image& image);
// The picture enlarged scale times (1 to 16), each pixel a square of that
// side, as PNG: what drawing it larger gives, without a picture that large.
std::vector<unsigned char> EncodeEnlargedPng(const Image& image, int scale);
std::vector<unsigned char> EncodeBmp(const Image& image);
// An empty picture when the bytes are not a PNG file or it is damaged; pictures
// wider or higher than 16384 pixels are refused before anything is allocated.
Image DecodePng(const std::vector<unsigned char>& data);
// The same for bitmap files: uncompressed, 1, 4, 8, 16, 24 or 32 bits a pixel,
// 16 and 32 also with colour masks, rows bottom-up or top-down. Rows missing
// from the file make it damaged. A palette index past the palette's end
// makes either kind damaged.
Image DecodeBmp(const std::vector<unsigned char>& data);
// Why a BMP that may well be sound is not read (compressed ones); empty for
// any other file.
std::string UnsupportedBmpKind(const std::vector<unsigned char>& data);

}  // namespace qm
