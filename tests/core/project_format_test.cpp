#include <algorithm>

#include <gtest/gtest.h>

#include "core/palette.h"
#include "core/project_format.h"

namespace qm {
namespace {

ProjectData Sample() {
    ProjectData p;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        for (int i = 0; i < kFontBytes; ++i) p.fonts[slot][i] = static_cast<std::uint8_t>(slot * 31 + i);
    }
    for (auto& set : p.sets) set.fill(kEmptyCell);
    p.sets[0][0] = 33;
    p.sets[99][24] = 127;
    p.registerValues = {14, 0, 24, 184, 134, 255};
    p.registerRgb = {qm::MakeRgb(1, 2, 3), qm::MakeRgb(4, 5, 6), 7, 8, 9, 10};
    for (auto& row : p.view) row.fill(kEmptyCell);
    p.view[0][1] = 5;
    p.view[39][59] = 100;
    p.slotColors.emplace();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        for (int reg = 0; reg < 6; ++reg) (*p.slotColors)[slot][reg] = qm::MakeRgb(slot, reg, 200);
    }
    return p;
}

std::uint32_t Uint32At(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

TEST(ProjectFormatTest, FieldsStandAtTheirOffsets) {
    const Bytes file = WriteProject(Sample());
    ASSERT_EQ(file.size(), kProjectSize);
    EXPECT_EQ((Bytes{file.begin(), file.begin() + 4}), (Bytes{'F', 'P', 'R', 'J'}));
    EXPECT_EQ(file[4], 0);                 // slot 1, byte 0
    EXPECT_EQ(file[4 + 1024 + 1], 32);     // slot 2, byte 1
    EXPECT_EQ(file[10244], 33);            // set 1, cell 0
    EXPECT_EQ(file[10245], 255);           // an empty cell
    EXPECT_EQ(file[12743], 127);           // set 100, cell 24
    EXPECT_EQ(file[12744], 14);            // LUM value
    EXPECT_EQ(file[12749], 255);           // PF3 value
    EXPECT_EQ((Bytes{file.begin() + 12750, file.begin() + 12754}), (Bytes{1, 2, 3, 0}));
    EXPECT_EQ(Uint32At(file, 12774), 0xFFFFFFFFu);  // view (0, 0) empty
    EXPECT_EQ(Uint32At(file, 12778), 5u);           // view x 1, y 0
    EXPECT_EQ(Uint32At(file, 22370), 100u);         // view x 59, y 39
    EXPECT_EQ(Uint32At(file, 22374), qm::MakeRgb(0, 0, 200));      // slot 1 LUM
    EXPECT_EQ(Uint32At(file, 22610), qm::MakeRgb(9, 5, 200));      // slot 10 PF3
}

TEST(ProjectFormatTest, BlocksAfterTheFixedPartReadBackAndLeaveItAsItWas) {
    ProjectData p = Sample();
    const Bytes plain = WriteProject(p);
    for (const char* tag : {"AAAA", "BBBB"}) {
        TaggedBlock block;
        std::copy_n(tag, 4, block.tag.begin());
        block.data = Bytes(static_cast<std::size_t>(tag[0]), static_cast<unsigned char>(tag[0]));
        p.extensions.blocks.push_back(block);
    }
    p.extensions.blocks[1].data.clear();  // an empty block is still a block
    const Bytes file = WriteProject(p);
    ASSERT_EQ(file.size(), kProjectSize + 8 + 65 + 8);
    EXPECT_TRUE(std::equal(plain.begin(), plain.end(), file.begin()));

    const std::optional<ProjectData> back = ReadProject(file);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->view, p.view);
    ASSERT_EQ(back->extensions.blocks.size(), 2u);
    EXPECT_FALSE(back->extensions.damaged);
    ASSERT_NE(back->extensions.Find("AAAA"), nullptr);
    EXPECT_EQ(back->extensions.Find("AAAA")->data, p.extensions.blocks[0].data);
    EXPECT_TRUE(back->extensions.Find("BBBB")->data.empty());
    EXPECT_EQ(back->extensions.Find("CCCC"), nullptr);

    // Cut anywhere inside the blocks: the fixed part still reads, the tail is
    // reported damaged, and only whole blocks come back.
    const std::size_t betweenBlocks = kProjectSize + 8 + 65;
    for (std::size_t cut = kProjectSize + 1; cut < file.size(); ++cut) {
        if (cut == betweenBlocks) continue;
        const std::optional<ProjectData> part = ReadProject(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(cut)));
        ASSERT_TRUE(part);
        EXPECT_EQ(part->view, p.view);
        EXPECT_TRUE(part->extensions.damaged) << cut;
        EXPECT_LE(part->extensions.blocks.size(), 1u);
    }
}

TEST(ProjectFormatTest, WhatIsWrittenReadsBack) {
    const ProjectData p = Sample();
    const std::optional<ProjectData> back = ReadProject(WriteProject(p));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->fonts, p.fonts);
    EXPECT_EQ(back->sets, p.sets);
    EXPECT_EQ(back->registerValues, p.registerValues);
    EXPECT_EQ(back->registerRgb, p.registerRgb);
    EXPECT_EQ(back->view, p.view);
    ASSERT_TRUE(back->slotColors);
    EXPECT_EQ(*back->slotColors, *p.slotColors);
}

TEST(ProjectFormatTest, OlderFormHasNoSlotColours) {
    ProjectData p = Sample();
    p.slotColors.reset();
    const Bytes file = WriteProject(p);
    ASSERT_EQ(file.size(), kOlderProjectSize);
    const std::optional<ProjectData> back = ReadProject(file);
    ASSERT_TRUE(back);
    EXPECT_FALSE(back->slotColors);
    EXPECT_EQ(back->registerRgb, p.registerRgb);
    EXPECT_EQ(back->view, p.view);
}

TEST(ProjectFormatTest, WrongMagicIsRejected) {
    Bytes file = WriteProject(Sample());
    file[3] = 'K';
    EXPECT_FALSE(ReadProject(file));
    EXPECT_FALSE(ReadProject({}));
    EXPECT_FALSE(ReadProject({'F', 'P', 'R'}));
}

TEST(ProjectFormatTest, CellsOutsideTheCodesComeBackEmpty) {
    Bytes file = WriteProject(Sample());
    file[10244] = 128;
    file[10245] = 254;
    file[10246] = 127;
    file[10247] = 0;
    const auto setCell = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    setCell(12774, 256);
    setCell(12778, 0xFFFFFFFE);  // -2
    setCell(12782, 255);
    const std::optional<ProjectData> back = ReadProject(file);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->sets[0][0], 128);
    EXPECT_EQ(back->sets[0][1], 254);
    EXPECT_EQ(back->sets[0][2], 127);
    EXPECT_EQ(back->sets[0][3], 0);
    EXPECT_EQ(back->view[0][0], kEmptyCell);
    EXPECT_EQ(back->view[0][1], kEmptyCell);
    EXPECT_EQ(back->view[0][2], 255);
}

TEST(ProjectFormatTest, ADamagedColourTopByteIsDropped) {
    Bytes file = WriteProject(Sample());
    file[12750 + 3] = 0x80;           // register LUM
    file[22374 + 4 * 6 * 9 + 3] = 1;  // slot 10's LUM
    const std::optional<ProjectData> back = ReadProject(file);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->registerRgb[0], qm::MakeRgb(1, 2, 3));
    EXPECT_EQ((*back->slotColors)[9][0], qm::MakeRgb(9, 0, 200));
}

TEST(ProjectFormatTest, AShortFileReadsZeroesForWhatIsMissing) {
    Bytes file = WriteProject(Sample());
    file.resize(4 + 1024 + 10);
    const std::optional<ProjectData> back = ReadProject(file);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->fonts[1][9], 9 + 31);
    EXPECT_EQ(back->fonts[1][10], 0);
    EXPECT_EQ(back->sets[0][0], 0);
    EXPECT_EQ(back->registerRgb[0], 0u);
    EXPECT_EQ(back->view[39][59], 0);
    EXPECT_FALSE(back->slotColors);
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

// Opening gives the registers slot 1's colours; each byte becomes the first
// palette entry of its colour, unless it already is one (PF1, and PF2 as the
// twin in hue 15) or the colour is none (PF3).
TEST(ProjectFormatTest, OpeningGivesEachRegisterTheByteOfItsColour) {
    const auto color = [](int value) { return PlatformPalette[value / 16][(value % 16) / 2]; };
    for (int entry = 0; entry < 256; entry += 2) {
        ProjectData p = Sample();
        p.registerValues = {1, 3, 5, 0x18, 0xF8, 9};
        (*p.slotColors)[0] = {color(entry), color(entry), color(entry), color(0x18), color(0x18), MakeRgb(1, 2, 3)};
        Document doc;
        ApplyProject(doc, p);
        for (int reg = LUM; reg <= PF0; ++reg) {
            EXPECT_EQ(color(doc.RegisterValue[reg]), color(entry)) << entry;
            EXPECT_TRUE(doc.RegisterValue[reg] % 2 == 0 && doc.RegisterValue[reg] <= entry) << entry;
        }
        EXPECT_EQ((std::array<int, 3>{doc.RegisterValue[PF1], doc.RegisterValue[PF2], doc.RegisterValue[PF3]}),
                  (std::array<int, 3>{0x18, 0xF8, 9}));
    }
}

}  // namespace
}  // namespace qm
