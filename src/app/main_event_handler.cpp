#include "app/main_event_handler.h"

#include "app/commands.h"
#include "app/file_opening.h"
#include "app/unsaved_work.h"
#include "charedit/char_editor.h"
#include "charedit/color_registers.h"
#include "charedit/font_sheet.h"
#include "maps/map_editor.h"
#include "sets/animation.h"
#include "sets/set_views.h"
#include "sets/view_editor.h"
#include "session/slot_colors.h"

namespace qm {

namespace {

constexpr int kKeyDigit1 = 49;
constexpr int kKeyDigit5 = 53;
constexpr int kKeyD = 68;

void ToggleDrawOnSet(EditorState& s) {
    const bool ticked = tk::IsChecked(s.ui.drawOnSetBox);
    tk::SetChecked(s.ui.drawOnSetBox, !ticked);
    s.DrawOnSet = ticked ? kOff : kOn;
}

// The arrow keys move the current character on the font sheet, Home and End
// go to its first and last one.
bool MoveOnSheet(EditorState& s, int key) {
    int delta = 0;
    if (key == tk::KeyLeft) delta = -1;
    else if (key == tk::KeyRight) delta = +1;
    else if (key == tk::KeyUp) delta = -32;
    else if (key == tk::KeyDown) delta = +32;
    else if (key != tk::KeyHome && key != tk::KeyEnd) return false;
    const int from = s.CurrentChar >= 0 ? s.CurrentChar : CharOfCode(s.SheetChar);
    int to = from + delta;
    if (key == tk::KeyHome) to = 0;
    else if (key == tk::KeyEnd) to = kCharCount - 1;
    if (to < 0 || to >= kCharCount) to = from;  // the sheet's edges hold
    // The move stays in the half of the sheet the last pick was made in.
    ChooseSheetCharacter(s, to | (s.SheetChar & kInverseBit));
    return true;
}

// Canvases get every event, whatever its sub-kind. Returns false when the
// control is not a canvas of the main window.
bool HandleCanvasEvent(EditorState& s, const tk::Event& e) {
    const MainWindowUi& ui = s.ui;
    if (e.control == ui.fontSheet) {
        HandleSheetMouse(s, e);
    } else if (e.control == ui.charEditor) {
        HandleEditorMouse(s, e);
    } else if (e.control == ui.largeSetView) {
        HandleLargeSetMouse(s, e);
    } else if (e.control == ui.smallSetView) {
        HandleSmallSetMouse(s, e);
    } else {
        for (int reg = LUM; reg <= PF3; ++reg) {
            if (e.control == ui.swatch[reg]) {
                ChooseButtonColor(s, reg, e);
                return true;
            }
        }
        return false;
    }
    return true;
}

// Returns false when the program is to end.
bool HandleMenuItem(EditorState& s, int item) {
    if (const Command* command = CommandOfMenuItem(CommandWindow::Main, item)) {
        return RunCommand(s, *command, false);
    }
    if (IsRecentItem(item)) OpenRecentProject(s, item);
    else if (item == kMenuRecentOpens) ShowRecentProjects(s);
    return true;
}

void HandleControl(EditorState& s, const tk::Event& e) {
    if (e.control == 0 || HandleCanvasEvent(s, e)) return;
    if (const Command* command = CommandOfControl(s, CommandWindow::Main, e.control)) RunCommand(s, *command, true);
}

void HandleKeyPressed(EditorState& s, int key) {
    if (MoveOnSheet(s, key)) return;
    if (key >= kKeyDigit1 && key <= kKeyDigit5) {
        s.HeldDigitKey = key;
    } else if (key == kKeyD) {
        ToggleDrawOnSet(s);
    }
}

// A window's menu items and controls run their rows; its own handler takes
// every other event.
bool RunOrHandle(EditorState& s, CommandWindow window, const tk::Event& event,
                 bool (*ownEvents)(EditorState&, const tk::Event&)) {
    const Command* command = CommandOfEvent(s, window, event);
    return command != nullptr ? RunCommand(s, *command, event.kind == tk::EventKind::Control) : ownEvents(s, event);
}

}  // namespace

void ArmClickGuard(EditorState& s) { s.ClickGuard = kClickGuardEvents; }

void StoreSlotColors(EditorState& s) { s.Slot().colors = s.doc.RegisterRgb; }

void StepSlot(EditorState& s, int delta, bool exchangeColors) {
    const int next = s.CurrentSlot + delta;
    if (next < 1 || next > kSlotCount) return;
    if (exchangeColors) EnterSlotWithColors(s, next);
    else s.CurrentSlot = next;
    tk::SetText(s.ui.slotLabel, std::to_string(next));
    RedrawAll(s);
}

void StepSet(EditorState& s, int delta) {
    const int next = s.CurrentSet + delta;
    if (next < 1 || next > kSetCount) return;
    s.CurrentSet = next;
    tk::SetText(s.ui.setLabel, std::to_string(next));
    RedrawAll(s);
}

bool ViewEditorEventHandler(EditorState& s, const tk::Event& event) {
    return RunOrHandle(s, CommandWindow::ViewEditor, event, ViewEditorHandler);
}

bool MapEditorEventHandler(EditorState& s, const tk::Event& event) {
    return RunOrHandle(s, CommandWindow::Map, event, MapEditorHandler);
}

bool MainEventHandler(EditorState& s, const tk::Event& event) {
    if (s.ClickGuard >= 1) --s.ClickGuard;
    switch (event.kind) {
        case tk::EventKind::CloseRequest: return !MayEnd(s);
        case tk::EventKind::Timer:
            if (s.AnimRunning && event.timer == kAnimationTimer) AnimationTick(s);
            break;
        case tk::EventKind::KeyPressed: HandleKeyPressed(s, event.key); break;
        case tk::EventKind::KeyReleased: s.HeldDigitKey = 0; break;
        case tk::EventKind::MenuItem: return HandleMenuItem(s, event.menuItem);
        case tk::EventKind::Control: HandleControl(s, event); break;
        case tk::EventKind::FilesDropped:
            OpenFiles(s, event.paths);
            ArmClickGuard(s);
            break;
        case tk::EventKind::None: break;
    }
    return true;
}

}  // namespace qm
