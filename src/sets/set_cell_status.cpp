#include "sets/set_cell_status.h"

#include "charedit/char_editor.h"
#include "charedit/font_sheet.h"
#include "core/document.h"

namespace qm {

void ShowSetCellStatus(EditorState& s, int cellValue) {
    const std::string text = IsCellCode(cellValue) ? "Char Set: " + CharNumberText(cellValue) : "Char Set: NONE";
    tk::SetStatusText(s.ui.window, 0, text);
}

void ChooseCellChar(EditorState& s, int cell) {
    s.CurrentChar = CurrentSetCell(s, cell);
    ShowCharLabel(s, s.CurrentChar);
    DrawCharEditor(s);
}

int CurrentSetCell(const EditorState& s, int cell) {
    return cell >= 0 && cell < kSetCells ? s.Set().cells[cell] : kEmptyCell;
}

void EditCellChar(EditorState& s, int cellValue) {
    s.CurrentChar = IsCellCode(cellValue) ? CharOfCode(cellValue) : kEmptyCell;
    ShowCharLabel(s, cellValue);
    DrawCharEditor(s);
}

}  // namespace qm
