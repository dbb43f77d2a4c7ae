#include "charedit/char_editor.h"
#include "charedit/font_sheet.h"

namespace qm {

namespace {
constexpr int kFirstEditorArea = 500;
constexpr int kLastEditorArea = 563;
}  // namespace

void HandleEditorMouse(EditorState& s, const tk::Event& event) {
    const int id = FindHitArea(s, kFirstEditorArea, kLastEditorArea, event.mouseX, event.mouseY);
    if (id < 0 || s.CurrentChar == kEmptyCell) return;
    const HitArea& cell = s.HitAreaTable[id];
    // The click that closed a file dialog must not paint, so the guard holds
    // back the left button only.
    const bool left = event.buttons == tk::ButtonLeft && s.ClickGuard == 0;
    const bool right = event.buttons == tk::ButtonRight;
    if (!left && !right) return;
    if (PaintEditorPixel(s, left ? tk::ButtonLeft : tk::ButtonRight, cell.column, cell.row)) RedrawAll(s);
}

void ChooseLayerMode(EditorState& s, Layer layer) {
    s.LayerMode = layer;
    if (s.ui.normalMode != 0) tk::SetChecked(s.ui.normalMode, layer == Layer::Normal);
    if (s.ui.maskMode != 0) tk::SetChecked(s.ui.maskMode, layer == Layer::Mask);
    RedrawAll(s);
}

}  // namespace qm
