#include "app/main_event_handler.h"

#include "app/file_opening.h"
#include "app/main_window.h"
#include "app/recovery.h"
#include "app/unsaved_work.h"
#include "charedit/char_editor.h"
#include "charedit/color_file.h"
#include "charedit/color_registers.h"
#include "charedit/font_sheet.h"
#include "charedit/palette.h"
#include "charedit/transforms.h"
#include "files/export_image.h"
#include "files/export_source.h"
#include "session/font_buffer.h"
#include "files/font_files.h"
#include "files/import_dialogs.h"
#include "files/project_file.h"
#include "sets/animation.h"
#include "sets/char_tools.h"
#include "sets/set_files.h"
#include "sets/set_views.h"
#include "sets/sets_viewer.h"
#include "sets/view_editor.h"
#include "session/slot_colors.h"
#include "session/undo.h"

#ifndef QUILLMERE_VERSION
#define QUILLMERE_VERSION "0"
#endif

namespace qm {

namespace {

constexpr int kKeyDigit1 = 49;
constexpr int kKeyDigit5 = 53;
constexpr int kKeyD = 68;

// The operations after which the click that closed a file dialog must not
// reach a canvas.
void ArmClickGuard(EditorState& s) { s.ClickGuard = kClickGuardEvents; }

void ShowAbout() {
    tk::MessageBox("About...", std::string("Quillmere ") + QUILLMERE_VERSION +
                                   "\nAn editor for the character fonts of the 8-bit Atari home computers:"
                                   " draw characters, compose them into sets and screens, and export them"
                                   " as source code or pictures.");
}

void ToggleDrawOnSet(EditorState& s) {
    const bool ticked = tk::IsChecked(s.ui.drawOnSetBox);
    tk::SetChecked(s.ui.drawOnSetBox, !ticked);
    s.DrawOnSet = ticked ? kOff : kOn;
}

void ToggleSmallSetGrid(EditorState& s) {
    s.SmallSetGrid = s.SmallSetGrid == kOn ? kOff : kOn;
    DrawSmallSetView(s);
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
    const int from = s.CurrentChar >= 0 ? s.CurrentChar : s.SheetChar;
    int to = from + delta;
    if (key == tk::KeyHome) to = 0;
    else if (key == tk::KeyEnd) to = kCharCount - 1;
    if (to < 0 || to >= kCharCount) to = from;  // the sheet's edges hold
    ChooseSheetCharacter(s, to);
    return true;
}

// Returns false when the program is to end.
bool HandleMenuItem(EditorState& s, int item) {
    switch (item) {
        case kMenuOpenProject:
            if (MayOpenAnotherProject(s)) { OpenProject(s); RememberProject(s); RedrawAll(s); }
            ArmClickGuard(s);
            break;
        case kMenuSaveProject: SaveWork(s, "zapisz"); ArmClickGuard(s); break;
        case kMenuSaveProjectAs: SaveWork(s, "zapiszjako"); ArmClickGuard(s); break;
        case kMenuAbout: ShowAbout(); break;
        case kMenuExit: return !MayEnd(s);
        case kMenuLoadFont: LoadFontFile(s); RedrawAll(s); ArmClickGuard(s); break;
        case kMenuSaveFont: PackFont(s, -1); SaveFontFile(s); ArmClickGuard(s); break;
        case kMenuSaveFontRange: SaveFontRange(s); ArmClickGuard(s); break;
        case kMenuDefaultFont: LoadDefaultFont(s); break;
        case kMenuImportPicture: ImportPicture(s); ArmClickGuard(s); break;
        case kMenuImportFontBytes: ImportFontBytes(s); ArmClickGuard(s); break;
        case kMenuNextSlot: StepSlot(s, +1, false); break;
        case kMenuPreviousSlot: StepSlot(s, -1, false); break;
        case kMenuRotate: TransformChar(s, kRotate); break;
        case kMenuHMirror: TransformChar(s, kHMirror); break;
        case kMenuVMirror: TransformChar(s, kVMirror); break;
        case kMenuShiftLeft: TransformChar(s, kShiftLeft); break;
        case kMenuShiftRight: TransformChar(s, kShiftRight); break;
        case kMenuShiftUp: TransformChar(s, kShiftUp); break;
        case kMenuShiftDown: TransformChar(s, kShiftDown); break;
        case kMenuInverse: TransformChar(s, kInverse); break;
        case kMenuClearChar: TransformChar(s, kClear); break;
        case kMenuCopyChar: TransformChar(s, kCopy); break;
        case kMenuPasteChar: TransformChar(s, kPaste); break;
        case kMenuSetGrid: ToggleSmallSetGrid(s); break;
        case kMenuNextSet: StepSet(s, +1); break;
        case kMenuPreviousSet: StepSet(s, -1); break;
        case kMenuLoadSet: LoadSetFile(s); break;
        case kMenuSaveSet: SaveSetFile(s); break;
        case kMenuLoadAllSets: LoadAllSetsFile(s); break;
        case kMenuSaveAllSets: SaveAllSetsFile(s); break;
        case kMenuCopySet: SetCommand(s, 2); break;
        case kMenuPasteSet: SetCommand(s, 3); RedrawAll(s); break;
        case kMenuClearSet: SetCommand(s, 4); RedrawAll(s); break;
        case kMenuClearSetBits: SetCommand(s, 1); RedrawAll(s); break;
        case kMenuExportSetBin: ExportSetBin(s); break;
        case kMenuShowUnused: ToggleUnusedMarks(s); break;
        case kMenuShowDuplicates: ToggleDuplicateMarks(s); break;
        case kMenuWhereUsed: WhereUsedDialog(s); break;
        case kMenuMergeDuplicates: MergeDuplicateChars(s); break;
        case kMenuCompact: CompactChars(s); break;
        case kMenuSwapChars: SwapCharsDialog(s); break;
        default:
            if (IsRecentItem(item)) OpenRecentProject(s, item);
            else if (item == kMenuRecentOpens) ShowRecentProjects(s);
            break;
    }
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

void ChooseRegisterColor(EditorState& s, int reg) {
    PaletteDialog(s, reg);
    StoreSlotColors(s);
}

bool HandleRegisterButton(EditorState& s, tk::ControlId control) {
    for (int reg = LUM; reg <= PF3; ++reg) {
        if (control == s.ui.setColorButton[reg]) {
            ChooseRegisterColor(s, reg);
            return true;
        }
    }
    return false;
}

bool HandleFileButton(EditorState& s, tk::ControlId c) {
    const MainWindowUi& ui = s.ui;
    if (c == ui.loadFont) { LoadFontFile(s); RedrawAll(s); ArmClickGuard(s); }
    else if (c == ui.saveFont) { PackFont(s, -1); SaveFontFile(s); ArmClickGuard(s); }
    else if (c == ui.saveFontRange) { SaveFontRange(s); ArmClickGuard(s); }
    else if (c == ui.defaultFont) { LoadDefaultFont(s); }
    else if (c == ui.exportImage) { ExportImageDialog(s, 100, 100, 570, 330); ArmClickGuard(s); }
    else if (c == ui.exportSource) { ExportFontDialog(s, 200, 10, 420, 580); }
    else if (c == ui.saveSet) { SaveSetFile(s); ArmClickGuard(s); }
    else if (c == ui.loadSet) { LoadSetFile(s); ArmClickGuard(s); }
    else if (c == ui.saveAllSets) { SaveAllSetsFile(s); ArmClickGuard(s); }
    else if (c == ui.loadAllSets) { LoadAllSetsFile(s); ArmClickGuard(s); }
    else if (c == ui.loadColors) { LoadColorFile(s); }
    else if (c == ui.saveColors) { SaveColorFile(s); }
    else return false;
    return true;
}

bool HandleCharButton(EditorState& s, tk::ControlId c) {
    const MainWindowUi& ui = s.ui;
    int code = 0;
    if (c == ui.rotate) code = kRotate;
    else if (c == ui.hMirror) code = kHMirror;
    else if (c == ui.vMirror) code = kVMirror;
    else if (c == ui.shiftLeft) code = kShiftLeft;
    else if (c == ui.shiftRight) code = kShiftRight;
    else if (c == ui.shiftUp) code = kShiftUp;
    else if (c == ui.shiftDown) code = kShiftDown;
    else if (c == ui.inverse) code = kInverse;
    else if (c == ui.clear) code = kClear;
    else if (c == ui.charCopy) code = kCopy;
    else if (c == ui.charPaste) code = kPaste;
    else return false;
    TransformChar(s, code);
    return true;
}

void HandleOtherControl(EditorState& s, tk::ControlId c) {
    const MainWindowUi& ui = s.ui;
    if (c == ui.nextSlot) StepSlot(s, +1, true);
    else if (c == ui.previousSlot) StepSlot(s, -1, true);
    else if (c == ui.nextSet) StepSet(s, +1);
    else if (c == ui.previousSet) StepSet(s, -1);
    else if (c == ui.modeSwitch) SwitchDisplayMode(s);
    else if (c == ui.normalMode && tk::IsChecked(c)) ChooseLayerMode(s, 1);
    else if (c == ui.maskMode && tk::IsChecked(c)) ChooseLayerMode(s, 2);
    else if (c == ui.largeSetGridBox) {
        s.LargeSetGrid = tk::IsChecked(c) ? kOn : kOff;
        DrawLargeSetView(s);
    } else if (c == ui.drawOnSetBox) {
        s.DrawOnSet = tk::IsChecked(c) ? kOn : kOff;
    } else if (c == ui.setCopy) {
        SetCommand(s, 2);
    } else if (c == ui.setPaste) {
        SetCommand(s, 3);
        RedrawAll(s);
    } else if (c == ui.openSetsViewer) {
        OpenSetsViewer(s);
    } else if (c == ui.animStartButton) {
        StartAnimation(s);
    } else if (c == ui.openViewEditor) {
        OpenViewEditor(s);
    }
}

void HandleControl(EditorState& s, const tk::Event& e) {
    if (e.control == 0 || HandleCanvasEvent(s, e)) return;
    if (HandleFileButton(s, e.control) || HandleCharButton(s, e.control) ||
        HandleRegisterButton(s, e.control)) {
        return;
    }
    HandleOtherControl(s, e.control);
}

void HandleKeyPressed(EditorState& s, int key) {
    if (MoveOnSheet(s, key)) return;
    if (key >= kKeyDigit1 && key <= kKeyDigit5) {
        s.HeldDigitKey = key;
    } else if (key == kKeyD) {
        ToggleDrawOnSet(s);
    }
}

}  // namespace

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

bool MainEventHandler(EditorState& s, const tk::Event& event) {
    if (s.ClickGuard >= 1) --s.ClickGuard;
    switch (event.kind) {
        case tk::EventKind::CloseRequest: return !MayEnd(s);
        case tk::EventKind::Timer:
            if (s.AnimRunning == 1 && event.timer == kAnimationTimer) AnimationTick(s);
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
