#pragma once

#include "session/editor_state.h"

namespace qm {

void ExportFontDialog(EditorState& s, int x, int y, int width, int height);
void GenerateExportText(EditorState& s, tk::ControlId preview, int format);

}  // namespace qm
