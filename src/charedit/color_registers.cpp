#include "charedit/color_registers.h"

namespace qm {

namespace {
constexpr int kSwatchWidth = 30;
constexpr int kSwatchHeight = 20;

// The registers a mouse button may paint with: only pair colours in the
// multicolour view, only set and clear in the hi-res view.
bool CanPaintWith(const EditorState& s, int reg) {
    if (s.MulticolorMode == DisplayMode::Multicolor) return reg == BAK || reg == PF0 || reg == PF1 || reg == PF2;
    return reg == LUM || reg == BAK;
}
}  // namespace

void PaintSwatch(EditorState&, tk::ControlId swatch, Rgb rgb) {
    tk::CanvasSurface(swatch).FillBox(0, 0, kSwatchWidth, kSwatchHeight, rgb);
    tk::Refresh(swatch);
}

void ShowColorIndicators(EditorState& s) {
    tk::SetBackground(s.ui.leftButtonBar, s.doc.RegisterRgb[s.LeftColor]);
    tk::SetBackground(s.ui.rightButtonBar, s.doc.RegisterRgb[s.RightColor]);
    for (int reg = LUM; reg <= PF3; ++reg) PaintSwatch(s, s.ui.swatch[reg], s.doc.RegisterRgb[reg]);
}

void ChooseButtonColor(EditorState& s, int reg, const tk::Event& event) {
    int* button = nullptr;
    if (event.subKind == tk::SubKind::LeftClick) button = &s.LeftColor;
    if (event.subKind == tk::SubKind::RightClick) button = &s.RightColor;
    if (button == nullptr) return;
    if (CanPaintWith(s, reg)) *button = reg;
    ShowColorIndicators(s);
}

}  // namespace qm
