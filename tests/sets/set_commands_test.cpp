#include "app/main_event_handler.h"
#include "sets/set_views.h"
#include "support/editor_fixture.h"

namespace qm {
namespace {

constexpr int kKey2 = 50;

using SetCommandsTest = test::EditorTest;

TEST_F(SetCommandsTest, HeldDigitFillsItsRowLeftToRightUntilFull) {
    for (int code : {10, 11, 12, 13, 14}) AppendCharToSetRow(s, code, kKey2);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(s.Set().cells[5 + i], 10 + i);
    AppendCharToSetRow(s, 99, kKey2);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(s.Set().cells[5 + i], 10 + i) << "a full row stays as it is";
    EXPECT_EQ(s.Set().cells[4], kEmptyCell);
    EXPECT_EQ(s.Set().cells[10], kEmptyCell);

    // A gap is filled first.
    s.Set().cells[6] = kEmptyCell;
    AppendCharToSetRow(s, 77, kKey2);
    EXPECT_EQ(s.Set().cells[6], 77);

    AppendCharToSetRow(s, 5, 48);  // "0" is no row
    AppendCharToSetRow(s, 5, 54);  // "6" neither
    EXPECT_EQ(std::count(s.Set().cells.begin(), s.Set().cells.end(), 5), 0);
}

TEST_F(SetCommandsTest, HoldingAKeyRoutesSheetClicksIntoTheRow) {
    MainEventHandler(s, KeyEvent(tk::EventKind::KeyPressed, 51));  // "3"
    MainEventHandler(s, CanvasEvent(s.ui.fontSheet, 17 * 4 + 3, 3, tk::ButtonLeft, tk::SubKind::LeftClick));
    EXPECT_EQ(s.Set().cells[10], 4);
    EXPECT_EQ(s.SheetChar, 1) << "the held key keeps the sheet choice";
    MainEventHandler(s, KeyEvent(tk::EventKind::KeyReleased, 51));
    MainEventHandler(s, CanvasEvent(s.ui.fontSheet, 17 * 6 + 3, 3, tk::ButtonLeft, tk::SubKind::LeftClick));
    EXPECT_EQ(s.Set().cells[11], kEmptyCell);
}

TEST_F(SetCommandsTest, PasteBeforeCopyGivesCharacterZero) {
    SetCommand(s, SetAction::Paste);
    for (int cell : s.Set().cells) EXPECT_EQ(cell, 0);
}

TEST_F(SetCommandsTest, CopyThenPasteIntoAnotherSet) {
    s.Set().cells[0] = 33;
    s.Set().cells[24] = 127;
    SetCommand(s, SetAction::Copy);
    s.CurrentSet = 2;
    SetCommand(s, SetAction::Paste);
    EXPECT_EQ(s.doc.SetTable[2].cells, s.doc.SetTable[1].cells);
    SetCommand(s, SetAction::Clear);
    for (int cell : s.doc.SetTable[2].cells) EXPECT_EQ(cell, kEmptyCell);
    EXPECT_EQ(s.doc.SetTable[1].cells[0], 33) << "clearing a set leaves the others";
}

TEST_F(SetCommandsTest, ClearBitsBlanksTheSetsCharactersOnly) {
    s.Set().cells[3] = 33;
    s.Set().cells[9] = 34;
    const auto before = s.Slot().pixels;
    ASSERT_GT(std::count(s.Slot().Char(33), s.Slot().Char(33) + 64, 1), 0);
    SetCommand(s, SetAction::ClearBits);
    EXPECT_EQ(std::count(s.Slot().Char(33), s.Slot().Char(33) + 64, 1), 0);
    EXPECT_EQ(std::count(s.Slot().Char(34), s.Slot().Char(34) + 64, 1), 0);
    EXPECT_TRUE(std::equal(s.Slot().Char(35), s.Slot().Char(35) + 64, before.data() + 35 * 64));
    EXPECT_EQ(s.Set().cells[3], 33) << "the set itself is kept";
    EXPECT_TRUE(std::equal(s.Slot().Char(32), s.Slot().Char(32) + 64, before.data() + 32 * 64));
}

TEST_F(SetCommandsTest, PutCharInCellStoresOrErases) {
    s.SheetChar = 66;
    PutCharInCell(s, 24, false);
    EXPECT_EQ(s.Set().cells[24], 66);
    PutCharInCell(s, 24, true);
    EXPECT_EQ(s.Set().cells[24], kEmptyCell);
    PutCharInCell(s, 25, false);  // no such cell: nothing happens
    EXPECT_EQ(s.doc.SetTable[2].cells[0], kEmptyCell);
}

}  // namespace
}  // namespace qm
