#include <algorithm>
#include <iterator>

#include "app/main_window.h"
#include "files/atari_program.h"
#include "support/editor_fixture.h"
#include "toolkit/simulate/simulate.h"

namespace qm {
namespace {

using MainWindowTest = test::EditorTest;

TEST_F(MainWindowTest, OpensCentredWithAFixedInnerSize) {
    const unsigned features = tk::WindowFeatures(s.ui.window);
    EXPECT_TRUE(features & tk::Centered);
    EXPECT_TRUE(features & tk::MinimizeBox);
    EXPECT_FALSE(features & tk::Sizable);
    EXPECT_EQ(tk::WindowTitle(s.ui.window), "Quillmere");
    EXPECT_EQ(tk::WindowWidth(s.ui.window), 945);
    EXPECT_EQ(tk::WindowHeight(s.ui.window), 645);
    EXPECT_EQ(tk::StatusFieldWidths(s.ui.window), (std::vector<int>{130, 400, 350}));
}

TEST_F(MainWindowTest, MenusCarryTheirNumbersSeparatorsAndShortcutNames) {
    const auto entries = tk::MenuEntries(s.ui.window);
    const auto numbered = std::count_if(entries.begin(), entries.end(), [](auto& e) { return e.number >= 0 && e.number < 40; });
    EXPECT_EQ(numbered, 36);  // with "Undo" and "Redo"; later items from 40 on
    const auto find = [&](const std::string& menu, int number) {
        return std::find_if(entries.begin(), entries.end(),
                            [&](auto& e) { return e.menu == menu && e.number == number; });
    };
    ASSERT_NE(find("Project", 1), entries.end());
    EXPECT_EQ(find("Project", 1)->text, "Save\tF5");
    EXPECT_EQ(find("Set", 23)->text, "Next\tPageDown");
    EXPECT_EQ(find("Font", 9)->text, "Next");
    EXPECT_EQ(find("Font", 10)->text, "Previous");
    EXPECT_EQ(find("Char", 14)->text, "Shift left\tShift+Left");
    EXPECT_EQ(find("Set", 33)->text, "Export Set to bin...");
    EXPECT_EQ(find("Font", 50)->text, "Import picture...");
    EXPECT_EQ(find("Font", 51)->text, "Import font bytes...");
    EXPECT_EQ(find("Project", 52)->text, "Export Atari program...");
    EXPECT_EQ(find("Project", 53)->text, "Run in emulator\tF9");
    EXPECT_EQ(find("Project", 54)->text, "Emulator command...");
    EXPECT_EQ(std::next(find("Project", 2))->number, 52) << "after \"Save As...\"";
    // The Font menu ends with a separator after "Previous".
    const auto lastOfFont = std::find_if(entries.rbegin(), entries.rend(), [](auto& e) { return e.menu == "Font"; });
    EXPECT_EQ(lastOfFont->number, -1);
    EXPECT_EQ(tk::simulate::ShownMenuLines(s.ui.window, "Font").back(), -1);
}

TEST_F(MainWindowTest, EighteenShortcutsSendTheirMenuItems) {
    const auto shortcuts = tk::Shortcuts(s.ui.window);
    ASSERT_EQ(shortcuts.size(), 18u);
    const auto item = [&](int key, unsigned modifiers) {
        for (const auto& sc : shortcuts) {
            if (sc.key == key && sc.modifiers == modifiers) return sc.menuItem;
        }
        return -1;
    };
    EXPECT_EQ(item('R', tk::NoModifier), kMenuRotate);
    EXPECT_EQ(item('V', tk::NoModifier), kMenuVMirror);
    EXPECT_EQ(item('V', tk::Ctrl), kMenuPasteChar);
    EXPECT_EQ(item(tk::KeyLeft, tk::Shift), kMenuShiftLeft);
    EXPECT_EQ(item(tk::KeyPageDown, tk::NoModifier), kMenuNextSet);
    EXPECT_EQ(item(tk::KeyF5, tk::NoModifier), kMenuSaveProject);
    EXPECT_EQ(item(tk::KeyF9, tk::NoModifier), kMenuRunInEmulator);
    EXPECT_EQ(item('Z', tk::Ctrl), kMenuUndo);
    EXPECT_EQ(item('Z', tk::Ctrl | tk::Shift), kMenuRedo);
    EXPECT_EQ(item('Y', tk::Ctrl), kMenuRedo);
    EXPECT_EQ(item('D', tk::NoModifier), -1);
}

TEST_F(MainWindowTest, SeventySevenControlsAtTheirPlacesInCreationOrder) {
    const auto controls = tk::Controls(s.ui.window);
    ASSERT_EQ(controls.size(), 77u);
    EXPECT_EQ(controls.front(), s.ui.largeSetView);
    EXPECT_EQ(controls.back(), s.ui.openSetsViewer);
    EXPECT_EQ(controls[11], s.ui.modeSwitch);
    EXPECT_EQ(tk::Text(controls[11]), "Change GFX");

    const auto rectIs = [](tk::ControlId c, int x, int y, int w, int h) {
        const tk::Rect r = tk::ControlRect(c);
        return r.x == x && r.y == y && r.width == w && r.height == h;
    };
    EXPECT_TRUE(rectIs(s.ui.fontSheet, 90, 450, 547, 139));
    EXPECT_TRUE(rectIs(s.ui.charEditor, 565, 10, 244, 244));
    EXPECT_TRUE(rectIs(s.ui.openSetsViewer, 100, 120, 40, 30));
    EXPECT_TRUE(rectIs(s.ui.swatch[PF1], 870, 340, 30, 20));
    EXPECT_EQ(tk::ToolTip(s.ui.swatch[PF1]), "Get color - FP1");
    EXPECT_EQ(tk::ToolTip(s.ui.setColorButton[PF1]), "Set color - FP1");
    EXPECT_EQ(tk::ToolTip(s.ui.animStartList), "Anim start");
    EXPECT_EQ(tk::Text(s.ui.buttonColorFrame), " LMB         RMB");
    EXPECT_EQ(tk::Text(s.ui.defaultFont), "Set Default ATARI FONT");
    EXPECT_TRUE(tk::StyleOf(s.ui.defaultFont) & tk::MultiLine);
    EXPECT_TRUE(tk::StyleOf(s.ui.fontSheet) & tk::Focusable);
    EXPECT_EQ(tk::KindOf(s.ui.animStopList), tk::ControlKind::DropDown);

    // Every drawing area is the control less a 2-pixel edge where it has one.
    EXPECT_EQ(tk::CanvasSurface(s.ui.fontSheet).Width(), 543);
    EXPECT_EQ(tk::CanvasSurface(s.ui.fontSheet).Height(), 135);
    EXPECT_EQ(tk::CanvasSurface(s.ui.smallSetView).Width(), 80);
}

}  // namespace
}  // namespace qm
