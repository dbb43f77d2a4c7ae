#include "session/set_cells.h"

#include <algorithm>

namespace qm {

namespace {

constexpr int kFirstRowKey = 49;  // the digit key "1"
constexpr int kRowLength = 5;

void ClearCharPixels(EditorState& s, int code) {
    std::fill_n(s.Slot().Char(code), 64, std::uint8_t{0});
}

}  // namespace

void PutCharInCell(EditorState& s, int cell, bool erase) {
    if (cell < 0 || cell >= kSetCells) return;
    s.Set().cells[cell] = erase ? kEmptyCell : CellOrEmpty(s.SheetChar);
}

void AppendCharToSetRow(EditorState& s, int code, int key) {
    const int row = key - kFirstRowKey;
    if (row < 0 || row >= kRowLength || !IsCellCode(code)) return;
    auto first = s.Set().cells.begin() + row * kRowLength;
    auto empty = std::find(first, first + kRowLength, kEmptyCell);
    if (empty != first + kRowLength) *empty = code;
}

void SetCommand(EditorState& s, SetAction action) {
    switch (action) {
        case SetAction::ClearBits:
            for (std::int32_t cell : s.Set().cells) {
                if (IsCellCode(cell)) ClearCharPixels(s, CharOfCode(cell));
            }
            break;
        case SetAction::Copy:
            s.SetClipboard = s.Set();
            break;
        case SetAction::Paste:
            s.Set() = s.SetClipboard;
            break;
        case SetAction::Clear:
            s.Set().cells.fill(kEmptyCell);
            break;
    }
}

}  // namespace qm
