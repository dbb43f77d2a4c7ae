#include <gtest/gtest.h>

#include "app/main_event_handler.h"
#include "charedit/char_editor.h"
#include "support/editor_fixture.h"

namespace qm {
namespace {

constexpr int kChar = 40;

class EditorPainting : public test::EditorTest {
protected:
    void SetUp() override {
        test::EditorTest::SetUp();
        s.CurrentChar = kChar;
        std::fill(s.Slot().Char(kChar), s.Slot().Char(kChar) + 64, 0);
    }

    // A mouse event on the editor canvas, as the dispatcher passes it on.
    void Mouse(int x, int y, int buttons) { HandleEditorMouse(s, CanvasEvent(s.ui.charEditor, x, y, buttons)); }
    int Pixel(int x, int y) const { return s.Slot().Pixel(kChar, x, y); }
    int SetPixelCount() const {
        int count = 0;
        for (int i = 0; i < 64; ++i) count += s.Slot().Char(kChar)[i];
        return count;
    }
    void Multicolor(int left, int right) {
        s.MulticolorMode = DisplayMode::Multicolor;
        s.LeftColor = left;
        s.RightColor = right;
    }
};

TEST_F(EditorPainting, HiResLeftSetsRightClears) {
    Mouse(75, 105, tk::ButtonLeft);
    EXPECT_EQ(Pixel(2, 3), 1);
    EXPECT_EQ(SetPixelCount(), 1);
    Mouse(75, 105, tk::ButtonRight);
    EXPECT_EQ(Pixel(2, 3), 0);
}

TEST_F(EditorPainting, HiResIgnoresButtonColours) {
    s.LeftColor = BAK;
    s.RightColor = LUM;
    Mouse(15, 15, tk::ButtonLeft);
    EXPECT_EQ(Pixel(0, 0), 1);
    Mouse(15, 15, tk::ButtonRight);
    EXPECT_EQ(Pixel(0, 0), 0);
}

TEST_F(EditorPainting, SharedEdgesBelongToTheCellLeftAndAbove) {
    Mouse(30, 0, tk::ButtonLeft);
    EXPECT_EQ(Pixel(0, 0), 1);
    Mouse(31, 0, tk::ButtonLeft);
    EXPECT_EQ(Pixel(1, 0), 1);
    Mouse(0, 60, tk::ButtonLeft);
    EXPECT_EQ(Pixel(0, 1), 1);
    Mouse(240, 240, tk::ButtonLeft);
    EXPECT_EQ(Pixel(7, 7), 1);
    EXPECT_EQ(SetPixelCount(), 4);
}

TEST_F(EditorPainting, PointsOutsideTheCanvasPaintNothing) {
    Mouse(241, 0, tk::ButtonLeft);
    Mouse(0, 241, tk::ButtonLeft);
    Mouse(-1, 10, tk::ButtonLeft);
    EXPECT_EQ(SetPixelCount(), 0);
}

TEST_F(EditorPainting, BothButtonsOrNoneOrMiddlePaintNothing) {
    Mouse(15, 15, tk::ButtonLeft | tk::ButtonRight);
    Mouse(15, 15, 0);
    Mouse(15, 15, tk::ButtonMiddle);
    EXPECT_EQ(SetPixelCount(), 0);
}

TEST_F(EditorPainting, DraggingPaintsEveryCellPassed) {
    for (int x = 5; x < 240; x += 10) Mouse(x, 100, tk::ButtonLeft);
    for (int x = 0; x < 8; ++x) EXPECT_EQ(Pixel(x, 3), 1) << x;
    EXPECT_EQ(SetPixelCount(), 8);
}

TEST_F(EditorPainting, PaintingRedrawsTheEditor) {
    Mouse(15, 15, tk::ButtonLeft);
    EXPECT_EQ(tk::CanvasSurface(s.ui.charEditor).Pixel(10, 10), s.doc.RegisterRgb[LUM]);
}

TEST_F(EditorPainting, OnlyAChangedPixelRedraws) {
    EXPECT_TRUE(PaintEditorPixel(s, tk::ButtonLeft, 2, 2));
    EXPECT_FALSE(PaintEditorPixel(s, tk::ButtonLeft, 2, 2));
    Multicolor(PF1, BAK);
    EXPECT_TRUE(PaintEditorPixel(s, tk::ButtonLeft, 5, 3));
    EXPECT_FALSE(PaintEditorPixel(s, tk::ButtonLeft, 4, 3));  // the same pair, already PF1

    const std::uint64_t before = tk::CanvasSurface(s.ui.fontSheet).Generation();
    Mouse(5 * 30 + 15, 3 * 30 + 15, tk::ButtonLeft);
    EXPECT_EQ(tk::CanvasSurface(s.ui.fontSheet).Generation(), before);
    Mouse(5 * 30 + 15, 3 * 30 + 15, tk::ButtonRight);
    EXPECT_NE(tk::CanvasSurface(s.ui.fontSheet).Generation(), before);
}

TEST_F(EditorPainting, NoCharacterMeansNoPainting) {
    s.CurrentChar = kEmptyCell;
    const auto before = s.Slot().pixels;
    Mouse(15, 15, tk::ButtonLeft);
    Mouse(15, 15, tk::ButtonRight);
    EXPECT_EQ(s.Slot().pixels, before);
}

TEST_F(EditorPainting, MulticolourPairTable) {
    struct Case {
        int color, left, right;
    };
    const Case cases[] = {{PF2, 1, 1}, {PF0, 0, 1}, {PF1, 1, 0}, {BAK, 0, 0}};
    Multicolor(LUM, BAK);
    for (const Case& c : cases) {
        s.LeftColor = c.color;
        Mouse(95, 15, tk::ButtonLeft);  // column 3: the pair of columns 2 and 3
        EXPECT_EQ(Pixel(2, 0), c.left) << c.color;
        EXPECT_EQ(Pixel(3, 0), c.right) << c.color;
    }
}

TEST_F(EditorPainting, MulticolourRightButtonPaintsRightColour) {
    Multicolor(BAK, PF0);
    Mouse(15, 45, tk::ButtonRight);
    EXPECT_EQ(Pixel(0, 1), 0);
    EXPECT_EQ(Pixel(1, 1), 1);
}

TEST_F(EditorPainting, MulticolourColumnFiveWithPf1WritesItsPair) {
    Multicolor(PF1, BAK);
    s.Slot().Pixel(kChar, 5, 2) = 1;
    Mouse(5 * 30 + 15, 2 * 30 + 15, tk::ButtonLeft);
    EXPECT_EQ(Pixel(4, 2), 1);
    EXPECT_EQ(Pixel(5, 2), 0);
    EXPECT_EQ(SetPixelCount(), 1);
}

TEST_F(EditorPainting, MulticolourLumAndPf3PaintNothing) {
    Multicolor(LUM, PF3);
    s.Slot().Pixel(kChar, 1, 0) = 1;
    Mouse(15, 15, tk::ButtonLeft);
    Mouse(15, 15, tk::ButtonRight);
    EXPECT_EQ(Pixel(0, 0), 0);
    EXPECT_EQ(Pixel(1, 0), 1);
    EXPECT_EQ(SetPixelCount(), 1);
}

TEST_F(EditorPainting, GuardHoldsBackOnlyTheLeftButton) {
    s.ClickGuard = 3;
    Mouse(15, 15, tk::ButtonLeft);
    EXPECT_EQ(Pixel(0, 0), 0);
    s.Slot().Pixel(kChar, 1, 0) = 1;
    Mouse(45, 15, tk::ButtonRight);
    EXPECT_EQ(Pixel(1, 0), 0);
    s.ClickGuard = 0;
    Mouse(15, 15, tk::ButtonLeft);
    EXPECT_EQ(Pixel(0, 0), 1);
}

TEST_F(EditorPainting, GuardWearsOffAfterFourteenMainWindowEvents) {
    s.ClickGuard = 15;
    const tk::Event press = CanvasEvent(s.ui.charEditor, 15, 15, tk::ButtonLeft);
    for (int i = 0; i < 14; ++i) {
        MainEventHandler(s, press);
        ASSERT_EQ(Pixel(0, 0), 0) << "event " << i + 1;
    }
    MainEventHandler(s, press);
    EXPECT_EQ(Pixel(0, 0), 1);
}

TEST_F(EditorPainting, PaintCharPixelWorksOnAnyCharacter) {
    PaintCharPixel(s, 7, 6, 5, tk::ButtonLeft);
    EXPECT_EQ(s.Slot().Pixel(7, 6, 5), 1);
    Multicolor(PF0, BAK);
    PaintCharPixel(s, 7, 7, 5, tk::ButtonLeft);
    EXPECT_EQ(s.Slot().Pixel(7, 6, 5), 0);
    EXPECT_EQ(s.Slot().Pixel(7, 7, 5), 1);
}

TEST_F(EditorPainting, PaintCharPixelIgnoresPointsOffTheCharacter) {
    const auto before = s.Slot().pixels;
    PaintCharPixel(s, kEmptyCell, 0, 0, tk::ButtonLeft);
    PaintCharPixel(s, kChar, 8, 0, tk::ButtonLeft);
    PaintCharPixel(s, kChar, 0, -1, tk::ButtonLeft);
    EXPECT_EQ(s.Slot().pixels, before);
}

TEST_F(EditorPainting, LayerModeChoiceKeepsPixelsAndRedraws) {
    s.MulticolorMode = DisplayMode::Multicolor;
    const auto before = s.Slot().pixels;
    ChooseLayerMode(s, Layer::Mask);
    EXPECT_EQ(s.LayerMode, Layer::Mask);
    EXPECT_TRUE(tk::IsChecked(s.ui.maskMode));
    EXPECT_FALSE(tk::IsChecked(s.ui.normalMode));
    ChooseLayerMode(s, Layer::Normal);
    EXPECT_EQ(s.LayerMode, Layer::Normal);
    EXPECT_TRUE(tk::IsChecked(s.ui.normalMode));
    EXPECT_EQ(s.Slot().pixels, before);
}

}  // namespace
}  // namespace qm
