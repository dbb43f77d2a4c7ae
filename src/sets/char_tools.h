#pragma once

// The "Tools" menu: marks of unused and duplicate characters on the font
// sheet, where a character is used, and the moves that free space in a font.
// Sets and the screen hold character numbers that every slot shares, so
// compact and swap move the characters of every slot alike; merging judges
// duplicates in the current slot only.

#include <string>
#include <vector>

#include "session/editor_state.h"
#include "session/menu_items.h"

namespace qm {

// Makes the set current, shows its number beside the small view and redraws.
void ShowSet(EditorState& s, int set);

// The two check items: switch a mark on or off and redraw the sheet.
void ToggleUnusedMarks(EditorState& s);
void ToggleDuplicateMarks(EditorState& s);

// A list of every set cell and screen cell that holds the current character;
// choosing an entry makes that set current or shows the cell in the view
// editor.
void WhereUsedDialog(EditorState& s);

// Each redraws and tells in a message what it did.
void MergeDuplicateChars(EditorState& s);
void CompactChars(EditorState& s);
void SwapCharsDialog(EditorState& s);

// The texts of the entries of "Where used..." for a character, in order.
std::vector<std::string> WhereUsedEntries(const EditorState& s, int code);

}  // namespace qm
