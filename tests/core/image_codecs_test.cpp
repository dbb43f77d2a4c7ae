#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/image.h"

namespace {

using Bytes = std::vector<unsigned char>;

std::uint32_t U32(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint32_t U16(const Bytes& b, std::size_t at) { return b[at] | (b[at + 1] << 8); }

qm::Image Gradient(int width, int height) {
    qm::Image image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) image.At(x, y) = (qm::MakeRgb(x * 7 % 256, y * 13 % 256, (x + y) % 256));
    }
    return image;
}

TEST(Png, EncodeThenDecodeGivesThePixelsBack) {
    const qm::Image image = Gradient(37, 11);
    const Bytes png = qm::EncodePng(image);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png[1], 'P');
    // IHDR: width, height, depth 8, colour type 2 (RGB, no alpha).
    EXPECT_EQ(png[16 + 3], 37);
    EXPECT_EQ(png[20 + 3], 11);
    EXPECT_EQ(png[24], 8);
    EXPECT_EQ(png[25], 2);
    const qm::Image back = qm::DecodePng(png);
    ASSERT_EQ(back.width, 37);
    ASSERT_EQ(back.height, 11);
    for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 37; ++x) ASSERT_EQ(back.At(x, y), image.At(x, y)) << x << "," << y;
    }
}

// Enlarged or not, of few colours (stored as indices of 1 to 8 bits) or many
// (stored as RGB): the picture comes back with every pixel a square.
TEST(Png, PicturesComeBackTheSameAtEveryScaleWhateverTheirColours) {
    for (const int colours : {1, 2, 3, 5, 16, 17, 256, 257}) {
        qm::Image image(29, 13);
        for (std::size_t i = 0; i < image.pixels.size(); ++i) {
            image.pixels[i] = qm::MakeRgb(static_cast<int>(i * 31 % colours % 256), 200,
                                          static_cast<int>(i % colours / 256 * 100 + i % colours % 7));
        }
        for (const int scale : {1, 2, 3, 4, 7}) {
            const Bytes png = scale == 1 ? qm::EncodePng(image) : qm::EncodeEnlargedPng(image, scale);
            ASSERT_GT(png.size(), 26u);
            EXPECT_EQ(png[25], colours <= 256 ? 3 : 2) << colours << " colours: paletted or RGB";
            const qm::Image back = qm::DecodePng(png);
            ASSERT_EQ(back.width, 29 * scale);
            ASSERT_EQ(back.height, 13 * scale);
            for (int y = 0; y < back.height; ++y) {
                for (int x = 0; x < back.width; ++x) {
                    ASSERT_EQ(back.At(x, y), image.At(x / scale, y / scale)) << colours << " colours, x" << scale;
                }
            }
        }
    }
}

// A PNG file put together by hand (stored, uncompressed deflate blocks), so
// that every kind of picture can be tried without another encoder.
class PngBuilder {
public:
    PngBuilder(int width, int height, int depth, int colorType) {
        bytes_ = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        Bytes header;
        Put32(header, static_cast<std::uint32_t>(width));
        Put32(header, static_cast<std::uint32_t>(height));
        header.push_back(static_cast<unsigned char>(depth));
        header.push_back(static_cast<unsigned char>(colorType));
        header.insert(header.end(), {0, 0, 0});
        Chunk("IHDR", header);
    }
    void Chunk(const char* type, const Bytes& data) {
        Put32(bytes_, static_cast<std::uint32_t>(data.size()));
        Bytes typed(type, type + 4);
        typed.insert(typed.end(), data.begin(), data.end());
        bytes_.insert(bytes_.end(), typed.begin(), typed.end());
        Put32(bytes_, Crc(typed));
    }
    // rows: each already starting with its filter byte (0).
    Bytes Finish(const Bytes& rows) {
        Bytes z{0x78, 0x01, 0x01};  // one final stored block
        const auto n = static_cast<std::uint16_t>(rows.size());
        z.insert(z.end(), {static_cast<unsigned char>(n & 0xFF), static_cast<unsigned char>(n >> 8),
                           static_cast<unsigned char>(~n & 0xFF), static_cast<unsigned char>((~n >> 8) & 0xFF)});
        z.insert(z.end(), rows.begin(), rows.end());
        std::uint32_t a = 1, b = 0;
        for (unsigned char c : rows) {
            a = (a + c) % 65521;
            b = (b + a) % 65521;
        }
        Put32(z, (b << 16) | a);
        Chunk("IDAT", z);
        Chunk("IEND", {});
        return bytes_;
    }

private:
    static void Put32(Bytes& out, std::uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<unsigned char>(v >> shift));
    }
    static std::uint32_t Crc(const Bytes& data) {
        std::uint32_t crc = 0xFFFFFFFFu;
        for (unsigned char c : data) {
            crc ^= c;
            for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
        return ~crc;
    }
    Bytes bytes_;
};

TEST(Png, PalettePicturesComeOutInTheirColours) {
    PngBuilder png(3, 1, 8, 3);
    png.Chunk("PLTE", {255, 0, 0, 0, 255, 0, 10, 20, 30});
    const qm::Image s = qm::DecodePng(png.Finish({0, 2, 1, 0}));
    ASSERT_EQ(s.width, 3);
    EXPECT_EQ(s.At(0, 0), qm::MakeRgb(10, 20, 30));
    EXPECT_EQ(s.At(1, 0), qm::MakeRgb(0, 255, 0));
    EXPECT_EQ(s.At(2, 0), qm::MakeRgb(255, 0, 0));
}

TEST(Png, GreyOneBitSixteenBitAndAlphaPicturesAreRead) {
    // One-bit grey: 1 0 1 then padding.
    const qm::Image bits = qm::DecodePng(PngBuilder(3, 1, 1, 0).Finish({0, 0xA0}));
    ASSERT_EQ(bits.width, 3);
    EXPECT_EQ(bits.At(0, 0), qm::MakeRgb(255, 255, 255));
    EXPECT_EQ(bits.At(1, 0), qm::MakeRgb(0, 0, 0));
    // Sixteen-bit RGB keeps the high bytes.
    const qm::Image deep = qm::DecodePng(PngBuilder(1, 1, 16, 2).Finish({0, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC}));
    ASSERT_EQ(deep.width, 1);
    EXPECT_EQ(deep.At(0, 0), qm::MakeRgb(0x12, 0x56, 0x9A));
    // RGBA over two rows: the colour stays, the opacity is dropped.
    const qm::Image alpha = qm::DecodePng(PngBuilder(1, 2, 8, 6).Finish({0, 1, 2, 3, 0, 0, 4, 5, 6, 255}));
    ASSERT_EQ(alpha.height, 2);
    EXPECT_EQ(alpha.At(0, 0), qm::MakeRgb(1, 2, 3));
    EXPECT_EQ(alpha.At(0, 1), qm::MakeRgb(4, 5, 6));
}

TEST(Png, PixelsPointingPastThePaletteAreRefused) {
    PngBuilder png(3, 1, 8, 3);
    png.Chunk("PLTE", {255, 0, 0, 0, 255, 0});
    EXPECT_EQ(qm::DecodePng(png.Finish({0, 0, 1, 7})).width, 0);
}

TEST(Png, HugeDeclaredSizesAreRefused) {
    EXPECT_EQ(qm::DecodePng(PngBuilder(100000, 100000, 8, 2).Finish({0, 1, 2, 3})).width, 0);
}

TEST(Png, BrokenDataDecodesToNothing) {
    EXPECT_EQ(qm::DecodePng({}).width, 0);
    EXPECT_EQ(qm::DecodePng(Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9}).width, 0);
    Bytes png = qm::EncodePng(Gradient(20, 20));
    png.resize(png.size() / 2);
    EXPECT_EQ(qm::DecodePng(png).width, 0);
    Bytes corrupt = qm::EncodePng(Gradient(20, 20));
    for (std::size_t i = 40; i < corrupt.size(); i += 3) corrupt[i] ^= 0x5A;
    EXPECT_EQ(qm::DecodePng(corrupt).width, 0);
}

TEST(Bmp, HeaderDescribesBottomUpPaddedRgbRows) {
    qm::Image image(3, 2);
    image.At(0, 0) = (qm::MakeRgb(10, 20, 30));  // top left
    image.At(2, 1) = (qm::MakeRgb(40, 50, 60));  // bottom right
    const Bytes bmp = qm::EncodeBmp(image);
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
    EXPECT_EQ(qm::EncodeBmp(qm::Image(4, 5)).size(), 54u + 12 * 5);
    EXPECT_EQ(qm::EncodeBmp(qm::Image(1, 1)).size(), 54u + 4);
}

// A bitmap of one row of pixels, each given as its bytes, with the colour
// masks after the basic header where compression asks for them.
Bytes OneRowBmp(int depth, std::uint32_t compression, const std::vector<std::uint32_t>& masks, const Bytes& row) {
    Bytes b = {'B', 'M'};
    const auto put = [&b](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) b.push_back(static_cast<unsigned char>(v >> (8 * i)));
    };
    Bytes padded = row;
    while (padded.size() % 4) padded.push_back(0);
    const std::uint32_t offset = 54 + 4 * static_cast<std::uint32_t>(masks.size());
    put(offset + static_cast<std::uint32_t>(padded.size()), 4);
    put(0, 4);
    put(offset, 4);
    put(40, 4);
    put(static_cast<std::uint32_t>(row.size() * 8 / depth), 4);
    put(1, 4);
    put(1, 2);
    put(static_cast<std::uint32_t>(depth), 2);
    put(compression, 4);
    for (int i = 0; i < 5; ++i) put(0, 4);
    for (std::uint32_t mask : masks) put(mask, 4);
    b.insert(b.end(), padded.begin(), padded.end());
    return b;
}

TEST(Bmp, SixteenAndThirtyTwoBitPixelsAreReadThroughTheirColourMasks) {
    // 5-6-5 masks: full red, full green, full blue, white.
    const qm::Image rgb565 = qm::DecodeBmp(OneRowBmp(16, 3, {0xF800, 0x07E0, 0x001F}, {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0xFF, 0xFF}));
    ASSERT_EQ(rgb565.width, 4);
    EXPECT_EQ(rgb565.At(0, 0), qm::MakeRgb(255, 0, 0));
    EXPECT_EQ(rgb565.At(1, 0), qm::MakeRgb(0, 255, 0));
    EXPECT_EQ(rgb565.At(2, 0), qm::MakeRgb(0, 0, 255));
    EXPECT_EQ(rgb565.At(3, 0), qm::MakeRgb(255, 255, 255));
    // Without masks 16 bits are 5-5-5.
    const qm::Image rgb555 = qm::DecodeBmp(OneRowBmp(16, 0, {}, {0x00, 0x7C, 0xE0, 0x03}));
    ASSERT_EQ(rgb555.width, 2);
    EXPECT_EQ(rgb555.At(0, 0), qm::MakeRgb(255, 0, 0));
    EXPECT_EQ(rgb555.At(1, 0), qm::MakeRgb(0, 255, 0));
    // 32 bits with red in the low byte.
    const qm::Image abgr = qm::DecodeBmp(OneRowBmp(32, 3, {0xFF, 0xFF00, 0xFF0000}, {10, 20, 30, 0}));
    ASSERT_EQ(abgr.width, 1);
    EXPECT_EQ(abgr.At(0, 0), qm::MakeRgb(10, 20, 30));
    EXPECT_EQ(qm::UnsupportedBmpKind(OneRowBmp(32, 3, {0xFF, 0xFF00, 0xFF0000}, {10, 20, 30, 0})), "");
}

TEST(Bmp, CompressedBitmapsAreNamedAsNotReadRatherThanDamaged) {
    for (std::uint32_t rle : {1u, 2u}) {
        const Bytes bmp = OneRowBmp(rle == 1 ? 8 : 4, rle, {}, {0x02, 0x00, 0x00, 0x01});
        EXPECT_EQ(qm::DecodeBmp(bmp).width, 0);
        EXPECT_NE(qm::UnsupportedBmpKind(bmp).find("RLE"), std::string::npos);
    }
    EXPECT_EQ(qm::UnsupportedBmpKind(qm::EncodeBmp(Gradient(4, 4))), "");
    EXPECT_EQ(qm::UnsupportedBmpKind(qm::EncodePng(Gradient(4, 4))), "");
}

}  // namespace
