#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "test_events.h"
#include "toolkit/simulate/simulate.h"
#include "toolkit/toolkit.h"

namespace {

using tk::test::Drain;

constexpr unsigned kPlain = tk::TitleBar | tk::SystemMenu;

struct OpenedWindow {
    explicit OpenedWindow(unsigned features, int width = 200, int height = 100)
        : id(tk::OpenWindow("Window", 40, 50, width, height, features)) {
        tk::simulate::Deliver();
        tk::DiscardEvents();
    }
    ~OpenedWindow() {
        tk::CloseWindow(id);
        tk::DiscardEvents();
    }
    tk::WindowId id;
};

TEST(Windows, CloseBoxAsksAndOnlyCloseWindowCloses) {
    OpenedWindow w(kPlain);
    tk::simulate::PressCloseBox(w.id);
    const auto events = Drain();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, tk::EventKind::CloseRequest);
    EXPECT_EQ(events[0].window, w.id);
    EXPECT_TRUE(tk::WindowExists(w.id));
    tk::CloseWindow(w.id);
    EXPECT_FALSE(tk::WindowExists(w.id));
}

TEST(Windows, PositionSizeAndTitle) {
    OpenedWindow w(kPlain, 220, 130);
    EXPECT_EQ(tk::WindowX(w.id), 40);
    EXPECT_EQ(tk::WindowY(w.id), 50);
    EXPECT_EQ(tk::WindowWidth(w.id), 220);
    EXPECT_EQ(tk::WindowHeight(w.id), 130);
    tk::SetWindowTitle(w.id, "View Editor  (X: 1)");
    EXPECT_EQ(tk::WindowTitle(w.id), "View Editor  (X: 1)");
    tk::ResizeWindow(w.id, 300, 90);
    EXPECT_EQ(tk::WindowWidth(w.id), 300);
    EXPECT_EQ(tk::WindowHeight(w.id), 90);
    EXPECT_TRUE(Drain().empty());  // the program's own resize is no news to it
}

TEST(Windows, MenuBarAddedLaterKeepsTheInnerAreaAndStatusFieldsKeepTheirWidths) {
    OpenedWindow w(kPlain, 300, 200);
    tk::CreateMenuBar(w.id);
    tk::AddMenu(w.id, "Font");
    tk::AddMenuItem(w.id, 1, "Load");
    tk::CreateStatusBar(w.id);
    tk::AddStatusField(w.id, 120);
    tk::AddStatusField(w.id, 60);
    tk::SetStatusText(w.id, 1, "$41 (65)");
    EXPECT_EQ(tk::WindowHeight(w.id), 200);
    EXPECT_EQ(tk::StatusText(w.id, 1), "$41 (65)");
    EXPECT_EQ(tk::StatusText(w.id, 5), "");
    EXPECT_EQ(tk::StatusFieldWidths(w.id), (std::vector<int>{120, 60}));
}

TEST(Windows, StatusBarCoversTheBottomOfTheInnerAreaBelowTheMenuBar) {
    OpenedWindow w(kPlain, 200, 150);
    const tk::ControlId canvas = tk::CreateControl(w.id, tk::ControlKind::Canvas, 0, 0, 200, 150);
    tk::CanvasSurface(canvas).FillBox(0, 0, 200, 150, tk::MakeRgb(255, 0, 0));
    tk::CreateMenuBar(w.id);
    tk::AddMenu(w.id, "File");
    tk::CreateStatusBar(w.id);
    tk::AddStatusField(w.id, 100);
    const tk::Surface picture = tk::simulate::WindowPicture(w.id);
    ASSERT_GT(picture.Height(), 150);
    const int menuHeight = picture.Height() - 150;
    EXPECT_NE(picture.Pixel(100, menuHeight - 1), tk::MakeRgb(255, 0, 0));
    EXPECT_EQ(picture.Pixel(100, menuHeight), tk::MakeRgb(255, 0, 0));
    EXPECT_EQ(picture.Pixel(100, menuHeight + 120), tk::MakeRgb(255, 0, 0));
    EXPECT_NE(picture.Pixel(100, picture.Height() - 1), tk::MakeRgb(255, 0, 0));
}

TEST(Windows, UserResizeOfASizableWindowIsReported) {
    OpenedWindow w(kPlain | tk::Sizable, 200, 100);
    tk::SetWindowMinSize(w.id, 100, 50);
    tk::simulate::ResizeByUser(w.id, 260, 140);
    const auto events = Drain();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, tk::EventKind::Control);
    EXPECT_EQ(events[0].control, 0);
    EXPECT_EQ(events[0].window, w.id);
    EXPECT_EQ(tk::WindowWidth(w.id), 260);
    EXPECT_EQ(tk::WindowHeight(w.id), 140);
}

TEST(Windows, UserResizeStaysWithinTheLimitsOfTheInnerArea) {
    OpenedWindow w(kPlain | tk::Sizable, 200, 100);
    tk::CreateMenuBar(w.id);
    tk::AddMenu(w.id, "File");
    tk::SetWindowMinSize(w.id, 150, 80);
    tk::SetWindowMaxSize(w.id, 400, 300);
    tk::simulate::ResizeByUser(w.id, 10, 10);
    EXPECT_EQ(tk::WindowWidth(w.id), 150);
    EXPECT_EQ(tk::WindowHeight(w.id), 80);
    tk::simulate::ResizeByUser(w.id, 1000, 1000);
    EXPECT_EQ(tk::WindowWidth(w.id), 400);
    EXPECT_EQ(tk::WindowHeight(w.id), 300);
}

TEST(Windows, CentredWindowIgnoresThePositionGiven) {
    OpenedWindow w(kPlain | tk::Centered | tk::OnTop, 100, 80);
    EXPECT_NE(tk::WindowX(w.id), 40);
    EXPECT_EQ(tk::WindowFeatures(w.id) & tk::OnTop, static_cast<unsigned>(tk::OnTop));
    tk::SetWindowOnTop(w.id, false);
    EXPECT_EQ(tk::WindowFeatures(w.id) & tk::OnTop, 0u);
    EXPECT_TRUE(tk::WindowExists(w.id));
}

// A window opens complete: the window system first sees it when its code
// waits for events, with menu bar, controls and final size in place.
TEST(Windows, WindowShowsOnlyWhenBuiltAtItsPlaceAndSize) {
    for (unsigned features : {kPlain | tk::Sizable, kPlain | tk::Centered}) {
        const tk::WindowId id = tk::OpenWindow("Late menu", 40, 50, 200, 100, features);
        tk::CreateMenuBar(id);
        tk::AddMenu(id, "File");
        tk::AddMenuItem(id, 1, "Exit");
        tk::CreateControl(id, tk::ControlKind::Button, 10, 10, 60, 20, "Go");
        tk::SetWindowOnTop(id, true);
        EXPECT_FALSE(tk::simulate::IsShown(id));
        const int x = tk::WindowX(id);
        const int y = tk::WindowY(id);
        tk::PollEvent();
        EXPECT_TRUE(tk::simulate::IsShown(id));
        EXPECT_EQ(tk::WindowX(id), x);
        EXPECT_EQ(tk::WindowY(id), y);
        EXPECT_EQ(tk::WindowWidth(id), 200);
        EXPECT_EQ(tk::WindowHeight(id), 100);
        if (features & tk::Centered) {
            // Centred with the menu bar counted, as it opens.
            const tk::Surface whole = tk::simulate::WindowPicture(id);
            const tk::Rect screen = tk::simulate::ScreenArea();
            EXPECT_EQ(y, screen.y + (screen.height - whole.Height()) / 2);
            EXPECT_GT(whole.Height(), 100);
        } else {
            EXPECT_EQ(x, 40);
            EXPECT_EQ(y, 50);
        }
        tk::CloseWindow(id);
    }
    tk::DiscardEvents();
}

TEST(Windows, DisabledWindowTakesNoClicks) {
    OpenedWindow w(kPlain);
    const tk::ControlId button = tk::CreateControl(w.id, tk::ControlKind::Button, 10, 10, 60, 24, "Go");
    tk::EnableWindow(w.id, false);
    EXPECT_FALSE(tk::WindowEnabled(w.id));
    tk::simulate::Click(button);
    EXPECT_TRUE(Drain().empty());
    tk::EnableWindow(w.id, true);
    tk::simulate::Click(button);
    EXPECT_EQ(Drain().size(), 1u);
}

TEST(Windows, TimerTicksCarryTheirNumberUntilStopped) {
    OpenedWindow w(kPlain);
    tk::StartTimer(w.id, 125, 5);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const tk::Event tick = tk::WaitEvent();
    EXPECT_EQ(tick.kind, tk::EventKind::Timer);
    EXPECT_EQ(tick.timer, 125);
    EXPECT_EQ(tick.window, w.id);
    tk::StopTimer(w.id, 125);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    for (const tk::Event& e : Drain()) EXPECT_NE(e.kind, tk::EventKind::Timer);
}

TEST(Windows, TicksOfABusyProgramDoNotPileUp) {
    OpenedWindow w(kPlain);
    tk::StartTimer(w.id, 3, 1);
    for (int i = 0; i < 5; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        tk::simulate::Deliver();
    }
    tk::StopTimer(w.id, 3);
    EXPECT_EQ(tk::test::OfKind(Drain(), tk::EventKind::Timer).size(), 1u);
}

TEST(Windows, ScriptedWaitWithNothingQueuedClosesTheNewestWindow) {
    OpenedWindow older(kPlain);
    OpenedWindow newer(kPlain);
    tk::Event e = tk::WaitEvent();
    EXPECT_EQ(e.kind, tk::EventKind::CloseRequest);
    EXPECT_EQ(e.window, newer.id);
    tk::CloseWindow(newer.id);
    e = tk::WaitEvent();
    EXPECT_EQ(e.window, older.id);
}

TEST(Windows, WaitForAWindowDropsTheOthersEvents) {
    OpenedWindow main(kPlain);
    OpenedWindow dialog(kPlain);
    tk::Event timer;
    timer.kind = tk::EventKind::Timer;
    timer.window = main.id;
    tk::Event click;
    click.kind = tk::EventKind::Control;
    click.window = dialog.id;
    click.control = 99;
    tk::PostEvent(timer);
    tk::PostEvent(click);
    tk::PostEvent(timer);
    const tk::Event e = tk::WaitEventFor(dialog.id);
    EXPECT_EQ(e.control, 99);
    const tk::Event after = tk::WaitEventFor(dialog.id);
    EXPECT_EQ(after.kind, tk::EventKind::CloseRequest);
    EXPECT_EQ(after.window, dialog.id);
}

TEST(Windows, OpenedHookCanScriptTheNewWindow) {
    std::vector<tk::WindowId> seen;
    tk::SetWindowOpenedHook([&seen](tk::WindowId id) {
        seen.push_back(id);
        tk::Event e;
        e.kind = tk::EventKind::MenuItem;
        e.window = id;
        e.menuItem = 7;
        tk::PostEvent(e);
    });
    OpenedWindow w(kPlain);
    const tk::WindowId dialog = tk::OpenWindow("Dialog", 0, 0, 50, 50, kPlain);
    tk::CreateControl(dialog, tk::ControlKind::Button, 0, 0, 10, 10, "OK");
    EXPECT_TRUE(seen.empty());  // not before the opener waits, so its controls exist
    EXPECT_EQ(tk::WaitEventFor(dialog).menuItem, 7);
    tk::SetWindowOpenedHook({});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1], dialog);
    tk::CloseWindow(dialog);
}

TEST(Windows, StaleIdsAreHarmless) {
    auto* w = new OpenedWindow(kPlain);
    const tk::WindowId gone = w->id;
    const tk::ControlId canvas = tk::CreateControl(gone, tk::ControlKind::Canvas, 0, 0, 20, 20);
    delete w;
    tk::SetText(canvas, "x");
    tk::CanvasSurface(canvas).FillBox(0, 0, 50, 50, tk::MakeRgb(1, 1, 1));
    tk::Refresh(canvas);
    EXPECT_EQ(tk::CanvasSurface(canvas).Width(), 0);
    EXPECT_EQ(tk::Text(canvas), "");
    EXPECT_FALSE(tk::IsChecked(canvas));
    tk::SetWindowTitle(gone, "nobody");
    tk::StartTimer(gone, 1, 1);
    EXPECT_EQ(tk::CreateControl(gone, tk::ControlKind::Button, 0, 0, 5, 5), 0);
    EXPECT_TRUE(tk::Controls(gone).empty());
    EXPECT_FALSE(tk::WindowExists(gone));
}

TEST(Windows, ClosingAWindowDropsItsQueuedEvents) {
    auto* w = new OpenedWindow(kPlain);
    tk::Event e;
    e.kind = tk::EventKind::Timer;
    e.window = w->id;
    tk::PostEvent(e);
    delete w;
    EXPECT_EQ(tk::PollEvent().kind, tk::EventKind::None);
}

}  // namespace
