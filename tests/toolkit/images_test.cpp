#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "toolkit/toolkit.h"

namespace {

using Bytes = std::vector<unsigned char>;

std::uint32_t U32(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint32_t U16(const Bytes& b, std::size_t at) { return b[at] | (b[at + 1] << 8); }

tk::Surface Gradient(int width, int height) {
    tk::Surface image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) image.Plot(x, y, tk::MakeRgb(x * 7 % 256, y * 13 % 256, (x + y) % 256));
    }
    return image;
}

TEST(Png, EncodeThenDecodeGivesThePixelsBack) {
    const tk::Surface image = Gradient(37, 11);
    const Bytes png = tk::EncodePng(image);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png[1], 'P');
    // IHDR: width, height, depth 8, colour type 2 (RGB, no alpha).
    EXPECT_EQ(png[16 + 3], 37);
    EXPECT_EQ(png[20 + 3], 11);
    EXPECT_EQ(png[24], 8);
    EXPECT_EQ(png[25], 2);
    const tk::Surface back = tk::DecodePng(png);
    ASSERT_EQ(back.Width(), 37);
    ASSERT_EQ(back.Height(), 11);
    for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 37; ++x) ASSERT_EQ(back.Pixel(x, y), image.Pixel(x, y)) << x << "," << y;
    }
}

TEST(Png, BrokenDataDecodesToNothing) {
    EXPECT_EQ(tk::DecodePng({}).Width(), 0);
    EXPECT_EQ(tk::DecodePng(Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9}).Width(), 0);
    Bytes png = tk::EncodePng(Gradient(20, 20));
    png.resize(png.size() / 2);
    EXPECT_EQ(tk::DecodePng(png).Width(), 0);
    Bytes corrupt = tk::EncodePng(Gradient(20, 20));
    for (std::size_t i = 40; i < corrupt.size(); i += 3) corrupt[i] ^= 0x5A;
    EXPECT_EQ(tk::DecodePng(corrupt).Width(), 0);
}

TEST(Bmp, HeaderDescribesBottomUpPaddedRgbRows) {
    tk::Surface image(3, 2);
    image.Plot(0, 0, tk::MakeRgb(10, 20, 30));  // top left
    image.Plot(2, 1, tk::MakeRgb(40, 50, 60));  // bottom right
    const Bytes bmp = tk::EncodeBmp(image);
    const std::uint32_t rowSize = 12;  // 9 bytes padded to 4
    ASSERT_EQ(bmp.size(), 54u + rowSize * 2);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(U32(bmp, 2), bmp.size());
    EXPECT_EQ(U32(bmp, 10), 54u);
    EXPECT_EQ(U32(bmp, 14), 40u);
    EXPECT_EQ(U32(bmp, 18), 3u);
    EXPECT_EQ(U32(bmp, 22), 2u);
    EXPECT_EQ(U16(bmp, 26), 1u);
    EXPECT_EQ(U16(bmp, 28), 24u);
    EXPECT_EQ(U32(bmp, 30), 0u);
    EXPECT_EQ(U32(bmp, 34), rowSize * 2);
    // The first row stored is the bottom one, in blue, green, red order.
    EXPECT_EQ(bmp[54 + 6], 60);
    EXPECT_EQ(bmp[54 + 7], 50);
    EXPECT_EQ(bmp[54 + 8], 40);
    EXPECT_EQ(bmp[54 + 9], 0);  // padding
    EXPECT_EQ(bmp[54 + rowSize + 0], 30);
    EXPECT_EQ(bmp[54 + rowSize + 1], 20);
    EXPECT_EQ(bmp[54 + rowSize + 2], 10);
}

TEST(Bmp, RowsOfAWidthOfFourNeedNoPadding) {
    EXPECT_EQ(tk::EncodeBmp(tk::Surface(4, 5)).size(), 54u + 12 * 5);
    EXPECT_EQ(tk::EncodeBmp(tk::Surface(1, 1)).size(), 54u + 4);
}

}  // namespace
