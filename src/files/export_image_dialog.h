#pragma once

// The "Export font to image PNG, BMP..." window, built apart from its modal
// wait so that its controls can be reached before the wait starts.

#include "session/editor_state.h"

namespace qm {

struct ImageExportDialog {
    tk::WindowId window = 0;
    tk::ControlId scales = 0, sizeLabel = 0, saveBmp = 0, savePng = 0, scrollArea = 0, canvas = 0;
};

// Opens the window with the picture at scale x1 and disables the main window.
ImageExportDialog OpenImageExportDialog(EditorState& s, int x, int y, int width, int height);
// Shows the picture at scale index 0..3: size label, canvas and scroll area.
void ShowImageScale(EditorState& s, const ImageExportDialog& d, int scale);
// Waits until the close box or a written picture, then closes the window.
void RunImageExportDialog(EditorState& s, const ImageExportDialog& d);

}  // namespace qm
