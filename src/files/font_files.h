#pragma once

#include "session/editor_state.h"

namespace qm {

void LoadFontFile(EditorState& s);
void SaveFontFile(EditorState& s);
void SaveFontRange(EditorState& s);
void LoadDefaultFont(EditorState& s);

}  // namespace qm
