#include <set>
#include <string>

#include "app/commands.h"
#include "app/main_event_handler.h"
#include "maps/map_editor.h"
#include "sets/view_editor.h"
#include "support/editor_fixture.h"

namespace qm {
namespace {

class CommandTableTest : public test::EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        OpenViewEditor(s);
        OpenMapEditor(s);
        ASSERT_NE(s.viewUi.window, 0);
        ASSERT_NE(s.mapUi.window, 0);
    }
    tk::WindowId WindowOf(CommandWindow w) const {
        switch (w) {
            case CommandWindow::Main: return s.ui.window;
            case CommandWindow::ViewEditor: return s.viewUi.window;
            case CommandWindow::Map: return s.mapUi.window;
        }
        return 0;
    }
};

// A row that names a control never built, a number two rows share, or a menu
// item without a row would each leave a command that silently does nothing.
TEST_F(CommandTableTest, EveryRowIsListedAndEveryItemButtonAndShortcutRunsItsOwnRow) {
    for (const Command& c : Commands()) {
        const std::string row = c.text != nullptr ? c.text : "a button's row";
        ASSERT_NE(c.run, nullptr) << row;
        ASSERT_TRUE(c.menuItem != kNoMenuItem || c.control != nullptr) << row << " cannot be reached";
        if (c.menuItem != kNoMenuItem) {
            EXPECT_EQ(CommandOfMenuItem(c.window, c.menuItem), &c) << row;
            bool listed = false;
            for (const tk::MenuEntry& e : tk::MenuEntries(WindowOf(c.window))) {
                listed |= e.number == c.menuItem && e.menu == c.menu && e.text == c.text;
            }
            EXPECT_TRUE(listed) << row;
        }
        if (c.control != nullptr) {
            const tk::ControlId control = c.control(s);
            EXPECT_NE(control, 0) << row;
            EXPECT_EQ(CommandOfControl(s, c.window, control), &c) << row;
        }
    }
    for (CommandWindow w : {CommandWindow::Main, CommandWindow::ViewEditor, CommandWindow::Map}) {
        for (const tk::MenuEntry& e : tk::MenuEntries(WindowOf(w))) {
            if (e.number < 0 || (e.number >= kMenuRecentFirst && e.number <= kMenuRecentLast)) continue;
            EXPECT_NE(CommandOfMenuItem(w, e.number), nullptr) << e.menu << "/" << e.text;
        }
        for (const tk::Shortcut& sc : tk::Shortcuts(WindowOf(w))) {
            const bool undo = sc.menuItem == kMenuUndo || sc.menuItem == kMenuRedo;
            EXPECT_TRUE(undo || CommandOfMenuItem(w, sc.menuItem) != nullptr) << "shortcut to " << sc.menuItem;
        }
    }
}

TEST_F(CommandTableTest, EachWindowsExitClosesOnlyItsOwnWindow) {
    tk::Event e;
    e.kind = tk::EventKind::MenuItem;
    e.window = s.viewUi.window;
    e.menuItem = kMenuExitMap;
    EXPECT_TRUE(ViewEditorEventHandler(s, e));
    e.menuItem = kMenuExitView;
    EXPECT_FALSE(ViewEditorEventHandler(s, e));
    EXPECT_FALSE(s.ViewEditorOpen);
    EXPECT_TRUE(s.map.open);
    e.window = s.mapUi.window;
    EXPECT_TRUE(MapEditorEventHandler(s, e));
    e.menuItem = kMenuExitMap;
    EXPECT_FALSE(MapEditorEventHandler(s, e));
    EXPECT_FALSE(s.map.open);
    // The same numbers in the main window are no commands there.
    EXPECT_TRUE(MainEventHandler(s, MenuEvent(kMenuExitView)));
    EXPECT_TRUE(MainEventHandler(s, MenuEvent(kMenuExitMap)));
}

}  // namespace
}  // namespace qm
