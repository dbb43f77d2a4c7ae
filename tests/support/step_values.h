#pragma once

// What taking a step back, or doing it again, must leave: the document as it
// is now, with every value the step changed (a pixel, a colour, a register's
// byte, a cell, a name) set to the value on the wanted side, whatever else
// changed since.

#include "core/document.h"

namespace qm::test {

inline Document WithStepValues(Document now, const Document& from, const Document& to) {
    const auto values = [](auto& now, const auto& from, const auto& to) {
        for (std::size_t i = 0; i < now.size(); ++i) {
            if (from[i] != to[i]) now[i] = to[i];
        }
    };
    const auto value = [](auto& now, const auto& from, const auto& to) {
        if (from != to) now = to;
    };
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        values(now.Slots[slot].pixels, from.Slots[slot].pixels, to.Slots[slot].pixels);
        values(now.Slots[slot].colors, from.Slots[slot].colors, to.Slots[slot].colors);
        value(now.Slots[slot].fileName, from.Slots[slot].fileName, to.Slots[slot].fileName);
        value(now.Slots[slot].filePath, from.Slots[slot].filePath, to.Slots[slot].filePath);
    }
    values(now.RegisterRgb, from.RegisterRgb, to.RegisterRgb);
    values(now.RegisterValue, from.RegisterValue, to.RegisterValue);
    for (int set = 1; set <= kSetCount; ++set) values(now.SetTable[set].cells, from.SetTable[set].cells, to.SetTable[set].cells);
    for (int y = 0; y < kViewRows; ++y) values(now.ViewScreen[y], from.ViewScreen[y], to.ViewScreen[y]);
    value(now.ProjectPath, from.ProjectPath, to.ProjectPath);
    return now;
}

}  // namespace qm::test
