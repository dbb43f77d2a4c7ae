#include <gtest/gtest.h>

#include "core/font_format.h"

namespace qm {
namespace {

FontBytes Counting() {
    FontBytes font;
    for (int i = 0; i < kFontBytes; ++i) font[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return font;
}

TEST(FontFormatTest, ReadsTheFirstFontOfALongFileAndZeroFillsAShortOne) {
    Bytes longFile(2000);
    for (std::size_t i = 0; i < longFile.size(); ++i) longFile[i] = static_cast<unsigned char>(i % 251 + 1);
    const FontBytes font = ReadFontBytes(longFile);
    EXPECT_TRUE(std::equal(font.begin(), font.end(), longFile.begin()));

    const Bytes shortFile(100, 0xAA);
    const FontBytes partial = ReadFontBytes(shortFile);
    EXPECT_EQ(partial[99], 0xAA);
    EXPECT_EQ(partial[100], 0);
    EXPECT_EQ(partial[1023], 0);

    const FontBytes empty = ReadFontBytes({});
    EXPECT_EQ(empty, FontBytes{});
}

TEST(FontFormatTest, RangeHoldsWholeCharactersFromTo) {
    const FontBytes font = Counting();
    const Bytes one = WriteFontRange(font, 65, 65);
    ASSERT_EQ(one.size(), 8u);
    EXPECT_TRUE(std::equal(one.begin(), one.end(), font.begin() + 520));

    const Bytes all = WriteFontRange(font, 0, 127);
    EXPECT_EQ(all, WriteFontBytes(font));
    EXPECT_EQ(all.size(), 1024u);

    EXPECT_EQ(WriteFontRange(font, 126, 127).size(), 16u);
    EXPECT_TRUE(WriteFontRange(font, 5, 4).empty());
}

}  // namespace
}  // namespace qm
