#pragma once

// The transfer area between the pixel grids that the editor works on and the
// 1024-byte font form of files and exports: byte 8c + r is row r of character
// c, bit 7 is column 0.

#include <array>
#include <cstdint>

#include "app/editor_state.h"

namespace qm {

extern const std::array<std::uint8_t, kFontBytes> DefaultFontData;

// slot -1 stands for the current slot.
void PackFont(EditorState& s, int slot);
void UnpackFont(EditorState& s, int slot);

}  // namespace qm
