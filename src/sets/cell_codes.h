#pragma once

// What a set or view cell may hold: a character of the font, or nothing.

#include "app/editor_state.h"

namespace qm {

inline bool IsCharCode(int value) { return value >= 0 && value < kCharCount; }

// Anything that is not a character of the font counts as an empty cell, so a
// damaged file can never make a drawing or an export index past the font.
inline int CellOrEmpty(int value) { return IsCharCode(value) ? value : kEmptyCell; }

}  // namespace qm
