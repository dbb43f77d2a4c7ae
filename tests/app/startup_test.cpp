#include "app/main_window.h"
#include "session/font_buffer.h"
#include "support/editor_fixture.h"

namespace qm {
namespace {

using StartUpTest = test::EditorTest;

TEST_F(StartUpTest, SlotOneHoldsTheStandardSetAndTheOtherSlotsAreBlank) {
    PackFont(s, 1);
    EXPECT_EQ(s.FontBuffer, DefaultFontData);
    PackFont(s, 2);
    for (auto byte : s.FontBuffer) ASSERT_EQ(byte, 0);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        EXPECT_EQ(s.doc.Slots[slot].fileName, "Default.fnt");
        EXPECT_TRUE(s.doc.Slots[slot].filePath.empty());
        EXPECT_EQ(s.doc.Slots[slot].colors, kDefaultRegisterRgb);
    }
}

TEST_F(StartUpTest, SelectionsModesAndRegistersHaveTheirDefaults) {
    EXPECT_EQ(s.CurrentSlot, 1);
    EXPECT_EQ(s.CurrentChar, 1);
    EXPECT_EQ(s.SheetChar, 1);
    EXPECT_EQ(s.CurrentSet, 1);
    EXPECT_EQ(s.MulticolorMode, DisplayMode::HiRes);
    EXPECT_EQ(s.LayerMode, Layer::Normal);
    EXPECT_EQ(s.LeftColor, LUM);
    EXPECT_EQ(s.RightColor, BAK);
    EXPECT_EQ(s.SavedGfxLeftColor, PF0);
    EXPECT_EQ(s.SavedGfxRightColor, BAK);
    EXPECT_EQ(s.doc.RegisterRgb[PF1], tk::MakeRgb(71, 183, 27));
    EXPECT_EQ(s.doc.RegisterValue, (std::array<int, 7>{0, 14, 0, 24, 184, 134, 68}));
    EXPECT_EQ(s.SetsViewerOpen, kOff);
    EXPECT_FALSE(s.ViewEditorOpen);
    EXPECT_EQ(s.ViewGrid, kOff);
    EXPECT_EQ(s.ExportRegion.width, 4);
    EXPECT_EQ(s.ExportRegion.height, 4);
    EXPECT_TRUE(s.doc.ProjectPath.empty());
    for (int set = 1; set <= kSetCount; ++set) {
        for (int cell : s.doc.SetTable[set].cells) ASSERT_EQ(cell, kEmptyCell);
    }
    for (int cell : s.SetClipboard.cells) ASSERT_EQ(cell, 0);
    for (const auto& row : s.doc.ViewScreen) {
        for (int cell : row) ASSERT_EQ(cell, kEmptyCell);
    }
}

TEST_F(StartUpTest, WindowShowsTheFontNameTheListsAndTheTicksOfItsBoxes) {
    EXPECT_EQ(tk::StatusText(s.ui.window, kStatusFontField), "Font: Default.fnt");
    EXPECT_EQ(tk::StatusText(s.ui.window, kStatusProjectField), "Project: ");
    EXPECT_EQ(tk::StatusText(s.ui.window, kStatusCharField), "");
    ASSERT_EQ(tk::ItemCount(s.ui.animStartList), 100);
    EXPECT_EQ(tk::ItemText(s.ui.animStopList, 99), "100");
    EXPECT_EQ(tk::SelectedItem(s.ui.animStartList), 0);
    EXPECT_EQ(tk::SelectedItem(s.ui.animStopList), 1);
    EXPECT_TRUE(tk::IsChecked(s.ui.largeSetGridBox));
    EXPECT_TRUE(tk::IsChecked(s.ui.drawOnSetBox));
    EXPECT_TRUE(tk::IsChecked(s.ui.normalMode));
    EXPECT_FALSE(tk::IsChecked(s.ui.maskMode));
    EXPECT_EQ(tk::Text(s.ui.slotLabel), "1");
    EXPECT_EQ(tk::Text(s.ui.setLabel), "1");
    EXPECT_EQ(tk::Background(s.ui.slotLabel), tk::MakeRgb(128, 255, 128));
    EXPECT_EQ(tk::Background(s.ui.setLabel), tk::MakeRgb(255, 255, 0));
    EXPECT_EQ(tk::Background(s.ui.leftButtonBar), tk::MakeRgb(238, 238, 238));
    EXPECT_EQ(tk::Background(s.ui.rightButtonBar), tk::MakeRgb(0, 0, 0));
}

}  // namespace
}  // namespace qm
