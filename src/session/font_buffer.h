#pragma once

// The transfer area between the pixel grids that the editor works on and the
// 1024-byte font form of files and exports.

#include "core/font_format.h"
#include "session/editor_state.h"

namespace qm {

// slot -1 stands for the current slot.
void PackFont(EditorState& s, int slot);
void UnpackFont(EditorState& s, int slot);

}  // namespace qm
