#pragma once

#include "session/editor_state.h"

namespace qm {

void LoadFontFile(EditorState& s);
// Loads the font file into the current slot; false when it cannot be read.
bool LoadFontFrom(EditorState& s, const std::string& path);
void SaveFontFile(EditorState& s);
void SaveFontRange(EditorState& s);
void LoadDefaultFont(EditorState& s);

}  // namespace qm
