#include <gtest/gtest.h>

#include <random>

#include "core/recovery_format.h"

namespace qm {
namespace {

// A document with every part filled from the seed: pixels, cells (code 255
// too, which the project keeps in a block after its fixed part), screen,
// colours and texts (empty ones, long ones and ones that are not ASCII).
Document Filled(unsigned seed) {
    std::mt19937 random(seed);
    Document doc;
    ResetDocument(doc);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        for (auto& p : doc.Slots[slot].pixels) p = static_cast<std::uint8_t>(random() & 1);
        doc.Slots[slot].fileName = seed % 3 == 0 ? "" : "font " + std::to_string(slot) + "\xc3\xa9.fnt";
        doc.Slots[slot].filePath = std::string(seed * 37 % 300, 'd') + "/f" + std::to_string(slot);
        for (int reg = LUM; reg <= PF3; ++reg) doc.Slots[slot].colors[reg] = random() & 0xFFFFFF;
    }
    for (int set = 1; set <= kSetCount; ++set) {
        for (auto& cell : doc.SetTable[set].cells) cell = static_cast<int>(random() % 257) - 1;
    }
    for (auto& row : doc.ViewScreen) {
        for (auto& cell : row) cell = static_cast<int>(random() % 257) - 1;
    }
    for (int reg = LUM; reg <= PF3; ++reg) {
        doc.RegisterRgb[reg] = random() & 0xFFFFFF;
        doc.RegisterValue[reg] = static_cast<int>(random() % 256);
    }
    doc.ProjectPath = seed % 2 ? "/home/u/work/game " + std::to_string(seed) + ".proj" : "";
    return doc;
}

TEST(RecoveryFormatTest, EveryPartComesBackAsItWas) {
    for (unsigned seed = 0; seed < 12; ++seed) {
        const Document doc = Filled(seed);
        const int slot = static_cast<int>(seed % kSlotCount) + 1;
        const Bytes bytes = WriteRecovery(doc, slot);
        const std::optional<RecoveredWork> back = ReadRecovery(bytes);
        ASSERT_TRUE(back) << seed;
        EXPECT_EQ(back->currentSlot, slot);
        EXPECT_EQ(back->doc.ProjectPath, doc.ProjectPath);
        EXPECT_EQ(back->doc.RegisterRgb, doc.RegisterRgb);
        EXPECT_EQ(back->doc.RegisterValue, doc.RegisterValue);
        EXPECT_EQ(back->doc.ViewScreen, doc.ViewScreen);
        for (int s = 1; s <= kSlotCount; ++s) {
            EXPECT_EQ(back->doc.Slots[s].pixels, doc.Slots[s].pixels);
            EXPECT_EQ(back->doc.Slots[s].fileName, doc.Slots[s].fileName);
            EXPECT_EQ(back->doc.Slots[s].filePath, doc.Slots[s].filePath);
            EXPECT_EQ(back->doc.Slots[s].colors, doc.Slots[s].colors);
        }
        for (int set = 1; set <= kSetCount; ++set) EXPECT_EQ(back->doc.SetTable[set].cells, doc.SetTable[set].cells);
        EXPECT_EQ(WriteRecovery(back->doc, back->currentSlot), bytes);
    }
}

TEST(RecoveryFormatTest, ACopyCutShortOrDamagedIsRefusedWithAReason) {
    const Bytes whole = WriteRecovery(Filled(5), 3);
    std::vector<Bytes> bad;
    for (std::size_t size = 0; size < whole.size(); size += size < 64 || whole.size() - size < 600 ? 1 : 401) {
        bad.emplace_back(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
    }
    for (std::size_t at = 0; at < whole.size(); at += 53) {
        Bytes flipped = whole;
        flipped[at] ^= static_cast<unsigned char>(1u << (at % 8));
        bad.push_back(flipped);
    }
    Bytes longer = whole;
    longer.push_back(0);
    bad.push_back(longer);
    for (const Bytes& bytes : bad) {
        std::string reason;
        EXPECT_FALSE(ReadRecovery(bytes, &reason)) << bytes.size();
        EXPECT_FALSE(reason.empty());
    }
}

}  // namespace
}  // namespace qm
