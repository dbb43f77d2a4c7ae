#pragma once

// Drives the real widgets of the toolkit through the window system's own event
// path, as a user would, so that tests see the events the program would get.
// Every function delivers what it caused before it returns; the resulting
// records wait in the event queue.

#include <string>
#include <vector>

#include "toolkit/toolkit.h"

namespace tk::simulate {

enum class Mouse { Press, Move, Release };

// x, y in pixels of the control, its border included. button: ButtonLeft,
// ButtonRight or ButtonMiddle for presses and releases; ignored for moves.
// Buttons pressed and not yet released stay held for later events.
void SendMouse(ControlId control, Mouse action, int x, int y, int button = 0);
// Two quick left clicks at x, y of the control, as SendMouse counts them.
void DoubleClick(ControlId control, int x, int y);
// A key going down or up in the window, reaching whichever child has the
// focus. key: an upper-case letter, a digit or a SpecialKey.
void SendKey(WindowId window, int key, unsigned modifiers, bool pressed, bool autoRepeat = false);
// The main keyboard's key at the place of the digit (0 to 9) going down or
// up, under a layout that gives the character shown there (as '"' for the
// key "3" of a French layout, or '#' with Shift on an American one).
void SendDigitRowKey(WindowId window, int digit, char shown, unsigned modifiers, bool pressed);
// A digit key of the numeric keypad going down or up.
void SendKeypadDigit(WindowId window, int digit, bool pressed);
// Presses and releases the key with its modifiers, as for a shortcut.
void TriggerShortcut(WindowId window, int key, unsigned modifiers);
// A left click in the middle of a button, check box, option or toggle button.
void Click(ControlId control);
// Picks an entry of a drop-down list from its open list.
void ChooseItem(ControlId list, int index);
// Gives the control the focus and types the text into it, key by key.
void TypeText(ControlId control, const std::string& text);
// Steps on a spin control (arrow keys) or scroll bar (its end arrows):
// positive up or right.
void Step(ControlId control, int steps);
// Chooses a menu item from the window's menu, as a click on it would.
void ChooseMenuItem(WindowId window, int number);
// Opens the menu or sub-menu with this title, as the user pointing at it,
// and closes it again.
void OpenMenu(WindowId window, const std::string& menu);
// The close box of the window's title bar.
void PressCloseBox(WindowId window);
// The user dragging the window's border until the inner area has this size.
void ResizeByUser(WindowId window, int width, int height);
// Drags items from another program onto the window and lets go at x, y of its
// inner area, as a file manager does. urls: "file:///..." for files, or any
// other address. Returns whether the window took the drop; refused drags are
// taken back.
bool DropUrls(WindowId window, const std::vector<std::string>& urls, int x = 10, int y = 10);
// The entries the named menu draws when it opens, in order: item numbers, and
// -1 for each separator line that shows.
std::vector<int> ShownMenuLines(WindowId window, const std::string& menu);
// The part of the screen that windows may take.
Rect ScreenArea();
// Whether the window system shows the window yet.
bool IsShown(WindowId window);
// Lets the window system deliver what is pending, new windows included.
void Deliver();
// Whether the control shows its whole text (every item of a list) within its
// width, and the pixel size of the text it shows.
bool TextFits(ControlId control);
int TextPixelSize(ControlId control);
// Whether the window's title fits its title bar beside the usual icon and
// buttons, in the bold face window systems draw titles in.
bool TitleFits(WindowId window);
// Whether the control has the keyboard focus.
bool HasFocus(ControlId control);

}  // namespace tk::simulate

namespace tk::simulate {

// The colour the control shows on screen at this pixel of the control (its
// border included), as the window system paints it.
Rgb ShownPixel(ControlId control, int x, int y);
// The whole window as the window system paints it, menu bar included.
Surface WindowPicture(WindowId window);
// What the screen shows of a canvas's drawing area, read back from the window
// system (not painted afresh), after it has delivered what is pending: the
// part that its window shows, which is set in `part`, in the surface's
// coordinates.
Surface ShownCanvas(ControlId canvas, Rect& part);

// For requesters shown for real (not scripted): the next one that opens is
// answered as a user would, by choosing the file under the given filter or
// by pressing the button of the answer.
void AnswerNextFileDialog(const std::string& path, int filterIndex);
void AnswerNextMessage(Answer answer);
// Presses a key (KeyEnter, KeyEscape) in the next real message box, as the
// user answering with the keyboard; its title and text, "title|text", go to
// shownText when given.
void PressKeyInNextMessage(int key, std::string* shownText = nullptr);
// Chooses a filter in the next real file dialog as the user does, stores the
// name patterns its file list then lets through, and cancels the dialog.
void InspectNextFileDialog(int filterIndex, std::vector<std::string>& shownPatterns);
// In the next real file dialog, types each text into the name field as the
// user does, letting the dialog complete it and go into the folders it names
// (those ending in "/"), then cancels the dialog. visited counts the texts done.
void BrowseNextFileDialog(const std::vector<std::string>& typed, int& visited);

}  // namespace tk::simulate

