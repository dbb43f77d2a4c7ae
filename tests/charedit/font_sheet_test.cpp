#include "app/main_window.h"
#include "charedit/font_sheet.h"
#include "support/editor_fixture.h"

namespace qm {
namespace {

class FontSheetTest : public test::EditorTest {
protected:
    const tk::Surface& Sheet() { return tk::CanvasSurface(s.ui.fontSheet); }
    // Screen pixel of font pixel (x, y) of character c in the normal or inverse half.
    Rgb SheetPixel(int c, int x, int y, bool inverse) {
        return Sheet().Pixel(17 * (c % 32) + 2 * x + 1, (inverse ? 68 : 0) + 17 * (c / 32) + 2 * y + 1);
    }
    void FillChar(int c, std::uint8_t value) {
        for (int i = 0; i < 64; ++i) s.Slot().Char(c)[i] = value;
    }
    void Click(int x, int y) { HandleSheetMouse(s, CanvasEvent(s.ui.fontSheet, x, y, 0, tk::SubKind::LeftClick)); }
};

TEST_F(FontSheetTest, HiResShowsSetPixelsInLumAndTheInverseHalfSwapped) {
    // "A" (33): row 1 is 0x18, so columns 3 and 4 are set.
    EXPECT_EQ(SheetPixel(33, 3, 1, false), s.doc.RegisterRgb[LUM]);
    EXPECT_EQ(SheetPixel(33, 2, 1, false), s.doc.RegisterRgb[BAK]);
    EXPECT_EQ(SheetPixel(33, 3, 1, true), s.doc.RegisterRgb[BAK]);
    EXPECT_EQ(SheetPixel(33, 2, 1, true), s.doc.RegisterRgb[LUM]);
}

TEST_F(FontSheetTest, MulticolourShowsPairsAndPf3OnlyInTheInverseHalf) {
    FillChar(70, 1);
    s.Slot().Pixel(70, 2, 0) = 0;  // pair (2,3) of row 0 becomes "01"
    s.Slot().Pixel(70, 4, 0) = 1;
    s.Slot().Pixel(70, 5, 0) = 0;  // pair (4,5) becomes "10"
    SwitchDisplayMode(s);
    EXPECT_EQ(SheetPixel(70, 0, 3, false), s.doc.RegisterRgb[PF2]);
    EXPECT_EQ(SheetPixel(70, 1, 3, true), s.doc.RegisterRgb[PF3]);
    EXPECT_EQ(SheetPixel(70, 2, 0, false), s.doc.RegisterRgb[PF0]);
    EXPECT_EQ(SheetPixel(70, 3, 0, true), s.doc.RegisterRgb[PF0]);
    EXPECT_EQ(SheetPixel(70, 5, 0, false), s.doc.RegisterRgb[PF1]);
    EXPECT_EQ(SheetPixel(0, 0, 0, true), s.doc.RegisterRgb[BAK]);
}

TEST_F(FontSheetTest, GridLinesLieOnTheFirstRowAndColumnOfTheFollowingCells) {
    const Rgb grid = tk::MakeRgb(48, 48, 48);
    EXPECT_EQ(Sheet().Pixel(17, 5), grid);
    EXPECT_EQ(Sheet().Pixel(5, 17 * 7), grid);
    EXPECT_EQ(Sheet().Pixel(16, 5), tk::MakeRgb(0, 0, 0));  // the 17th column stays black
    EXPECT_EQ(Sheet().Pixel(5, 16), tk::MakeRgb(0, 0, 0));
}

TEST_F(FontSheetTest, AClickChoosesTheCharacterAndLabelsIt) {
    Click(17 * 1 + 16, 17 * 2 + 3);  // gap column of cell 65
    EXPECT_EQ(s.CurrentChar, 65);
    EXPECT_EQ(s.SheetChar, 65);
    EXPECT_EQ(tk::Text(s.ui.charLabel), "Char: $41 (65)");
    EXPECT_EQ(tk::Text(s.ui.previewCaption), "$41 (65)");
    Click(3, 68);  // first inverse cell
    EXPECT_EQ(s.CurrentChar, 0);
    Click(3, 67);
    EXPECT_EQ(s.CurrentChar, 96);
    Click(3, 17 * 8 + 5);  // below both halves
    EXPECT_EQ(s.CurrentChar, 96);
}

TEST_F(FontSheetTest, MovingTheMouseOnlyChangesTheStatusField) {
    HandleSheetMouse(s, CanvasEvent(s.ui.fontSheet, 17 * 10 + 2, 2, 0, tk::SubKind::Other));
    EXPECT_EQ(tk::StatusText(s.ui.window, kStatusCharField), "Char Font: $A (10)");
    EXPECT_EQ(s.CurrentChar, 1);
    EXPECT_EQ(tk::Text(s.ui.charLabel), "");
    EXPECT_EQ(tk::Text(s.ui.previewCaption), "");
}

TEST_F(FontSheetTest, PreviewShowsTheSheetCharacterEnlarged) {
    Click(17 * 1 + 2, 17 * 1 + 2);  // "A"
    const tk::Surface& preview = tk::CanvasSurface(s.ui.charPreview);
    EXPECT_EQ(preview.Pixel(8 * 3 + 4, 8 * 1 + 4), s.doc.RegisterRgb[LUM]);
    EXPECT_EQ(preview.Pixel(8 * 2 + 4, 8 * 1 + 4), s.doc.RegisterRgb[BAK]);
}

TEST_F(FontSheetTest, ModeSwitchKeepsTheMulticolourButtonColoursAcrossHiRes) {
    SwitchDisplayMode(s);
    EXPECT_EQ(tk::Text(s.ui.modeSwitch), "Change FONT");
    EXPECT_EQ(s.MulticolorMode, DisplayMode::Multicolor);
    EXPECT_EQ(s.LeftColor, PF0);
    EXPECT_EQ(s.RightColor, BAK);
    s.LeftColor = PF2;
    s.RightColor = PF1;
    SwitchDisplayMode(s);
    EXPECT_EQ(s.MulticolorMode, DisplayMode::HiRes);
    EXPECT_EQ(s.LeftColor, LUM);
    EXPECT_EQ(s.RightColor, BAK);
    SwitchDisplayMode(s);
    EXPECT_EQ(s.LeftColor, PF2);
    EXPECT_EQ(s.RightColor, PF1);
    EXPECT_EQ(tk::Background(s.ui.leftButtonBar), s.doc.RegisterRgb[PF2]);
}

}  // namespace
}  // namespace qm
