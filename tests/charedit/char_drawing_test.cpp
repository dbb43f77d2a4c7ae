#include <gtest/gtest.h>

#include <cstdlib>

#include "charedit/char_editor.h"
#include "support/editor_fixture.h"

namespace qm {
namespace {

constexpr int kChar = 50;
constexpr Rgb kBlack = tk::MakeRgb(0, 0, 0);
constexpr Rgb kDot = tk::MakeRgb(64, 64, 64);
constexpr Rgb kCross = tk::MakeRgb(170, 170, 170);

// (a * new + (255 - a) * old) / 255 for each component.
Rgb Blend(int a, Rgb over, Rgb under) {
    auto mix = [a](int n, int o) { return (a * n + (255 - a) * o) / 255; };
    return tk::MakeRgb(mix(tk::RedOf(over), tk::RedOf(under)), mix(tk::GreenOf(over), tk::GreenOf(under)),
                       mix(tk::BlueOf(over), tk::BlueOf(under)));
}

void PutPair(FontSlot& slot, int ch, int x, int y, int value) {
    slot.Pixel(ch, x, y) = static_cast<std::uint8_t>(value >> 1);
    slot.Pixel(ch, x + 1, y) = static_cast<std::uint8_t>(value & 1);
}

class EditorDrawing : public test::EditorTest {
protected:
    void SetUp() override {
        test::EditorTest::SetUp();
        s.CurrentChar = kChar;
        // A background that is not black, so that see-through pairs show.
        s.doc.RegisterRgb[BAK] = tk::MakeRgb(200, 40, 100);
    }

    const tk::Surface& Editor() const { return tk::CanvasSurface(s.ui.charEditor); }
    Rgb PairRgb(int value) const {
        static constexpr int kRegister[4] = {BAK, PF0, PF1, PF2};
        return s.doc.RegisterRgb[kRegister[value]];
    }
    static bool IsGridDot(int px, int py) { return py % 30 == 0 && py > 0 && px % 30 == 0; }

    // Every pairing of a current value with a value underneath occurs: in each
    // pair column the value underneath runs through all four over rows 0 to 3
    // and again over rows 4 to 7.
    void FillAllCombinations(int underSlot) {
        for (int y = 0; y < 8; ++y) {
            for (int p = 0; p < 4; ++p) {
                PutPair(s.Slot(), kChar, 2 * p, y, Current(p, y));
                PutPair(s.doc.Slots[underSlot], kChar, 2 * p, y, Under(p, y));
            }
        }
    }
    static int Current(int p, int y) { return (p + y / 4) % 4; }
    static int Under(int p, int y) { return (p + y) % 4; }

    // The box of pair (p, y) against the blending rule, pixel by pixel: pixels on
    // either diagonal of a crossed box show the cross under the current pair,
    // pixels clearly away from both show the layer under it. Left out: the few
    // next to a diagonal (where the line's rounding decides) and the two top
    // corners, where the crosses of the boxes above and to the left end.
    void ExpectMaskBox(int p, int y, bool hasLayer) {
        const int under = Under(p, y);
        const int current = Current(p, y);
        const Rgb layer = hasLayer ? Blend(170, PairRgb(under), kBlack) : kBlack;
        const int opacity = current == 0 ? 17 : 255;
        const Rgb plain = Blend(opacity, PairRgb(current), layer);
        const Rgb crossed = Blend(opacity, PairRgb(current), kCross);
        const bool hasCross = hasLayer && under != 0;
        const int left = 60 * p;
        const int top = 30 * y;
        for (int dy = 0; dy < 30; ++dy) {
            for (int dx = 0; dx < 60; ++dx) {
                if ((dy == 0 && (dx == 0 || dx == 59)) || IsGridDot(left + dx, top + dy)) continue;
                const int off1 = std::abs(2 * dy - dx);         // from (0, 0) to (60, 30)
                const int off2 = std::abs(2 * (30 - dy) - dx);  // from (0, 30) to (60, 0)
                Rgb expected;
                if (hasCross && (off1 == 0 || off2 == 0)) {
                    expected = crossed;
                } else if (!hasCross || (off1 >= 3 && off2 >= 3)) {
                    expected = plain;
                } else {
                    continue;
                }
                ASSERT_EQ(Editor().Pixel(left + dx, top + dy), expected)
                    << "pair " << p << " row " << y << " at " << dx << "," << dy << " current " << current
                    << " under " << under;
            }
        }
    }
};

TEST_F(EditorDrawing, HiResShowsEveryPixelAsABoxAndTheGridDots) {
    s.doc.RegisterRgb[BAK] = kBlack;
    DrawCharEditor(s);
    ASSERT_EQ(Editor().Width(), 240);
    ASSERT_EQ(Editor().Height(), 240);
    for (int py = 0; py < 240; ++py) {
        for (int px = 0; px < 240; ++px) {
            const Rgb expected = IsGridDot(px, py) ? kDot
                                 : s.Slot().Pixel(kChar, px / 30, py / 30) ? s.doc.RegisterRgb[LUM]
                                                                          : kBlack;
            ASSERT_EQ(Editor().Pixel(px, py), expected) << px << "," << py;
        }
    }
}

TEST_F(EditorDrawing, GridDotsSitOnlyBelowTheTopRow) {
    s.doc.RegisterRgb[LUM] = s.doc.RegisterRgb[BAK];
    DrawCharEditor(s);
    int dots = 0;
    for (int py = 0; py < 240; ++py) {
        for (int px = 0; px < 240; ++px) dots += Editor().Pixel(px, py) == kDot;
    }
    EXPECT_EQ(dots, 56);
    EXPECT_NE(Editor().Pixel(0, 0), kDot);
    EXPECT_NE(Editor().Pixel(30, 0), kDot);
    EXPECT_EQ(Editor().Pixel(210, 210), kDot);
}

TEST_F(EditorDrawing, NoCharacterShowsBlackAndDots) {
    s.CurrentChar = kEmptyCell;
    DrawCharEditor(s);
    for (int py = 0; py < 240; ++py) {
        for (int px = 0; px < 240; ++px) {
            ASSERT_EQ(Editor().Pixel(px, py), IsGridDot(px, py) ? kDot : kBlack) << px << "," << py;
        }
    }
}

TEST_F(EditorDrawing, MulticolourNormalShowsPairBoxes) {
    s.MulticolorMode = DisplayMode::Multicolor;
    FillAllCombinations(2);
    DrawCharEditor(s);
    for (int y = 0; y < 8; ++y) {
        for (int p = 0; p < 4; ++p) {
            const Rgb expected = PairRgb(Current(p, y));
            EXPECT_EQ(Editor().Pixel(60 * p + 1, 30 * y + 1), expected);
            EXPECT_EQ(Editor().Pixel(60 * p + 59, 30 * y + 29), expected);
        }
    }
}

// The mask drawing step by step as the blending rule states it, one box after
// the other: the layer's box at opacity 170, its cross at full opacity, this
// character's box at 17 or 255.
tk::Surface LiteralMask(const EditorState& s, int ch, int scale, Rgb ground, int width, int left, int top) {
    static constexpr int kRegister[4] = {BAK, PF0, PF1, PF2};
    tk::Surface out(width, width);
    out.FillBox(0, 0, width, width, ground);
    out.SetBlending(true);
    const bool hasLayer = s.CurrentSlot + 1 < 10;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; x += 2) {
            const int bx = left + scale * x;
            const int by = top + scale * y;
            if (hasLayer) {
                const FontSlot& layer = s.doc.Slots[s.CurrentSlot + 1];
                const int under = 2 * layer.Pixel(ch, x, y) + layer.Pixel(ch, x + 1, y);
                out.FillBox(bx, by, 2 * scale, scale, tk::WithAlpha(s.doc.RegisterRgb[kRegister[under]], 170));
                if (under != 0) {
                    out.LineBetween(bx, by, bx + 2 * scale, by + scale, tk::WithAlpha(kCross, 255));
                    out.LineBetween(bx, by + scale, bx + 2 * scale, by, tk::WithAlpha(kCross, 255));
                }
            }
            const int value = 2 * s.Slot().Pixel(ch, x, y) + s.Slot().Pixel(ch, x + 1, y);
            out.FillBox(bx, by, 2 * scale, scale, tk::WithAlpha(s.doc.RegisterRgb[kRegister[value]], value ? 255 : 17));
        }
    }
    return out;
}

TEST_F(EditorDrawing, MaskMatchesTheLiteralBlendingSequenceEverywhere) {
    s.MulticolorMode = DisplayMode::Multicolor;
    s.LayerMode = Layer::Mask;
    for (int slot : {1, 8, 9, 10}) {
        s.CurrentSlot = slot;
        FillAllCombinations(slot == 10 ? 1 : slot + 1);
        DrawCharEditor(s);
        const tk::Surface expected = LiteralMask(s, kChar, 30, kBlack, 240, 0, 0);
        for (int py = 0; py < 240; ++py) {
            for (int px = 0; px < 240; ++px) {
                ASSERT_EQ(Editor().Pixel(px, py), IsGridDot(px, py) ? kDot : expected.Pixel(px, py))
                    << "slot " << slot << " at " << px << "," << py;
            }
        }
        tk::Surface canvas(120, 120);
        canvas.FillBox(0, 0, 120, 120, tk::MakeRgb(30, 60, 90));
        DrawCharAt(s, canvas, kChar, 15, 5);
        const tk::Surface small = LiteralMask(s, kChar, 10, tk::MakeRgb(30, 60, 90), 120, 15, 5);
        for (int py = 0; py < 120; ++py) {
            for (int px = 0; px < 120; ++px) {
                ASSERT_EQ(canvas.Pixel(px, py), small.Pixel(px, py)) << "slot " << slot << " at " << px << "," << py;
            }
        }
    }
}

TEST_F(EditorDrawing, MaskBlendsTheNextSlotUnderTheCharacter) {
    s.MulticolorMode = DisplayMode::Multicolor;
    s.LayerMode = Layer::Mask;
    FillAllCombinations(2);
    DrawCharEditor(s);
    for (int y = 0; y < 8; ++y) {
        for (int p = 0; p < 4; ++p) ExpectMaskBox(p, y, true);
    }
}

TEST_F(EditorDrawing, MaskOnSlotEightUsesSlotNine) {
    s.CurrentSlot = 8;
    s.MulticolorMode = DisplayMode::Multicolor;
    s.LayerMode = Layer::Mask;
    FillAllCombinations(9);
    DrawCharEditor(s);
    for (int y = 0; y < 8; ++y) {
        for (int p = 0; p < 4; ++p) ExpectMaskBox(p, y, true);
    }
}

TEST_F(EditorDrawing, SlotsNineAndTenHaveNoMaskLayer) {
    for (int slot : {9, 10}) {
        s.CurrentSlot = slot;
        s.MulticolorMode = DisplayMode::Multicolor;
        s.LayerMode = Layer::Mask;
        FillAllCombinations(slot == 9 ? 10 : 1);
        DrawCharEditor(s);
        for (int y = 0; y < 8; ++y) {
            for (int p = 0; p < 4; ++p) ExpectMaskBox(p, y, false);
        }
    }
}

TEST_F(EditorDrawing, MaskChangesNothingInHiRes) {
    FillAllCombinations(2);
    DrawCharEditor(s);
    const tk::Surface normal = Editor();
    s.LayerMode = Layer::Mask;
    DrawCharEditor(s);
    for (int py = 0; py < 240; ++py) {
        for (int px = 0; px < 240; ++px) ASSERT_EQ(Editor().Pixel(px, py), normal.Pixel(px, py));
    }
}

TEST_F(EditorDrawing, DrawCharAtUsesTenPixelsPerFontPixelOverTheCallersBackground) {
    tk::Surface canvas(120, 100);
    const Rgb backdrop = tk::MakeRgb(9, 9, 9);
    canvas.FillBox(0, 0, 120, 100, backdrop);
    for (int i = 0; i < 64; ++i) s.Slot().Char(kChar)[i] = 0;
    s.Slot().Pixel(kChar, 3, 4) = 1;
    DrawCharAt(s, canvas, kChar, 20, 10);
    EXPECT_EQ(canvas.Pixel(19, 50), backdrop);
    EXPECT_EQ(canvas.Pixel(20 + 30, 10 + 40), s.doc.RegisterRgb[LUM]);
    EXPECT_EQ(canvas.Pixel(20 + 39, 10 + 49), s.doc.RegisterRgb[LUM]);
    EXPECT_EQ(canvas.Pixel(20 + 40, 10 + 49), s.doc.RegisterRgb[BAK]);
    EXPECT_EQ(canvas.Pixel(20 + 79, 10 + 79), s.doc.RegisterRgb[BAK]);
    EXPECT_EQ(canvas.Pixel(20 + 80, 10 + 79), backdrop);
}

TEST_F(EditorDrawing, DrawCharAtMaskBlendsAtTheSmallScale) {
    tk::Surface canvas(80, 80);
    const Rgb backdrop = tk::MakeRgb(30, 60, 90);
    canvas.FillBox(0, 0, 80, 80, backdrop);
    s.MulticolorMode = DisplayMode::Multicolor;
    s.LayerMode = Layer::Mask;
    FillAllCombinations(2);
    DrawCharAt(s, canvas, kChar, 0, 0);
    for (int y = 0; y < 8; ++y) {
        for (int p = 0; p < 4; ++p) {
            const Rgb layer = Blend(170, PairRgb(Under(p, y)), backdrop);
            const Rgb expected = Blend(Current(p, y) == 0 ? 17 : 255, PairRgb(Current(p, y)), layer);
            // Middle of the top row of the box: clear of both diagonals.
            EXPECT_EQ(canvas.Pixel(20 * p + 10, 10 * y + 1), expected) << p << "," << y;
        }
    }
}

}  // namespace
}  // namespace qm
