// Entry points still to be built; each moves to its own file when it is.
#include "charedit/char_editor.h"
#include "charedit/color_file.h"
#include "charedit/color_registers.h"
#include "charedit/palette.h"
#include "charedit/transforms.h"

namespace qm {
void DrawCharEditor(EditorState&) {}
void DrawCharAt(EditorState&, tk::Surface&, int, int, int) {}
void PaintEditorPixel(EditorState&, int, int, int) {}
void PaintCharPixel(EditorState&, int, int, int, int) {}
void HandleEditorMouse(EditorState&, const tk::Event&) {}
void ChooseLayerMode(EditorState&, int) {}
void TransformChar(EditorState&, int) {}
void ShowColorIndicators(EditorState&) {}
void PaintSwatch(EditorState&, tk::ControlId, Rgb) {}
void ChooseButtonColor(EditorState&, int, const tk::Event&) {}
void PaletteDialog(EditorState&, int) {}
void SaveColorFile(EditorState&) {}
void LoadColorFile(EditorState&) {}
}  // namespace qm
