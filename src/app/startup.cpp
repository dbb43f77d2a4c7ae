#include "app/startup.h"

#include "app/commands.h"
#include "app/full_redraw.h"
#include "app/main_window.h"
#include "app/main_loop.h"
#include "charedit/color_registers.h"
#include "charedit/font_sheet.h"
#include "session/font_buffer.h"
#include "session/undo.h"
#include "sets/animation.h"

namespace qm {

namespace {

void FillAnimationLists(const MainWindowUi& ui) {
    for (int set = 1; set <= kSetCount; ++set) {
        tk::AddItem(ui.animStartList, std::to_string(set));
        tk::AddItem(ui.animStopList, std::to_string(set));
    }
    tk::SelectItem(ui.animStartList, 0);
    tk::SelectItem(ui.animStopList, 1);
}

void AddWindowMenus(tk::WindowId window, CommandWindow which) {
    AddCommandMenus(window, which);
    AddCommandShortcuts(window, which);
}

}  // namespace

void StartUp(EditorState& s) {
    ResetEditorState(s);
    s.fullRedraw = RedrawEverything;
    s.addWindowMenus = AddWindowMenus;
    BuildMainWindow(s, 100, 100, 945, 645);

    s.FontBuffer = DefaultFontData;
    UnpackFont(s, s.CurrentSlot);
    tk::SetStatusText(s.ui.window, kStatusFontField, FontFieldText(s));
    FillAnimationLists(s.ui);
    tk::StartTimer(s.ui.window, kAnimationTimer, 250);

    s.doc.RegisterValue = kDefaultRegisterValue;
    for (int reg = LUM; reg <= PF3; ++reg) PaintSwatch(s, s.ui.swatch[reg], s.doc.RegisterRgb[reg]);
    s.CurrentChar = 1;
    RedrawAll(s);
    DrawAnimFrame(s, 1);
    StartHistory(s);
}

void RunMainLoop(EditorState& s) {
    for (;;) {
        if (!DispatchEvent(s, tk::WaitEvent())) return;
    }
}

void CloseAllWindows(EditorState& s) {
    for (tk::WindowId w : {s.mapUi.window, s.exportUi.window, s.viewUi.window, s.viewerUi.window, s.ui.window}) {
        if (w != 0 && tk::WindowExists(w)) tk::CloseWindow(w);
    }
    s.exportUi = {};
    s.viewUi = {};
    s.viewerUi = {};
    s.mapUi = {};
    s.map.open = false;
    s.ui = {};
}

}  // namespace qm
