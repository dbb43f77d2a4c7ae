#pragma once

// Putting characters into the cells of the current set, and the set commands.

#include "session/editor_state.h"

namespace qm {

// Puts the sheet's code (0 to 255) into the cell, or empties it.
void PutCharInCell(EditorState& s, int cell, bool erase);
// code: 0 to 255; key: the digit key code 49..53 ("1" to "5") choosing row 0..4.
void AppendCharToSetRow(EditorState& s, int code, int key);
enum class SetAction {
    ClearBits,  // the characters of the set are blanked, the set is kept
    Copy,       // into the set clipboard
    Paste,      // from it
    Clear,      // every cell empty
};

// The caller redraws.
void SetCommand(EditorState& s, SetAction action);

}  // namespace qm
