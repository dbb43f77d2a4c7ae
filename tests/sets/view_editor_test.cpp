#include "app/main_event_handler.h"
#include "app/main_loop.h"
#include "charedit/font_sheet.h"
#include "sets/view_editor.h"
#include "core/view_format.h"
#include "support/editor_fixture.h"
#include "toolkit/simulate/simulate.h"

namespace qm {
namespace {

constexpr Rgb kWhite = tk::MakeRgb(255, 255, 255);
constexpr Rgb kGrid = tk::MakeRgb(48, 48, 48);
constexpr Rgb kBlack = 0;

class ViewEditorTest : public test::EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        OpenViewEditor(s);
        ASSERT_TRUE(s.ViewEditorOpen);
    }
    bool Send(const tk::Event& e) { return ViewEditorEventHandler(s, e); }
    bool Menu(int item) {
        tk::Event e;
        e.kind = tk::EventKind::MenuItem;
        e.window = s.viewUi.window;
        e.menuItem = item;
        return Send(e);
    }
    void Mouse(int x, int y, int buttons) { Send(CanvasEvent(s.viewUi.canvas, x, y, buttons)); }
    Rgb Pixel(int x, int y) const { return tk::CanvasSurface(s.viewUi.canvas).Pixel(x, y); }
    // A set whose cell i holds character 10 + i.
    void FillSet() {
        for (int i = 0; i < kSetCells; ++i) s.Set().cells[i] = 10 + i;
    }
    int Cell(int x, int y) const { return s.doc.ViewScreen[y][x]; }
    int CountFilled() const {
        int n = 0;
        for (const auto& row : s.doc.ViewScreen) n += static_cast<int>(std::count_if(row.begin(), row.end(), [](int c) { return c != kEmptyCell; }));
        return n;
    }
};

TEST_F(ViewEditorTest, OpensWithItsWindowMenusAndControls) {
    const tk::WindowId w = s.viewUi.window;
    EXPECT_EQ(tk::WindowTitle(w), "View Editor");
    EXPECT_EQ(tk::WindowWidth(w), 530);
    EXPECT_EQ(tk::WindowHeight(w), 470);
    EXPECT_TRUE(tk::WindowFeatures(w) & tk::Sizable);
    EXPECT_EQ(tk::WindowX(w), tk::WindowX(s.ui.window) + 100);
    std::vector<std::string> items;
    for (const tk::MenuEntry& e : tk::MenuEntries(w)) items.push_back(e.menu + "/" + std::to_string(e.number) + " " + e.text);
    EXPECT_EQ(items, (std::vector<std::string>{
                         "File/10000 Load View...", "File/10001 Save View...", "File/10002 Export View...",
                         "File/10003 Exit", "Options/10004 Clear", "Options/10008 Fill char",
                         "Options/10005 Grid On/Off", "Options/10006 Set draw", "Options/10007 Always On Top"}));
    EXPECT_EQ(tk::Text(s.viewUi.saveView), "Save View");
    EXPECT_EQ(tk::Text(s.viewUi.setDrawBox), "Set draw");
    EXPECT_EQ(tk::Text(s.viewUi.gr2), "Gr.2");
    EXPECT_FALSE(tk::IsChecked(s.viewUi.gridBox));

    OpenViewEditor(s);
    EXPECT_EQ(s.viewUi.window, w) << "a second press opens nothing";
}

TEST_F(ViewEditorTest, AFreshScreenIsBlackWithTheOutlineOfTheDefaultRegion) {
    EXPECT_EQ(Pixel(0, 0), kWhite);
    EXPECT_EQ(Pixel(63, 0), kWhite);
    EXPECT_EQ(Pixel(64, 63), kWhite);
    EXPECT_EQ(Pixel(0, 64), kWhite);
    EXPECT_EQ(Pixel(64, 64), kBlack) << "the outline leaves its far corner open";
    EXPECT_EQ(Pixel(5, 5), kBlack);
    EXPECT_EQ(Pixel(16, 100), kBlack) << "no grid by default";
    EXPECT_EQ(Pixel(959, 639), kBlack);
}

TEST_F(ViewEditorTest, TheGridAndAnInvalidRegion) {
    Menu(10005);
    EXPECT_EQ(s.ViewGrid, kOn);
    EXPECT_TRUE(tk::IsChecked(s.viewUi.gridBox));
    EXPECT_EQ(Pixel(16, 100), kGrid);
    EXPECT_EQ(Pixel(100, 624), kGrid);
    EXPECT_EQ(Pixel(101, 101), kBlack);
    EXPECT_EQ(Pixel(0, 16), kWhite) << "the outline lies over the grid";

    s.ExportRegion = Region{50, 0, 10, 4};
    tk::SetChecked(s.viewUi.gridBox, false);
    Send(ControlEvent(s.viewUi.gridBox));
    EXPECT_EQ(s.ViewGrid, kOff);
    EXPECT_EQ(Pixel(800, 0), kBlack);
    EXPECT_EQ(Pixel(0, 0), kBlack);
    EXPECT_EQ(Pixel(16, 100), kBlack);
}

TEST_F(ViewEditorTest, PlacingUsesTheCellLeftOfAnEdge) {
    s.SheetChar = 33;
    Mouse(64, 40, tk::ButtonLeft);
    EXPECT_EQ(Cell(3, 2), 33);
    EXPECT_EQ(CountFilled(), 1);
    EXPECT_EQ(tk::WindowTitle(s.viewUi.window), "View Editor  (X: 3, Y: 2)");
    // 'A' of the standard set: row 2 is 0x3C, so pixel (2, 2) is set.
    EXPECT_EQ(Pixel(48 + 4, 32 + 4), s.doc.RegisterRgb[LUM]);
    EXPECT_EQ(Pixel(48, 32 + 4), s.doc.RegisterRgb[BAK]);
    Mouse(961, 10, tk::ButtonLeft);
    EXPECT_EQ(CountFilled(), 1) << "beyond the screen nothing is placed";
    EXPECT_EQ(tk::WindowTitle(s.viewUi.window), "View Editor  (X: 3, Y: 2)");
    Mouse(64, 40, tk::ButtonRight);
    EXPECT_EQ(Cell(3, 2), kEmptyCell);
}

TEST_F(ViewEditorTest, StampingAtTheEdgesDropsWhatDoesNotFit) {
    FillSet();
    s.Set().cells[6] = kEmptyCell;
    s.SetDraw = kOn;
    s.doc.ViewScreen[11][59] = 99;
    Mouse(58 * 16 + 5, 10 * 16 + 5, tk::ButtonLeft);
    for (int r = 0; r < 5; ++r) {
        EXPECT_EQ(Cell(58, 10 + r), 10 + 5 * r);
        if (r != 1) {
            EXPECT_EQ(Cell(59, 10 + r), 11 + 5 * r);
        }
    }
    EXPECT_EQ(Cell(59, 11), 99) << "an empty set cell leaves the screen as it was";
    EXPECT_EQ(CountFilled(), 10);

    for (auto& row : s.doc.ViewScreen) row.fill(kEmptyCell);
    s.Set().cells[6] = 16;
    Mouse(5, 38 * 16 + 5, tk::ButtonLeft);
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(Cell(c, 38), 10 + c);
        EXPECT_EQ(Cell(c, 39), 15 + c);
    }
    EXPECT_EQ(CountFilled(), 10);
}

TEST_F(ViewEditorTest, RightClickInSetDrawModeEmptiesOneCell) {
    FillSet();
    s.SetDraw = kOn;
    Mouse(5, 5, tk::ButtonLeft);
    ASSERT_EQ(CountFilled(), 25);
    Mouse(2 * 16 + 5, 2 * 16 + 5, tk::ButtonRight);
    EXPECT_EQ(Cell(2, 2), kEmptyCell);
    EXPECT_EQ(CountFilled(), 24);
}

TEST_F(ViewEditorTest, TheSetFollowsThePointerWithoutChangingTheScreen) {
    std::fill_n(s.Slot().Char(10), 64, std::uint8_t{1});
    s.Set().cells[0] = 10;
    tk::SetChecked(s.viewUi.setDrawBox, true);
    Send(ControlEvent(s.viewUi.setDrawBox));
    ASSERT_EQ(s.SetDraw, kOn);
    Mouse(5 * 16 + 3, 7 * 16 + 3, 0);
    EXPECT_EQ(Pixel(5 * 16 + 8, 7 * 16 + 8), s.doc.RegisterRgb[LUM]);
    EXPECT_EQ(CountFilled(), 0);
    Mouse(6 * 16 + 3, 7 * 16 + 3, 0);
    EXPECT_EQ(Pixel(5 * 16 + 8, 7 * 16 + 8), kBlack) << "the preview moves with the pointer";
    EXPECT_EQ(tk::WindowTitle(s.viewUi.window), "View Editor  (X: 6, Y: 7)");
}

TEST_F(ViewEditorTest, ClearFillAndEditsShowAtOnce) {
    s.CurrentChar = 5;
    Menu(10008);
    EXPECT_EQ(CountFilled(), 2400);
    EXPECT_EQ(Cell(59, 39), 5);
    std::fill_n(s.Slot().Char(5), 64, std::uint8_t{1});
    RedrawAll(s);
    EXPECT_EQ(Pixel(959 - 2, 639 - 2), s.doc.RegisterRgb[LUM]);
    Send(ControlEvent(s.viewUi.clear));
    EXPECT_EQ(CountFilled(), 0);
    Menu(10008);
    s.CurrentChar = kEmptyCell;
    Menu(10008);
    EXPECT_EQ(CountFilled(), 0) << "fill without a character empties the screen";
}

TEST_F(ViewEditorTest, MenuTogglesAndBoxesAgree) {
    Menu(10006);
    EXPECT_EQ(s.SetDraw, kOn);
    EXPECT_TRUE(tk::IsChecked(s.viewUi.setDrawBox));
    Menu(10006);
    EXPECT_EQ(s.SetDraw, kOff);
    Menu(10007);
    EXPECT_EQ(s.ViewOnTop, kOn);
    EXPECT_TRUE(tk::IsChecked(s.viewUi.onTopBox));
    EXPECT_TRUE(tk::WindowFeatures(s.viewUi.window) & tk::OnTop);
    tk::SetChecked(s.viewUi.onTopBox, false);
    Send(ControlEvent(s.viewUi.onTopBox));
    EXPECT_EQ(s.ViewOnTop, kOff);
    EXPECT_FALSE(tk::WindowFeatures(s.viewUi.window) & tk::OnTop);

    tk::DiscardEvents();
    tk::simulate::Click(s.viewUi.gridBox);
    for (tk::Event e = tk::PollEvent(); e.kind != tk::EventKind::None; e = tk::PollEvent()) DispatchEvent(s, e);
    EXPECT_EQ(s.ViewGrid, kOn);
    EXPECT_EQ(Pixel(16, 100), kGrid);
}

TEST_F(ViewEditorTest, ExitClosesTheExportWindowAndReopeningRestoresTheFlags) {
    Menu(10005);
    Menu(10002);
    const tk::WindowId exportWindow = s.exportUi.window;
    ASSERT_TRUE(tk::WindowExists(exportWindow));
    EXPECT_EQ(tk::WindowTitle(exportWindow), "Export View to bin or chars:");
    Menu(10002);
    EXPECT_EQ(s.exportUi.window, exportWindow) << "one export window at a time";

    EXPECT_FALSE(Menu(10003));
    EXPECT_FALSE(s.ViewEditorOpen);
    EXPECT_FALSE(tk::WindowExists(exportWindow));
    tk::CloseWindow(s.viewUi.window);
    RedrawAll(s);  // the closed editor is not drawn

    OpenViewEditor(s);
    EXPECT_TRUE(s.ViewEditorOpen);
    EXPECT_TRUE(tk::IsChecked(s.viewUi.gridBox));
    EXPECT_EQ(Pixel(16, 100), kGrid);
}

TEST_F(ViewEditorTest, TheCloseBoxClosesBothWindowsThroughTheMainLoop) {
    Menu(10002);
    const tk::WindowId exportWindow = s.exportUi.window;
    const tk::WindowId viewWindow = s.viewUi.window;
    tk::Event close;
    close.kind = tk::EventKind::CloseRequest;
    close.window = viewWindow;
    DispatchEvent(s, close);
    EXPECT_FALSE(tk::WindowExists(viewWindow));
    EXPECT_FALSE(tk::WindowExists(exportWindow));
    EXPECT_FALSE(s.ViewEditorOpen);
}

TEST_F(ViewEditorTest, EveryCellCanBeReachedAndTheLayoutFollowsTheWindow) {
    EXPECT_EQ(tk::CanvasSurface(s.viewUi.canvas).Width(), 960);
    EXPECT_EQ(tk::CanvasSurface(s.viewUi.canvas).Height(), 640);
    const tk::Rect area = tk::ControlRect(s.viewUi.canvasArea);
    EXPECT_EQ(area.width, 512);
    EXPECT_EQ(area.height, 384);
    EXPECT_EQ(tk::InnerSize(s.viewUi.canvasArea).width, 960);
    EXPECT_EQ(tk::InnerSize(s.viewUi.canvasArea).height, 640);
    s.SheetChar = 7;
    Mouse(959, 639, tk::ButtonLeft);
    EXPECT_EQ(Cell(59, 39), 7);

    tk::ResizeWindow(s.viewUi.window, 984, 700);
    tk::Event resized;
    resized.kind = tk::EventKind::Control;
    resized.window = s.viewUi.window;
    resized.control = 0;
    Send(resized);
    const tk::Rect grown = tk::ControlRect(s.viewUi.canvasArea);
    EXPECT_EQ(grown.x, 10);
    EXPECT_EQ(grown.width, 964);
    EXPECT_EQ(grown.height, 620);
    const tk::Rect save = tk::ControlRect(s.viewUi.saveView);
    EXPECT_EQ(save.x, 884);
    EXPECT_EQ(save.y, 655);
    EXPECT_EQ(tk::ControlRect(s.viewUi.clear).x, 684);
    EXPECT_EQ(tk::ControlRect(s.viewUi.onTopBox).x, 130);
    EXPECT_EQ(tk::ControlRect(s.viewUi.onTopBox).y, 655);
}

TEST_F(ViewEditorTest, ScrollingBringsTheLastCellUnderTheMouse) {
    s.SheetChar = 7;
    auto pressAtLastCell = [&] {
        tk::DiscardEvents();
        tk::simulate::SendMouse(s.viewUi.canvas, tk::simulate::Mouse::Press, 959, 639, tk::ButtonLeft);
        tk::simulate::SendMouse(s.viewUi.canvas, tk::simulate::Mouse::Release, 959, 639, tk::ButtonLeft);
        for (tk::Event e = tk::PollEvent(); e.kind != tk::EventKind::None; e = tk::PollEvent()) DispatchEvent(s, e);
    };
    pressAtLastCell();
    EXPECT_EQ(Cell(59, 39), kEmptyCell) << "out of sight before scrolling";

    tk::simulate::Step(s.viewUi.canvasArea, -100);
    for (int i = 0; i < 100; ++i) {
        tk::simulate::SendKey(s.viewUi.window, tk::KeyRight, tk::NoModifier, true);
        tk::simulate::SendKey(s.viewUi.window, tk::KeyRight, tk::NoModifier, false);
    }
    pressAtLastCell();
    EXPECT_EQ(Cell(59, 39), 7);
    EXPECT_EQ(tk::WindowTitle(s.viewUi.window), "View Editor  (X: 59, Y: 39)");
}

TEST_F(ViewEditorTest, AResizeByTheUserReachesTheLayout) {
    tk::simulate::ResizeByUser(s.viewUi.window, 700, 600);
    for (tk::Event e = tk::PollEvent(); e.kind != tk::EventKind::None; e = tk::PollEvent()) DispatchEvent(s, e);
    EXPECT_EQ(tk::ControlRect(s.viewUi.canvasArea).width, 680);
    EXPECT_EQ(tk::ControlRect(s.viewUi.loadView).y, 555);

    tk::simulate::ResizeByUser(s.viewUi.window, 2000, 2000);
    EXPECT_EQ(tk::WindowWidth(s.viewUi.window), 984);
    EXPECT_EQ(tk::WindowHeight(s.viewUi.window), 700);
    tk::simulate::ResizeByUser(s.viewUi.window, 100, 100);
    EXPECT_EQ(tk::WindowWidth(s.viewUi.window), 530);
    EXPECT_EQ(tk::WindowHeight(s.viewUi.window), 470);
}

}  // namespace
}  // namespace qm
