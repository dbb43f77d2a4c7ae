#pragma once

// The editor's session: the document being edited, the current slot,
// character and set, the modes, and the handles of the open windows. Every
// operation of the editor works on it directly and redraws what it changed.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/byte_stream.h"
#include "core/document.h"
#include "core/history.h"
#include "session/drawn_view.h"
#include "session/menu_items.h"
#include "toolkit/toolkit.h"

namespace qm {


constexpr int kHitAreaCount = 8001;
// The state of a check box or menu toggle of the editor.
enum class OnOff { On = 1, Off = 2 };
inline constexpr OnOff kOn = OnOff::On;
inline constexpr OnOff kOff = OnOff::Off;
constexpr int kAnimationTimer = 125;

// The fields of the main window's status bar.
constexpr int kStatusCharField = 0;
constexpr int kStatusFontField = 1;
constexpr int kStatusProjectField = 2;

struct HitArea {
    int left = 0, top = 0, width = 0, height = 0, column = 0, row = 0;
};

// Handles of the main window and of its controls, by role.
struct MainWindowUi {
    tk::WindowId window = 0;
    tk::ControlId largeSetView = 0, smallSetView = 0, fontSheet = 0, nextSet = 0, previousSet = 0;
    tk::ControlId charEditor = 0, charPreview = 0, colorFrame = 0, buttonColorFrame = 0;
    tk::ControlId leftButtonBar = 0, rightButtonBar = 0, modeSwitch = 0;
    tk::ControlId rotate = 0, shiftDown = 0, hMirror = 0, vMirror = 0, shiftRight = 0, shiftLeft = 0, shiftUp = 0;
    tk::ControlId charCopy = 0, charPaste = 0, shiftCaption = 0, inverse = 0, clear = 0;
    tk::ControlId saveSet = 0, loadSet = 0, saveAllSets = 0, loadAllSets = 0;
    tk::ControlId loadFont = 0, saveFont = 0, defaultFont = 0, exportImage = 0, exportSource = 0, saveFontRange = 0;
    tk::ControlId animCanvas = 0, animStartButton = 0, toCaption = 0, animFrame = 0;
    tk::ControlId largeSetGridBox = 0, previousSlot = 0, nextSlot = 0, slotLabel = 0, setLabel = 0, slotsCaption = 0;
    // Indexed by ColorIndex; element 0 is unused.
    std::array<tk::ControlId, 7> registerCaption{};
    std::array<tk::ControlId, 7> setColorButton{};
    std::array<tk::ControlId, 7> swatch{};
    tk::ControlId loadColors = 0, saveColors = 0, normalMode = 0, maskMode = 0, previewCaption = 0, modeCaption = 0;
    tk::ControlId openViewEditor = 0, setCopy = 0, setPaste = 0, drawOnSetBox = 0;
    tk::ControlId animStopList = 0, animStartList = 0, setFrame = 0, charLabel = 0, openSetsViewer = 0;
};

struct SetsViewerUi {
    tk::WindowId window = 0;
    tk::ControlId canvas = 0, scrollBar = 0;
    std::array<tk::ControlId, 10> labels{};
};

struct ViewEditorUi {
    tk::WindowId window = 0;
    tk::ControlId gr2 = 0, canvas = 0, saveView = 0, loadView = 0, clear = 0;
    std::array<tk::ControlId, 4> smallCanvases{};
    tk::ControlId gridBox = 0, setDrawBox = 0, onTopBox = 0;
    // The scroll area the canvas sits in: the canvas holds the whole screen
    // and the area shows as much of it as the window leaves room for.
    tk::ControlId canvasArea = 0;
};

struct ViewExportUi {
    tk::WindowId window = 0;
    tk::ControlId saveBin = 0, saveChars = 0, cancel = 0;
    // The region as a map of every cell, raw or as source text.
    tk::ControlId mapFormat = 0, saveMap = 0;
    tk::ControlId startXField = 0, startYField = 0, widthField = 0, heightField = 0;
    tk::ControlId startXSpin = 0, startYSpin = 0, widthSpin = 0, heightSpin = 0;
};

// The layer the character editor paints in the multicolour view: the
// character itself, or the mask drawn over it.
enum class Layer { Normal = 1, Mask = 2 };
// How every view shows the font: one colour a pixel in hi-res, or a pair of
// pixels drawn wide in one of four colours in the multicolour view.
enum class DisplayMode { HiRes = 0, Multicolor = 1 };
struct MapEditorUi {
    tk::WindowId window = 0;
    tk::ControlId canvas = 0, across = 0, down = 0, gridBox = 0;
};

// The map window's view of the map and what it holds beside it; kept while
// the program runs, like the view editor's flags.
struct MapSession {
    bool open = false;
    int zoom = 2;  // screen pixels per machine pixel: 1, 2 or 4
    bool grid = true;
    // The map cell at the canvas's top-left corner.
    int firstColumn = 0, firstRow = 0;
    // The cell under the pointer, -1 when it is off the map.
    int pointerX = -1, pointerY = -1;
    // The rectangle chosen with Shift+drag, from where the drag began; width
    // 0 when none is chosen.
    Region selection{0, 0, 0, 0};
    int anchorX = 0, anchorY = 0;
    // The buttons held at the canvas's last event: a drag begins where the
    // left button goes down.
    int lastButtons = 0;
    // What Copy took: clipWidth x clipHeight cells, row by row.
    int clipWidth = 0, clipHeight = 0;
    std::vector<std::uint8_t> clip;
};

class RecoveryFiles;

// The recovery copy of unsaved work: its files while crash recovery is on
// (none while it is off; a copy of the state shares them), and what the
// timer saw at its last look.
struct RecoveryWatch {
    std::shared_ptr<RecoveryFiles> files;
    Bytes lastSeen;  // the document as the copy would hold it
    long long changedAt = 0;
    long long pendingSince = -1;
};

struct EditorState;
// Redraws every view; the program sets it when it starts, so that a feature
// can ask for the full redraw without knowing every view there is.
using FullRedraw = void (*)(EditorState&);
// Adds a window's menus and shortcuts; the program sets it when it starts, as
// the commands they send are the program's.
using WindowMenus = void (*)(tk::WindowId, CommandWindow);

struct EditorState {
    // The user's work; everything else here is the session around it.
    Document doc;

    int CurrentSlot = 0;
    int CurrentChar = 0;
    int SheetChar = 0;
    int CurrentSet = 0;
    DisplayMode MulticolorMode = DisplayMode::HiRes;
    Layer LayerMode = Layer::Normal;
    int LeftColor = 0;
    int RightColor = 0;
    int SavedGfxLeftColor = 0;
    int SavedGfxRightColor = 0;
    OnOff LargeSetGrid = kOff;
    OnOff SmallSetGrid = kOff;
    OnOff DrawOnSet = kOff;
    int HeldDigitKey = 0;
    int ClickGuard = 0;
    // "Saved <file name>" while the status bar shows it, until the next action.
    std::string SaveNotice;
    bool AnimRunning = false;
    int AnimStart = 0;
    int AnimStop = 0;
    int AnimFrame = 0;
    int AnimTicksLeft = 0;
    bool ViewEditorOpen = false;
    OnOff SetsViewerOpen = kOff;
    int ViewerFirstSet = 0;
    OnOff ViewGrid = kOff;
    OnOff SetDraw = kOff;
    OnOff ViewOnTop = kOff;
    Region ExportRegion{0, 0, 0, 0};
    // The Tools menu's marks on the font sheet; both off at start.
    bool MarkUnusedChars = false;
    bool MarkDuplicateChars = false;

    std::array<std::uint8_t, kFontBytes> FontBuffer{};
    SetRecord SetClipboard{};
    std::array<std::uint8_t, 64> CharClipboard{};
    std::vector<HitArea> HitAreaTable;

    MainWindowUi ui;
    SetsViewerUi viewerUi;
    ViewEditorUi viewUi;
    ViewExportUi exportUi;
    MapEditorUi mapUi;
    MapSession map;
    // What the views were last drawn from, so that a redraw can skip a view
    // whose inputs did not change. Emptying it makes every view draw again.
    DrawnViews drawn;

    FullRedraw fullRedraw = nullptr;
    WindowMenus addWindowMenus = nullptr;

    // The steps that can be undone and redone, and the name of the step being
    // made while it takes several events (a paint stroke); empty when none.
    History history;
    std::string openStep;
    // The focus and the current slot when the open step began.
    History::Focus openStepFocus;
    int openStepSlot = 0;
    // The open step opens work that counts as saved once it is recorded.
    bool markSavedWhenStepEnds = false;
    // The main window's title as last shown.
    std::string shownTitle;
    // The projects the "Open Recent" menu shows, in its order.
    std::vector<std::string> recentProjectsShown;
    RecoveryWatch recovery;

    // What the "Font: " field adds to a slot's file name while that file is
    // in it (how much a short font held, a load file's header): the name the
    // note was made for, and the note.
    std::array<std::pair<std::string, std::string>, kSlotCount + 1> fontNotes{};

    FontSlot& Slot() { return doc.Slots[CurrentSlot]; }
    const FontSlot& Slot() const { return doc.Slots[CurrentSlot]; }
    SetRecord& Set() { return doc.SetTable[CurrentSet]; }
    const SetRecord& Set() const { return doc.SetTable[CurrentSet]; }
};

// The status bar's "Font: " field for the current slot.
std::string FontFieldText(const EditorState& s);

inline void RedrawAll(EditorState& s) {
    if (s.fullRedraw) s.fullRedraw(s);
}

// Zero-fills the state, then sets the scalar defaults, the registers, every
// slot's name and colours, and the tables (InitTables). The pixel grids stay
// clear and no window is built.
void ResetEditorState(EditorState& s);

void SetHitArea(EditorState& s, int id, int left, int top, int width, int height, int column, int row);
// First id from first to last whose area contains (x, y), both edges
// included; -1 when none does.
int FindHitArea(const EditorState& s, int first, int last, int x, int y);
// Every set and view cell empty, and the hit-area table built.
void InitTables(EditorState& s);

// "$41 (65)": the character number text used by labels, captions and lists.
std::string CharNumberText(int code);

}  // namespace qm
