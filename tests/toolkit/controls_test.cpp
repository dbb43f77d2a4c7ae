#include <gtest/gtest.h>

#include "test_events.h"
#include "toolkit/simulate/simulate.h"
#include "toolkit/toolkit.h"

namespace {

using tk::ControlKind;
using tk::test::Drain;

class Controls : public ::testing::Test {
protected:
    void SetUp() override {
        window = tk::OpenWindow("Controls", 0, 0, 500, 400, tk::TitleBar | tk::SystemMenu);
        tk::simulate::Deliver();
        tk::DiscardEvents();
    }
    void TearDown() override {
        tk::CloseWindow(window);
        tk::DiscardEvents();
    }
    tk::ControlId Make(ControlKind kind, unsigned style = 0, const std::string& text = "x") {
        const int y = 10 + 30 * static_cast<int>(tk::Controls(window).size() % 12);
        return tk::CreateControl(window, kind, 10, y, 120, 24, text, style);
    }
    // Exactly one control event, of this control with this sub-kind; keys
    // that drive a control reach the window as well and do not count.
    void ExpectOneEvent(tk::ControlId control, tk::SubKind subKind) {
        const auto events = tk::test::OfKind(Drain(), tk::EventKind::Control);
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0].kind, tk::EventKind::Control);
        EXPECT_EQ(events[0].window, window);
        EXPECT_EQ(events[0].control, control);
        EXPECT_EQ(events[0].subKind, subKind);
    }
    tk::WindowId window = 0;
};

TEST_F(Controls, ProgrammaticChangesPostNothing) {
    const auto check = Make(ControlKind::CheckBox);
    const auto toggle = Make(ControlKind::ToggleButton);
    const auto first = Make(ControlKind::OptionButton, tk::FirstOfGroup);
    const auto second = Make(ControlKind::OptionButton);
    const auto list = Make(ControlKind::DropDown);
    const auto field = Make(ControlKind::NumberField);
    const auto spin = Make(ControlKind::Spin);
    const auto bar = Make(ControlKind::HScrollBar);
    const auto edit = Make(ControlKind::TextEdit);
    tk::SetChecked(check, true);
    tk::SetChecked(toggle, true);
    tk::SetChecked(first, true);
    tk::SetChecked(second, true);
    tk::AddItem(list, "one");
    tk::AddItem(list, "two");
    tk::SelectItem(list, 1);
    tk::ClearItems(list);
    tk::SetText(field, "12");
    tk::SetRange(spin, 5, 9);
    tk::SetValue(spin, 7);
    tk::SetRange(bar, 1, 100, 10);
    tk::SetValue(bar, 50);
    tk::AppendLine(edit, "text");
    tk::EnableControl(check, false);
    EXPECT_TRUE(Drain().empty());
    EXPECT_FALSE(tk::IsChecked(first));  // the group keeps one choice
    EXPECT_TRUE(tk::IsChecked(second));
    EXPECT_EQ(tk::Value(spin), 7);
    EXPECT_EQ(tk::Text(field), "12");
}

TEST_F(Controls, ButtonClickIsALeftClick) {
    const auto button = Make(ControlKind::Button, 0, "Go");
    tk::simulate::Click(button);
    ExpectOneEvent(button, tk::SubKind::LeftClick);
}

TEST_F(Controls, CheckBoxAndToggleChangeOnceWithStateAlreadySet) {
    const auto check = Make(ControlKind::CheckBox);
    tk::simulate::Click(check);
    ExpectOneEvent(check, tk::SubKind::Other);
    EXPECT_TRUE(tk::IsChecked(check));
    const auto toggle = Make(ControlKind::ToggleButton);
    tk::simulate::Click(toggle);
    ExpectOneEvent(toggle, tk::SubKind::Other);
    EXPECT_TRUE(tk::IsChecked(toggle));
}

TEST_F(Controls, OptionGroupsAreSeparateAndReportTheChosenOne) {
    const auto a1 = Make(ControlKind::OptionButton, tk::FirstOfGroup);
    const auto a2 = Make(ControlKind::OptionButton);
    const auto b1 = Make(ControlKind::OptionButton, tk::FirstOfGroup);
    const auto b2 = Make(ControlKind::OptionButton);
    tk::SetChecked(a1, true);
    tk::SetChecked(b1, true);
    tk::simulate::Click(a2);
    ExpectOneEvent(a2, tk::SubKind::Other);
    EXPECT_FALSE(tk::IsChecked(a1));
    EXPECT_TRUE(tk::IsChecked(a2));
    EXPECT_TRUE(tk::IsChecked(b1));
    EXPECT_FALSE(tk::IsChecked(b2));
}

TEST_F(Controls, DropDownChoiceIsReportedOnce) {
    const auto list = Make(ControlKind::DropDown);
    for (const char* item : {"zero", "one", "two"}) tk::AddItem(list, item);
    EXPECT_EQ(tk::SelectedItem(list), 0);
    tk::simulate::ChooseItem(list, 2);
    ExpectOneEvent(list, tk::SubKind::Other);
    EXPECT_EQ(tk::SelectedItem(list), 2);
    EXPECT_EQ(tk::ItemText(list, 1), "one");
    EXPECT_EQ(tk::ItemCount(list), 3);
}

TEST_F(Controls, NumberFieldTakesDigitsOnly) {
    const auto field = Make(ControlKind::NumberField, 0, "");
    tk::simulate::TypeText(field, "4x2");
    EXPECT_EQ(tk::Text(field), "42");
    const auto events = Drain();
    ASSERT_EQ(tk::test::OfKind(events, tk::EventKind::Control).size(), 2u);
}

TEST_F(Controls, SpinStepsStayInRange) {
    const auto spin = Make(ControlKind::Spin);
    tk::SetRange(spin, 1, 3);
    tk::SetValue(spin, 2);
    tk::simulate::Step(spin, 1);
    ExpectOneEvent(spin, tk::SubKind::Other);
    tk::simulate::Step(spin, 1);  // already at the top
    EXPECT_TRUE(tk::test::OfKind(Drain(), tk::EventKind::Control).empty());
    EXPECT_EQ(tk::Value(spin), 3);
}

TEST_F(Controls, ScrollBarPositionLeavesRoomForAPage) {
    const auto bar = Make(ControlKind::HScrollBar);
    tk::SetRange(bar, 1, 100, 10);
    tk::SetValue(bar, 1000);
    EXPECT_EQ(tk::Value(bar), 91);
    tk::SetValue(bar, -5);
    EXPECT_EQ(tk::Value(bar), 1);
    tk::simulate::Step(bar, 1);
    ExpectOneEvent(bar, tk::SubKind::Other);
    EXPECT_EQ(tk::Value(bar), 2);
}

TEST_F(Controls, TextsTipsAndBackgroundsReadBack) {
    const auto wrapped = Make(ControlKind::Button, tk::MultiLine, "a long text that wraps");
    const auto label = Make(ControlKind::Label, tk::CenteredText | tk::Bordered, "old");
    const auto frame = Make(ControlKind::Frame, 0, "Caption");
    tk::SetText(label, "new");
    tk::SetText(wrapped, "other words");
    tk::SetText(frame, "Title");
    tk::SetToolTip(label, "tip");
    tk::SetBackground(label, tk::MakeRgb(1, 2, 3));
    EXPECT_EQ(tk::Text(label), "new");
    EXPECT_EQ(tk::Text(wrapped), "other words");
    EXPECT_EQ(tk::Text(frame), "Title");
    const auto check = Make(ControlKind::CheckBox, 0, "Load & save");
    EXPECT_EQ(tk::Text(check), "Load & save");
    tk::SetText(check, "a && b");
    EXPECT_EQ(tk::Text(check), "a && b");
    EXPECT_EQ(tk::ToolTip(label), "tip");
    EXPECT_EQ(tk::Background(label), tk::MakeRgb(1, 2, 3));
    EXPECT_EQ(tk::StyleOf(label), static_cast<unsigned>(tk::CenteredText | tk::Bordered));
    EXPECT_EQ(tk::KindOf(frame), ControlKind::Frame);
    EXPECT_EQ(tk::WindowOf(frame), window);
    const std::vector<tk::ControlId> expected{wrapped, label, frame, check};
    EXPECT_EQ(tk::Controls(window), expected);
}

TEST_F(Controls, LabelShowsItsBackgroundColour) {
    const auto label = tk::CreateControl(window, ControlKind::Label, 10, 10, 30, 70, "", tk::Bordered);
    tk::SetBackground(label, tk::MakeRgb(128, 255, 128));
    EXPECT_EQ(tk::simulate::ShownPixel(label, 15, 35), tk::MakeRgb(128, 255, 128));
    tk::SetBackground(label, tk::MakeRgb(0, 0, 0));
    EXPECT_EQ(tk::simulate::ShownPixel(label, 15, 35), tk::MakeRgb(0, 0, 0));
}

TEST_F(Controls, SpinValuesAreKeptInRange) {
    const auto spin = Make(ControlKind::Spin);
    tk::SetRange(spin, 1, 10);
    tk::SetValue(spin, 50);
    EXPECT_EQ(tk::Value(spin), 10);
    tk::SetValue(spin, -3);
    EXPECT_EQ(tk::Value(spin), 1);
}

TEST_F(Controls, FrameDoesNotSwallowClicksOfTheControlsItSurrounds) {
    const auto button = tk::CreateControl(window, ControlKind::Button, 20, 30, 80, 24, "In");
    tk::CreateControl(window, ControlKind::Frame, 10, 10, 200, 100, "Around");
    tk::simulate::Click(button);
    ExpectOneEvent(button, tk::SubKind::LeftClick);
}

TEST_F(Controls, TextLinesAreLogicalLines) {
    const auto edit = tk::CreateControl(window, ControlKind::TextEdit, 10, 10, 60, 60);
    EXPECT_EQ(tk::LineCount(edit), 0);
    const std::string longLine(200, 'w');
    tk::AppendLine(edit, "first");
    tk::AppendLine(edit, longLine);
    tk::AppendLine(edit, "");
    tk::AppendLine(edit, "last");
    EXPECT_EQ(tk::LineCount(edit), 4);
    EXPECT_EQ(tk::Line(edit, 1), longLine);
    EXPECT_EQ(tk::Line(edit, 2), "");
    EXPECT_EQ(tk::Line(edit, 3), "last");
    tk::ClearLines(edit);
    EXPECT_EQ(tk::LineCount(edit), 0);
    tk::AppendLine(edit, "");
    EXPECT_EQ(tk::LineCount(edit), 1);

    tk::SetLines(edit, {"one", "", "three"});
    EXPECT_EQ(tk::LineCount(edit), 3);
    EXPECT_EQ(tk::Line(edit, 2), "three");
    tk::SetLines(edit, {""});
    EXPECT_EQ(tk::LineCount(edit), 1);
    tk::SetLines(edit, {});
    EXPECT_EQ(tk::LineCount(edit), 0);
}

TEST_F(Controls, ControlsInAScrollAreaAreReportedAtTheirOwnPlace) {
    const auto area = tk::CreateControl(window, ControlKind::ScrollArea, 10, 10, 100, 100);
    tk::SetInnerSize(area, 400, 300);
    const auto inner = tk::CreateControl(window, ControlKind::Canvas, 0, 0, 400, 300, "", 0, area);
    EXPECT_EQ(tk::InnerSize(area).width, 400);
    EXPECT_EQ(tk::InnerSize(area).height, 300);
    EXPECT_EQ(tk::ControlRect(inner).width, 400);
    tk::simulate::SendMouse(inner, tk::simulate::Mouse::Move, 30, 40);
    const auto events = Drain();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].control, inner);
    EXPECT_EQ(events[0].mouseX, 30);
    EXPECT_EQ(events[0].mouseY, 40);
}

}  // namespace

namespace {

// Texts too wide for their controls shrink until they fit; texts that fit
// keep the full size, and a control whose text becomes short again gets it back.
TEST_F(Controls, TextsShrinkOnlyAsFarAsTheirControlsNeed) {
    struct Case {
        ControlKind kind;
        unsigned style;
        int width;
        int height;
        const char* text;
    };
    const Case cases[] = {
        {ControlKind::Label, 0, 40, 20, "PF1 - 10"},
        {ControlKind::Label, tk::Bordered, 40, 20, "PF1 - 10"},
        {ControlKind::Label, tk::CenteredText | tk::Bordered, 60, 20, "$7F (127)"},
        {ControlKind::Button, 0, 55, 25, "INVERSE"},
        {ControlKind::Button, tk::MultiLine, 60, 30, "Save range FNT"},
        {ControlKind::ToggleButton, 0, 50, 20, "Gr.2 wide"},
        {ControlKind::CheckBox, 0, 90, 20, "Always On Top"},
        {ControlKind::OptionButton, 0, 50, 20, "Normal"},
        {ControlKind::Frame, 0, 100, 60, " LMB         RMB"},
        {ControlKind::NumberField, 0, 20, 20, "127"},
    };
    const int full = tk::simulate::TextPixelSize(Make(ControlKind::Label, 0, "A"));
    for (const Case& c : cases) {
        const tk::ControlId control = tk::CreateControl(window, c.kind, 10, 10, c.width, c.height, c.text, c.style);
        EXPECT_TRUE(tk::simulate::TextFits(control)) << c.text;
        EXPECT_EQ(tk::Text(control), c.text);
        tk::SetText(control, "1");
        EXPECT_EQ(tk::simulate::TextPixelSize(control), full) << c.text;
        tk::SetText(control, c.text);
        const int fitted = tk::simulate::TextPixelSize(control);
        EXPECT_LE(fitted, full);
        // Given room, the text takes its full size again.
        if (fitted < full) {
            tk::MoveControl(control, 10, 10, c.width + 200, c.height);
            EXPECT_EQ(tk::simulate::TextPixelSize(control), full) << c.text;
        }
    }
    // Drop-down lists fit their widest item, as it is added.
    const tk::ControlId list = tk::CreateControl(window, ControlKind::DropDown, 10, 10, 40, 20);
    for (int i = 1; i <= 100; ++i) tk::AddItem(list, std::to_string(i));
    EXPECT_TRUE(tk::simulate::TextFits(list));
    EXPECT_LT(tk::simulate::TextPixelSize(list), full);
    tk::ClearItems(list);
    EXPECT_EQ(tk::simulate::TextPixelSize(list), full);
}

}  // namespace
