#pragma once

// One character of the current slot as the current view shows it, drawn as a
// block of scaled pixels in a single surface call.

#include "session/editor_state.h"

namespace qm {

// Screen colour of a multicolour pair value 0..3: BAK, PF0, PF1, PF2, or PF3
// for 3 in the inverse half.
Rgb PairColor(const EditorState& s, int pairValue, bool inverse = false);

// The 64 colours of character ch, row by row. Hi-res: set LUM, clear BAK,
// swapped when inverse. Multicolour: both pixels of a pair in the pair's colour.
void GlyphColors(const EditorState& s, int ch, bool inverse, Rgb out[64]);

// What drawing a character reads of the state, in any view, the mask view
// with its layer included: the inputs a view of characters starts with.
ViewInputs GlyphInputs(const EditorState& s);

// Character ch with its top-left corner at (left, top), every font pixel a
// scale x scale block.
void DrawGlyph(const EditorState& s, tk::Surface& surface, int ch, int left, int top, int scale,
               bool inverse = false);

}  // namespace qm
