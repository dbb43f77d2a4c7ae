#pragma once

// The six colour registers: the button-colour bars, the swatches and the
// button colour choice.

#include "session/editor_state.h"

namespace qm {

void ShowColorIndicators(EditorState& s);
void PaintSwatch(EditorState& s, tk::ControlId swatch, Rgb rgb);
// A left or right click on the swatch of register reg (ColorIndex).
void ChooseButtonColor(EditorState& s, int reg, const tk::Event& event);

}  // namespace qm
