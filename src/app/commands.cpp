#include "app/commands.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/main_event_handler.h"
#include "session/undo.h"
#include "toolkit/menu_checks.h"

namespace qm {

namespace {

void AddRecentSubMenu(tk::WindowId window) {
    tk::AddSubMenu(window, "Open Recent");
    for (int item = kMenuRecentFirst; item <= kMenuRecentLast; ++item) tk::AddMenuItem(window, item, "");
    tk::EndSubMenu(window);
}

// The menu titles of the window, in the order their first rows come.
std::vector<std::string> MenusOf(CommandWindow which) {
    std::vector<std::string> menus;
    for (const Command& c : Commands()) {
        if (c.window != which || c.menu == nullptr) continue;
        if (std::find(menus.begin(), menus.end(), c.menu) == menus.end()) menus.emplace_back(c.menu);
    }
    return menus;
}

void AddItem(tk::WindowId window, const Command& c) {
    if (c.lineBefore) tk::AddMenuSeparator(window);
    tk::AddMenuItem(window, c.menuItem, c.text);
    if (c.checkable) tk::SetMenuItemChecked(window, c.menuItem, false);
    if (c.lineAfter) tk::AddMenuSeparator(window);
    if (c.menuItem == kMenuOpenProject) AddRecentSubMenu(window);
}

}  // namespace

const Command* CommandOfMenuItem(CommandWindow window, int menuItem) {
    for (const Command& c : Commands()) {
        if (c.window == window && c.menuItem == menuItem && c.menuItem != kNoMenuItem) return &c;
    }
    return nullptr;
}

const Command* CommandOfControl(const EditorState& s, CommandWindow window, tk::ControlId control) {
    if (control == 0) return nullptr;
    for (const Command& c : Commands()) {
        if (c.window == window && c.control != nullptr && c.control(s) == control) return &c;
    }
    return nullptr;
}

const Command* CommandOfEvent(const EditorState& s, CommandWindow window, const tk::Event& event) {
    if (event.kind == tk::EventKind::MenuItem) return CommandOfMenuItem(window, event.menuItem);
    if (event.kind == tk::EventKind::Control) return CommandOfControl(s, window, event.control);
    return nullptr;
}

bool RunCommand(EditorState& s, const Command& command, bool fromControl) {
    const bool goOn = command.run(s);
    if (command.redraws) RedrawAll(s);
    if (command.guard == Guard::AfterDialog || (command.guard == Guard::AfterDialogFromButton && fromControl)) {
        ArmClickGuard(s);
    }
    return goOn;
}

void AddCommandMenus(tk::WindowId window, CommandWindow which) {
    tk::CreateMenuBar(window);
    for (const std::string& menu : MenusOf(which)) {
        tk::AddMenu(window, menu);
        for (const Command& c : Commands()) {
            if (c.window == which && c.menu != nullptr && menu == c.menu) AddItem(window, c);
        }
    }
}

void AddCommandShortcuts(tk::WindowId window, CommandWindow which) {
    for (const Command& c : Commands()) {
        if (c.window == which && c.shortcut.key != 0) {
            tk::AddShortcut(window, c.shortcut.key, c.shortcut.modifiers, c.menuItem);
        }
    }
    AddUndoShortcuts(window);
}

}  // namespace qm
