#pragma once

#include "session/editor_state.h"

namespace qm {

void LoadViewFile(EditorState& s);
void SaveViewFile(EditorState& s);
// Loads the file into the view screen; false when it cannot be read or is not
// a screen (which a message tells).
bool LoadViewFrom(EditorState& s, const std::string& path);
// Both do nothing while the export region is not valid.
void ExportViewBin(EditorState& s);
void ExportViewChars(EditorState& s);
// One byte for every cell of the region, 0 for an empty one, as they are
// ("raw") or as source text of the format, a line per row.
void ExportViewMap(EditorState& s, const std::string& format);

}  // namespace qm
