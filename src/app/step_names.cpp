#include "app/step_names.h"

#include "app/file_opening.h"
#include "app/main_window.h"
#include "files/import_dialogs.h"
#include "sets/view_editor.h"

namespace qm {

namespace {

const char* MenuStepName(int item) {
    switch (item) {
        case kMenuOpenProject: return "Open Project";
        case kMenuLoadFont: return "Load Font";
        case kMenuDefaultFont: return "Default Font";
        case kMenuImportPicture: return "Import Picture";
        case kMenuImportFontBytes: return "Import Font Bytes";
        case kMenuRotate: return "Rotate";
        case kMenuHMirror: return "H Mirror";
        case kMenuVMirror: return "V Mirror";
        case kMenuShiftLeft: return "Shift Left";
        case kMenuShiftRight: return "Shift Right";
        case kMenuShiftUp: return "Shift Up";
        case kMenuShiftDown: return "Shift Down";
        case kMenuInverse: return "Inverse";
        case kMenuClearChar: return "Clear";
        case kMenuPasteChar: return "Paste";
        case kMenuLoadSet: return "Load Set";
        case kMenuLoadAllSets: return "Load All Sets";
        case kMenuPasteSet: return "Paste Set";
        case kMenuClearSet: return "Clear Set";
        case kMenuClearSetBits: return "Clear Bits";
        case kMenuMergeDuplicates: return "Merge Duplicates";
        case kMenuCompact: return "Compact";
        case kMenuSwapChars: return "Swap Characters";
        case kMenuShowUnused:
        case kMenuShowDuplicates:
        case kMenuWhereUsed:
        case kMenuSaveProject:
        case kMenuSaveProjectAs:
        case kMenuSaveFont:
        case kMenuSaveFontRange:
        case kMenuSaveSet:
        case kMenuSaveAllSets:
        case kMenuExportSetBin:
        case kMenuNextSlot:
        case kMenuPreviousSlot: return "";
        default: return IsRecentItem(item) ? "Open Project" : "Change";
    }
}

std::string ControlStepName(const MainWindowUi& ui, tk::ControlId c) {
    struct Named {
        tk::ControlId control;
        const char* name;
    };
    const Named names[] = {
        {ui.charEditor, "Paint"}, {ui.largeSetView, "Paint"}, {ui.smallSetView, "Set Cell"},
        {ui.fontSheet, "Set Cell"}, {ui.rotate, "Rotate"}, {ui.hMirror, "H Mirror"}, {ui.vMirror, "V Mirror"},
        {ui.shiftLeft, "Shift Left"}, {ui.shiftRight, "Shift Right"}, {ui.shiftUp, "Shift Up"},
        {ui.shiftDown, "Shift Down"}, {ui.inverse, "Inverse"}, {ui.clear, "Clear"}, {ui.charPaste, "Paste"},
        {ui.loadFont, "Load Font"}, {ui.defaultFont, "Default Font"}, {ui.loadSet, "Load Set"},
        {ui.loadAllSets, "Load All Sets"}, {ui.setPaste, "Paste Set"}, {ui.loadColors, "Load Colors"},
        // Saving, and the slot buttons that carry the colours between slots.
        {ui.saveFont, ""}, {ui.saveFontRange, ""}, {ui.saveSet, ""}, {ui.saveAllSets, ""}, {ui.saveColors, ""},
        {ui.exportImage, ""}, {ui.exportSource, ""}, {ui.nextSlot, ""}, {ui.previousSlot, ""},
    };
    for (const Named& n : names) {
        if (n.control == c) return n.name;
    }
    for (int reg = LUM; reg <= PF3; ++reg) {
        if (ui.setColorButton[reg] == c) return "Color";
    }
    return "Change";
}

}  // namespace

std::string StepNameOf(const EditorState& s, const tk::Event& event) {
    if (event.window != 0 && event.window == s.viewUi.window) return ViewEditorStepName(s, event);
    if (event.window != 0 && event.window == s.exportUi.window) return "";
    if (event.window != s.ui.window) return "Change";
    if (event.kind == tk::EventKind::MenuItem) return MenuStepName(event.menuItem);
    if (event.kind == tk::EventKind::FilesDropped) return OpenFilesStepName(event.paths);
    if (event.kind == tk::EventKind::Control && event.control != 0) return ControlStepName(s.ui, event.control);
    return "Change";
}

}  // namespace qm
