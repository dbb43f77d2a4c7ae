#include "core/document.h"

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

}  // namespace qm
