#pragma once

// The numbers of every menu item of the editor's windows, in one place. The
// main window's numbers are what its shortcuts send and stay as they are; a
// new item takes a free number.

#include "core/recent_projects.h"

namespace qm {

// The windows whose menus and buttons run the editor's commands; the same
// number may mean another item in another window.
enum class CommandWindow { Main, ViewEditor, Map };

enum MenuItem : int {
    // The main window.
    kMenuOpenProject = 0, kMenuSaveProject, kMenuSaveProjectAs, kMenuAbout, kMenuExit,
    kMenuLoadFont, kMenuSaveFont, kMenuSaveFontRange, kMenuDefaultFont, kMenuNextSlot, kMenuPreviousSlot,
    kMenuRotate, kMenuHMirror, kMenuVMirror, kMenuShiftLeft, kMenuShiftRight, kMenuShiftUp, kMenuShiftDown,
    kMenuInverse, kMenuClearChar, kMenuCopyChar, kMenuPasteChar,
    kMenuSetGrid, kMenuNextSet, kMenuPreviousSet, kMenuLoadSet, kMenuSaveSet, kMenuLoadAllSets,
    kMenuSaveAllSets, kMenuCopySet, kMenuPasteSet, kMenuClearSet, kMenuClearSetBits, kMenuExportSetBin,
    kMenuUndo = 34, kMenuRedo = 35,
    kMenuShowUnused = 40, kMenuShowDuplicates, kMenuWhereUsed, kMenuMergeDuplicates, kMenuCompact, kMenuSwapChars,
    kMenuImportPicture = 50, kMenuImportFontBytes = 51,
    kMenuExportProgram = 52, kMenuRunInEmulator = 53, kMenuEmulatorCommand = 54,
    kMenuOpenMapEditor = 55, kMenuExportTiled = 56, kMenuImportTiled = 57,
    // "Open Recent": sent as the menu opens (another editor may have changed
    // the list since), then one item per remembered project.
    kMenuRecentOpens = 59, kMenuRecentFirst = 60, kMenuRecentLast = kMenuRecentFirst + kRecentProjectCount - 1,

    // The view editor.
    kMenuLoadView = 10000, kMenuSaveView, kMenuExportView, kMenuExitView, kMenuClearView, kMenuViewGrid,
    kMenuViewSetDraw, kMenuViewOnTop, kMenuFillView,

    // The map window.
    kMenuExportMap = 11000, kMenuExitMap, kMenuCopyMapCells, kMenuPasteMapCells, kMenuFillMap, kMenuMapSelectNone,
    kMenuMapSize, kMenuMapToView, kMenuMapZoom1, kMenuMapZoom2, kMenuMapZoom4, kMenuMapGrid,
};

// A command that has no menu item.
constexpr int kNoMenuItem = -1;

}  // namespace qm
