#include "core/history.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "support/step_values.h"

namespace qm {
namespace {

bool SameDocument(const Document& a, const Document& b) {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const FontSlot& x = a.Slots[slot];
        const FontSlot& y = b.Slots[slot];
        if (x.pixels != y.pixels || x.colors != y.colors || x.fileName != y.fileName || x.filePath != y.filePath) {
            return false;
        }
    }
    for (int set = 1; set <= kSetCount; ++set) {
        if (a.SetTable[set].cells != b.SetTable[set].cells) return false;
    }
    return a.RegisterRgb == b.RegisterRgb && a.RegisterValue == b.RegisterValue && a.ViewScreen == b.ViewScreen &&
           a.ProjectPath == b.ProjectPath;
}

// A change of any kind: a few pixels, a whole font, cells, colours, names.
void ChangeAtRandom(Document& doc, std::mt19937& rng) {
    auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const int slot = 1 + pick(kSlotCount);
    switch (pick(7)) {
        case 0:
            for (int i = 0, n = 1 + pick(40); i < n; ++i) doc.Slots[slot].pixels[pick(kCharCount * 64)] ^= 1;
            break;
        case 1:
            for (auto& p : doc.Slots[slot].pixels) p = static_cast<std::uint8_t>(pick(2));
            break;
        case 2: doc.SetTable[1 + pick(kSetCount)].cells[pick(kSetCells)] = pick(129) - 1; break;
        case 3:
            for (auto& row : doc.ViewScreen) row.fill(pick(129) - 1);
            break;
        case 4:
            doc.RegisterRgb[1 + pick(6)] = static_cast<Rgb>(rng() & 0xFFFFFF);
            doc.RegisterValue[1 + pick(6)] = pick(256);
            doc.Slots[slot].colors = doc.RegisterRgb;
            break;
        case 5:
            doc.Slots[slot].fileName = "font" + std::to_string(pick(1000)) + ".fnt";
            doc.Slots[slot].filePath = "/fonts/" + doc.Slots[slot].fileName;
            break;
        default: doc.ProjectPath = pick(3) == 0 ? "" : "/work/p" + std::to_string(pick(100)) + ".proj"; break;
    }
}

// Random changes, undos and redos agree with a copy of the document kept for
// every step, and the save point follows the steps.
TEST(History, UndoAndRedoAgreeWithACopyPerStep) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        std::mt19937 rng(seed);
        Document doc;
        ResetDocument(doc);
        History history;
        history.Reset(doc);
        std::vector<Document> copies{doc};
        std::size_t at = 0;
        std::size_t savedAt = 0;
        for (int op = 0; op < 400; ++op) {
            const unsigned what = rng() % 10;
            if (what < 2) {
                history.Undo(doc);
                if (at > 0) --at;
            } else if (what < 4) {
                history.Redo(doc);
                if (at + 1 < copies.size()) ++at;
            } else if (what == 4) {
                history.MarkSaved(doc);
                savedAt = at;
                // A step that is never reached again stands for no save.
            } else {
                ChangeAtRandom(doc, rng);
                if (history.Record(doc, "Step")) {
                    copies.resize(at + 1);
                    copies.push_back(doc);
                    ++at;
                    if (savedAt >= at) savedAt = SIZE_MAX;
                }
            }
            ASSERT_TRUE(SameDocument(doc, copies[at])) << "seed " << seed << " op " << op;
            ASSERT_EQ(history.UndoCount(), at);
            ASSERT_EQ(history.RedoCount(), copies.size() - 1 - at);
            ASSERT_EQ(history.ChangedSinceSave(doc), at != savedAt) << "seed " << seed << " op " << op;
        }
        while (history.CanUndo()) history.Undo(doc);
        EXPECT_TRUE(SameDocument(doc, copies.front()));
        while (history.CanRedo()) history.Redo(doc);
        EXPECT_TRUE(SameDocument(doc, copies.back()));
    }
}

// Changes that are no step (colours moved between the registers and the
// slots, register bytes matched again) may come between the steps: taking a
// step back or doing it again then writes exactly the values that step
// changed, whole, and leaves all else as it is; a step that changed the
// registers is to be taken in their slot.
TEST(History, StepsWriteBackTheirOwnValuesWhateverCameBetween) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        std::mt19937 rng(seed);
        auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
        Document doc;
        ResetDocument(doc);
        History history;
        history.Reset(doc);
        struct Taken {
            Document before, after;
            History::SlotMove slots;
        };
        std::vector<Taken> steps;
        std::size_t at = 0;
        for (int op = 0; op < 400; ++op) {
            const unsigned what = rng() % 10;
            if (what < 4) {
                const bool undo = what < 2;
                if (undo ? at == 0 : at == steps.size()) continue;
                const Taken& step = steps[undo ? at - 1 : at];
                const bool registers =
                    step.before.RegisterRgb != step.after.RegisterRgb || step.before.RegisterValue != step.after.RegisterValue;
                const History::SlotMove where = undo ? history.UndoSlots(3) : history.RedoSlots(3);
                if (registers) {
                    EXPECT_EQ(where.before, undo ? step.slots.after : step.slots.before);
                    EXPECT_EQ(where.after, undo ? step.slots.before : step.slots.after);
                }
                const Document expected = undo ? test::WithStepValues(doc, step.after, step.before)
                                               : test::WithStepValues(doc, step.before, step.after);
                undo ? history.Undo(doc) : history.Redo(doc);
                undo ? --at : ++at;
                ASSERT_TRUE(SameDocument(doc, expected)) << "seed " << seed << " op " << op;
            } else if (what < 6) {
                // Colours moved and bytes changed without a step.
                std::swap(doc.RegisterRgb, doc.Slots[1 + pick(kSlotCount)].colors);
                doc.RegisterValue[1 + pick(6)] = pick(256);
                history.Absorb(doc);
            } else {
                const Document before = doc;
                ChangeAtRandom(doc, rng);
                const History::SlotMove slots{1 + pick(kSlotCount), 1 + pick(kSlotCount)};
                if (history.Record(doc, "Step", {}, {}, slots)) {
                    steps.resize(at);
                    steps.push_back({before, doc, slots});
                    ++at;
                }
            }
            ASSERT_EQ(history.UndoCount(), at);
        }
    }
}

// Steps that each replace the whole document stay within the bound, the
// oldest going first, and a thousand steps of a usual size all stay.
TEST(History, MemoryStaysWithinItsBound) {
    std::mt19937 rng(7);
    Document doc;
    ResetDocument(doc);
    History history;
    history.Reset(doc);
    std::uint64_t bits = 88172645463325252ull;
    auto next = [&bits] {
        bits ^= bits << 13;
        bits ^= bits >> 7;
        bits ^= bits << 17;
        return bits;
    };
    for (int step = 0; step < 5000; ++step) {
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            auto& pixels = doc.Slots[slot].pixels;
            for (std::size_t i = 0; i < pixels.size(); i += 64) {
                const std::uint64_t word = next();
                for (std::size_t k = 0; k < 64; ++k) pixels[i + k] = static_cast<std::uint8_t>((word >> k) & 1);
            }
        }
        for (auto& row : doc.ViewScreen) {
            for (auto& cell : row) cell = static_cast<int>(next() % 129) - 1;
        }
        ASSERT_TRUE(history.Record(doc, "Open Project"));
        ASSERT_LE(history.MemoryUsed(), History::kDefaultByteLimit);
    }
    EXPECT_GT(history.UndoCount(), 100u);
    const Document last = doc;
    history.Undo(doc);
    history.Redo(doc);
    EXPECT_TRUE(SameDocument(doc, last));

    history.Reset(doc);
    for (int step = 0; step < 1500; ++step) {
        // A stroke over a few characters.
        for (int i = 0; i < 64; ++i) doc.Slots[1].pixels[rng() % 2048] ^= 1;
        ASSERT_TRUE(history.Record(doc, "Paint"));
    }
    EXPECT_EQ(history.UndoCount(), 1500u);
}

}  // namespace
}  // namespace qm
