// Analysis and moves of characters on documents built from the real fonts:
// what the cells show never changes, and the groups and moves are the
// expected ones.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "core/char_analysis.h"
#include "core/file_io.h"
#include "core/font_format.h"

namespace qm {
namespace {

std::vector<FontBytes> RealFonts() {
    std::vector<std::filesystem::path> paths;
    for (const auto& e : std::filesystem::directory_iterator(std::filesystem::path(QUILLMERE_TESTDATA) / "fonts")) {
        if (e.path().extension() == ".fnt") paths.push_back(e.path());
    }
    std::sort(paths.begin(), paths.end());
    std::vector<FontBytes> fonts;
    for (const auto& p : paths) {
        std::vector<unsigned char> bytes;
        EXPECT_TRUE(ReadWholeFile(p.string(), bytes)) << p;
        fonts.push_back(ReadFontBytes(bytes));
    }
    return fonts;
}

// Every slot a real font (slot 1 the given one), cells scattered over a part
// of the characters so that some stay unused.
Document BuildDocument(const std::vector<FontBytes>& fonts, std::size_t first, unsigned seed) {
    Document doc;
    ResetDocument(doc);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        UnpackFont(fonts[(first + static_cast<std::size_t>(slot) - 1) % fonts.size()], doc.Slots[slot]);
    }
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> code(-1, 90);
    // A third of the cells inverse: they use the same characters.
    const auto inverse = [&random](int cell) { return cell >= 0 && random() % 3 == 0 ? cell + 128 : cell; };
    for (int set = 1; set <= kSetCount; set += 3) {
        for (auto& cell : doc.SetTable[set].cells) cell = inverse(code(random));
    }
    for (int y = 0; y < kViewRows; y += 2) {
        for (int x = 0; x < kViewColumns; ++x) doc.ViewScreen[y][x] = inverse(code(random) + 30);
    }
    return doc;
}

// What each set and screen cell shows in one slot, pixel by pixel, and
// whether inverse.
std::vector<std::uint8_t> Picture(const Document& doc, int slot) {
    std::vector<std::uint8_t> picture;
    auto add = [&](int cell) {
        if (!IsCellCode(cell)) {
            picture.insert(picture.end(), 64, 2);
            return;
        }
        const std::uint8_t* pixels = doc.Slots[slot].Char(CharOfCode(cell));
        picture.insert(picture.end(), pixels, pixels + 64);
        picture.push_back(IsInverseCode(cell) ? 3 : 4);
    };
    for (int set = 1; set <= kSetCount; ++set) {
        for (int cell : doc.SetTable[set].cells) add(cell);
    }
    for (const auto& row : doc.ViewScreen) {
        for (int cell : row) add(cell);
    }
    return picture;
}

TEST(CharAnalysis, PlantedDuplicatesAndUnusedCharactersAreFound) {
    const std::vector<FontBytes> fonts = RealFonts();
    ASSERT_GE(fonts.size(), 3u);
    for (std::size_t f = 0; f < fonts.size(); ++f) {
        Document doc;
        ResetDocument(doc);
        FontBytes font = fonts[f];
        // Character 1 copied to 100 and 120; 101 given a pattern of its own,
        // and then copied to 102.
        std::copy_n(font.begin() + 8, 8, font.begin() + 800);
        std::copy_n(font.begin() + 8, 8, font.begin() + 960);
        for (int r = 0; r < 8; ++r) font[808 + r] = font[816 + r] = static_cast<std::uint8_t>(0xA5 ^ (r * 37));
        UnpackFont(font, doc.Slots[1]);
        doc.SetTable[7].cells[3] = 100;
        doc.SetTable[7].cells[4] = 1;
        doc.ViewScreen[39][59] = 100;
        doc.ViewScreen[0][0] = 102;

        const CharAnalysis a = AnalyzeChars(doc, 1);
        EXPECT_EQ(a.Unused().size(), 125u);
        EXPECT_EQ(a.setCells[100], 1);
        EXPECT_EQ(a.screenCells[100], 1);
        EXPECT_EQ(a.firstCopy[120], a.firstCopy[1]);
        EXPECT_EQ(a.firstCopy[102], a.firstCopy[101]);
        // Every group lists equal characters, the first copy first, and no
        // character outside a group equals an earlier one.
        std::array<int, kCharCount> grouped{};
        for (const auto& group : a.DuplicateGroups()) {
            ASSERT_GE(group.size(), 2u);
            EXPECT_TRUE(std::is_sorted(group.begin(), group.end()));
            for (int c : group) {
                ++grouped[c];
                EXPECT_TRUE(std::equal(font.begin() + 8 * c, font.begin() + 8 * c + 8, font.begin() + 8 * group[0]));
            }
        }
        for (int c = 0; c < kCharCount; ++c) {
            const bool repeats = std::count(a.firstCopy.begin(), a.firstCopy.end(), a.firstCopy[c]) > 1;
            EXPECT_EQ(grouped[c], repeats ? 1 : 0) << c;
        }

        const std::vector<CharPlace> places = WhereUsed(doc, 100);
        ASSERT_EQ(places.size(), 2u);
        EXPECT_EQ(places[0].set, 7);
        EXPECT_EQ(places[0].cell, 3);
        EXPECT_TRUE(places[1].OnScreen());
        EXPECT_EQ(places[1].x, 59);
        EXPECT_EQ(places[1].y, 39);

        const MergeResult merge = MergeDuplicates(doc, 1);
        EXPECT_EQ(doc.SetTable[7].cells[3], a.firstCopy[1]);
        EXPECT_EQ(doc.ViewScreen[0][0], a.firstCopy[101]);
        const CharAnalysis after = AnalyzeChars(doc, 1);
        EXPECT_FALSE(after.Used(100));
        EXPECT_FALSE(after.Used(102));
        // A second merge finds only blank, unused duplicates: nothing to do.
        EXPECT_FALSE(merge.merged.empty());
        EXPECT_TRUE(MergeDuplicates(doc, 1).merged.empty());
    }
}

TEST(CharAnalysis, MovesKeepWhatEveryCellShowsInEverySlot) {
    const std::vector<FontBytes> fonts = RealFonts();
    for (std::size_t f = 0; f < fonts.size(); ++f) {
        Document doc = BuildDocument(fonts, f, static_cast<unsigned>(f));
        std::vector<std::vector<std::uint8_t>> before;
        for (int slot = 1; slot <= kSlotCount; ++slot) before.push_back(Picture(doc, slot));

        const CharAnalysis a = AnalyzeChars(doc, 1);
        const CharMoves compact = CompactMoves(a);
        MoveChars(doc, compact);
        const CharAnalysis compacted = AnalyzeChars(doc, 1);
        const int used = kCharCount - static_cast<int>(a.Unused().size());
        for (int c = 0; c < kCharCount; ++c) EXPECT_EQ(compacted.Used(c), c < used) << c;
        // In their order: a used character before another stays before it.
        for (int c = 1; c < kCharCount; ++c) {
            for (int d = 0; d < c; ++d) {
                if (a.Used(c) == a.Used(d)) {
                    EXPECT_LT(compact[d], compact[c]);
                }
            }
        }
        MoveChars(doc, SwapMoves(3, 120));
        MoveChars(doc, SwapMoves(50, 50));
        for (int slot = 1; slot <= kSlotCount; ++slot) EXPECT_EQ(Picture(doc, slot), before[slot - 1]) << slot;

        // Merging changes no cell's picture in the slot it judged.
        const int slot = static_cast<int>(f % kSlotCount) + 1;
        const auto judged = Picture(doc, slot);
        MergeDuplicates(doc, slot);
        EXPECT_EQ(Picture(doc, slot), judged);
        EXPECT_TRUE(AnalyzeChars(doc, slot).DuplicateGroups().size() <= 1u);  // at most the blanks
    }
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

// Fonts of a few shapes, the blank one among them, in random places and in
// random cells: one merge reaches the end, so a second finds nothing, and
// what the cells show stays.
TEST(CharAnalysis, OneMergeLeavesNothingForTheNext) {
    std::mt19937 random(5);
    for (int round = 0; round < 200; ++round) {
        Document doc;
        ResetDocument(doc);
        FontSlot& font = doc.Slots[1];
        for (int c = 0; c < kCharCount; ++c) {
            const int shape = static_cast<int>(random() % 4);  // 0: blank
            for (int i = 0; i < 64; ++i) font.Char(c)[i] = shape != 0 && i % (shape + 1) == 0;
        }
        for (auto& cell : doc.SetTable[1].cells) cell = static_cast<int>(random() % 12) - 1;
        const auto shown = Picture(doc, 1);
        MergeDuplicates(doc, 1);
        const Document once = doc;
        EXPECT_TRUE(MergeDuplicates(doc, 1).merged.empty()) << round;
        EXPECT_EQ(doc.SetTable[1].cells, once.SetTable[1].cells) << round;
        EXPECT_EQ(Picture(doc, 1), shown) << round;
    }
}

}  // namespace
}  // namespace qm
