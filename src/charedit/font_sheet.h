#pragma once

// The font sheet, the character preview and the mode switch.

#include "session/editor_state.h"
#include "charedit/glyph.h"

namespace qm {

void DrawFontSheet(EditorState& s);
void DrawCharPreview(EditorState& s);
// Every event of the sheet canvas.
void HandleSheetMouse(EditorState& s, const tk::Event& event);
// Chooses the character as a click on the sheet does.
void ChooseSheetCharacter(EditorState& s, int ch);
// The "Change GFX" / "Change FONT" button.
void SwitchDisplayMode(EditorState& s);
// Shows "Char: $41 (65)" in the character label.
void ShowCharLabel(EditorState& s, int code);

}  // namespace qm
