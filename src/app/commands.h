#pragma once

// The editor's commands, one row each: the menu item and shortcut that send
// it, the button that runs it as well, the name its change is undone under,
// what it runs, and whether it holds the canvases back after its file dialog.
// The menus, the shortcuts, the dispatch of menu items and buttons and the
// undo step names are all read from this one table; nothing else lists
// commands. A new command is a row of command_table.cpp and its function.

#include <span>

#include "session/editor_state.h"
#include "session/menu_items.h"

namespace qm {

// Whether the click that closed the command's file dialog must be kept from
// the canvases (the next events of the main window do not paint).
enum class Guard {
    None,
    AfterDialog,
    // Only when run by its button; its menu item leaves the canvases alone.
    AfterDialogFromButton,
};

// The name of the undo step of a command that changes no work: it makes no
// step (a save, stepping through the slots).
inline constexpr const char* kNoStep = "";
// The name of a step no row names: a change made by any other control.
inline constexpr const char* kUnnamedStep = "Change";

struct Shortcut {
    int key = 0;  // 0: none
    unsigned modifiers = tk::NoModifier;
};

struct Command {
    CommandWindow window = CommandWindow::Main;
    int menuItem = kNoMenuItem;
    // Where the item is listed: the menu's title and the item's text, with the
    // shortcut's name after a tab. Rows are listed in the order of the table.
    const char* menu = nullptr;
    const char* text = nullptr;
    bool lineBefore = false;  // a separator line above the item
    bool lineAfter = false;   // and one below it
    bool checkable = false;   // the item shows a tick, off at first
    Shortcut shortcut{};
    // The button, check box or option of the window that runs the command too.
    tk::ControlId (*control)(const EditorState& s) = nullptr;
    const char* step = kUnnamedStep;
    // Returns false when the window is to close.
    bool (*run)(EditorState& s) = nullptr;
    bool redraws = false;  // RedrawAll after it has run
    Guard guard = Guard::None;
};

std::span<const Command> Commands();

// The row of a menu item or of a control of the window; null when none.
const Command* CommandOfMenuItem(CommandWindow window, int menuItem);
const Command* CommandOfControl(const EditorState& s, CommandWindow window, tk::ControlId control);
// The row a menu item or control event of the window runs; null when none.
const Command* CommandOfEvent(const EditorState& s, CommandWindow window, const tk::Event& event);

// Runs the row: its function, the redraw and the click guard. Returns false
// when the window is to close.
bool RunCommand(EditorState& s, const Command& command, bool fromControl);

// The window's menus and shortcuts, as the table lists them.
void AddCommandMenus(tk::WindowId window, CommandWindow which);
void AddCommandShortcuts(tk::WindowId window, CommandWindow which);

}  // namespace qm
