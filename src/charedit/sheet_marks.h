#pragma once

// The marks of the Tools menu on the font sheet: a red corner over each
// character that no set or screen cell uses, a yellow corner over each
// character of the current slot that repeats an earlier one.

#include "session/editor_state.h"

namespace qm {

constexpr Rgb kUnusedMark = tk::MakeRgb(255, 64, 64);
constexpr Rgb kDuplicateMark = tk::MakeRgb(255, 220, 0);
constexpr int kMarkSize = 5;

// Draws the marks that are switched on over both halves of the sheet, whose
// characters lie pitch pixels apart with the inverse half from inverseTop.
// Nothing when both are off.
void DrawSheetMarks(const EditorState& s, tk::Surface& sheet, int pitch, int inverseTop);

}  // namespace qm
