#include "app/main_event_handler.h"
#include "sets/set_views.h"
#include "support/editor_fixture.h"

namespace qm {
namespace {

constexpr Rgb kSmallEmpty = tk::MakeRgb(64, 64, 64);
constexpr Rgb kSmallGrid = tk::MakeRgb(80, 80, 80);
constexpr Rgb kLargeEmpty = tk::MakeRgb(48, 48, 48);
constexpr Rgb kLargeDot = tk::MakeRgb(112, 112, 112);
constexpr Rgb kLargeLine = tk::MakeRgb(64, 64, 64);

class SetViewsTest : public test::EditorTest {
protected:
    // Character `code` cleared except for its top-left and bottom-right pixels.
    void MakeCornerChar(int code) {
        std::fill_n(s.Slot().Char(code), 64, std::uint8_t{0});
        s.Slot().Pixel(code, 0, 0) = 1;
        s.Slot().Pixel(code, 7, 7) = 1;
    }
    Rgb Small(int x, int y) { return tk::CanvasSurface(s.ui.smallSetView).Pixel(x, y); }
    Rgb Large(int x, int y) { return tk::CanvasSurface(s.ui.largeSetView).Pixel(x, y); }
    void Small(int x, int y, int buttons) { HandleSmallSetMouse(s, CanvasEvent(s.ui.smallSetView, x, y, buttons)); }
    void Large(int x, int y, int buttons) { HandleLargeSetMouse(s, CanvasEvent(s.ui.largeSetView, x, y, buttons)); }
    std::string Status() const { return tk::StatusText(s.ui.window, 0); }
    Rgb Lum() const { return s.doc.RegisterRgb[LUM]; }
    Rgb Bak() const { return s.doc.RegisterRgb[BAK]; }
};

TEST_F(SetViewsTest, EmptyViewsShowTheirGreysAndGrids) {
    DrawSmallSetView(s);
    DrawLargeSetView(s);
    EXPECT_EQ(Small(5, 5), kSmallEmpty);
    EXPECT_EQ(Small(16, 5), kSmallGrid);
    EXPECT_EQ(Small(5, 64), kSmallGrid);
    EXPECT_EQ(Small(79, 79), kSmallEmpty);
    EXPECT_EQ(Large(5, 5), kLargeEmpty);
    EXPECT_EQ(Large(10, 10), kLargeDot);
    EXPECT_EQ(Large(10, 0), kLargeEmpty) << "the dot grid starts on the second row";
    EXPECT_EQ(Large(80, 5), kLargeLine);
    EXPECT_EQ(Large(5, 320), kLargeLine);
    EXPECT_EQ(Large(399, 399), kLargeEmpty);

    s.SmallSetGrid = kOff;
    s.LargeSetGrid = kOff;
    DrawSmallSetView(s);
    DrawLargeSetView(s);
    EXPECT_EQ(Small(16, 5), kSmallEmpty);
    EXPECT_EQ(Large(10, 10), kLargeEmpty);
    EXPECT_EQ(Large(80, 5), kLargeEmpty);
}

TEST_F(SetViewsTest, ACharacterShowsInBothViews) {
    MakeCornerChar(5);
    s.Set().cells[6] = 5;  // row 1, column 1
    DrawSmallSetView(s);
    DrawLargeSetView(s);
    EXPECT_EQ(Small(17, 17), Lum());
    EXPECT_EQ(Small(18, 17), Bak());
    EXPECT_EQ(Small(30, 30), Lum());
    EXPECT_EQ(Small(29, 29), Bak());
    EXPECT_EQ(Small(5, 5), kSmallEmpty);
    EXPECT_EQ(Large(85, 85), Lum());
    EXPECT_EQ(Large(95, 85), Bak());
    EXPECT_EQ(Large(155, 155), Lum());
    EXPECT_EQ(Large(145, 155), Bak());
}

TEST_F(SetViewsTest, TheSmallViewShowsPixelPairsInMulticolour) {
    std::fill_n(s.Slot().Char(5), 64, std::uint8_t{0});
    s.Slot().Pixel(5, 0, 0) = 1;  // pair 10: PF1
    s.Slot().Pixel(5, 3, 0) = 1;  // pair 01: PF0
    s.Set().cells[0] = 5;
    s.MulticolorMode = DisplayMode::Multicolor;
    DrawSmallSetView(s);
    EXPECT_EQ(Small(3, 1), s.doc.RegisterRgb[PF1]);
    EXPECT_EQ(Small(4, 0), s.doc.RegisterRgb[PF0]);
    EXPECT_EQ(Small(9, 1), s.doc.RegisterRgb[BAK]);
}

TEST_F(SetViewsTest, SmallViewEdgesBelongToTheCellAboveOrLeft) {
    s.SheetChar = 7;
    Small(16, 16, tk::ButtonLeft);
    EXPECT_EQ(s.Set().cells[0], 7);
    s.SheetChar = 8;
    Small(17, 16, tk::ButtonLeft);
    EXPECT_EQ(s.Set().cells[1], 8);
    Small(80, 80, tk::ButtonLeft);
    EXPECT_EQ(s.Set().cells[24], 8);
    Small(81, 10, tk::ButtonLeft);
    EXPECT_EQ(std::count(s.Set().cells.begin(), s.Set().cells.end(), kEmptyCell), 22);
}

TEST_F(SetViewsTest, SmallViewButtonsPutEmptyAndChoose) {
    s.SheetChar = 33;
    Small(40, 40, tk::ButtonLeft);  // cell 12
    EXPECT_EQ(s.Set().cells[12], 33);
    EXPECT_EQ(Status(), "Char Set: $21 (33)");

    Small(40, 40, tk::ButtonMiddle);
    EXPECT_EQ(s.CurrentChar, 33);
    EXPECT_EQ(tk::Text(s.ui.charLabel), "Char: $21 (33)");

    Small(40, 40, tk::ButtonLeft | tk::ButtonRight);
    EXPECT_EQ(s.Set().cells[12], 33) << "a combination of buttons does nothing";

    Small(40, 40, tk::ButtonRight);
    EXPECT_EQ(s.Set().cells[12], kEmptyCell);
    EXPECT_EQ(Status(), "Char Set: NONE");

    Small(40, 40, tk::ButtonMiddle);
    EXPECT_EQ(s.CurrentChar, kEmptyCell);
    EXPECT_EQ(tk::Text(s.ui.charLabel), "Char: $FFFFFFFFFFFFFFFF (-1)");
}

TEST_F(SetViewsTest, TheGuardHoldsOnlyTheLeftButton) {
    s.Set().cells[0] = 9;
    s.SheetChar = 20;
    s.ClickGuard = 3;
    Small(5, 5, tk::ButtonLeft);
    EXPECT_EQ(s.Set().cells[0], 9);
    Small(5, 5, tk::ButtonMiddle);
    EXPECT_EQ(s.CurrentChar, 9);
    s.CurrentChar = 1;
    Large(5, 5, tk::ButtonLeft);
    EXPECT_EQ(s.CurrentChar, 1) << "the guarded left button chooses nothing";
    EXPECT_EQ(s.Slot().Pixel(1, 0, 0), 0) << "and paints nothing";
    s.Slot().Pixel(9, 0, 0) = 1;
    Large(5, 5, tk::ButtonRight);
    EXPECT_EQ(s.CurrentChar, 9);
    EXPECT_EQ(s.Slot().Pixel(9, 0, 0), 0);
    Small(5, 5, tk::ButtonRight);
    EXPECT_EQ(s.Set().cells[0], kEmptyCell);
}

TEST_F(SetViewsTest, TheGuardWearsOffThroughTheDispatcher) {
    s.SheetChar = 20;
    s.ClickGuard = 2;
    const tk::Event press = CanvasEvent(s.ui.smallSetView, 5, 5, tk::ButtonLeft);
    MainEventHandler(s, press);
    EXPECT_EQ(s.Set().cells[0], kEmptyCell);
    MainEventHandler(s, press);
    EXPECT_EQ(s.Set().cells[0], 20);
}

TEST_F(SetViewsTest, DrawingOnTheSetPaintsThePixelUnderThePointer) {
    std::fill_n(s.Slot().Char(40), 64, std::uint8_t{0});
    std::fill_n(s.Slot().Char(41), 64, std::uint8_t{0});
    s.Set().cells[7] = 40;  // row 1, column 2
    s.Set().cells[1] = 41;  // row 0, column 1
    Large(195, 125, tk::ButtonLeft);
    EXPECT_EQ(s.CurrentChar, 40);
    EXPECT_EQ(s.Slot().Pixel(40, 3, 4), 1);
    EXPECT_EQ(std::count(s.Slot().Char(40), s.Slot().Char(40) + 64, 1), 1);

    // A point on a cell corner belongs to the cell above and left, pixel (7, 7).
    Large(160, 80, tk::ButtonLeft);
    EXPECT_EQ(s.CurrentChar, 41);
    EXPECT_EQ(s.Slot().Pixel(41, 7, 7), 1);
    EXPECT_EQ(std::count(s.Slot().Char(41), s.Slot().Char(41) + 64, 1), 1);
    EXPECT_EQ(Status(), "Char Set: $29 (41)");
    EXPECT_EQ(Large(155, 75), Lum()) << "the painted pixel shows at once";

    // Dragging with the right button clears as it goes.
    Large(191, 121, tk::ButtonRight);
    Large(195, 125, tk::ButtonRight);
    EXPECT_EQ(s.Slot().Pixel(40, 3, 4), 0);
}

TEST_F(SetViewsTest, WithoutDrawOnSetOrOnAnEmptyCellNothingIsPainted) {
    std::fill_n(s.Slot().Char(40), 64, std::uint8_t{0});
    s.Set().cells[0] = 40;
    s.DrawOnSet = kOff;
    Large(5, 5, tk::ButtonLeft);
    EXPECT_EQ(s.CurrentChar, 40);
    EXPECT_EQ(s.Slot().Pixel(40, 0, 0), 0);

    s.DrawOnSet = kOn;
    const auto before = s.Slot().pixels;
    Large(85, 5, tk::ButtonLeft);  // cell 1 is empty
    EXPECT_EQ(s.CurrentChar, kEmptyCell);
    EXPECT_EQ(tk::Text(s.ui.charLabel), "Char: $FFFFFFFFFFFFFFFF (-1)");
    EXPECT_EQ(s.Slot().pixels, before);
    EXPECT_EQ(Status(), "Char Set: NONE");

    Large(401, 5, tk::ButtonMiddle);
    EXPECT_EQ(Status(), "Char Set: NONE");
}

}  // namespace
}  // namespace qm
