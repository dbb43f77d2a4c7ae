#pragma once

#include "session/editor_state.h"

namespace qm {

void ExportFontDialog(EditorState& s, int x, int y, int width, int height);
// alignMads puts the MADS text on a 1 KB boundary; no other format has it.
void GenerateExportText(EditorState& s, tk::ControlId preview, int format, bool alignMads = false);

}  // namespace qm
