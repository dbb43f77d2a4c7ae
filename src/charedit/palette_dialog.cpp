#include "charedit/palette.h"

#include "charedit/palette_window.h"

namespace qm {

void PaletteDialog(EditorState& s, int n) {
    if (n < LUM || n > PF3) return;
    tk::EnableWindow(s.ui.window, false);
    PaletteWindow w = OpenPaletteWindow(s, n);
    for (;;) {
        const tk::Event event = tk::WaitEventFor(w.window);
        // The window can only vanish under us if something closed it elsewhere.
        if (event.kind == tk::EventKind::None && !tk::WindowExists(w.window)) break;
        if (!HandlePaletteEvent(s, w, event)) break;
    }
    tk::CloseWindow(w.window);
    tk::EnableWindow(s.ui.window, true);
    tk::ActivateWindow(s.ui.window);
}

}  // namespace qm
