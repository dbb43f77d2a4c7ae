#pragma once

// One character of the current slot as the current view shows it, drawn as a
// block of scaled pixels in a single surface call.

#include "session/editor_state.h"

namespace qm {

// Screen colour of a multicolour pair value 0..3: BAK, PF0, PF1, PF2, or PF3
// for 3 in the inverse half.
Rgb PairColor(const EditorState& s, int pairValue, bool inverse = false);

// The 64 colours of a code 0 to 255, row by row: character code & 127, for
// codes from 128 on inverse as the machine shows them. Hi-res: set LUM, clear
// BAK, swapped when inverse. Multicolour: both pixels of a pair in the pair's
// colour, "11" in PF3 when inverse.
void CodeColors(const EditorState& s, int code, Rgb out[64]);

// What drawing a character reads of the state, in any view, the mask view
// with its layer included: the inputs a view of characters starts with.
ViewInputs GlyphInputs(const EditorState& s);

// Code 0 to 255 with its top-left corner at (left, top), every font pixel a
// scale x scale block: the one drawing of a code that every view of cells,
// the font sheet and the preview share. Other values draw nothing.
void DrawCode(const EditorState& s, tk::Surface& surface, int code, int left, int top, int scale);

}  // namespace qm
