#pragma once

#include "session/editor_state.h"

namespace qm {

void LoadViewFile(EditorState& s);
void SaveViewFile(EditorState& s);
// Both do nothing while the export region is not valid.
void ExportViewBin(EditorState& s);
void ExportViewChars(EditorState& s);

}  // namespace qm
