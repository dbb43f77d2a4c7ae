#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "toolkit/surface.h"

namespace {

constexpr tk::Rgb kWhite = tk::MakeRgb(255, 255, 255);
constexpr tk::Rgb kBlack = 0;
constexpr tk::Rgb kRed = tk::MakeRgb(255, 0, 0);

int CountOf(const tk::Surface& s, tk::Rgb color) {
    int count = 0;
    for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) count += s.Pixel(x, y) == color ? 1 : 0;
    }
    return count;
}

TEST(Surface, NewSurfaceIsBlackAndOutsideReadsZero) {
    tk::Surface s(4, 3);
    EXPECT_EQ(CountOf(s, kBlack), 12);
    tk::Surface copy = s;
    copy.FillBox(0, 0, 4, 3, kWhite);
    EXPECT_EQ(copy.Pixel(-1, 0), 0u);
    EXPECT_EQ(copy.Pixel(4, 0), 0u);
    EXPECT_EQ(copy.Pixel(0, 3), 0u);
}

TEST(Surface, BlendingMixesByTheTopByte) {
    tk::Surface s(4, 1);
    s.FillBox(0, 0, 4, 1, tk::MakeRgb(100, 200, 40));
    s.SetBlending(true);
    s.Plot(0, 0, tk::WithAlpha(tk::MakeRgb(200, 0, 250), 0));
    s.Plot(1, 0, tk::WithAlpha(tk::MakeRgb(200, 0, 250), 255));
    s.Plot(2, 0, tk::WithAlpha(tk::MakeRgb(200, 0, 250), 128));
    s.FillBox(3, 0, 1, 1, tk::WithAlpha(tk::MakeRgb(0, 0, 0), 51));
    EXPECT_EQ(s.Pixel(0, 0), tk::MakeRgb(100, 200, 40));
    EXPECT_EQ(s.Pixel(1, 0), tk::MakeRgb(200, 0, 250));
    // (a * new + (255 - a) * old) / 255
    EXPECT_EQ(s.Pixel(2, 0), tk::MakeRgb((128 * 200 + 127 * 100) / 255, (127 * 200) / 255, (128 * 250 + 127 * 40) / 255));
    EXPECT_EQ(s.Pixel(3, 0), tk::MakeRgb(204 * 100 / 255, 204 * 200 / 255, 204 * 40 / 255));
    s.SetBlending(false);
    s.Plot(0, 0, tk::WithAlpha(kRed, 0));  // opacity ignored
    EXPECT_EQ(s.Pixel(0, 0), kRed);
}

TEST(Surface, BoxesClipAtEveryEdge) {
    tk::Surface s(10, 8);
    s.FillBox(-5, -5, 7, 7, kWhite);   // top left: 2 x 2 inside
    EXPECT_EQ(CountOf(s, kWhite), 4);
    s.FillBox(8, 6, 50, 50, kRed);     // bottom right: 2 x 2
    EXPECT_EQ(CountOf(s, kRed), 4);
    EXPECT_EQ(s.Pixel(9, 7), kRed);
    s.FillBox(-100, 3, 1000, 1, kWhite);  // a whole row
    EXPECT_EQ(CountOf(s, kWhite), 4 + 10);
    s.FillBox(10, 0, 5, 5, kRed);      // wholly outside
    s.FillBox(0, 8, 5, 5, kRed);
    s.FillBox(2, 2, 0, 3, kRed);       // empty
    s.FillBox(2, 2, -3, 3, kRed);
    EXPECT_EQ(CountOf(s, kRed), 4);
}

TEST(Surface, LineBetweenIncludesBothEndsInEitherDirection) {
    tk::Surface s(20, 20);
    s.LineBetween(2, 3, 12, 7, kWhite);
    EXPECT_EQ(s.Pixel(2, 3), kWhite);
    EXPECT_EQ(s.Pixel(12, 7), kWhite);
    EXPECT_EQ(CountOf(s, kWhite), 11);
    tk::Surface back(20, 20);
    back.LineBetween(12, 7, 2, 3, kWhite);
    EXPECT_EQ(CountOf(back, kWhite), 11);
    tk::Surface dot(3, 3);
    dot.LineBetween(1, 1, 1, 1, kWhite);
    EXPECT_EQ(CountOf(dot, kWhite), 1);
    tk::Surface edge(5, 5);
    edge.LineBetween(-3, 2, 8, 2, kWhite);  // clipped, no wrap into other rows
    EXPECT_EQ(CountOf(edge, kWhite), 5);
    EXPECT_EQ(edge.Pixel(0, 2), kWhite);
}

TEST(Surface, DrawImageClipsOnAllSides) {
    tk::Surface image(4, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) image.Plot(x, y, tk::MakeRgb(x, y, 1));
    }
    tk::Surface s(6, 6);
    s.DrawImage(-2, -1, image);
    EXPECT_EQ(s.Pixel(0, 0), tk::MakeRgb(2, 1, 1));
    EXPECT_EQ(s.Pixel(1, 2), tk::MakeRgb(3, 3, 1));
    EXPECT_EQ(s.Pixel(2, 0), kBlack);
    tk::Surface t(6, 6);
    t.DrawImage(4, 3, image);
    EXPECT_EQ(t.Pixel(5, 5), tk::MakeRgb(1, 2, 1));
    EXPECT_EQ(t.Pixel(3, 5), kBlack);
    EXPECT_EQ(CountOf(t, kBlack), 36 - 6);
    tk::Surface u(6, 6);
    u.DrawImage(6, 0, image);
    u.DrawImage(-4, 0, image);
    EXPECT_EQ(CountOf(u, kBlack), 36);
}

// The fast block drawing must give what one box per block gives, clipped
// alike at every edge, with and without blending.
TEST(Surface, ScaledPictureMatchesOneBoxPerBlock) {
    // Half opaque, which counts only while blending.
    const tk::Rgb colors[] = {tk::WithAlpha(tk::MakeRgb(1, 2, 3), 128),   tk::WithAlpha(tk::MakeRgb(40, 50, 60), 128),
                              tk::WithAlpha(tk::MakeRgb(7, 8, 9), 128),   tk::WithAlpha(tk::MakeRgb(200, 0, 0), 128),
                              tk::WithAlpha(tk::MakeRgb(0, 200, 0), 128), tk::WithAlpha(tk::MakeRgb(0, 0, 200), 128)};
    for (bool blending : {false, true}) {
        for (const auto& [x, y] : {std::pair{-4, -3}, std::pair{2, 1}, std::pair{5, 4}, std::pair{9, 9}}) {
            tk::Surface fast(10, 8);
            fast.FillBox(0, 0, 10, 8, kWhite);
            tk::Surface slow = fast;
            fast.SetBlending(blending);
            slow.SetBlending(blending);
            fast.DrawScaled(x, y, colors, 3, 2, 3, 2);
            for (int r = 0; r < 2; ++r) {
                for (int c = 0; c < 3; ++c) slow.FillBox(x + c * 3, y + r * 2, 3, 2, colors[r * 3 + c]);
            }
            for (int py = 0; py < 8; ++py) {
                for (int px = 0; px < 10; ++px) {
                    ASSERT_EQ(fast.Pixel(px, py), slow.Pixel(px, py)) << px << "," << py << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(Surface, EveryChangeBumpsTheGeneration) {
    tk::Surface s(4, 4);
    auto g = s.Generation();
    s.Plot(1, 1, kWhite);
    EXPECT_GT(s.Generation(), g);
    g = s.Generation();
    s.FillBox(10, 10, 2, 2, kWhite);  // outside: nothing changed
    EXPECT_EQ(s.Generation(), g);
    s.Resize(8, 2);
    EXPECT_GT(s.Generation(), g);
    EXPECT_EQ(CountOf(s, kBlack), 16);
}

// Qt's 32-bit RGB form, which the window system shows as it is.
TEST(Surface, KeepsWordsInTheFormTheWindowSystemShows) {
    EXPECT_EQ(tk::WordOf(tk::MakeRgb(0x12, 0x34, 0x56)), 0xFF123456u);
    EXPECT_EQ(tk::WordOf(tk::WithAlpha(tk::MakeRgb(1, 2, 3), 7)), 0xFF010203u);
    EXPECT_EQ(tk::RgbOfWord(0xFF123456u), tk::MakeRgb(0x12, 0x34, 0x56));
    tk::Surface s(2, 1);
    s.Plot(1, 0, tk::MakeRgb(0xAB, 0xCD, 0xEF));
    EXPECT_EQ(s.Data()[0], 0xFF000000u);
    EXPECT_EQ(s.Data()[1], 0xFFABCDEFu);
    EXPECT_EQ(s.Pixel(1, 0), tk::MakeRgb(0xAB, 0xCD, 0xEF));
}

bool SameRect(const tk::Rect& r, int x, int y, int width, int height) {
    return r.x == x && r.y == y && r.width == width && r.height == height;
}

TEST(Surface, ChangedRectangleGrowsWithChangesOnly) {
    tk::Surface s(20, 10);
    EXPECT_TRUE(SameRect(s.TakeChanged(), 0, 0, 20, 10));  // a new surface is all new
    EXPECT_EQ(s.Changed().width, 0);
    s.FillBox(2, 2, 5, 5, kBlack);  // as it was
    s.Plot(3, 3, kBlack);
    s.SetBlending(true);
    s.FillBox(0, 0, 20, 10, tk::WithAlpha(kWhite, 0));  // fully transparent
    s.SetBlending(false);
    EXPECT_EQ(s.Changed().width, 0);
    s.FillBox(2, 2, 5, 5, kWhite);
    EXPECT_TRUE(SameRect(s.Changed(), 2, 2, 5, 5));
    s.Plot(15, 8, kRed);
    EXPECT_TRUE(SameRect(s.TakeChanged(), 2, 2, 14, 7));
    EXPECT_EQ(s.Changed().width, 0);
    s.FillBox(-3, 4, 30, 1, kRed);  // clipped to the surface
    EXPECT_TRUE(SameRect(s.TakeChanged(), 0, 4, 20, 1));
    s.Resize(6, 3);
    EXPECT_TRUE(SameRect(s.TakeChanged(), 0, 0, 6, 3));
    s.WritableData()[0] = 0xFF000000u;
    EXPECT_TRUE(SameRect(s.TakeChanged(), 0, 0, 6, 3));
}

// Changes far apart make parts of their own, inside the changed rectangle.
TEST(Surface, ChangesFarApartArePartsOfTheirOwn) {
    tk::Surface s(200, 100);
    s.TakeChanged();
    EXPECT_TRUE(s.ChangedParts().empty());
    s.Plot(5, 6, kWhite);
    s.FillBox(150, 70, 20, 10, kWhite);
    EXPECT_TRUE(SameRect(s.Changed(), 5, 6, 165, 74));
    const std::vector<tk::Rect> parts = s.ChangedParts();
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_TRUE(SameRect(parts[0], 5, 6, 27, 26));  // the pixel's square, trimmed
    EXPECT_TRUE(SameRect(parts[1], 128, 64, 42, 16));
    s.TakeChanged();
    EXPECT_TRUE(s.ChangedParts().empty());
}

// A picture or a block drawing that changes a pixel counts with all it drew;
// drawn again as it is, it counts for nothing.
TEST(Surface, PicturesAndBlocksCountWhenTheyChangeAPixel) {
    tk::Surface image(4, 4);
    image.Plot(1, 2, kRed);
    tk::Surface s(10, 10);
    s.DrawImage(3, 3, image);
    s.TakeChanged();
    s.DrawImage(3, 3, image);
    EXPECT_EQ(s.Changed().width, 0);
    image.Plot(0, 3, kWhite);
    s.DrawImage(3, 3, image);
    EXPECT_TRUE(SameRect(s.TakeChanged(), 3, 3, 4, 4));
    const tk::Rgb colors[] = {kWhite, kBlack, kBlack, kBlack};
    s.DrawScaled(0, 0, colors, 2, 2, 3, 2);
    EXPECT_TRUE(SameRect(s.TakeChanged(), 0, 0, 6, 4));
    const auto generation = s.Generation();
    s.DrawScaled(0, 0, colors, 2, 2, 3, 2);
    EXPECT_EQ(s.Changed().width, 0);
    EXPECT_GT(s.Generation(), generation);  // drawn into all the same
}

}  // namespace
