#pragma once

#include <array>

#include "core/palette.h"
#include "session/editor_state.h"

namespace qm {

// The 161 x 289 picture of the palette that the palette window shows and picks from.
const tk::Surface& PaletteImage();

// The modal palette window for register n (ColorIndex 1..6).
void PaletteDialog(EditorState& s, int n);

}  // namespace qm
