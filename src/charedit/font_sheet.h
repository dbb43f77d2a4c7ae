#pragma once

// The font sheet, the character preview and the mode switch.

#include "session/editor_state.h"
#include "charedit/glyph.h"

namespace qm {

void DrawFontSheet(EditorState& s);
void DrawCharPreview(EditorState& s);
// Every event of the sheet canvas.
void HandleSheetMouse(EditorState& s, const tk::Event& event);
// Chooses a code 0 to 255 as a click on the sheet does: the code is placed
// from then on, its character (code & 127) is edited.
void ChooseSheetCharacter(EditorState& s, int code);
// The "Change GFX" / "Change FONT" button.
void SwitchDisplayMode(EditorState& s);
// Shows "Char: $41 (65)" in the character label; an inverse code with its
// bit 7, "Char: $C1 (193)".
void ShowCharLabel(EditorState& s, int code);

}  // namespace qm
