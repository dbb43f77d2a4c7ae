#include <gtest/gtest.h>

#include "core/export_lines.h"
#include "core/font_format.h"

namespace qm {
namespace {

// Header lines before the first data line, per format: FastBasic names its
// array on the first data line.
constexpr int kHeaderLines[kExportFormatCount] = {1, 1, 1, 1, 1, 1, 1, 1, 0};

TEST(ExportLinesTest, EveryFormatHasItsLineCountAndOneCharacterPerDataLine) {
    const int expected[kExportFormatCount] = {129, 129, 131, 131, 129, 130, 129, 129, 128};
    for (int format = 0; format < kExportFormatCount; ++format) {
        EXPECT_EQ(ExportLines(DefaultFontData, format).size(), static_cast<std::size_t>(expected[format]))
            << "format " << format;
    }
    EXPECT_TRUE(ExportLines(DefaultFontData, kExportFormatCount).empty());
    EXPECT_TRUE(ExportLines(DefaultFontData, -1).empty());
}

TEST(ExportLinesTest, CharacterThirtyThreeOfTheStandardSetInEveryFormat) {
    const std::string expected[kExportFormatCount] = {
        "    .BYTE 0,24,60,102,102,126,102,0",
        "    .BYTE $0,$18,$3C,$66,$66,$7E,$66,$0",
        "0 24 60 102 102 126 102 0",
        "$0 $18 $3C $66 $66 $7E $66 $0",
        "10340 DATA 0,24,60,102,102,126,102,0",
        "\t$0, $18, $3C, $66, $66, $7E, $66, $0,",
        // MADS and xasm write bytes with dta (no type: bytes); xasm in lower case.
        "    dta $00,$18,$3C,$66,$66,$7E,$66,$00",
        "    dta $00,$18,$3c,$66,$66,$7e,$66,$00",
        // FastBasic continues a DATA array on lines "DATA BYTE = ...," after a comma.
        "DATA BYTE = $00,$18,$3C,$66,$66,$7E,$66,$00,",
    };
    for (int format = 0; format < kExportFormatCount; ++format) {
        EXPECT_EQ(ExportLines(DefaultFontData, format)[kHeaderLines[format] + 33], expected[format]) << "format " << format;
    }
}

TEST(ExportLinesTest, HeadersAndTrailers) {
    const auto assembler = ExportLines(DefaultFontData, 0);
    EXPECT_EQ(assembler.front(), "FONT");
    const auto action = ExportLines(DefaultFontData, 3);
    EXPECT_EQ(action.front(), "PROC font()=[");
    EXPECT_EQ(action[129], "]");
    EXPECT_EQ(action[130], "MODULE");
    const auto basic = ExportLines(DefaultFontData, 4);
    EXPECT_EQ(basic.front(), "10000 REM .oO DATA FONT Oo.");
    EXPECT_EQ(basic[1].substr(0, 11), "10010 DATA ");
    EXPECT_EQ(basic.back().substr(0, 11), "11280 DATA ");
}

TEST(ExportLinesTest, PascalArrayEndsWithoutTrailingCommaBeforeTheClosingLine) {
    const auto lines = ExportLines(DefaultFontData, 5);
    EXPECT_EQ(lines.front(), "qmr_font: array [0..1023] of byte = (");
    // Character 127 of the standard set: 10 18 1C 1E 1C 18 10 00.
    EXPECT_EQ(lines[128], "\t$10, $18, $1C, $1E, $1C, $18, $10, $0");
    EXPECT_EQ(lines[129], ");");
    for (int line = 1; line < 128; ++line) EXPECT_EQ(lines[line].back(), ',') << line;
}

TEST(ExportLinesTest, BlankFontAndFullBytesAreWrittenWithoutPadding) {
    FontBytes blank{};
    const auto hex = ExportLines(blank, 1);
    for (int line = 1; line < 129; ++line) ASSERT_EQ(hex[line], "    .BYTE $0,$0,$0,$0,$0,$0,$0,$0");

    FontBytes full;
    full.fill(255);
    EXPECT_EQ(ExportLines(full, 0)[1], "    .BYTE 255,255,255,255,255,255,255,255");
    EXPECT_EQ(ExportLines(full, 3)[1], "$FF $FF $FF $FF $FF $FF $FF $FF");
}

TEST(ExportLinesTest, NoLineCarriesTrailingSpaces) {
    for (int format = 0; format < kExportFormatCount; ++format) {
        for (const std::string& line : ExportLines(DefaultFontData, format)) {
            ASSERT_FALSE(line.empty());
            ASSERT_NE(line.back(), ' ') << "format " << format << ": " << line;
        }
    }
}

TEST(TextFileBytesTest, EveryLineEndsInCrLfTheLastToo) {
    const Bytes bytes = TextFileBytes({"FONT", "\xC3\xA9"});
    const Bytes expected = {'F', 'O', 'N', 'T', 13, 10, 0xC3, 0xA9, 13, 10};
    EXPECT_EQ(bytes, expected);
    EXPECT_TRUE(TextFileBytes({}).empty());
}

}  // namespace
}  // namespace qm
