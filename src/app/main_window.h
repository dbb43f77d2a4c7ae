#pragma once

#include "session/editor_state.h"
#include "session/undo.h"
#include "sets/char_tools.h"

namespace qm {

// Menu item numbers of the main window.
enum MainMenuItem {
    kMenuOpenProject = 0, kMenuSaveProject, kMenuSaveProjectAs, kMenuAbout, kMenuExit,
    kMenuLoadFont, kMenuSaveFont, kMenuSaveFontRange, kMenuDefaultFont, kMenuNextSlot, kMenuPreviousSlot,
    kMenuRotate, kMenuHMirror, kMenuVMirror, kMenuShiftLeft, kMenuShiftRight, kMenuShiftUp, kMenuShiftDown,
    kMenuInverse, kMenuClearChar, kMenuCopyChar, kMenuPasteChar,
    kMenuSetGrid, kMenuNextSet, kMenuPreviousSet, kMenuLoadSet, kMenuSaveSet, kMenuLoadAllSets,
    kMenuSaveAllSets, kMenuCopySet, kMenuPasteSet, kMenuClearSet, kMenuClearSetBits, kMenuExportSetBin,
};
// "Undo" and "Redo" of the "Edit" menu follow the items above.
static_assert(kMenuUndo == kMenuExportSetBin + 1 && kMenuRedo == kMenuUndo + 1);

// The main window with its shortcuts, status bar, menus and 77 controls; the
// handles land in s.ui.
void BuildMainWindow(EditorState& s, int x, int y, int width, int height);

}  // namespace qm
