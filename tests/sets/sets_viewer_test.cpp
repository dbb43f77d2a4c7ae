#include "app/main_loop.h"
#include "sets/sets_viewer.h"
#include "support/editor_fixture.h"
#include "toolkit/simulate/simulate.h"

namespace qm {
namespace {

class SetsViewerTest : public test::EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        OpenSetsViewer(s);
        ASSERT_NE(s.viewerUi.window, 0);
    }
    bool Send(const tk::Event& e) { return SetsViewerHandler(s, e); }
    void ScrollTo(int position) {
        tk::SetValue(s.viewerUi.scrollBar, position);
        Send(ControlEvent(s.viewerUi.scrollBar, tk::SubKind::Other));
    }
    void LeftOnCanvas(int x, int y) { Send(CanvasEvent(s.viewerUi.canvas, x, y, tk::ButtonLeft)); }
    std::vector<std::string> Labels() const {
        std::vector<std::string> texts;
        for (tk::ControlId label : s.viewerUi.labels) texts.push_back(tk::Text(label));
        return texts;
    }
    static std::vector<std::string> LabelsFrom(int first) {
        std::vector<std::string> texts;
        for (int i = 0; i < 10; ++i) texts.push_back("SET: " + std::to_string(first + i));
        return texts;
    }
};

TEST_F(SetsViewerTest, OpensWithTenSetsAndItsTitle) {
    EXPECT_EQ(tk::WindowTitle(s.viewerUi.window), "SETS Viewer");
    EXPECT_EQ(s.SetsViewerOpen, kOn);
    EXPECT_EQ(Labels(), LabelsFrom(1));
    EXPECT_EQ(tk::Value(s.viewerUi.scrollBar), 1);
    const tk::Surface& canvas = tk::CanvasSurface(s.viewerUi.canvas);
    EXPECT_EQ(canvas.Width(), 800);
    EXPECT_EQ(canvas.Pixel(5, 5), tk::MakeRgb(64, 64, 64));
    EXPECT_EQ(canvas.Pixel(80, 40), tk::MakeRgb(170, 170, 170));
    EXPECT_EQ(canvas.Pixel(720, 79), tk::MakeRgb(170, 170, 170));

    const tk::WindowId window = s.viewerUi.window;
    OpenSetsViewer(s);
    EXPECT_EQ(s.viewerUi.window, window) << "a second press opens nothing";
}

TEST_F(SetsViewerTest, DrawsEachSetInItsSlot) {
    std::fill_n(s.Slot().Char(5), 64, std::uint8_t{1});
    s.doc.SetTable[3].cells[6] = 5;  // slot 2, row 1, column 1
    DrawSetsViewer(s);
    const tk::Surface& canvas = tk::CanvasSurface(s.viewerUi.canvas);
    EXPECT_EQ(canvas.Pixel(160 + 16, 16), s.doc.RegisterRgb[LUM]);
    EXPECT_EQ(canvas.Pixel(160 + 31, 31), s.doc.RegisterRgb[LUM]);
    EXPECT_EQ(canvas.Pixel(160 + 15, 16), tk::MakeRgb(64, 64, 64));
    EXPECT_EQ(canvas.Pixel(16, 16), tk::MakeRgb(64, 64, 64));
}

TEST_F(SetsViewerTest, AClickOnTheSharedEdgeChoosesTheLeftSlot) {
    s.CurrentSet = 50;
    LeftOnCanvas(80, 40);
    EXPECT_EQ(s.CurrentSet, 1);
    LeftOnCanvas(81, 40);
    EXPECT_EQ(s.CurrentSet, 2);
    EXPECT_EQ(tk::Text(s.ui.setLabel), "2");
    Send(CanvasEvent(s.viewerUi.canvas, 500, 40, tk::ButtonRight));
    Send(CanvasEvent(s.viewerUi.canvas, 500, 40, tk::ButtonLeft | tk::ButtonRight));
    EXPECT_EQ(s.CurrentSet, 2) << "only the left button alone chooses";
}

TEST_F(SetsViewerTest, ScrollingToTheEndReachesSetHundred) {
    ScrollTo(91);
    EXPECT_EQ(s.ViewerFirstSet, 91);
    EXPECT_EQ(Labels(), LabelsFrom(91));
    LeftOnCanvas(799, 79);
    EXPECT_EQ(s.CurrentSet, 100);
    EXPECT_EQ(tk::Text(s.ui.setLabel), "100");
}

TEST_F(SetsViewerTest, TheScrollBarArrowsStopAtSetNinetyOne) {
    tk::DiscardEvents();
    tk::simulate::Step(s.viewerUi.scrollBar, 120);
    for (tk::Event e = tk::PollEvent(); e.kind != tk::EventKind::None; e = tk::PollEvent()) DispatchEvent(s, e);
    EXPECT_EQ(s.ViewerFirstSet, 91);
    EXPECT_EQ(Labels(), LabelsFrom(91));
}

TEST_F(SetsViewerTest, ClosingAndReopeningStartsAtSetOne) {
    ScrollTo(40);
    EXPECT_FALSE(Send(tk::Event{tk::EventKind::CloseRequest, s.viewerUi.window}));
    EXPECT_EQ(s.SetsViewerOpen, kOff);

    OpenSetsViewer(s);
    ScrollTo(40);
    tk::Event close;
    close.kind = tk::EventKind::CloseRequest;
    close.window = s.viewerUi.window;
    DispatchEvent(s, close);
    EXPECT_EQ(s.viewerUi.window, 0);
    EXPECT_EQ(s.SetsViewerOpen, kOff);
    DrawSetsViewer(s);  // closed: draws nothing and must not touch the gone canvas

    OpenSetsViewer(s);
    EXPECT_EQ(s.ViewerFirstSet, 1);
    EXPECT_EQ(Labels(), LabelsFrom(1));
    EXPECT_EQ(tk::Value(s.viewerUi.scrollBar), 1);
}

}  // namespace
}  // namespace qm
