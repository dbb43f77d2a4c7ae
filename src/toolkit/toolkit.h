#pragma once

// The toolkit: windows, menus, controls, events, drawing canvases, file
// requesters and message boxes, as a small plain C++ API. Nothing outside this
// folder sees the widget library underneath.

#include <functional>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "core/image.h"
#include "toolkit/surface.h"

namespace tk {

using WindowId = int;   // 0 is never a window
using ControlId = int;  // 0 is never a control

// ---------------------------------------------------------------- life cycle

// Creates the application object. Call once before anything else.
void Init(int& argc, char** argv);
// Closes every window and releases the application object.
void Shutdown();

// ---------------------------------------------------------------- events

enum class EventKind { None, CloseRequest, Timer, KeyPressed, KeyReleased, MenuItem, Control, FilesDropped };
enum class SubKind { Other, LeftClick, RightClick };

enum MouseButtons { ButtonLeft = 1, ButtonRight = 2, ButtonMiddle = 4 };

struct Event {
    EventKind kind = EventKind::None;
    WindowId window = 0;
    int menuItem = -1;
    ControlId control = 0;
    SubKind subKind = SubKind::Other;
    int timer = 0;
    int key = 0;      // virtual key code: digits 48..57, letters 65..90 (upper case),
                      // keypad digits 96..105, a SpecialKey for those keys, the
                      // window system's code for others
    int mouseX = 0;   // canvases: position in drawing-area pixels
    int mouseY = 0;
    int buttons = 0;  // canvases: ButtonLeft | ButtonRight | ButtonMiddle held
    std::vector<std::string> paths = {};  // FilesDropped: the files, in the order dropped
    unsigned modifiers = 0;  // canvases: the KeyModifier keys held
};

// Blocks until the next event of any window and returns it.
Event WaitEvent();
// Returns the next event if one is waiting (after letting the window system
// deliver what it has), or an event of kind None.
Event PollEvent();
// The next event of this window; events of other windows that arrive meanwhile
// are dropped. Modal dialogs wait with it, so the main window's timer ticks
// fall away while they are open.
Event WaitEventFor(WindowId window);
// Queues an event as if the window system had sent it; used by tests.
void PostEvent(const Event& event);
// Called with every new window when the code that opened it first waits for
// events, so its controls exist by then; tests use it to post the events of a
// dialog that the code under test opens and waits on. Pass an empty function
// to remove it.
void SetWindowOpenedHook(std::function<void(WindowId)> hook);
// Drops every queued event; used by tests.
void DiscardEvents();

// ---------------------------------------------------------------- windows

enum WindowFeature : unsigned {
    TitleBar = 1u << 0,
    SystemMenu = 1u << 1,   // close box
    MinimizeBox = 1u << 2,
    Sizable = 1u << 3,      // sizing border; without it the window keeps its size
    Centered = 1u << 4,     // opened centred on the screen, whatever the position
    OnTop = 1u << 5,        // kept above other windows
};

// x, y: the window's top-left corner on screen; width, height: its inner size.
WindowId OpenWindow(const std::string& title, int x, int y, int width, int height, unsigned features);
void CloseWindow(WindowId window);
bool WindowExists(WindowId window);
void SetWindowTitle(WindowId window, const std::string& title);
std::string WindowTitle(WindowId window);
int WindowX(WindowId window);
int WindowY(WindowId window);
// Inner size; for a window with a menu bar the height is that below it.
// When the user resizes a Sizable window it sends a Control event with control 0.
int WindowWidth(WindowId window);
int WindowHeight(WindowId window);
unsigned WindowFeatures(WindowId window);
void ResizeWindow(WindowId window, int width, int height);
void SetWindowMinSize(WindowId window, int width, int height);
void SetWindowMaxSize(WindowId window, int width, int height);
void SetWindowOnTop(WindowId window, bool onTop);
void EnableWindow(WindowId window, bool enabled);
bool WindowEnabled(WindowId window);
void ActivateWindow(WindowId window);
// The window sends a Timer event with this number every period.
void StartTimer(WindowId window, int timerNumber, int periodMs);
void StopTimer(WindowId window, int timerNumber);
// A window that accepts drops takes files dragged onto it from a file manager
// and sends a FilesDropped event with their paths. Drags that carry no local
// file are refused. Windows start without it.
void AcceptFileDrops(WindowId window, bool accept);
bool AcceptsFileDrops(WindowId window);

// ---------------------------------------------------------------- menus, shortcuts, status bar

void CreateMenuBar(WindowId window);
void AddMenu(WindowId window, const std::string& title);
// The text may carry a tab and a shortcut name, which is shown right-aligned.
void AddMenuItem(WindowId window, int number, const std::string& text);
void AddMenuSeparator(WindowId window);
// Items added after AddSubMenu go into a sub-menu of the current menu, called
// title, until EndSubMenu; their entries name the sub-menu as their menu.
void AddSubMenu(WindowId window, const std::string& title);
void EndSubMenu(WindowId window);

enum KeyModifier : unsigned { NoModifier = 0, Shift = 1u << 0, Ctrl = 1u << 1 };
enum SpecialKey {
    KeyF5 = 0x1000,
    KeyLeft, KeyRight, KeyUp, KeyDown,
    KeyDelete, KeyPageUp, KeyPageDown,
    KeyHome, KeyEnd, KeyEnter, KeyEscape, KeyF9,
};
// key: an upper-case letter ('R') or a SpecialKey. The key sends a MenuItem
// event with the number and never reaches the window as a key press.
void AddShortcut(WindowId window, int key, unsigned modifiers, int menuItem);

struct MenuEntry {
    std::string menu;   // title of the menu it belongs to
    int number = -1;    // -1 for a separator
    std::string text;
    bool enabled = true;
    bool visible = true;
};
// When the menu or sub-menu called menu opens, the window sends a MenuItem
// event with this number, so that the program can bring its items up to date.
void SendWhenMenuOpens(WindowId window, const std::string& menu, int number);
std::vector<MenuEntry> MenuEntries(WindowId window);
// Renames an item and enables or disables it; a disabled item sends nothing.
void SetMenuItem(WindowId window, int number, const std::string& text, bool enabled);
// Shows or hides an item; a hidden item takes no room in its menu.
void ShowMenuItem(WindowId window, int number, bool visible);
struct Shortcut {
    int key = 0;
    unsigned modifiers = 0;
    int menuItem = 0;
};
std::vector<Shortcut> Shortcuts(WindowId window);

void CreateStatusBar(WindowId window);
void AddStatusField(WindowId window, int width);
void SetStatusText(WindowId window, int field, const std::string& text);
std::string StatusText(WindowId window, int field);
std::vector<int> StatusFieldWidths(WindowId window);

// ---------------------------------------------------------------- controls

enum class ControlKind {
    Button, ToggleButton, Label, Frame, CheckBox, OptionButton, DropDown,
    NumberField, Spin, HScrollBar, ScrollArea, TextEdit, Canvas, TextField, VScrollBar,
};

enum ControlStyle : unsigned {
    MultiLine = 1u << 0,   // push button or label that wraps its text
    CenteredText = 1u << 1, // label text centred
    Bordered = 1u << 2,    // label: sunken edge; canvas: 2-pixel sunken edge
    Focusable = 1u << 3,   // canvas can take the keyboard focus
    FirstOfGroup = 1u << 4 // option button that starts a new group
};

// x, y, width, height in pixels from the top-left corner of the window's inner
// area below its menu bar. parent may name a scroll area to place the control in.
ControlId CreateControl(WindowId window, ControlKind kind, int x, int y, int width, int height,
                        const std::string& text = "", unsigned style = 0, ControlId parent = 0);

ControlKind KindOf(ControlId control);
WindowId WindowOf(ControlId control);
unsigned StyleOf(ControlId control);
std::vector<ControlId> Controls(WindowId window);  // in creation order

Rect ControlRect(ControlId control);
void MoveControl(ControlId control, int x, int y, int width, int height);

void SetText(ControlId control, const std::string& text);
std::string Text(ControlId control);
void SetToolTip(ControlId control, const std::string& tip);
std::string ToolTip(ControlId control);
void SetBackground(ControlId control, Rgb color);
Rgb Background(ControlId control);
void EnableControl(ControlId control, bool enabled);

// Check boxes, option buttons and toggle buttons.
void SetChecked(ControlId control, bool checked);
bool IsChecked(ControlId control);

// Drop-down lists.
void AddItem(ControlId list, const std::string& text);
void ClearItems(ControlId list);
int ItemCount(ControlId list);
std::string ItemText(ControlId list, int index);
void SelectItem(ControlId list, int index);
int SelectedItem(ControlId list);

// Spin controls and scroll bars.
void SetRange(ControlId control, int minimum, int maximum, int page = 1);
void SetValue(ControlId control, int value);
int Value(ControlId control);

// Scroll areas: the size of what they scroll over and the step of one click.
void SetInnerSize(ControlId area, int width, int height);
Rect InnerSize(ControlId area);
void SetScrollStep(ControlId area, int step);
// Scrolls the scroll area that holds control, if any, so that r (in the
// control's own pixels) is shown, or as much of it as the area has room for.
void ScrollIntoView(ControlId control, Rect r);
// The part of control that its scroll area shows now, in the control's own
// pixels; the whole control when it sits in no scroll area.
Rect VisiblePart(ControlId control);

// Multi-line text.
void ClearLines(ControlId edit);
void AppendLine(ControlId edit, const std::string& line);
// All lines at once: much faster than appending them one by one, since the
// control lays its text out once.
void SetLines(ControlId edit, const std::vector<std::string>& lines);
int LineCount(ControlId edit);
std::string Line(ControlId edit, int index);

// Canvases. The surface is the drawing area (4 pixels narrower and lower than
// a bordered control); it keeps its pixels until drawn over, and the widget
// shows whatever it holds. Resizing the control resizes the surface.
Surface& CanvasSurface(ControlId canvas);
// Tells the widget to show what changed in the surface since the last
// Refresh; nothing when nothing changed. Cheap; the window system coalesces
// repaints.
void Refresh(ControlId canvas);

// ---------------------------------------------------------------- requesters

struct FileAnswer {
    std::string path;      // empty when cancelled
    int filterIndex = 0;   // the filter the user left selected, 0 = first
};
// filters: "Name (*.ext)|*.ext|All files (*.*)|*.*"
FileAnswer OpenFileDialog(const std::string& title, const std::string& initialFile,
                          const std::string& filters, int preselectedFilter);
FileAnswer SaveFileDialog(const std::string& title, const std::string& initialFile,
                          const std::string& filters, int preselectedFilter);

enum class Answer { Ok, Yes, No, Save, Discard, Cancel };
void MessageBox(const std::string& title, const std::string& text);
// Yes or No; Enter takes the default answer, Escape No.
Answer AskYesNo(const std::string& title, const std::string& text, Answer defaultAnswer = Answer::No);
// Save, Discard or Cancel, for work that would otherwise be lost; Enter saves,
// Escape cancels.
Answer AskSaveDiscardCancel(const std::string& title, const std::string& text);

// Scripting for tests: once on, requesters show nothing; they take queued
// answers (a cancelled dialog, No or Cancel when the queue is empty) and keep a
// record of what they were asked to show. While scripted, WaitEvent with
// nothing queued returns a close request for the window opened last that is
// still open, so a test never hangs on a dialog it did not script.
struct Shown {
    std::string kind;  // "open", "save", "message", "question", "save-discard-cancel"
    std::string title;
    std::string text;  // message text, or the initial file of a file dialog
    std::string filters;
    int preselectedFilter = 0;
};
void SetScripted(bool scripted);
void QueueFileAnswer(const std::string& path, int filterIndex = 0);
void QueueAnswer(Answer answer);
const std::vector<Shown>& ShownRequesters();
void ClearScript();

// ---------------------------------------------------------------- other programs

// Starts a program with its arguments (words[0] is the program) and returns at
// once, without waiting for it or keeping it; false with the reason when it
// cannot be started.
bool StartProgram(const std::vector<std::string>& words, std::string& reason);

// ---------------------------------------------------------------- files and pictures

// The one save path of the program: qm::SaveFileSafely, and on failure a message
// box titled "Error!" naming the file and the reason. Returns true on success.
bool SaveFileReporting(const std::string& path, const std::vector<unsigned char>& bytes);
// Files that belong together, saved with qm::SaveFilesSafely and reported as
// SaveFileReporting reports one.
bool SaveFilesReporting(const std::vector<qm::OutputFile>& files);
// A picture to show on a canvas, and the pixels of a surface as a picture.
Surface SurfaceFromImage(const qm::Image& image);
qm::Image ImageFromSurface(const Surface& surface);

}  // namespace tk
