#include "app/main_event_handler.h"
#include "sets/animation.h"
#include "support/editor_fixture.h"

namespace qm {
namespace {

class AnimationTest : public test::EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        // Set n shows character n in its first cell; character n is n set
        // pixels on its top row, so the frame drawn can be read back.
        for (int n = 1; n <= 8; ++n) {
            std::fill_n(s.Slot().Char(n), 64, std::uint8_t{0});
            for (int x = 0; x < n; ++x) s.Slot().Pixel(n, x, 0) = 1;
            s.doc.SetTable[n].cells[0] = n;
        }
    }
    void Start(int from, int to) {
        tk::SelectItem(s.ui.animStartList, from - 1);
        tk::SelectItem(s.ui.animStopList, to - 1);
        StartAnimation(s);
    }
    int Tick() {
        tk::Event tick;
        tick.kind = tk::EventKind::Timer;
        tick.window = s.ui.window;
        tick.timer = kAnimationTimer;
        MainEventHandler(s, tick);
        return ShownFrame();
    }
    int ShownFrame() const {
        const tk::Surface& canvas = tk::CanvasSurface(s.ui.animCanvas);
        int lit = 0;
        while (lit < 8 && canvas.Pixel(2 * lit, 0) == s.doc.RegisterRgb[LUM]) ++lit;
        return lit;
    }
};

TEST_F(AnimationTest, OneToTwoAlternatesForTenTicksAndStopsOnSetTwo) {
    DrawAnimFrame(s, 5);
    Start(1, 2);
    EXPECT_TRUE(s.AnimRunning);
    EXPECT_EQ(ShownFrame(), 5) << "nothing is drawn before the first tick";
    std::vector<int> frames;
    for (int i = 0; i < 10; ++i) frames.push_back(Tick());
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 1, 2, 1, 2, 1, 2, 1, 2}));
    EXPECT_FALSE(s.AnimRunning);
    Tick();
    EXPECT_EQ(ShownFrame(), 2);
}

TEST_F(AnimationTest, FramesRunInOrderAndWrap) {
    Start(3, 5);
    std::vector<int> frames;
    for (int i = 0; i < 20; ++i) frames.push_back(Tick());
    EXPECT_EQ(frames, (std::vector<int>{3, 4, 5, 3, 4, 5, 3, 4, 5, 3, 4, 5, 3, 4, 5, 3, 4, 5, 3, 4}));
    EXPECT_FALSE(s.AnimRunning);
}

TEST_F(AnimationTest, ASingleSetRunsUntilTheNextStart) {
    Start(7, 7);
    for (int i = 0; i < 200; ++i) ASSERT_EQ(Tick(), 7) << "tick " << i;
    EXPECT_TRUE(s.AnimRunning);
    Start(1, 2);
    EXPECT_EQ(s.AnimTicksLeft, 10);
    EXPECT_EQ(Tick(), 1);
}

TEST_F(AnimationTest, ABackwardRangeIsRefusedWithAMessage) {
    Start(5, 3);
    ASSERT_FALSE(tk::ShownRequesters().empty());
    const tk::Shown& shown = tk::ShownRequesters().back();
    EXPECT_EQ(shown.kind, "message");
    EXPECT_EQ(shown.title, "Error anim!");
    EXPECT_NE(shown.text.find('5'), std::string::npos);
    EXPECT_NE(shown.text.find('3'), std::string::npos);
    EXPECT_FALSE(s.AnimRunning);
    DrawAnimFrame(s, 4);
    EXPECT_EQ(Tick(), 4) << "no tick draws while nothing runs";
}

TEST_F(AnimationTest, ARefusedRangeLeavesARunningAnimationAlone) {
    Start(1, 2);
    Tick();
    Start(5, 3);
    EXPECT_TRUE(s.AnimRunning);
    EXPECT_EQ(s.AnimStart, 1);
    EXPECT_EQ(s.AnimStop, 2);
    EXPECT_EQ(Tick(), 2);
}

TEST_F(AnimationTest, OtherTimersAreIgnored) {
    Start(1, 3);
    tk::Event tick;
    tick.kind = tk::EventKind::Timer;
    tick.window = s.ui.window;
    tick.timer = 7;
    MainEventHandler(s, tick);
    EXPECT_EQ(s.AnimTicksLeft, 20);
}

TEST_F(AnimationTest, EditsShowOnTheNextTick) {
    Start(1, 2);
    Tick();
    s.Slot().Pixel(2, 5, 0) = 1;
    s.Slot().Pixel(2, 2, 0) = 1;
    s.Slot().Pixel(2, 3, 0) = 1;
    s.Slot().Pixel(2, 4, 0) = 1;
    EXPECT_EQ(Tick(), 6);
}

}  // namespace
}  // namespace qm
