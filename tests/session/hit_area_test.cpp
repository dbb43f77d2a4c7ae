#include <gtest/gtest.h>

#include "session/editor_state.h"

namespace qm {
namespace {

class HitAreaTest : public ::testing::Test {
protected:
    void SetUp() override { ResetEditorState(s); }
    EditorState s;
};

TEST_F(HitAreaTest, EditorCellsShareTheirEdgeWithTheCellLeftOrAbove) {
    EXPECT_EQ(FindHitArea(s, 500, 563, 30, 30), 500);
    EXPECT_EQ(FindHitArea(s, 500, 563, 31, 31), 509);
    EXPECT_EQ(FindHitArea(s, 500, 563, 240, 240), 563);
    EXPECT_EQ(FindHitArea(s, 500, 563, 241, 0), -1);
    EXPECT_EQ(FindHitArea(s, 500, 563, -1, 5), -1);
    const HitArea& cell = s.HitAreaTable[500 + 8 * 3 + 5];
    EXPECT_EQ(cell.column, 5);
    EXPECT_EQ(cell.row, 3);
}

TEST_F(HitAreaTest, SheetAreasTileBothHalvesWithoutOverlap) {
    EXPECT_EQ(FindHitArea(s, 0, 255, 16, 16), 0);
    EXPECT_EQ(FindHitArea(s, 0, 255, 17, 17), 33);
    EXPECT_EQ(FindHitArea(s, 0, 255, 0, 67), 96);   // last row of the normal half
    EXPECT_EQ(FindHitArea(s, 0, 255, 0, 68), 128);  // first row of the inverse half
    EXPECT_EQ(FindHitArea(s, 0, 255, 17 * 31 + 16, 0), 31);
    EXPECT_EQ(FindHitArea(s, 0, 255, 17 * 32 + 1, 0), -1);
}

TEST_F(HitAreaTest, LargeSetPixelsCarryTheirPixelWithinTheCharacter) {
    const int id = FindHitArea(s, 1000, 2599, 95, 15);  // column 9, row 1
    ASSERT_EQ(id, 1000 + 40 * 1 + 9);
    EXPECT_EQ(s.HitAreaTable[id].column, 1);
    EXPECT_EQ(s.HitAreaTable[id].row, 1);
    EXPECT_EQ(s.HitAreaTable[FindHitArea(s, 1000, 2599, 80, 80)].column, 7);
    EXPECT_EQ(FindHitArea(s, 600, 624, 80, 80), 600);
    EXPECT_EQ(FindHitArea(s, 600, 624, 401, 10), -1);
}

TEST_F(HitAreaTest, UnfilledIdsAreAllZeroAndTheOtherRangesFollowTheirCanvases) {
    ASSERT_EQ(s.HitAreaTable.size(), static_cast<std::size_t>(kHitAreaCount));
    const HitArea& unused = s.HitAreaTable[400];
    EXPECT_EQ(unused.left + unused.top + unused.width + unused.height, 0);
    EXPECT_EQ(FindHitArea(s, 3000, 3024, 80, 80), 3024);
    EXPECT_EQ(FindHitArea(s, 5000, 7399, 64, 0), 5003);
    EXPECT_EQ(FindHitArea(s, 5000, 7399, 959, 639), 7399);
    EXPECT_EQ(FindHitArea(s, 7500, 7509, 80, 40), 7500);
    EXPECT_EQ(FindHitArea(s, 7500, 7509, 799, 40), 7509);
}

TEST(CharNumberTextTest, ShowsHexadecimalThenDecimal) {
    EXPECT_EQ(CharNumberText(65), "$41 (65)");
    EXPECT_EQ(CharNumberText(10), "$A (10)");
    EXPECT_EQ(CharNumberText(0), "$0 (0)");
    EXPECT_EQ(CharNumberText(-1), "$FFFFFFFFFFFFFFFF (-1)");
}

}  // namespace
}  // namespace qm
