#include <gtest/gtest.h>

#include "test_events.h"
#include "toolkit/simulate/simulate.h"
#include "toolkit/toolkit.h"

namespace {

using tk::test::Drain;
using tk::test::OfKind;

class KeysAndMenus : public ::testing::Test {
protected:
    void SetUp() override {
        window = tk::OpenWindow("Keys", 0, 0, 400, 300, tk::TitleBar | tk::SystemMenu | tk::MinimizeBox);
        tk::CreateMenuBar(window);
        tk::AddMenu(window, "File");
        tk::AddMenuItem(window, 11, "Open...\tCtrl+O");
        tk::AddMenuSeparator(window);
        tk::AddMenuItem(window, 12, "Exit");
        tk::AddMenu(window, "Edit");
        tk::AddMenuItem(window, 21, "Rotate\tR");
        tk::AddShortcut(window, 'O', tk::Ctrl, 11);
        tk::AddShortcut(window, 'R', tk::NoModifier, 21);
        tk::AddShortcut(window, tk::KeyLeft, tk::Shift, 31);
        tk::simulate::Deliver();
        tk::DiscardEvents();
    }
    void TearDown() override {
        tk::CloseWindow(window);
        tk::DiscardEvents();
    }
    tk::WindowId window = 0;
};

TEST_F(KeysAndMenus, StructureReadsBackAsBuilt) {
    const auto entries = tk::MenuEntries(window);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].menu, "File");
    EXPECT_EQ(entries[0].number, 11);
    EXPECT_EQ(entries[0].text, "Open...\tCtrl+O");
    EXPECT_EQ(entries[1].number, -1);
    EXPECT_EQ(entries[3].menu, "Edit");
    EXPECT_EQ(entries[3].number, 21);
    const auto shortcuts = tk::Shortcuts(window);
    ASSERT_EQ(shortcuts.size(), 3u);
    EXPECT_EQ(shortcuts[2].key, tk::KeyLeft);
    EXPECT_EQ(shortcuts[2].modifiers, static_cast<unsigned>(tk::Shift));
    EXPECT_EQ(shortcuts[2].menuItem, 31);
}

TEST_F(KeysAndMenus, EverySeparatorShowsTheLastOneOfAMenuToo) {
    tk::AddMenuSeparator(window);
    EXPECT_EQ(tk::simulate::ShownMenuLines(window, "File"), (std::vector<int>{11, -1, 12}));
    EXPECT_EQ(tk::simulate::ShownMenuLines(window, "Edit"), (std::vector<int>{21, -1}));
}

TEST_F(KeysAndMenus, MenuHeightAddsToTheWindowAndTheInnerSizeStays) {
    EXPECT_EQ(tk::WindowWidth(window), 400);
    EXPECT_EQ(tk::WindowHeight(window), 300);
}

TEST_F(KeysAndMenus, ChosenMenuItemArrivesWithItsNumber) {
    tk::simulate::ChooseMenuItem(window, 12);
    const auto events = Drain();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, tk::EventKind::MenuItem);
    EXPECT_EQ(events[0].window, window);
    EXPECT_EQ(events[0].menuItem, 12);
}

TEST_F(KeysAndMenus, PlainKeysArriveAsPressAndRelease) {
    tk::simulate::SendKey(window, 'K', tk::NoModifier, true);
    tk::simulate::SendKey(window, 'K', tk::NoModifier, true, true);  // auto-repeat
    tk::simulate::SendKey(window, 'K', tk::NoModifier, false);
    tk::simulate::SendKey(window, '7', tk::NoModifier, true);
    const auto events = Drain();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].kind, tk::EventKind::KeyPressed);
    EXPECT_EQ(events[0].key, 'K');
    EXPECT_EQ(events[0].window, window);
    EXPECT_EQ(events[1].kind, tk::EventKind::KeyReleased);
    EXPECT_EQ(events[1].key, 'K');
    EXPECT_EQ(events[2].kind, tk::EventKind::KeyPressed);
    EXPECT_EQ(events[2].key, '7');
}

TEST_F(KeysAndMenus, KeypadDigitsAreNotTheMainKeyboardDigits) {
    tk::simulate::SendKeypadDigit(window, 3, true);
    tk::simulate::SendKeypadDigit(window, 3, false);
    const auto events = Drain();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].kind, tk::EventKind::KeyPressed);
    EXPECT_EQ(events[0].key, 99);
    EXPECT_EQ(events[1].kind, tk::EventKind::KeyReleased);
}

TEST_F(KeysAndMenus, DigitRowKeysAreKnownByTheirPlaceOnAnyLayout) {
    struct Case {
        int digit;
        char shown;
        unsigned modifiers;
    };
    const Case cases[] = {
        {1, '&', tk::NoModifier}, {3, '"', tk::NoModifier}, {3, '3', tk::Shift},  // French
        {5, '(', tk::NoModifier}, {3, '#', tk::Shift},      {2, '2', tk::NoModifier},  // American
        {0, '0', tk::NoModifier}, {9, '(', tk::Shift},
    };
    for (const Case& c : cases) {
        tk::simulate::SendDigitRowKey(window, c.digit, c.shown, c.modifiers, true);
        tk::simulate::SendDigitRowKey(window, c.digit, c.shown, c.modifiers, false);
        const auto events = Drain();
        ASSERT_EQ(events.size(), 2u) << c.shown;
        EXPECT_EQ(events[0].kind, tk::EventKind::KeyPressed);
        EXPECT_EQ(events[0].key, '0' + c.digit) << c.shown;
        EXPECT_EQ(events[1].kind, tk::EventKind::KeyReleased);
        EXPECT_EQ(events[1].key, '0' + c.digit) << c.shown;
    }
    // Keys elsewhere keep their own codes, and keypad digits stay apart.
    tk::simulate::SendKey(window, 'K', tk::NoModifier, true);
    tk::simulate::SendKeypadDigit(window, 3, true);
    const auto others = Drain();
    ASSERT_EQ(others.size(), 2u);
    EXPECT_EQ(others[0].key, 'K');
    EXPECT_EQ(others[1].key, 99);
}

TEST_F(KeysAndMenus, ShortcutKeysBecomeMenuItemsAndNeverKeyPresses) {
    tk::simulate::TriggerShortcut(window, 'R', tk::NoModifier);
    tk::simulate::TriggerShortcut(window, 'O', tk::Ctrl);
    tk::simulate::TriggerShortcut(window, tk::KeyLeft, tk::Shift);
    const auto events = Drain();
    const auto items = OfKind(events, tk::EventKind::MenuItem);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].menuItem, 21);
    EXPECT_EQ(items[1].menuItem, 11);
    EXPECT_EQ(items[2].menuItem, 31);
    for (const tk::Event& e : OfKind(events, tk::EventKind::KeyPressed)) {
        EXPECT_NE(e.key, 'R');
        EXPECT_NE(e.key, 'O');
        EXPECT_NE(e.key, tk::KeyLeft);
    }
}

TEST_F(KeysAndMenus, KeysReachTheWindowFromAFocusedCanvas) {
    const tk::ControlId canvas =
        tk::CreateControl(window, tk::ControlKind::Canvas, 10, 10, 50, 50, "", tk::Focusable | tk::Bordered);
    tk::simulate::SendMouse(canvas, tk::simulate::Mouse::Move, 5, 5);
    tk::simulate::SendMouse(canvas, tk::simulate::Mouse::Press, 5, 5, tk::ButtonLeft);
    tk::simulate::SendMouse(canvas, tk::simulate::Mouse::Release, 5, 5, tk::ButtonLeft);
    EXPECT_TRUE(tk::simulate::HasFocus(canvas));
    Drain();
    tk::simulate::SendKey(window, tk::KeyDown, tk::NoModifier, true);
    const auto presses = OfKind(Drain(), tk::EventKind::KeyPressed);
    ASSERT_EQ(presses.size(), 1u);
    EXPECT_EQ(presses[0].key, tk::KeyDown);
}

TEST_F(KeysAndMenus, ADisabledWindowTakesNoKeys) {
    tk::EnableWindow(window, false);
    tk::simulate::SendKey(window, '3', tk::NoModifier, true);
    tk::simulate::TriggerShortcut(window, 'R', tk::NoModifier);
    EXPECT_TRUE(Drain().empty());
    tk::EnableWindow(window, true);
}

TEST_F(KeysAndMenus, ShortcutWithoutItsModifierIsAPlainKey) {
    tk::simulate::SendKey(window, 'O', tk::NoModifier, true);
    const auto events = Drain();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, tk::EventKind::KeyPressed);
    EXPECT_EQ(events[0].key, 'O');
}

}  // namespace
