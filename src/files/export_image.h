#pragma once

#include "app/editor_state.h"

namespace qm {

void ExportImageDialog(EditorState& s, int x, int y, int width, int height);
void RenderFontImage(EditorState& s, tk::Surface& canvas, int scale);

}  // namespace qm
