#pragma once

// What the machine shows of its memory in the text modes 2 and 4, read as the
// display chip reads it after the vertical blank has copied the operating
// system's shadows: the display list at SDLSTL/H, the font at CHBAS, CHACT and
// the colour shadows. Any other mode or an unusable list throws.

#include <array>
#include <cstdint>
#include <vector>

namespace qm::test {

struct ScreenPicture {
    static constexpr int kWidth = 320;  // high-resolution pixels of a normal-width line
    using Row = std::array<std::uint8_t, kWidth>;
    // Colour bytes (hue x 16 + luminance), one row per scan line from the
    // top of the display list to its jump.
    std::vector<Row> rows;
};

ScreenPicture ShowTextScreen(const std::array<std::uint8_t, 65536>& memory);

}  // namespace qm::test
