#include "core/document.h"

#include "core/palette.h"

namespace qm {

const RegisterColors kDefaultRegisterRgb = {
    0,
    MakeRgb(238, 238, 238),  // LUM
    MakeRgb(0, 0, 0),        // BAK
    MakeRgb(194, 119, 31),   // PF0
    MakeRgb(71, 183, 27),    // PF1
    MakeRgb(44, 119, 207),   // PF2
    MakeRgb(149, 20, 123),   // PF3
};

const std::array<int, 7> kDefaultRegisterValue = {0, 14, 0, 24, 184, 134, 68};

void ResetDocument(Document& doc) {
    doc = Document{};
    doc.RegisterRgb = kDefaultRegisterRgb;
    doc.RegisterValue = kDefaultRegisterValue;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        doc.Slots[slot].fileName = "Default.fnt";
        doc.Slots[slot].colors = doc.RegisterRgb;
    }
    for (SetRecord& set : doc.SetTable) set.cells.fill(kEmptyCell);
    for (auto& row : doc.ViewScreen) row.fill(kEmptyCell);
}

namespace {

Rgb PaletteColorOf(int value) {
    const bool entry = value >= 0 && value <= 255 && value % 2 == 0;
    return entry ? PlatformPalette[value / 16][(value % 16) / 2] : ~0u;
}

}  // namespace

void MatchRegisterValues(Document& doc) {
    for (int reg = LUM; reg <= PF3; ++reg) {
        const Rgb shown = doc.RegisterRgb[reg] & 0xFFFFFFu;
        if (PaletteColorOf(doc.RegisterValue[reg]) == shown) continue;
        for (int value = 0; value <= 254; value += 2) {
            if (PaletteColorOf(value) == shown) {
                doc.RegisterValue[reg] = value;
                break;
            }
        }
    }
}

}  // namespace qm
