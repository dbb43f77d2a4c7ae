#pragma once

#include "session/editor_state.h"

namespace qm {

void LoadSetFile(EditorState& s);
void SaveSetFile(EditorState& s);
void LoadAllSetsFile(EditorState& s);
void SaveAllSetsFile(EditorState& s);
// Load the file into the current set, or all sets; false when it cannot be
// read or is not of its kind (which a message tells).
bool LoadSetFrom(EditorState& s, const std::string& path);
bool LoadAllSetsFrom(EditorState& s, const std::string& path);
void ExportSetBin(EditorState& s);

}  // namespace qm
