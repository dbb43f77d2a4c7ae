#include <gtest/gtest.h>

#include "session/font_buffer.h"
#include "support/editor_fixture.h"

namespace qm {
namespace {

TEST(FontBufferTest, BitSevenIsTheLeftmostColumn) {
    EditorState s;
    ResetEditorState(s);
    s.doc.Slots[2].Pixel(33, 0, 3) = 1;
    PackFont(s, 2);
    EXPECT_EQ(s.FontBuffer[267], 128);
    s.doc.Slots[2].Pixel(33, 0, 3) = 0;
    s.doc.Slots[2].Pixel(33, 7, 3) = 1;
    PackFont(s, 2);
    EXPECT_EQ(s.FontBuffer[267], 1);
    int nonZero = 0;
    for (auto byte : s.FontBuffer) nonZero += byte != 0;
    EXPECT_EQ(nonZero, 1);
}

TEST(FontBufferTest, UnpackThenPackGivesTheBytesBack) {
    EditorState s;
    ResetEditorState(s);
    for (int i = 0; i < kFontBytes; ++i) s.FontBuffer[i] = static_cast<std::uint8_t>(i * 37 + 11);
    const auto bytes = s.FontBuffer;
    UnpackFont(s, 4);
    s.FontBuffer.fill(0);
    PackFont(s, 4);
    EXPECT_EQ(s.FontBuffer, bytes);

    s.FontBuffer.fill(255);
    UnpackFont(s, 4);
    for (auto pixel : s.doc.Slots[4].pixels) ASSERT_EQ(pixel, 1);
}

TEST(FontBufferTest, MinusOneStandsForTheCurrentSlot) {
    EditorState s;
    ResetEditorState(s);
    s.CurrentSlot = 3;
    s.FontBuffer = DefaultFontData;
    UnpackFont(s, -1);
    EXPECT_EQ(s.doc.Slots[3].Pixel(1, 3, 1), 1);  // "!" has its stroke in columns 3 and 4
    PackFont(s, -1);
    EXPECT_EQ(s.FontBuffer, DefaultFontData);
}

TEST(DefaultFontDataTest, IsTheStandardCharacterSetFileByteForByte) {
    const auto file = test::ReadBytes(test::TestDataPath("fonts/atari-standard.fnt"));
    ASSERT_EQ(file.size(), static_cast<std::size_t>(kFontBytes));
    EXPECT_TRUE(std::equal(file.begin(), file.end(), DefaultFontData.begin()));
    // Telling rows: "A" and the right-pointing triangle.
    const std::uint8_t letterA[8] = {0x00, 0x18, 0x3C, 0x66, 0x66, 0x7E, 0x66, 0x00};
    EXPECT_TRUE(std::equal(letterA, letterA + 8, DefaultFontData.begin() + 33 * 8));
    EXPECT_EQ(DefaultFontData[127 * 8 + 3], 0x1E);
}

}  // namespace
}  // namespace qm
