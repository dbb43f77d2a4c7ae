#pragma once

#include <array>

#include "app/editor_state.h"

namespace qm {

// Screen colour of the platform byte 16 * hue + 2 * column: [hue][column].
extern const std::array<std::array<Rgb, 8>, 16> PlatformPalette;

// The 161 x 289 picture of the palette that the palette window shows and picks from.
const tk::Surface& PaletteImage();

// The modal palette window for register n (ColorIndex 1..6).
void PaletteDialog(EditorState& s, int n);

}  // namespace qm
