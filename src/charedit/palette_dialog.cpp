#include "charedit/palette.h"

#include <cstdio>
#include <string>

#include "charedit/color_registers.h"
#include "charedit/font_sheet.h"

namespace qm {

namespace {

constexpr int kPitch = 16;
constexpr Rgb kBorder = tk::MakeRgb(1, 1, 1);

struct PaletteWindow {
    tk::WindowId window = 0;
    tk::ControlId canvas = 0, preview = 0, chosenLabel = 0, okButton = 0, hoverLabel = 0;
};

struct Selection {
    Rgb rgb = 0;
    int value = 0;
};

// "14, $E": the register's byte as it stands.
std::string ByteText(int value) {
    char text[24];
    std::snprintf(text, sizeof text, "%d, $%X", value, value);
    return text;
}

// "14, $0E": hue digit and luminance digit of a palette cell.
std::string CellText(int value) {
    char text[24];
    std::snprintf(text, sizeof text, "%d, $%X%X", value, value >> 4, value & 0x0F);
    return text;
}

PaletteWindow OpenPaletteWindow(const EditorState& s) {
    PaletteWindow w;
    const int x = tk::WindowX(s.ui.window) + 300;
    const int y = tk::WindowY(s.ui.window) + 150;
    w.window = tk::OpenWindow("ATARI palette... ", x, y, 250, 340, tk::TitleBar | tk::SystemMenu | tk::OnTop);
    w.canvas = tk::CreateControl(w.window, tk::ControlKind::Canvas, 10, 10, 161, 289, "", tk::Bordered);
    w.preview = tk::CreateControl(w.window, tk::ControlKind::Label, 180, 10, 60, 260, "",
                                  tk::CenteredText | tk::Bordered);
    w.chosenLabel = tk::CreateControl(w.window, tk::ControlKind::Label, 180, 280, 60, 20, "",
                                      tk::CenteredText | tk::Bordered);
    w.okButton = tk::CreateControl(w.window, tk::ControlKind::Button, 140, 310, 100, 20, "OK");
    w.hoverLabel = tk::CreateControl(w.window, tk::ControlKind::Label, 10, 310, 60, 20, "",
                                     tk::CenteredText | tk::Bordered);
    tk::CanvasSurface(w.canvas).DrawImage(0, 0, PaletteImage());
    tk::Refresh(w.canvas);
    return w;
}

// Cells are read back from the picture itself, so a press on a border line
// names the cell in the hover label but chooses nothing.
void HandlePaletteMouse(const PaletteWindow& w, const tk::Event& event, Selection& selection) {
    const int column = event.mouseX / kPitch;
    const int row = event.mouseY / kPitch;
    if (event.mouseX < 0 || event.mouseY < 0 || column < 1 || column > 8 || row < 1 || row > 16) return;
    const int value = 16 * (row - 1) + 2 * (column - 1);
    tk::SetText(w.hoverLabel, CellText(value));
    if ((event.buttons & tk::ButtonLeft) == 0) return;
    const Rgb picked = tk::CanvasSurface(w.canvas).Pixel(event.mouseX, event.mouseY);
    if (picked == kBorder) return;
    selection = {picked, value};
    tk::SetBackground(w.preview, picked);
    tk::SetText(w.chosenLabel, CellText(value));
}

void Apply(EditorState& s, int n, const Selection& selection) {
    s.RegisterRgb[n] = selection.rgb;
    s.RegisterValue[n] = selection.value;
    for (int reg = LUM; reg <= PF3; ++reg) PaintSwatch(s, s.ui.swatch[reg], s.RegisterRgb[reg]);
    RedrawAll(s);
    ShowColorIndicators(s);
}

}  // namespace

void PaletteDialog(EditorState& s, int n) {
    if (n < LUM || n > PF3) return;
    tk::EnableWindow(s.ui.window, false);
    const PaletteWindow w = OpenPaletteWindow(s);
    Selection selection{s.RegisterRgb[n], s.RegisterValue[n]};
    tk::SetBackground(w.preview, selection.rgb);
    tk::SetText(w.chosenLabel, ByteText(selection.value));
    tk::SetText(w.hoverLabel, ByteText(selection.value));

    for (;;) {
        const tk::Event event = tk::WaitEventFor(w.window);
        if (event.kind == tk::EventKind::CloseRequest) break;
        if (event.kind == tk::EventKind::None && !tk::WindowExists(w.window)) break;
        if (event.kind != tk::EventKind::Control) continue;
        if (event.control == w.okButton) {
            Apply(s, n, selection);
            break;
        }
        if (event.control == w.canvas) HandlePaletteMouse(w, event, selection);
    }
    tk::CloseWindow(w.window);
    tk::EnableWindow(s.ui.window, true);
    tk::ActivateWindow(s.ui.window);
}

}  // namespace qm
