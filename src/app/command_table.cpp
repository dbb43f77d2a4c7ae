#include "app/commands.h"

#include "app/file_opening.h"
#include "app/main_event_handler.h"
#include "app/unsaved_work.h"
#include "charedit/char_editor.h"
#include "charedit/color_file.h"
#include "charedit/font_sheet.h"
#include "charedit/palette.h"
#include "charedit/transforms.h"
#include "files/atari_program.h"
#include "files/export_image.h"
#include "files/export_source.h"
#include "files/font_files.h"
#include "files/import_dialogs.h"
#include "files/project_file.h"
#include "files/tiled_files.h"
#include "maps/map_commands.h"
#include "maps/map_editor.h"
#include "session/font_buffer.h"
#include "session/set_cells.h"
#include "session/undo.h"
#include "sets/animation.h"
#include "sets/char_tools.h"
#include "sets/set_files.h"
#include "sets/set_views.h"
#include "sets/sets_viewer.h"
#include "sets/view_editor.h"
#include "sets/view_export_window.h"
#include "sets/view_files.h"

#ifndef QUILLMERE_VERSION
#define QUILLMERE_VERSION "0"
#endif

namespace qm {

namespace {

// Runs f(s, args...) as a command that leaves its window open.
template <auto f, auto... args>
bool Do(EditorState& s) {
    f(s, args...);
    return true;
}

// The handle of a control, as a row names it.
template <tk::ControlId MainWindowUi::*control>
tk::ControlId Button(const EditorState& s) {
    return s.ui.*control;
}
template <tk::ControlId ViewEditorUi::*control>
tk::ControlId ViewButton(const EditorState& s) {
    return s.viewUi.*control;
}
template <tk::ControlId MapEditorUi::*control>
tk::ControlId MapButton(const EditorState& s) {
    return s.mapUi.*control;
}
template <int reg>
tk::ControlId RegisterButton(const EditorState& s) {
    return s.ui.setColorButton[reg];
}

void ShowAbout(EditorState&) {
    tk::MessageBox("About...", std::string("Quillmere ") + QUILLMERE_VERSION +
                                   "\nAn editor for the character fonts of the 8-bit Atari home computers:"
                                   " draw characters, compose them into sets and screens, and export them"
                                   " as source code or pictures.");
}

bool AskToExit(EditorState& s) { return !MayEnd(s); }

void OpenAnotherProject(EditorState& s) {
    if (!MayOpenAnotherProject(s)) return;
    OpenProject(s);
    RememberProject(s);
    RedrawAll(s);
}

void SaveWholeFont(EditorState& s) {
    PackFont(s, -1);
    SaveFontFile(s);
}

void ToggleSmallSetGrid(EditorState& s) {
    s.SmallSetGrid = s.SmallSetGrid == kOn ? kOff : kOn;
    DrawSmallSetView(s);
}

void LargeSetGridFromBox(EditorState& s) {
    s.LargeSetGrid = tk::IsChecked(s.ui.largeSetGridBox) ? kOn : kOff;
    DrawLargeSetView(s);
}

void DrawOnSetFromBox(EditorState& s) { s.DrawOnSet = tk::IsChecked(s.ui.drawOnSetBox) ? kOn : kOff; }

// The option buttons report a click on the one already chosen as well.
template <Layer layer>
void LayerFromOption(EditorState& s) {
    if (tk::IsChecked(layer == Layer::Normal ? s.ui.normalMode : s.ui.maskMode)) ChooseLayerMode(s, layer);
}

template <int reg>
void ChooseRegisterColor(EditorState& s) {
    PaletteDialog(s, reg);
    StoreSlotColors(s);
}

void FillViewWithCurrentChar(EditorState& s) { FillViewScreen(s, CellOrEmpty(s.CurrentChar)); }

bool CloseViewEditorWindow(EditorState& s) {
    CloseViewEditor(s);
    return false;
}

bool CloseMapEditorWindow(EditorState& s) {
    CloseMapEditor(s);
    return false;
}

using enum CommandWindow;
using tk::Ctrl, tk::Shift, tk::NoModifier;

// The menus list their items in the order of the rows.
const Command kCommands[] = {
    // The main window's "Project" menu; "Open Recent" follows "Open...".
    {.menuItem = kMenuOpenProject, .menu = "Project", .text = "Open...", .step = "Open Project",
     .run = Do<OpenAnotherProject>, .guard = Guard::AfterDialog},
    {.menuItem = kMenuSaveProject, .menu = "Project", .text = "Save\tF5", .shortcut = {tk::KeyF5},
     .step = kNoStep, .run = Do<SaveWork, SaveMode::Save>, .guard = Guard::AfterDialog},
    {.menuItem = kMenuSaveProjectAs, .menu = "Project", .text = "Save As...", .step = kNoStep,
     .run = Do<SaveWork, SaveMode::SaveAs>, .guard = Guard::AfterDialog},
    {.menuItem = kMenuExportProgram, .menu = "Project", .text = "Export Atari program...", .step = kNoStep,
     .run = Do<ExportProgramDialog>, .guard = Guard::AfterDialog},
    {.menuItem = kMenuRunInEmulator, .menu = "Project", .text = "Run in emulator\tF9", .shortcut = {tk::KeyF9},
     .step = kNoStep, .run = Do<RunInEmulator>},
    {.menuItem = kMenuEmulatorCommand, .menu = "Project", .text = "Emulator command...", .step = kNoStep,
     .run = Do<ChangeEmulatorCommand>},
    {.menuItem = kMenuExportTiled, .menu = "Project", .text = "Export to Tiled...", .lineBefore = true,
     .step = kNoStep, .run = Do<ExportToTiled>, .guard = Guard::AfterDialog},
    {.menuItem = kMenuImportTiled, .menu = "Project", .text = "Import from Tiled...", .step = "Import from Tiled",
     .run = Do<ImportFromTiled>, .guard = Guard::AfterDialog},
    {.menuItem = kMenuAbout, .menu = "Project", .text = "About", .lineBefore = true, .run = Do<ShowAbout>},
    {.menuItem = kMenuExit, .menu = "Project", .text = "Exit", .run = AskToExit},

    // "Edit": the main loop takes these before any step is made.
    {.menuItem = kMenuUndo, .menu = "Edit", .text = "Undo\tCtrl+Z", .step = kNoStep, .run = Do<UndoStep>},
    {.menuItem = kMenuRedo, .menu = "Edit", .text = "Redo\tCtrl+Shift+Z", .step = kNoStep, .run = Do<RedoStep>},

    // "Font", with the buttons under the font sheet.
    {.menuItem = kMenuLoadFont, .menu = "Font", .text = "Load Font", .control = Button<&MainWindowUi::loadFont>,
     .step = "Load Font", .run = Do<LoadFontFile>, .redraws = true, .guard = Guard::AfterDialog},
    {.menuItem = kMenuSaveFont, .menu = "Font", .text = "Save Font", .control = Button<&MainWindowUi::saveFont>,
     .step = kNoStep, .run = Do<SaveWholeFont>, .guard = Guard::AfterDialog},
    {.menuItem = kMenuSaveFontRange, .menu = "Font", .text = "Save range Font",
     .control = Button<&MainWindowUi::saveFontRange>, .step = kNoStep, .run = Do<SaveFontRange>,
     .guard = Guard::AfterDialog},
    {.menuItem = kMenuImportPicture, .menu = "Font", .text = "Import picture...", .step = "Import Picture",
     .run = Do<ImportPicture>, .guard = Guard::AfterDialog},
    {.menuItem = kMenuImportFontBytes, .menu = "Font", .text = "Import font bytes...", .step = "Import Font Bytes",
     .run = Do<ImportFontBytes>, .guard = Guard::AfterDialog},
    {.menuItem = kMenuDefaultFont, .menu = "Font", .text = "Default Atari Font", .lineBefore = true,
     .control = Button<&MainWindowUi::defaultFont>, .step = "Default Font", .run = Do<LoadDefaultFont>},
    // The menu carries the registers over to the next slot; the buttons below
    // give every slot its own colours.
    {.menuItem = kMenuNextSlot, .menu = "Font", .text = "Next", .lineBefore = true, .step = kNoStep,
     .run = Do<StepSlot, +1, false>},
    {.menuItem = kMenuPreviousSlot, .menu = "Font", .text = "Previous", .lineAfter = true, .step = kNoStep,
     .run = Do<StepSlot, -1, false>},
    {.control = Button<&MainWindowUi::nextSlot>, .step = kNoStep, .run = Do<StepSlot, +1, true>},
    {.control = Button<&MainWindowUi::previousSlot>, .step = kNoStep, .run = Do<StepSlot, -1, true>},
    {.control = Button<&MainWindowUi::exportImage>, .step = kNoStep, .run = Do<ExportImageDialog, 100, 100, 570, 330>,
     .guard = Guard::AfterDialog},
    {.control = Button<&MainWindowUi::exportSource>, .step = kNoStep, .run = Do<ExportFontDialog, 200, 10, 420, 580>},

    // "Char", with the buttons beside the character editor.
    {.menuItem = kMenuRotate, .menu = "Char", .text = "Rotate\tR", .shortcut = {'R'},
     .control = Button<&MainWindowUi::rotate>, .step = "Rotate", .run = Do<TransformChar, kRotate>},
    {.menuItem = kMenuHMirror, .menu = "Char", .text = "H Mirror\tH", .shortcut = {'H'},
     .control = Button<&MainWindowUi::hMirror>, .step = "H Mirror", .run = Do<TransformChar, kHMirror>},
    {.menuItem = kMenuVMirror, .menu = "Char", .text = "V Mirror\tV", .shortcut = {'V'},
     .control = Button<&MainWindowUi::vMirror>, .step = "V Mirror", .run = Do<TransformChar, kVMirror>},
    {.menuItem = kMenuShiftLeft, .menu = "Char", .text = "Shift left\tShift+Left", .shortcut = {tk::KeyLeft, Shift},
     .control = Button<&MainWindowUi::shiftLeft>, .step = "Shift Left", .run = Do<TransformChar, kShiftLeft>},
    {.menuItem = kMenuShiftRight, .menu = "Char", .text = "Shift Right\tShift+Right",
     .shortcut = {tk::KeyRight, Shift}, .control = Button<&MainWindowUi::shiftRight>, .step = "Shift Right",
     .run = Do<TransformChar, kShiftRight>},
    {.menuItem = kMenuShiftUp, .menu = "Char", .text = "Shift Up\tShift+Up", .shortcut = {tk::KeyUp, Shift},
     .control = Button<&MainWindowUi::shiftUp>, .step = "Shift Up", .run = Do<TransformChar, kShiftUp>},
    {.menuItem = kMenuShiftDown, .menu = "Char", .text = "Shift Down\tShift+Down", .shortcut = {tk::KeyDown, Shift},
     .control = Button<&MainWindowUi::shiftDown>, .step = "Shift Down", .run = Do<TransformChar, kShiftDown>},
    {.menuItem = kMenuInverse, .menu = "Char", .text = "Inverse\tI", .shortcut = {'I'},
     .control = Button<&MainWindowUi::inverse>, .step = "Inverse", .run = Do<TransformChar, kInverse>},
    {.menuItem = kMenuClearChar, .menu = "Char", .text = "Clear\tDelete", .shortcut = {tk::KeyDelete},
     .control = Button<&MainWindowUi::clear>, .step = "Clear", .run = Do<TransformChar, kClear>},
    {.menuItem = kMenuCopyChar, .menu = "Char", .text = "Copy\tCtrl+C", .shortcut = {'C', Ctrl},
     .control = Button<&MainWindowUi::charCopy>, .run = Do<TransformChar, kCopy>},
    {.menuItem = kMenuPasteChar, .menu = "Char", .text = "Paste\tCtrl+V", .shortcut = {'V', Ctrl},
     .control = Button<&MainWindowUi::charPaste>, .step = "Paste", .run = Do<TransformChar, kPaste>},
    {.control = Button<&MainWindowUi::modeSwitch>, .run = Do<SwitchDisplayMode>},
    {.control = Button<&MainWindowUi::normalMode>, .run = Do<LayerFromOption<Layer::Normal>>},
    {.control = Button<&MainWindowUi::maskMode>, .run = Do<LayerFromOption<Layer::Mask>>},

    // "Set", with the buttons beside the set views. The set file items of the
    // menu leave the canvases alone; their buttons hold them back.
    {.menuItem = kMenuSetGrid, .menu = "Set", .text = "Grid ON/OFF", .run = Do<ToggleSmallSetGrid>},
    {.menuItem = kMenuNextSet, .menu = "Set", .text = "Next\tPageDown", .lineBefore = true,
     .shortcut = {tk::KeyPageDown}, .control = Button<&MainWindowUi::nextSet>, .run = Do<StepSet, +1>},
    {.menuItem = kMenuPreviousSet, .menu = "Set", .text = "Previous\tPageUp", .shortcut = {tk::KeyPageUp},
     .control = Button<&MainWindowUi::previousSet>, .run = Do<StepSet, -1>},
    {.menuItem = kMenuLoadSet, .menu = "Set", .text = "Load Set", .lineBefore = true,
     .control = Button<&MainWindowUi::loadSet>, .step = "Load Set", .run = Do<LoadSetFile>,
     .guard = Guard::AfterDialogFromButton},
    {.menuItem = kMenuSaveSet, .menu = "Set", .text = "Save Set", .control = Button<&MainWindowUi::saveSet>,
     .step = kNoStep, .run = Do<SaveSetFile>, .guard = Guard::AfterDialogFromButton},
    {.menuItem = kMenuLoadAllSets, .menu = "Set", .text = "Load all Set", .control = Button<&MainWindowUi::loadAllSets>,
     .step = "Load All Sets", .run = Do<LoadAllSetsFile>, .guard = Guard::AfterDialogFromButton},
    {.menuItem = kMenuSaveAllSets, .menu = "Set", .text = "Save all Set", .control = Button<&MainWindowUi::saveAllSets>,
     .step = kNoStep, .run = Do<SaveAllSetsFile>, .guard = Guard::AfterDialogFromButton},
    {.menuItem = kMenuCopySet, .menu = "Set", .text = "Copy", .lineBefore = true,
     .control = Button<&MainWindowUi::setCopy>, .run = Do<SetCommand, SetAction::Copy>},
    {.menuItem = kMenuPasteSet, .menu = "Set", .text = "Paste", .control = Button<&MainWindowUi::setPaste>,
     .step = "Paste Set", .run = Do<SetCommand, SetAction::Paste>, .redraws = true},
    {.menuItem = kMenuClearSet, .menu = "Set", .text = "Clear", .step = "Clear Set",
     .run = Do<SetCommand, SetAction::Clear>, .redraws = true},
    {.menuItem = kMenuClearSetBits, .menu = "Set", .text = "Clear bits", .step = "Clear Bits",
     .run = Do<SetCommand, SetAction::ClearBits>, .redraws = true},
    {.menuItem = kMenuExportSetBin, .menu = "Set", .text = "Export Set to bin...", .lineBefore = true,
     .step = kNoStep, .run = Do<ExportSetBin>},
    {.menuItem = kMenuOpenMapEditor, .menu = "Set", .text = "Map Editor...", .step = kNoStep,
     .run = Do<OpenMapEditor>},
    {.control = Button<&MainWindowUi::largeSetGridBox>, .run = Do<LargeSetGridFromBox>},
    {.control = Button<&MainWindowUi::drawOnSetBox>, .run = Do<DrawOnSetFromBox>},
    {.control = Button<&MainWindowUi::openSetsViewer>, .run = Do<OpenSetsViewer>},
    {.control = Button<&MainWindowUi::animStartButton>, .run = Do<StartAnimation>},
    {.control = Button<&MainWindowUi::openViewEditor>, .run = Do<OpenViewEditor>},

    // "Tools".
    {.menuItem = kMenuShowUnused, .menu = "Tools", .text = "Show unused characters", .checkable = true,
     .step = kNoStep, .run = Do<ToggleUnusedMarks>},
    {.menuItem = kMenuShowDuplicates, .menu = "Tools", .text = "Show duplicates", .checkable = true,
     .step = kNoStep, .run = Do<ToggleDuplicateMarks>},
    {.menuItem = kMenuWhereUsed, .menu = "Tools", .text = "Where used...", .lineBefore = true, .step = kNoStep,
     .run = Do<WhereUsedDialog>},
    {.menuItem = kMenuMergeDuplicates, .menu = "Tools", .text = "Merge duplicates", .lineBefore = true,
     .step = "Merge Duplicates", .run = Do<MergeDuplicateChars>},
    {.menuItem = kMenuCompact, .menu = "Tools", .text = "Compact", .step = "Compact", .run = Do<CompactChars>},
    {.menuItem = kMenuSwapChars, .menu = "Tools", .text = "Swap characters...", .step = "Swap Characters",
     .run = Do<SwapCharsDialog>},

    // The colour registers: the six "<" buttons.
    {.control = RegisterButton<LUM>, .step = "Color", .run = Do<ChooseRegisterColor<LUM>>},
    {.control = RegisterButton<BAK>, .step = "Color", .run = Do<ChooseRegisterColor<BAK>>},
    {.control = RegisterButton<PF0>, .step = "Color", .run = Do<ChooseRegisterColor<PF0>>},
    {.control = RegisterButton<PF1>, .step = "Color", .run = Do<ChooseRegisterColor<PF1>>},
    {.control = RegisterButton<PF2>, .step = "Color", .run = Do<ChooseRegisterColor<PF2>>},
    {.control = RegisterButton<PF3>, .step = "Color", .run = Do<ChooseRegisterColor<PF3>>},
    {.control = Button<&MainWindowUi::loadColors>, .step = "Load Colors", .run = Do<LoadColorFile>},
    {.control = Button<&MainWindowUi::saveColors>, .step = kNoStep, .run = Do<SaveColorFile>},

    // The view editor's "File" and "Options" menus and its buttons.
    {.window = ViewEditor, .menuItem = kMenuLoadView, .menu = "File", .text = "Load View...",
     .control = ViewButton<&ViewEditorUi::loadView>, .step = "Load View", .run = Do<LoadViewFile>},
    {.window = ViewEditor, .menuItem = kMenuSaveView, .menu = "File", .text = "Save View...",
     .control = ViewButton<&ViewEditorUi::saveView>, .step = kNoStep, .run = Do<SaveViewFile>},
    {.window = ViewEditor, .menuItem = kMenuExportView, .menu = "File", .text = "Export View...", .step = kNoStep,
     .run = Do<OpenExportDialog>},
    {.window = ViewEditor, .menuItem = kMenuExitView, .menu = "File", .text = "Exit", .run = CloseViewEditorWindow},
    {.window = ViewEditor, .menuItem = kMenuClearView, .menu = "Options", .text = "Clear",
     .control = ViewButton<&ViewEditorUi::clear>, .step = "Clear View", .run = Do<FillViewScreen, kEmptyCell>},
    {.window = ViewEditor, .menuItem = kMenuFillView, .menu = "Options", .text = "Fill char", .step = "Fill View",
     .run = Do<FillViewWithCurrentChar>},
    {.window = ViewEditor, .menuItem = kMenuViewGrid, .menu = "Options", .text = "Grid On/Off",
     .run = Do<FlipViewOption, ViewOption::Grid>},
    {.window = ViewEditor, .menuItem = kMenuViewSetDraw, .menu = "Options", .text = "Set draw",
     .run = Do<FlipViewOption, ViewOption::SetDraw>},
    {.window = ViewEditor, .menuItem = kMenuViewOnTop, .menu = "Options", .text = "Always On Top",
     .run = Do<FlipViewOption, ViewOption::OnTop>},
    {.window = ViewEditor, .control = ViewButton<&ViewEditorUi::gridBox>, .run = Do<ViewOptionFromBox, ViewOption::Grid>},
    {.window = ViewEditor, .control = ViewButton<&ViewEditorUi::setDrawBox>,
     .run = Do<ViewOptionFromBox, ViewOption::SetDraw>},
    {.window = ViewEditor, .control = ViewButton<&ViewEditorUi::onTopBox>, .run = Do<ViewOptionFromBox, ViewOption::OnTop>},

    // The map window's "File", "Edit" and "View" menus and its grid box.
    {.window = Map, .menuItem = kMenuExportMap, .menu = "File", .text = "Export...", .step = kNoStep,
     .run = Do<ExportMapDialog>},
    {.window = Map, .menuItem = kMenuExitMap, .menu = "File", .text = "Exit", .step = kNoStep,
     .run = CloseMapEditorWindow},
    {.window = Map, .menuItem = kMenuCopyMapCells, .menu = "Edit", .text = "Copy\tCtrl+C", .shortcut = {'C', Ctrl},
     .step = kNoStep, .run = Do<CopyMapCells>},
    {.window = Map, .menuItem = kMenuPasteMapCells, .menu = "Edit", .text = "Paste\tCtrl+V", .shortcut = {'V', Ctrl},
     .step = "Paste Tiles", .run = Do<PasteMapCells>},
    {.window = Map, .menuItem = kMenuFillMap, .menu = "Edit", .text = "Fill", .step = "Fill Map", .run = Do<FillMap>},
    {.window = Map, .menuItem = kMenuMapSelectNone, .menu = "Edit", .text = "Select None", .lineAfter = true,
     .step = kNoStep, .run = Do<ChooseNoMapCells>},
    {.window = Map, .menuItem = kMenuMapSize, .menu = "Edit", .text = "Size...", .step = "Map Size",
     .run = Do<MapSizeDialog>},
    {.window = Map, .menuItem = kMenuMapToView, .menu = "Edit", .text = "To View Editor", .step = "Map To View",
     .run = Do<MapToViewScreen>},
    {.window = Map, .menuItem = kMenuMapZoom1, .menu = "View", .text = "Zoom 1x", .checkable = true, .step = kNoStep,
     .run = Do<SetMapZoom, 1>},
    {.window = Map, .menuItem = kMenuMapZoom2, .menu = "View", .text = "Zoom 2x", .checkable = true, .step = kNoStep,
     .run = Do<SetMapZoom, 2>},
    {.window = Map, .menuItem = kMenuMapZoom4, .menu = "View", .text = "Zoom 4x", .checkable = true, .step = kNoStep,
     .run = Do<SetMapZoom, 4>},
    {.window = Map, .menuItem = kMenuMapGrid, .menu = "View", .text = "Grid On/Off", .step = kNoStep,
     .run = Do<FlipMapGrid>},
    {.window = Map, .control = MapButton<&MapEditorUi::gridBox>, .step = kNoStep, .run = Do<MapGridFromBox>},
};

}  // namespace

std::span<const Command> Commands() { return kCommands; }

}  // namespace qm
