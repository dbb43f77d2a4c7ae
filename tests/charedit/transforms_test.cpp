#include <gtest/gtest.h>

#include <array>

#include "charedit/transforms.h"
#include "support/editor_fixture.h"

namespace qm {
namespace {

constexpr int kChar = 33;
using Pixels = std::array<std::uint8_t, 64>;

// An asymmetric character: no rotation, mirror or shift maps it onto itself.
Pixels Asymmetric() {
    Pixels p{};
    const int rows[8] = {0xF1, 0x80, 0x4C, 0x00, 0x23, 0x07, 0x90, 0x01};
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) p[8 * y + x] = (rows[y] >> (7 - x)) & 1;
    }
    return p;
}

// A row of four pairs with the values 0, 1, 2, 3 from the left.
Pixels PairRow(int y) {
    Pixels p{};
    const std::uint8_t row[8] = {0, 0, 0, 1, 1, 0, 1, 1};
    for (int x = 0; x < 8; ++x) p[8 * y + x] = row[x];
    return p;
}

class Transforms : public test::EditorTest {
protected:
    void SetUp() override {
        test::EditorTest::SetUp();
        s.CurrentChar = kChar;
    }

    Pixels Get() const {
        Pixels p;
        std::copy(s.Slot().Char(kChar), s.Slot().Char(kChar) + 64, p.begin());
        return p;
    }
    void Put(const Pixels& p) { std::copy(p.begin(), p.end(), s.Slot().Char(kChar)); }
    Pixels Only(int x, int y) const {
        Pixels p{};
        p[8 * y + x] = 1;
        return p;
    }
    Pixels After(TransformCode code, const Pixels& start) {
        Put(start);
        TransformChar(s, code);
        return Get();
    }
    std::uint64_t EditorGeneration() const { return tk::CanvasSurface(s.ui.charEditor).Generation(); }
};

TEST_F(Transforms, SinglePixelMovesInHiRes) {
    EXPECT_EQ(After(kRotate, Only(0, 0)), Only(7, 0));
    EXPECT_EQ(After(kHMirror, Only(0, 0)), Only(7, 0));
    EXPECT_EQ(After(kVMirror, Only(0, 0)), Only(0, 7));
    EXPECT_EQ(After(kShiftLeft, Only(0, 0)), Only(7, 0));
    EXPECT_EQ(After(kShiftRight, Only(7, 0)), Only(0, 0));
    EXPECT_EQ(After(kShiftUp, Only(0, 0)), Only(0, 7));
    EXPECT_EQ(After(kShiftDown, Only(0, 7)), Only(0, 0));
    EXPECT_EQ(After(kShiftRight, Only(2, 5)), Only(3, 5));
    EXPECT_EQ(After(kShiftDown, Only(2, 5)), Only(2, 6));
}

TEST_F(Transforms, SinglePixelMovesInMulticolour) {
    s.MulticolorMode = DisplayMode::Multicolor;
    EXPECT_EQ(After(kHMirror, Only(0, 0)), Only(6, 0));
    EXPECT_EQ(After(kHMirror, Only(3, 2)), Only(5, 2));
    EXPECT_EQ(After(kShiftLeft, Only(0, 0)), Only(6, 0));
    EXPECT_EQ(After(kShiftLeft, Only(3, 1)), Only(1, 1));
    EXPECT_EQ(After(kShiftRight, Only(7, 0)), Only(1, 0));
    EXPECT_EQ(After(kShiftRight, Only(2, 4)), Only(4, 4));
    EXPECT_EQ(After(kVMirror, Only(1, 0)), Only(1, 7));
    EXPECT_EQ(After(kShiftUp, Only(1, 0)), Only(1, 7));
    EXPECT_EQ(After(kShiftDown, Only(1, 7)), Only(1, 0));
}

TEST_F(Transforms, RotateIsAQuarterTurnClockwise) {
    // The old left column becomes the top row, read from right to left.
    Pixels column{};
    for (int y = 0; y < 8; ++y) column[8 * y] = y % 3 == 0;
    const Pixels turned = After(kRotate, column);
    for (int x = 0; x < 8; ++x) EXPECT_EQ(turned[x], (7 - x) % 3 == 0) << x;
    for (int i = 8; i < 64; ++i) EXPECT_EQ(turned[i], 0) << i;
}

TEST_F(Transforms, RepeatedMovesReturnTheStart) {
    const Pixels start = Asymmetric();
    struct Case {
        TransformCode code;
        int times, multicolor;
    };
    const Case cases[] = {
        {kRotate, 4, 0},    {kShiftLeft, 8, 0},  {kShiftRight, 8, 0}, {kShiftUp, 8, 0},
        {kShiftDown, 8, 0}, {kShiftLeft, 4, 1},  {kShiftRight, 4, 1}, {kShiftUp, 8, 1},
        {kHMirror, 2, 0},   {kHMirror, 2, 1},    {kVMirror, 2, 0},    {kInverse, 2, 0},
        {kInverse, 2, 1},
    };
    for (const Case& c : cases) {
        s.MulticolorMode = c.multicolor ? DisplayMode::Multicolor : DisplayMode::HiRes;
        Put(start);
        for (int i = 1; i < c.times; ++i) {
            TransformChar(s, c.code);
            EXPECT_NE(Get(), start) << "code " << c.code << " after " << i;
        }
        TransformChar(s, c.code);
        EXPECT_EQ(Get(), start) << "code " << c.code << " multicolour " << c.multicolor;
    }
}

TEST_F(Transforms, MulticolourMovesKeepPairsTogether) {
    s.MulticolorMode = DisplayMode::Multicolor;
    // Pairs 0 1 2 3 in row 4.
    const Pixels mirrored = After(kHMirror, PairRow(4));
    const std::uint8_t mirroredRow[8] = {1, 1, 1, 0, 0, 1, 0, 0};  // 3 2 1 0
    const Pixels right = After(kShiftRight, PairRow(4));
    const std::uint8_t rightRow[8] = {1, 1, 0, 0, 0, 1, 1, 0};  // 3 0 1 2
    const Pixels left = After(kShiftLeft, PairRow(4));
    const std::uint8_t leftRow[8] = {0, 1, 1, 0, 1, 1, 0, 0};  // 1 2 3 0
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(mirrored[32 + x], mirroredRow[x]) << x;
        EXPECT_EQ(right[32 + x], rightRow[x]) << x;
        EXPECT_EQ(left[32 + x], leftRow[x]) << x;
    }
}

TEST_F(Transforms, InverseSwapsPairColours) {
    s.MulticolorMode = DisplayMode::Multicolor;
    const Pixels inverted = After(kInverse, PairRow(0));
    const std::uint8_t row[8] = {1, 1, 1, 0, 0, 1, 0, 0};  // PF2 PF1 PF0 BAK
    for (int x = 0; x < 8; ++x) EXPECT_EQ(inverted[x], row[x]) << x;
    for (int i = 8; i < 64; ++i) EXPECT_EQ(inverted[i], 1) << i;
}

TEST_F(Transforms, ClearEmptiesTheCharacterOnly) {
    const Pixels neighbour(Asymmetric());
    std::copy(neighbour.begin(), neighbour.end(), s.Slot().Char(kChar + 1));
    EXPECT_EQ(After(kClear, Asymmetric()), Pixels{});
    EXPECT_TRUE(std::equal(neighbour.begin(), neighbour.end(), s.Slot().Char(kChar + 1)));
}

TEST_F(Transforms, RotateInMulticolourChangesAndRedrawsNothing) {
    s.MulticolorMode = DisplayMode::Multicolor;
    Put(Asymmetric());
    const auto generation = EditorGeneration();
    TransformChar(s, kRotate);
    EXPECT_EQ(Get(), Asymmetric());
    EXPECT_EQ(EditorGeneration(), generation);
}

TEST_F(Transforms, EveryCodeButCopyRedraws) {
    for (int i = kPaste; i <= kShiftUp; ++i) {
        const auto code = static_cast<TransformCode>(i);
        Put(Asymmetric());
        const auto generation = EditorGeneration();
        TransformChar(s, code);
        if (code == kCopy) {
            EXPECT_EQ(EditorGeneration(), generation);
        } else {
            EXPECT_NE(EditorGeneration(), generation) << code;
        }
    }
}

TEST_F(Transforms, PasteBeforeAnyCopyClears) {
    EXPECT_EQ(After(kPaste, Asymmetric()), Pixels{});
}

TEST_F(Transforms, CopyThenPasteRestoresTheCharacter) {
    Put(Asymmetric());
    TransformChar(s, kCopy);
    TransformChar(s, kInverse);
    TransformChar(s, kRotate);
    TransformChar(s, kHMirror);
    TransformChar(s, kShiftDown);
    ASSERT_NE(Get(), Asymmetric());
    TransformChar(s, kPaste);
    EXPECT_EQ(Get(), Asymmetric());
}

TEST_F(Transforms, ClipboardIsSharedBySlotsAndViews) {
    Put(Asymmetric());
    TransformChar(s, kCopy);
    s.CurrentSlot = 4;
    s.CurrentChar = 90;
    s.MulticolorMode = DisplayMode::Multicolor;
    TransformChar(s, kPaste);
    EXPECT_TRUE(std::equal(s.CharClipboard.begin(), s.CharClipboard.end(), s.doc.Slots[4].Char(90)));
    const Pixels start = Asymmetric();
    EXPECT_TRUE(std::equal(start.begin(), start.end(), s.doc.Slots[4].Char(90)));
}

TEST_F(Transforms, ClipboardHoldsPixelsRowByRow) {
    Put(Only(3, 1));
    TransformChar(s, kCopy);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(s.CharClipboard[i], i == 8 + 3 ? 1 : 0) << i;
}

TEST_F(Transforms, NothingHappensWithoutACharacter) {
    Put(Asymmetric());
    TransformChar(s, kCopy);
    const auto clipboard = s.CharClipboard;
    s.CurrentChar = kEmptyCell;
    for (int i = 0; i < 64; ++i) s.Slot().Char(kChar)[i] = 0;
    const auto cleared = s.Slot().pixels;
    const auto generation = EditorGeneration();
    for (int code = kPaste; code <= kShiftUp; ++code) TransformChar(s, static_cast<TransformCode>(code));
    EXPECT_EQ(s.Slot().pixels, cleared);
    EXPECT_EQ(s.CharClipboard, clipboard);
    EXPECT_EQ(EditorGeneration(), generation);
}

TEST_F(Transforms, MovesLeaveTheClipboardAlone) {
    Put(Only(0, 0));
    TransformChar(s, kCopy);
    const auto clipboard = s.CharClipboard;
    Put(Asymmetric());
    for (int code = kRotate; code <= kShiftUp; ++code) TransformChar(s, static_cast<TransformCode>(code));
    EXPECT_EQ(s.CharClipboard, clipboard);
}

}  // namespace
}  // namespace qm
