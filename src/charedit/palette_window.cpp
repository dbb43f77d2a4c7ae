#include "charedit/palette_window.h"

#include <cstdio>

#include "charedit/color_registers.h"
#include "charedit/font_sheet.h"
#include "charedit/palette.h"
#include "session/modal_dialog.h"

namespace qm {

namespace {

constexpr int kPitch = 16;
constexpr Rgb kBorder = tk::MakeRgb(1, 1, 1);

// Cells are read back from the picture itself, so a press on a border line
// names the cell in the hover label but chooses nothing.
void HandlePaletteMouse(PaletteWindow& w, const tk::Event& event) {
    if (event.mouseX < 0 || event.mouseY < 0) return;
    const int column = event.mouseX / kPitch;
    const int row = event.mouseY / kPitch;
    if (column < 1 || column > 8 || row < 1 || row > 16) return;
    const int value = 16 * (row - 1) + 2 * (column - 1);
    tk::SetText(w.hoverLabel, PaletteCellText(value));
    if ((event.buttons & tk::ButtonLeft) == 0) return;
    const Rgb picked = tk::CanvasSurface(w.canvas).Pixel(event.mouseX, event.mouseY);
    if (picked == kBorder) return;
    w.chosenRgb = picked;
    w.chosenValue = value;
    tk::SetBackground(w.preview, picked);
    tk::SetText(w.chosenLabel, PaletteCellText(value));
}

void ApplySelection(EditorState& s, const PaletteWindow& w) {
    s.doc.RegisterRgb[w.reg] = w.chosenRgb;
    s.doc.RegisterValue[w.reg] = w.chosenValue;
    for (int reg = LUM; reg <= PF3; ++reg) PaintSwatch(s, s.ui.swatch[reg], s.doc.RegisterRgb[reg]);
    RedrawAll(s);
    ShowColorIndicators(s);
}

tk::ControlId CreateBoxLabel(tk::WindowId window, int x, int y, int width, int height) {
    return tk::CreateControl(window, tk::ControlKind::Label, x, y, width, height, "", tk::CenteredText | tk::Bordered);
}

}  // namespace

std::string PaletteByteText(int value) {
    char text[32];
    std::snprintf(text, sizeof text, "%d, $%X", value, static_cast<unsigned>(value));
    return text;
}

std::string PaletteCellText(int value) {
    char text[32];
    std::snprintf(text, sizeof text, "%d, $%X%X", value, static_cast<unsigned>(value) >> 4, value & 0x0F);
    return text;
}

PaletteWindow OpenPaletteWindow(const EditorState& s, int reg) {
    PaletteWindow w;
    w.reg = reg;
    w.chosenRgb = s.doc.RegisterRgb[reg];
    w.chosenValue = s.doc.RegisterValue[reg];
    const int x = tk::WindowX(s.ui.window) + 300;
    const int y = tk::WindowY(s.ui.window) + 150;
    w.window = tk::OpenWindow("ATARI palette... ", x, y, 250, 340, tk::TitleBar | tk::SystemMenu | tk::OnTop);
    w.canvas = tk::CreateControl(w.window, tk::ControlKind::Canvas, 10, 10, 161, 289, "", tk::Bordered);
    w.preview = CreateBoxLabel(w.window, 180, 10, 60, 260);
    w.chosenLabel = CreateBoxLabel(w.window, 180, 280, 60, 20);
    w.okButton = tk::CreateControl(w.window, tk::ControlKind::Button, 140, 310, 100, 20, "OK");
    w.hoverLabel = CreateBoxLabel(w.window, 10, 310, 60, 20);

    tk::CanvasSurface(w.canvas).DrawImage(0, 0, PaletteImage());
    tk::Refresh(w.canvas);
    tk::SetBackground(w.preview, w.chosenRgb);
    tk::SetText(w.chosenLabel, PaletteByteText(w.chosenValue));
    tk::SetText(w.hoverLabel, PaletteByteText(w.chosenValue));
    return w;
}

bool HandlePaletteEvent(EditorState& s, PaletteWindow& w, const tk::Event& event) {
    if (event.kind == tk::EventKind::CloseRequest || IsEscape(event)) return false;
    if (event.kind != tk::EventKind::Control) return true;
    if (event.control == w.okButton) {
        ApplySelection(s, w);
        return false;
    }
    if (event.control == w.canvas) HandlePaletteMouse(w, event);
    return true;
}

}  // namespace qm
