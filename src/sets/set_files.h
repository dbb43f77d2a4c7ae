#pragma once

#include "session/editor_state.h"

namespace qm {

void LoadSetFile(EditorState& s);
void SaveSetFile(EditorState& s);
void LoadAllSetsFile(EditorState& s);
void SaveAllSetsFile(EditorState& s);
void ExportSetBin(EditorState& s);

}  // namespace qm
