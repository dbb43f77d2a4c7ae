#pragma once

// The font sheet, the character preview, the mode switch and the one full
// redraw that every change ends with.

#include "app/editor_state.h"

namespace qm {

void DrawFontSheet(EditorState& s);
void DrawCharPreview(EditorState& s);
// Every event of the sheet canvas.
void HandleSheetMouse(EditorState& s, const tk::Event& event);
// The "Change GFX" / "Change FONT" button.
void SwitchDisplayMode(EditorState& s);
// Shows "Char: $41 (65)" in the character label.
void ShowCharLabel(EditorState& s, int code);
void RedrawAll(EditorState& s);

// Screen colour of a pair value 0..3 (BAK, PF0, PF1, PF2; PF3 for 3 when inverse).
Rgb PairColor(const EditorState& s, int pairValue, bool inverse = false);

}  // namespace qm
