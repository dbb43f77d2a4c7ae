#include "app/main_event_handler.h"
#include "app/main_window.h"
#include "core/palette.h"
#include "support/editor_fixture.h"

namespace qm {
namespace {

class DispatcherTest : public test::EditorTest {
protected:
    bool Send(const tk::Event& e) { return MainEventHandler(s, e); }
    // A left-button press on editor cell (x, y).
    void PressLeftOnEditor(int x, int y) { Send(CanvasEvent(s.ui.charEditor, 30 * x + 15, 30 * y + 15, tk::ButtonLeft)); }
    void PressRightOnEditor(int x, int y) { Send(CanvasEvent(s.ui.charEditor, 30 * x + 15, 30 * y + 15, tk::ButtonRight)); }
    std::uint8_t EditedPixel(int x, int y) const { return s.Slot().Pixel(s.CurrentChar, x, y); }
};

TEST_F(DispatcherTest, AfterLoadFontTheLeftButtonIsHeldForFourteenEventsAndFreeOnTheFifteenth) {
    Send(ControlEvent(s.ui.loadFont));  // cancelled dialog
    EXPECT_EQ(s.ClickGuard, kClickGuardEvents);
    ASSERT_EQ(EditedPixel(0, 0), 0);
    for (int i = 0; i < 14; ++i) {
        PressLeftOnEditor(0, 0);
        ASSERT_EQ(EditedPixel(0, 0), 0) << "event " << i + 1;
    }
    PressLeftOnEditor(0, 0);
    EXPECT_EQ(EditedPixel(0, 0), 1);
}

TEST_F(DispatcherTest, TheGuardNeverHoldsTheRightButton) {
    s.Slot().Pixel(s.CurrentChar, 3, 1) = 1;
    Send(ControlEvent(s.ui.loadFont));
    PressRightOnEditor(3, 1);
    EXPECT_EQ(EditedPixel(3, 1), 0);
}

TEST_F(DispatcherTest, SetFileMenuItemsDoNotArmTheGuardButTheirButtonsDo) {
    Send(MenuEvent(kMenuLoadSet));
    EXPECT_EQ(s.ClickGuard, 0);
    Send(ControlEvent(s.ui.loadSet));
    EXPECT_EQ(s.ClickGuard, kClickGuardEvents);
}

TEST_F(DispatcherTest, SlotButtonsExchangeColoursAndMenuItemsCarryThemOver) {
    const Rgb changed = tk::MakeRgb(1, 2, 3);
    s.doc.RegisterRgb[PF0] = changed;
    Send(ControlEvent(s.ui.nextSlot));
    EXPECT_EQ(s.CurrentSlot, 2);
    EXPECT_EQ(tk::Text(s.ui.slotLabel), "2");
    EXPECT_EQ(s.doc.RegisterRgb[PF0], kDefaultRegisterRgb[PF0]);
    Send(ControlEvent(s.ui.previousSlot));
    EXPECT_EQ(s.doc.RegisterRgb[PF0], changed);

    Send(MenuEvent(kMenuNextSlot));
    EXPECT_EQ(s.CurrentSlot, 2);
    EXPECT_EQ(s.doc.RegisterRgb[PF0], changed);
    Send(MenuEvent(kMenuPreviousSlot));
    EXPECT_EQ(s.doc.RegisterRgb[PF0], changed);
    // The next button step stores the carried colours into the slot it leaves.
    Send(MenuEvent(kMenuNextSlot));
    Send(ControlEvent(s.ui.nextSlot));
    EXPECT_EQ(s.doc.Slots[2].colors[PF0], changed);
}

// Each slot has its own screen colours, the registers' bytes are shared: the
// bytes follow the colours of the slot entered.
TEST_F(DispatcherTest, EnteringASlotGivesTheRegistersTheBytesOfItsColours) {
    const Rgb pink = PlatformPalette[9][2];  // $94
    s.doc.RegisterRgb[BAK] = pink;
    s.doc.RegisterValue[BAK] = 0x94;
    s.doc.RegisterValue[PF0] = 0xF8;      // the twin of the default $18: hue 15 repeats hue 1
    s.doc.RegisterRgb[PF1] = tk::MakeRgb(1, 2, 3);  // no palette colour: its byte stays
    StoreSlotColors(s);

    Send(ControlEvent(s.ui.nextSlot));
    EXPECT_EQ(s.doc.RegisterValue[BAK], 0x00);
    EXPECT_EQ(s.doc.RegisterValue[PF0], 0xF8);
    EXPECT_EQ(s.doc.RegisterValue[PF1], 184);
    s.doc.RegisterRgb[LUM] = PlatformPalette[3][5];
    s.doc.RegisterValue[LUM] = 0x3A;
    Send(ControlEvent(s.ui.previousSlot));
    EXPECT_EQ(s.doc.RegisterValue[BAK], 0x94);
    EXPECT_EQ(s.doc.RegisterValue[LUM], 0x0E);
    EXPECT_EQ(s.doc.RegisterValue[PF1], 184);
    Send(ControlEvent(s.ui.nextSlot));
    EXPECT_EQ(s.doc.RegisterValue[LUM], 0x3A);
}

TEST_F(DispatcherTest, SlotStepsStopAtBothEndsWithoutTouchingColours) {
    Send(ControlEvent(s.ui.previousSlot));
    Send(MenuEvent(kMenuPreviousSlot));
    EXPECT_EQ(s.CurrentSlot, 1);
    for (int i = 0; i < 12; ++i) Send(MenuEvent(kMenuNextSlot));
    EXPECT_EQ(s.CurrentSlot, 10);
    s.doc.RegisterRgb[BAK] = tk::MakeRgb(9, 9, 9);
    Send(ControlEvent(s.ui.nextSlot));
    EXPECT_EQ(s.CurrentSlot, 10);
    EXPECT_EQ(s.doc.Slots[10].colors[BAK], kDefaultRegisterRgb[BAK]);
    EXPECT_EQ(tk::Text(s.ui.slotLabel), "10");
}

TEST_F(DispatcherTest, SetStepsStayWithinOneToHundred) {
    Send(MenuEvent(kMenuPreviousSet));
    EXPECT_EQ(s.CurrentSet, 1);
    Send(ControlEvent(s.ui.nextSet));
    EXPECT_EQ(s.CurrentSet, 2);
    EXPECT_EQ(tk::Text(s.ui.setLabel), "2");
    for (int i = 0; i < 120; ++i) Send(MenuEvent(kMenuNextSet));
    EXPECT_EQ(s.CurrentSet, 100);
    Send(ControlEvent(s.ui.previousSet));
    EXPECT_EQ(s.CurrentSet, 99);
}

TEST_F(DispatcherTest, KeyDTogglesTheDrawOnSetBoxAndItsFlagTogether) {
    Send(KeyEvent(tk::EventKind::KeyPressed, 68));
    EXPECT_FALSE(tk::IsChecked(s.ui.drawOnSetBox));
    EXPECT_EQ(s.DrawOnSet, kOff);
    Send(KeyEvent(tk::EventKind::KeyPressed, 68));
    EXPECT_TRUE(tk::IsChecked(s.ui.drawOnSetBox));
    EXPECT_EQ(s.DrawOnSet, kOn);

    tk::SetChecked(s.ui.drawOnSetBox, false);  // as the user unticking it
    Send(ControlEvent(s.ui.drawOnSetBox, tk::SubKind::Other));
    EXPECT_EQ(s.DrawOnSet, kOff);
}

TEST_F(DispatcherTest, HeldDigitKeyPutsSheetClicksIntoTheFirstEmptyCellsOfItsRow) {
    Send(KeyEvent(tk::EventKind::KeyPressed, 51));  // "3": row 2, cells 10..14
    EXPECT_EQ(s.HeldDigitKey, 51);
    for (int ch = 20; ch < 26; ++ch) {
        Send(CanvasEvent(s.ui.fontSheet, 17 * ch + 5, 5, 0, tk::SubKind::LeftClick));
    }
    for (int cell = 10; cell < 15; ++cell) EXPECT_EQ(s.Set().cells[cell], 10 + cell);
    EXPECT_EQ(s.Set().cells[15], kEmptyCell);  // the sixth click found the row full
    EXPECT_EQ(s.SheetChar, 1);
    EXPECT_EQ(s.CurrentChar, 1);

    Send(KeyEvent(tk::EventKind::KeyReleased, 'X'));
    EXPECT_EQ(s.HeldDigitKey, 0);
    Send(CanvasEvent(s.ui.fontSheet, 17 * 7 + 5, 5, 0, tk::SubKind::LeftClick));
    EXPECT_EQ(s.CurrentChar, 7);
}

TEST_F(DispatcherTest, TimerTicksReachTheAnimationOnlyWhileItRuns) {
    tk::Event tick;
    tick.kind = tk::EventKind::Timer;
    tick.window = s.ui.window;
    tick.timer = kAnimationTimer;
    s.AnimRunning = true;
    s.AnimStart = 1;
    s.AnimStop = 2;
    s.AnimFrame = 1;
    s.AnimTicksLeft = 10;
    Send(tick);
    EXPECT_EQ(s.AnimTicksLeft, 9);
    tick.timer = 7;
    Send(tick);
    EXPECT_EQ(s.AnimTicksLeft, 9);
    s.AnimRunning = false;
    tick.timer = kAnimationTimer;
    Send(tick);
    EXPECT_EQ(s.AnimTicksLeft, 9);
}

TEST_F(DispatcherTest, AboutNamesTheProgram) {
    Send(MenuEvent(kMenuAbout));
    ASSERT_FALSE(tk::ShownRequesters().empty());
    EXPECT_EQ(tk::ShownRequesters().back().title, "About...");
    EXPECT_NE(tk::ShownRequesters().back().text.find("Quillmere"), std::string::npos);
}

}  // namespace
}  // namespace qm
