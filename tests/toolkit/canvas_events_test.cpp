#include <gtest/gtest.h>

#include <vector>

#include "toolkit/simulate/simulate.h"
#include "toolkit/toolkit.h"
#include "test_events.h"

namespace {

using tk::simulate::Mouse;
using tk::simulate::SendMouse;

using tk::test::Drain;

// The window system reports a change of position apart from a change of
// buttons, so the pointer is brought to its place first.
void PointAt(tk::ControlId canvas, int x, int y) {
    SendMouse(canvas, Mouse::Move, x, y);
    Drain();
}

class CanvasEvents : public ::testing::Test {
protected:
    void SetUp() override {
        window = tk::OpenWindow("Canvas", 10, 10, 300, 200, tk::TitleBar | tk::SystemMenu);
        canvas = tk::CreateControl(window, tk::ControlKind::Canvas, 20, 30, 104, 84, "", tk::Bordered);
        tk::simulate::Deliver();
        tk::DiscardEvents();
    }
    void TearDown() override {
        tk::CloseWindow(window);
        tk::DiscardEvents();
    }
    tk::WindowId window = 0;
    tk::ControlId canvas = 0;
};

TEST_F(CanvasEvents, BorderedSurfaceIsTheAreaInsideTheEdge) {
    EXPECT_EQ(tk::CanvasSurface(canvas).Width(), 100);
    EXPECT_EQ(tk::CanvasSurface(canvas).Height(), 80);
    const tk::Surface* before = &tk::CanvasSurface(canvas);
    tk::MoveControl(canvas, 20, 30, 54, 24);
    EXPECT_EQ(&tk::CanvasSurface(canvas), before);
    EXPECT_EQ(tk::CanvasSurface(canvas).Width(), 50);
    EXPECT_EQ(tk::CanvasSurface(canvas).Height(), 20);
}

TEST_F(CanvasEvents, PositionsAreInDrawingAreaPixels) {
    SendMouse(canvas, Mouse::Move, 12, 7);
    const auto events = Drain();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, tk::EventKind::Control);
    EXPECT_EQ(events[0].window, window);
    EXPECT_EQ(events[0].control, canvas);
    EXPECT_EQ(events[0].mouseX, 10);
    EXPECT_EQ(events[0].mouseY, 5);
    EXPECT_EQ(events[0].buttons, 0);
    EXPECT_EQ(events[0].subKind, tk::SubKind::Other);
}

TEST_F(CanvasEvents, TheFirstAndLastPixelsOfTheDrawingArea) {
    const tk::ControlId corner = tk::CreateControl(window, tk::ControlKind::Canvas, 0, 0, 10, 10);
    SendMouse(corner, Mouse::Move, 0, 0);
    SendMouse(canvas, Mouse::Move, 2, 2);
    SendMouse(canvas, Mouse::Move, 101, 81);
    const auto events = Drain();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].control, corner);
    EXPECT_EQ(events[0].mouseX, 0);
    EXPECT_EQ(events[0].mouseY, 0);
    EXPECT_EQ(events[1].mouseX, 0);
    EXPECT_EQ(events[1].mouseY, 0);
    EXPECT_EQ(events[2].mouseX, 99);
    EXPECT_EQ(events[2].mouseY, 79);
}

TEST_F(CanvasEvents, LeftClickComesOnlyWithTheReleaseAfterAPress) {
    PointAt(canvas, 30, 40);
    SendMouse(canvas, Mouse::Press, 30, 40, tk::ButtonLeft);
    SendMouse(canvas, Mouse::Move, 31, 40);
    SendMouse(canvas, Mouse::Release, 31, 40, tk::ButtonLeft);
    const auto events = Drain();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].subKind, tk::SubKind::Other);
    EXPECT_EQ(events[0].buttons, tk::ButtonLeft);
    EXPECT_EQ(events[1].subKind, tk::SubKind::Other);
    EXPECT_EQ(events[1].buttons, tk::ButtonLeft);
    EXPECT_EQ(events[2].subKind, tk::SubKind::LeftClick);
    EXPECT_EQ(events[2].buttons, 0);
    EXPECT_EQ(events[2].mouseX, 29);
}

TEST_F(CanvasEvents, ButtonsHeldCombineAndRightClickIsReported) {
    PointAt(canvas, 10, 10);
    SendMouse(canvas, Mouse::Press, 10, 10, tk::ButtonRight);
    SendMouse(canvas, Mouse::Press, 10, 10, tk::ButtonMiddle);
    SendMouse(canvas, Mouse::Press, 10, 10, tk::ButtonLeft);
    SendMouse(canvas, Mouse::Release, 10, 10, tk::ButtonRight);
    SendMouse(canvas, Mouse::Release, 10, 10, tk::ButtonMiddle);
    SendMouse(canvas, Mouse::Release, 10, 10, tk::ButtonLeft);
    const auto events = Drain();
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[0].buttons, tk::ButtonRight);
    EXPECT_EQ(events[1].buttons, tk::ButtonRight | tk::ButtonMiddle);
    EXPECT_EQ(events[2].buttons, tk::ButtonLeft | tk::ButtonRight | tk::ButtonMiddle);
    EXPECT_EQ(events[3].subKind, tk::SubKind::RightClick);
    EXPECT_EQ(events[3].buttons, tk::ButtonLeft | tk::ButtonMiddle);
    EXPECT_EQ(events[4].subKind, tk::SubKind::Other);
    EXPECT_EQ(events[4].buttons, tk::ButtonLeft);
    EXPECT_EQ(events[5].subKind, tk::SubKind::LeftClick);
    EXPECT_EQ(events[5].buttons, 0);
}

TEST_F(CanvasEvents, DoubleClickIsTwoLeftClicks) {
    PointAt(canvas, 8, 8);
    tk::simulate::DoubleClick(canvas, 8, 8);
    int clicks = 0;
    for (const tk::Event& e : Drain()) {
        EXPECT_EQ(e.mouseX, 6);
        clicks += e.subKind == tk::SubKind::LeftClick ? 1 : 0;
    }
    EXPECT_EQ(clicks, 2);
}

TEST_F(CanvasEvents, ReleaseOutsideStillBelongsToTheCanvasThatHadThePress) {
    const tk::ControlId other = tk::CreateControl(window, tk::ControlKind::Canvas, 150, 30, 50, 50);
    PointAt(other, 5, 5);
    SendMouse(other, Mouse::Press, 5, 5, tk::ButtonLeft);
    SendMouse(canvas, Mouse::Move, 6, 6);
    SendMouse(canvas, Mouse::Release, 6, 6, tk::ButtonLeft);
    const auto events = Drain();
    ASSERT_EQ(events.size(), 3u);
    for (const tk::Event& e : events) EXPECT_EQ(e.control, other);
    EXPECT_EQ(events[1].mouseX, 6 + 20 - 150);  // no border on this one
    EXPECT_EQ(events[1].buttons, tk::ButtonLeft);
    EXPECT_EQ(events[2].subKind, tk::SubKind::LeftClick);
}

}  // namespace

namespace {

TEST(CanvasDisplay, ShowsTheSurfaceInsideItsBorderInTrueColours) {
    const tk::WindowId window = tk::OpenWindow("Display", 0, 0, 100, 100, tk::TitleBar);
    const tk::ControlId canvas = tk::CreateControl(window, tk::ControlKind::Canvas, 5, 5, 24, 14, "", tk::Bordered);
    tk::Surface& surface = tk::CanvasSurface(canvas);
    surface.FillBox(0, 0, 20, 10, tk::MakeRgb(10, 20, 30));
    surface.Plot(0, 0, tk::MakeRgb(250, 128, 1));
    surface.Plot(19, 9, tk::MakeRgb(0, 0, 255));
    tk::Refresh(canvas);
    EXPECT_EQ(tk::simulate::ShownPixel(canvas, 2, 2), tk::MakeRgb(250, 128, 1));
    EXPECT_EQ(tk::simulate::ShownPixel(canvas, 21, 11), tk::MakeRgb(0, 0, 255));
    EXPECT_EQ(tk::simulate::ShownPixel(canvas, 10, 6), tk::MakeRgb(10, 20, 30));
    EXPECT_NE(tk::simulate::ShownPixel(canvas, 1, 1), tk::MakeRgb(250, 128, 1));  // the edge
    tk::CloseWindow(window);
}

}  // namespace

namespace {

int Mismatches(const tk::Surface& shown, const tk::Rect& part, const tk::Surface& drawn) {
    int wrong = 0;
    for (int y = 0; y < part.height; ++y) {
        for (int x = 0; x < part.width; ++x) wrong += shown.Pixel(x, y) != drawn.Pixel(part.x + x, part.y + y);
    }
    return wrong;
}

// Refresh shows what changed and only that: a change taken away from the
// surface's record is not repainted, so the screen keeps the old pixels there.
TEST(CanvasDisplay, RefreshRepaintsWhatChangedOnly) {
    const tk::WindowId window = tk::OpenWindow("Display", 0, 0, 200, 150, tk::TitleBar);
    const tk::ControlId canvas = tk::CreateControl(window, tk::ControlKind::Canvas, 5, 5, 104, 84, "", tk::Bordered);
    tk::Surface& surface = tk::CanvasSurface(canvas);
    surface.FillBox(0, 0, 100, 80, tk::MakeRgb(200, 0, 0));
    tk::Refresh(canvas);
    tk::Rect part;
    tk::Surface shown = tk::simulate::ShownCanvas(canvas, part);
    EXPECT_EQ(part.x, 0);
    EXPECT_EQ(part.width, 100);
    EXPECT_EQ(part.height, 80);
    EXPECT_EQ(Mismatches(shown, part, surface), 0);

    surface.FillBox(40, 40, 5, 5, tk::MakeRgb(0, 0, 200));
    surface.TakeChanged();
    surface.Plot(2, 3, tk::MakeRgb(0, 200, 0));  // far apart: the box lies between them
    surface.Plot(90, 75, tk::MakeRgb(0, 200, 0));
    tk::Refresh(canvas);
    shown = tk::simulate::ShownCanvas(canvas, part);
    EXPECT_EQ(shown.Pixel(2, 3), tk::MakeRgb(0, 200, 0));
    EXPECT_EQ(shown.Pixel(90, 75), tk::MakeRgb(0, 200, 0));
    EXPECT_EQ(shown.Pixel(42, 42), tk::MakeRgb(200, 0, 0));
    EXPECT_EQ(Mismatches(shown, part, surface), 25);
    tk::CloseWindow(window);
}

// In a scroll area the screen shows the part of the canvas scrolled to.
TEST(CanvasDisplay, ShownPartOfACanvasInAScrollArea) {
    const tk::WindowId window = tk::OpenWindow("Display", 0, 0, 300, 200, tk::TitleBar);
    const tk::ControlId area = tk::CreateControl(window, tk::ControlKind::ScrollArea, 10, 10, 200, 150);
    tk::SetInnerSize(area, 600, 400);
    const tk::ControlId canvas = tk::CreateControl(window, tk::ControlKind::Canvas, 0, 0, 600, 400, "", 0, area);
    tk::Surface& surface = tk::CanvasSurface(canvas);
    for (int y = 0; y < 400; y += 10) surface.FillBox(0, y, 600, 5, tk::MakeRgb(y / 2, 100, 0));
    tk::Refresh(canvas);
    tk::Rect part;
    const tk::Surface shown = tk::simulate::ShownCanvas(canvas, part);
    EXPECT_EQ(part.x, 0);
    EXPECT_EQ(part.y, 0);
    EXPECT_GT(part.width, 100);
    EXPECT_LT(part.width, 200);
    EXPECT_LT(part.height, 150);
    EXPECT_EQ(Mismatches(shown, part, surface), 0);
    tk::CloseWindow(window);
}

}  // namespace
