#pragma once

// Shared bookkeeping of the toolkit's implementation files. Qt stays inside
// this folder: nothing outside src/toolkit includes this header.

#include <QtWidgets>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/toolkit.h"

namespace tk::detail {

class WindowFrame;
class StatusBarWidget;

struct WindowRec {
    WindowId id = 0;
    unsigned features = 0;
    WindowFrame* frame = nullptr;
    QWidget* content = nullptr;
    QMenuBar* menuBar = nullptr;
    QMenu* currentMenu = nullptr;
    std::string currentMenuTitle;
    // While a sub-menu is being filled: the menu it sits in and that menu's title.
    QMenu* outerMenu = nullptr;
    std::string outerMenuTitle;
    StatusBarWidget* statusBar = nullptr;
    std::vector<MenuEntry> entries;
    std::vector<Shortcut> shortcuts;
    std::map<int, QTimer*> timers;
    QButtonGroup* optionGroup = nullptr;
    std::vector<ControlId> controls;
    // A window is built complete before the window system sees it: it shows
    // once its code first waits for events (or asks the user something), with
    // its menu bar, controls and size in place, so that it opens where it was
    // put rather than where a window manager moves a growing window.
    bool shown = false;
    // The inner size the owner knows about; a resize to anything else is
    // reported to it.
    int innerWidth = 0;
    int innerHeight = 0;
};

struct ControlRec {
    ControlId id = 0;
    WindowId window = 0;
    ControlKind kind = ControlKind::Label;
    unsigned style = 0;
    QWidget* widget = nullptr;
    QLabel* wrapLabel = nullptr;   // multi-line buttons show their text here
    QWidget* scrollInner = nullptr; // scroll areas: the widget scrolled over
    Rgb background = 0;
    bool hasBackground = false;
    int page = 1;                   // scroll bars
    bool noLines = true;            // text edits: empty, not one empty line
    std::unique_ptr<Surface> surface; // canvases
};

struct State {
    QApplication* app = nullptr;
    std::deque<Event> queue;
    std::map<WindowId, std::unique_ptr<WindowRec>> windows;
    std::map<ControlId, std::unique_ptr<ControlRec>> controls;
    std::vector<WindowId> openOrder;
    std::function<void(WindowId)> openedHook;
    // Windows opened since the hook last ran.
    std::vector<WindowId> openedSinceHook;
    WindowId nextWindow = 1;
    ControlId nextControl = 1;
    bool scripted = false;
    // Above zero while the program itself changes a control, so that only the
    // user's changes turn into events.
    int silence = 0;
};

State& St();
void Push(const Event& event);
void PushControl(ControlId control, SubKind subKind);

// For an unknown id both report it and hand back a stand-in that no one sees.
WindowRec& Win(WindowId window);
ControlRec& Ctl(ControlId control);
WindowRec* FindWin(WindowId window);
ControlRec* FindCtl(ControlId control);
WindowRec* WinOfWidget(const QWidget* widget);

QString Q(const std::string& text);
std::string S(const QString& text);
// Buttons, frames and menus take "&" as the mark of a mnemonic; the program's
// texts mean it literally.
QString Literal(const std::string& text);
std::string FromLiteral(const QString& text);

// Keeps the menu bar, the inner area and the status bar in place.
void LayoutWindow(WindowRec& w);
// Sets the frame to hold an inner area of this size, fixed unless sizable.
void ApplyInnerSize(WindowRec& w, int width, int height);
int MenuBarHeight(const WindowRec& w);
void DropEventsOf(WindowId window);
// Shows the windows opened and not shown yet, in the order they were opened.
void ShowNewWindows();
void ForgetWindow(WindowId window);

// Qt key for an upper-case letter, digit or SpecialKey, and back.
int QtKeyOf(int key);
int KeyOfQt(int qtKey);
Qt::KeyboardModifiers QtModifiersOf(unsigned modifiers);
// A key event of the main keyboard's digit row, at the place of the digit
// (0 to 9), carrying the key and text that the layout gives there.
QKeyEvent DigitRowKeyEvent(QEvent::Type type, int digit, int qtKey, Qt::KeyboardModifiers modifiers,
                           const QString& text);
// Key presses and releases of every window become events from here on.
void StartKeyWatch();
void StopKeyWatch();

// Shows the control's text in the largest size, up to the application's, at
// which it fits the room the style leaves it; TextFits tells whether it does.
void FitText(ControlRec& rec);
bool TextFits(const ControlRec& rec);
// The same after an item was added to a drop-down list.
void FitNewItem(ControlRec& rec, const QString& item);

QWidget* MakeCanvas(ControlRec& rec);
void ResizeCanvasSurface(ControlRec& rec);
// The width of a canvas's edge around its drawing area.
int CanvasBorder(const ControlRec& rec);

class Silence {
public:
    Silence() { ++St().silence; }
    ~Silence() { --St().silence; }
    Silence(const Silence&) = delete;
    Silence& operator=(const Silence&) = delete;
};

class WindowFrame : public QWidget {
public:
    explicit WindowFrame(WindowId id) : id_(id) {}
    WindowId Id() const { return id_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    WindowId id_;
};

class StatusBarWidget : public QFrame {
public:
    explicit StatusBarWidget(QWidget* parent);
    void AddField(int width);
    QLabel* Field(int index) const;
    std::vector<int> Widths() const;

private:
    std::vector<QLabel*> fields_;
    int nextX_ = 0;
};

}  // namespace tk::detail
