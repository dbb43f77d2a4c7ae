#pragma once

// The palette window's controls and what each of its events does; the modal
// wait around them is PaletteDialog's.

#include <string>

#include "session/editor_state.h"

namespace qm {

struct PaletteWindow {
    int reg = 0;  // the register being chosen for (ColorIndex)
    tk::WindowId window = 0;
    tk::ControlId canvas = 0, preview = 0, chosenLabel = 0, okButton = 0, hoverLabel = 0;
    Rgb chosenRgb = 0;  // the selection: screen colour and platform byte
    int chosenValue = 0;
};

// "14, $E": a register's byte as it stands.
std::string PaletteByteText(int value);
// "14, $0E": the hue digit and the luminance digit of a palette cell.
std::string PaletteCellText(int value);

// Opens the window for register reg with the register's colour as the selection.
PaletteWindow OpenPaletteWindow(const EditorState& s, int reg);
// Returns false once the window is to close; "OK" has then applied the selection.
bool HandlePaletteEvent(EditorState& s, PaletteWindow& w, const tk::Event& event);

}  // namespace qm
