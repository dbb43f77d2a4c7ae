#pragma once

#include <cstdint>

namespace qm {

// A screen colour: red + 256 * green + 65536 * blue. Where drawing needs an
// opacity it stands in the top byte (0 transparent, 255 opaque).
using Rgb = std::uint32_t;

constexpr Rgb MakeRgb(int r, int g, int b) {
    return static_cast<Rgb>(r) | (static_cast<Rgb>(g) << 8) | (static_cast<Rgb>(b) << 16);
}
constexpr Rgb WithAlpha(Rgb rgb, int alpha) {
    return (rgb & 0xFFFFFFu) | (static_cast<Rgb>(alpha) << 24);
}
constexpr int RedOf(Rgb c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Rgb c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Rgb c) { return static_cast<int>((c >> 16) & 0xFF); }

}  // namespace qm
