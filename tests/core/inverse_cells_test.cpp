// Cells holding codes 128 to 255 (inverse characters): what the files keep of
// them, what the exports write and how the analysis counts them.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/char_analysis.h"
#include "core/project_format.h"
#include "core/region_map.h"
#include "core/set_cell_bytes.h"
#include "core/set_format.h"
#include "core/view_format.h"

namespace qm {
namespace {

// Cells from -1 to 255, code 255 common enough that most sets hold it and
// none at all when without255.
SetArray RandomSets(unsigned seed, bool without255) {
    std::mt19937 random(seed);
    SetArray sets{};
    for (SetRecord& set : sets) {
        for (std::int32_t& cell : set.cells) {
            cell = static_cast<int>(random() % 300) - 1;
            if (cell >= 255) cell = without255 ? 254 : 255;
        }
    }
    sets[0].cells.fill(kEmptyCell);
    return sets;
}

// The files as they were before cells held codes above 127: the magic, then
// each cell's low byte.
Bytes FixedPart(const char* magic, std::span<const SetRecord> sets) {
    Bytes bytes(magic, magic + 4);
    for (const SetRecord& set : sets) {
        for (std::int32_t cell : set.cells) bytes.push_back(static_cast<unsigned char>(cell));
    }
    return bytes;
}

// What a reader of the fixed part alone sees: code 255 as an empty cell.
SetRecord AsFixedPartShowsIt(SetRecord set) {
    std::replace(set.cells.begin(), set.cells.end(), 255, kEmptyCell);
    return set;
}

TEST(InverseCells, SetFilesKeepEveryCodeAndAreTheOldFormWithoutCode255) {
    for (unsigned seed = 0; seed < 40; ++seed) {
        const bool without255 = seed % 2 == 0;
        const SetArray sets = RandomSets(seed, without255);
        const std::span<const SetRecord> all = std::span<const SetRecord>(sets).subspan(1);

        const Bytes one = EncodeSetFile(sets[1]);
        const Bytes every = EncodeAllSetsFile(sets);
        EXPECT_EQ(DecodeSetFile(one)->cells, sets[1].cells) << seed;
        const auto back = DecodeAllSetsFile(every);
        for (int n = 1; n <= kSetCount; ++n) EXPECT_EQ((*back)[n].cells, sets[n].cells) << seed;

        const Bytes fixedOne = FixedPart("QMRS", all.first(1));
        const Bytes fixedEvery = FixedPart("LMRS", all);
        EXPECT_TRUE(std::equal(fixedOne.begin(), fixedOne.end(), one.begin())) << seed;
        EXPECT_TRUE(std::equal(fixedEvery.begin(), fixedEvery.end(), every.begin())) << seed;
        if (without255) {
            EXPECT_EQ(one, fixedOne) << seed;
            EXPECT_EQ(every, fixedEvery) << seed;
        } else {
            EXPECT_GT(every.size(), kAllSetsFileSize) << seed;
            const auto older = DecodeAllSetsFile(fixedEvery);
            for (int n = 1; n <= kSetCount; ++n) EXPECT_EQ((*older)[n].cells, AsFixedPartShowsIt(sets[n]).cells);
        }
    }
}

TEST(InverseCells, ProjectsKeepEveryCodeAndAreTheOldFormWithoutCode255) {
    for (unsigned seed = 0; seed < 20; ++seed) {
        const bool without255 = seed % 2 == 1;
        const SetArray sets = RandomSets(seed, without255);
        Document doc;
        ResetDocument(doc);
        doc.SetTable = sets;
        std::mt19937 random(seed);
        for (auto& row : doc.ViewScreen) {
            for (std::int32_t& cell : row) cell = static_cast<int>(random() % 257) - 1;
        }
        ProjectData project = ProjectOf(doc);
        const Bytes file = WriteProject(project);
        EXPECT_EQ(file[10244], static_cast<unsigned char>(sets[1].cells[0]));
        EXPECT_EQ(file.size() == kProjectSize, without255) << seed;

        const std::optional<ProjectData> back = ReadProject(file);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->sets, project.sets) << seed;
        EXPECT_EQ(back->view, project.view) << seed;
        EXPECT_TRUE(back->extensions.blocks.empty()) << "the cells' block is taken into the sets";
        EXPECT_EQ(WriteProject(*back), file) << "written again, the block is not doubled";

        // A reader of today's form ignores the block: 255 is an empty cell.
        const std::optional<ProjectData> fixed = ReadProject(Bytes(file.begin(), file.begin() + kProjectSize));
        for (int n = 1; n <= kSetCount; ++n) {
            EXPECT_EQ(fixed->sets[n - 1], AsFixedPartShowsIt(sets[n]).cells);
        }
    }
}

TEST(InverseCells, ABlockNamesOnlyCellsTheFileLeftEmpty) {
    SetRecord set;
    set.cells.fill(kEmptyCell);
    set.cells[0] = 255;
    set.cells[24] = 255;
    set.cells[3] = 7;
    Bytes file = EncodeSetFile(set);
    ASSERT_EQ(file.size(), kSetFileSize + 8 + 4);
    EXPECT_EQ((Bytes(file.begin() + 29, file.end())), (Bytes{'S', 'E', 'T', 'F', 4, 0, 0, 0, 0, 0, 24, 0}));

    // A block naming a cell that holds a character, a cell past the set, and
    // an odd byte: the character stays, the rest is passed over.
    file.resize(kSetFileSize);
    AppendTaggedBlock(file, kCode255Tag, Bytes{3, 0, 25, 0, 1, 0, 9});
    const SetRecord back = *DecodeSetFile(file);
    EXPECT_EQ(back.cells[3], 7);
    EXPECT_EQ(back.cells[1], 255);
    EXPECT_EQ(back.cells[0], kEmptyCell);
    EXPECT_EQ(std::count(back.cells.begin(), back.cells.end(), 255), 1);
}

TEST(InverseCells, ExportsWriteCodesWithBit7AndTheFontsOwnBitmaps) {
    FontBytes font{};
    for (int i = 0; i < kFontBytes; ++i) font[i] = static_cast<std::uint8_t>(i / 8);
    ViewCells screen{};
    for (auto& row : screen) row.fill(kEmptyCell);
    screen[2][3] = 193;
    screen[2][4] = 65;
    screen[2][5] = 255;
    const Region region{3, 2, 4, 1};
    const Bytes codes{193, 65, 255};
    EXPECT_EQ(RegionCodeBytes(screen, region), codes);
    EXPECT_EQ(ScreenRegionCodes(screen, region), codes);
    EXPECT_EQ(RegionMapBytes(screen, region, 0, false), (Bytes{193, 65, 255, 0}));

    Bytes bitmaps;
    for (int ch : {65, 65, 127}) bitmaps.insert(bitmaps.end(), 8, static_cast<unsigned char>(ch));
    EXPECT_EQ(RegionBitmapBytes(screen, region, font), bitmaps);
    EXPECT_EQ(ScreenRegionBitmaps(screen, region, font), bitmaps);
    SetRecord set;
    set.cells.fill(kEmptyCell);
    set.cells[0] = 193;
    set.cells[1] = 65;
    set.cells[2] = 255;
    EXPECT_EQ(SetBitmapBytes(set, font), bitmaps);
}

TEST(InverseCells, AnInverseCellIsAUseOfItsCharacter) {
    Document doc;
    ResetDocument(doc);
    doc.SetTable[4].cells[6] = 128 + 40;
    doc.ViewScreen[3][2] = 40;
    doc.ViewScreen[5][1] = 255;
    const CharAnalysis a = AnalyzeChars(doc, 1);
    EXPECT_EQ(a.setCells[40], 1);
    EXPECT_EQ(a.screenCells[40], 1);
    EXPECT_EQ(a.screenCells[127], 1);
    EXPECT_EQ(a.Unused().size(), 126u);
    const std::vector<CharPlace> places = WhereUsed(doc, 40);
    ASSERT_EQ(places.size(), 2u);
    EXPECT_EQ(places[0].set, 4);
    EXPECT_EQ(places[1].y, 3);
}

}  // namespace
}  // namespace qm
