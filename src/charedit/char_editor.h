#pragma once

// The enlarged character editor canvas and the painting rules it shares with
// the large set view.

#include "session/editor_state.h"

namespace qm {

void DrawCharEditor(EditorState& s);
// Code 0 to 255 (as DrawCode draws it) at 10 screen pixels per font pixel,
// its top-left corner at (left, top). Over the mask layer it blends with what
// lies beneath, which the caller has filled with black.
void DrawCharAt(EditorState& s, tk::Surface& surface, int code, int left, int top);
// Whether characters are drawn over the mask layer: the multicolour view with
// the "Mask" layer chosen.
bool DrawsOverMask(const EditorState& s);
// Both return whether a pixel changed: a stroke over pixels that already have
// the colour needs no redraw.
bool PaintEditorPixel(EditorState& s, int button, int x, int y);
bool PaintCharPixel(EditorState& s, int ch, int x, int y, int button);
// Every event of the editor canvas.
void HandleEditorMouse(EditorState& s, const tk::Event& event);
// The "Normal" (1) and "Mask" (2) options.
void ChooseLayerMode(EditorState& s, Layer layer);

}  // namespace qm
