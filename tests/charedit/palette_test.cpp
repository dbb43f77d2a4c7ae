#include <gtest/gtest.h>

#include "charedit/palette.h"
#include "charedit/palette_window.h"
#include "support/editor_fixture.h"

namespace qm {
namespace {

constexpr Rgb kBackground = tk::MakeRgb(240, 240, 240);
constexpr Rgb kBorder = tk::MakeRgb(1, 1, 1);
constexpr Rgb kInk = tk::MakeRgb(0, 0, 0);

TEST(PlatformPaletteTable, HoldsTheDefaultRegisterColoursAndRepeatsHueOne) {
    const int entries[7][2] = {{0, 0}, {0, 7}, {0, 0}, {1, 4}, {11, 4}, {8, 3}, {4, 2}};
    for (int reg = LUM; reg <= PF3; ++reg) {
        const int hue = kDefaultRegisterValue[reg] >> 4;
        const int column = (kDefaultRegisterValue[reg] & 15) / 2;
        EXPECT_EQ(hue, entries[reg][0]);
        EXPECT_EQ(column, entries[reg][1]);
        EXPECT_EQ(PlatformPalette[hue][column], kDefaultRegisterRgb[reg]) << reg;
    }
    EXPECT_EQ(PlatformPalette[15], PlatformPalette[1]);
    EXPECT_EQ(PlatformPalette[7][1], tk::MakeRgb(2, 28, 173));
    EXPECT_EQ(PlatformPalette[14][7], tk::MakeRgb(255, 247, 101));
}

TEST(PaletteImageTest, GridOfCellsWithBordersOnBackground) {
    const tk::Surface& image = PaletteImage();
    ASSERT_EQ(image.Width(), 161);
    ASSERT_EQ(image.Height(), 289);
    for (int y = 16; y < 289; ++y) {
        for (int x = 16; x < 161; ++x) {
            Rgb expected = kBackground;
            if (x <= 144 && y <= 272) {
                expected = (x % 16 == 0 || y % 16 == 0) ? kBorder : PlatformPalette[y / 16 - 1][x / 16 - 1];
            }
            ASSERT_EQ(image.Pixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST(PaletteImageTest, LabelsInBlackAboveColumnsAndLeftOfRows) {
    const tk::Surface& image = PaletteImage();
    auto inkIn = [&image](int left, int top) {
        int ink = 0;
        for (int y = top; y < top + 16; ++y) {
            for (int x = left; x < left + 16; ++x) {
                const Rgb p = image.Pixel(x, y);
                EXPECT_TRUE(p == kInk || p == kBackground) << x << "," << y;
                ink += p == kInk;
            }
        }
        return ink;
    };
    EXPECT_EQ(inkIn(0, 0), 0);
    for (int column = 0; column < 8; ++column) EXPECT_GT(inkIn(16 * (column + 1), 0), 0) << column;
    for (int hue = 0; hue < 16; ++hue) EXPECT_GT(inkIn(0, 16 * (hue + 1)), 0) << hue;
    // "0" above column 0 and "0" left of hue 0 are the same glyph; "2" differs.
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) EXPECT_EQ(image.Pixel(16 + x, y), image.Pixel(x, 16 + y));
    }
    int differing = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) differing += image.Pixel(16 + x, y) != image.Pixel(32 + x, y);
    }
    EXPECT_GT(differing, 0);
}

TEST(PaletteTexts, ByteAndCellForms) {
    EXPECT_EQ(PaletteByteText(14), "14, $E");
    EXPECT_EQ(PaletteByteText(0), "0, $0");
    EXPECT_EQ(PaletteByteText(184), "184, $B8");
    EXPECT_EQ(PaletteCellText(14), "14, $0E");
    EXPECT_EQ(PaletteCellText(0), "0, $00");
    EXPECT_EQ(PaletteCellText(254), "254, $FE");
}

// The window driven event by event, so its labels can be read between events.
class PaletteWindowTest : public test::EditorTest {
protected:
    void SetUp() override {
        test::EditorTest::SetUp();
        w = OpenPaletteWindow(s, PF1);
    }
    void TearDown() override {
        if (tk::WindowExists(w.window)) tk::CloseWindow(w.window);
        test::EditorTest::TearDown();
    }
    bool Mouse(int x, int y, int buttons) {
        tk::Event e;
        e.kind = tk::EventKind::Control;
        e.window = w.window;
        e.control = w.canvas;
        e.mouseX = x;
        e.mouseY = y;
        e.buttons = buttons;
        return HandlePaletteEvent(s, w, e);
    }
    void ExpectUnchosen() {
        EXPECT_EQ(w.chosenValue, 184);
        EXPECT_EQ(w.chosenRgb, kDefaultRegisterRgb[PF1]);
        EXPECT_EQ(tk::Text(w.chosenLabel), "184, $B8");
        EXPECT_EQ(tk::Background(w.preview), kDefaultRegisterRgb[PF1]);
    }
    PaletteWindow w;
};

TEST_F(PaletteWindowTest, StartsWithTheRegisterAndShowsThePicture) {
    ExpectUnchosen();
    EXPECT_EQ(tk::Text(w.hoverLabel), "184, $B8");
    const tk::Surface& canvas = tk::CanvasSurface(w.canvas);
    for (int y = 0; y < 273 && y < canvas.Height(); ++y) {
        for (int x = 0; x < 145 && x < canvas.Width(); ++x) {
            ASSERT_EQ(canvas.Pixel(x, y), PaletteImage().Pixel(x, y)) << x << "," << y;
        }
    }
}

TEST_F(PaletteWindowTest, EveryCellChoosesItsByteAndColour) {
    for (int hue = 0; hue < 16; ++hue) {
        for (int column = 0; column < 8; ++column) {
            ASSERT_TRUE(Mouse(16 * (column + 1) + 8, 16 * (hue + 1) + 15, tk::ButtonLeft));
            ASSERT_EQ(w.chosenValue, 16 * hue + 2 * column);
            ASSERT_EQ(w.chosenRgb, PlatformPalette[hue][column]);
        }
    }
    Mouse(16 * 8 + 1, 16 + 1, tk::ButtonLeft);
    EXPECT_EQ(tk::Text(w.chosenLabel), "14, $0E");
    EXPECT_EQ(tk::Text(w.hoverLabel), "14, $0E");
    EXPECT_EQ(tk::Background(w.preview), tk::MakeRgb(238, 238, 238));
}

TEST_F(PaletteWindowTest, HoverNamesTheCellWithoutChoosing) {
    Mouse(20, 20, 0);
    EXPECT_EQ(tk::Text(w.hoverLabel), "0, $00");
    Mouse(20, 20, tk::ButtonRight);
    ExpectUnchosen();
}

TEST_F(PaletteWindowTest, BorderNamesTheCellButChoosesNothing) {
    Mouse(32, 100, tk::ButtonLeft);
    EXPECT_EQ(tk::Text(w.hoverLabel), "82, $52");
    ExpectUnchosen();
    Mouse(40, 112, tk::ButtonLeft);
    EXPECT_EQ(tk::Text(w.hoverLabel), "98, $62");
    ExpectUnchosen();
}

TEST_F(PaletteWindowTest, PointsOutsideTheGridAreIgnored) {
    for (auto [x, y] : {std::pair{145, 100}, {20, 280}, {5, 100}, {100, 5}, {-3, 20}, {20, -3}, {400, 400}}) {
        Mouse(x, y, tk::ButtonLeft);
        EXPECT_EQ(tk::Text(w.hoverLabel), "184, $B8") << x << "," << y;
    }
    ExpectUnchosen();
}

TEST_F(PaletteWindowTest, DraggingKeepsChoosing) {
    Mouse(20, 20, tk::ButtonLeft);
    Mouse(36, 20, tk::ButtonLeft);
    EXPECT_EQ(w.chosenValue, 2);
    Mouse(36, 40, tk::ButtonLeft);
    EXPECT_EQ(w.chosenValue, 18);
    EXPECT_EQ(w.chosenRgb, PlatformPalette[1][1]);
    Mouse(100, 100, 0);
    EXPECT_EQ(w.chosenValue, 18);
}

TEST_F(PaletteWindowTest, OkAppliesTheSelectionAndRedraws) {
    s.MulticolorMode = DisplayMode::Multicolor;
    s.LeftColor = PF1;
    Mouse(20, 20, tk::ButtonLeft);
    tk::Event ok;
    ok.kind = tk::EventKind::Control;
    ok.window = w.window;
    ok.control = w.okButton;
    ok.subKind = tk::SubKind::LeftClick;
    EXPECT_FALSE(HandlePaletteEvent(s, w, ok));
    EXPECT_EQ(s.doc.RegisterValue[PF1], 0);
    EXPECT_EQ(s.doc.RegisterRgb[PF1], tk::MakeRgb(0, 0, 0));
    EXPECT_EQ(tk::CanvasSurface(s.ui.swatch[PF1]).Pixel(2, 2), tk::MakeRgb(0, 0, 0));
    EXPECT_EQ(tk::Background(s.ui.leftButtonBar), tk::MakeRgb(0, 0, 0));
}

TEST_F(PaletteWindowTest, CloseBoxKeepsTheOldColour) {
    Mouse(20, 20, tk::ButtonLeft);
    tk::Event close;
    close.kind = tk::EventKind::CloseRequest;
    close.window = w.window;
    EXPECT_FALSE(HandlePaletteEvent(s, w, close));
    EXPECT_EQ(s.doc.RegisterValue, kDefaultRegisterValue);
    EXPECT_EQ(s.doc.RegisterRgb, kDefaultRegisterRgb);
}

// The whole modal dialog, scripted through the window-opened hook. The
// dialog's controls do not exist yet when the hook runs, so a probe control
// made first in the window tells the ids they will get, in creation order:
// canvas, preview, chosen-value label, OK, hover label.
class PaletteDialogTest : public test::EditorTest {
protected:
    struct Step {
        int control;  // 1 canvas, 4 OK, 0 close box
        int x = 0, y = 0, buttons = 0;
    };
    void Run(int reg, std::vector<Step> steps) {
        tk::SetWindowOpenedHook([this, steps](tk::WindowId window) {
            opened = window;
            title = tk::WindowTitle(window);
            at = {tk::WindowX(window), tk::WindowY(window)};
            size = {tk::WindowWidth(window), tk::WindowHeight(window)};
            features = tk::WindowFeatures(window);
            mainEnabled = tk::WindowEnabled(s.ui.window);
            mainAt = {tk::WindowX(s.ui.window), tk::WindowY(s.ui.window)};
            const std::vector<tk::ControlId> controls = tk::Controls(window);
            for (const Step& step : steps) {
                tk::Event e;
                e.window = window;
                e.kind = step.control == 0 ? tk::EventKind::CloseRequest : tk::EventKind::Control;
                e.control = step.control == 0 ? 0 : controls.at(step.control - 1);
                e.subKind = step.control == 4 ? tk::SubKind::LeftClick : tk::SubKind::Other;
                e.mouseX = step.x;
                e.mouseY = step.y;
                e.buttons = step.buttons;
                tk::PostEvent(e);
            }
        });
        PaletteDialog(s, reg);
        tk::SetWindowOpenedHook({});
    }
    tk::WindowId opened = 0;
    std::string title;
    std::pair<int, int> at, size, mainAt;
    unsigned features = 0;
    bool mainEnabled = true;
};

TEST_F(PaletteDialogTest, OpensModalOnTopBesideTheMainWindow) {
    Run(LUM, {});
    ASSERT_NE(opened, 0);
    EXPECT_EQ(title, "ATARI palette... ");
    EXPECT_EQ(at, std::make_pair(mainAt.first + 300, mainAt.second + 150)) << mainAt.first << " now " << tk::WindowX(s.ui.window);
    EXPECT_EQ(size, std::make_pair(250, 340));
    EXPECT_TRUE(features & tk::OnTop);
    EXPECT_TRUE(features & tk::SystemMenu);
    EXPECT_FALSE(mainEnabled);
    EXPECT_TRUE(tk::WindowEnabled(s.ui.window));
    EXPECT_FALSE(tk::WindowExists(opened));
}

TEST_F(PaletteDialogTest, OkStoresTheChosenCell) {
    Run(PF0, {{1, 133, 120, tk::ButtonLeft}, {1, 10, 10, 0}, {4}});
    EXPECT_EQ(s.doc.RegisterValue[PF0], 16 * 6 + 14);
    EXPECT_EQ(s.doc.RegisterRgb[PF0], PlatformPalette[6][7]);
    EXPECT_EQ(tk::CanvasSurface(s.ui.swatch[PF0]).Pixel(3, 3), PlatformPalette[6][7]);
    EXPECT_FALSE(tk::WindowExists(opened));
    EXPECT_TRUE(tk::WindowEnabled(s.ui.window));
}

TEST_F(PaletteDialogTest, CloseBoxDiscardsTheChoice) {
    Run(PF2, {{1, 20, 20, tk::ButtonLeft}, {0}, {4}});
    EXPECT_EQ(s.doc.RegisterValue, kDefaultRegisterValue);
    EXPECT_EQ(s.doc.RegisterRgb, kDefaultRegisterRgb);
    EXPECT_TRUE(tk::WindowEnabled(s.ui.window));
}

TEST_F(PaletteDialogTest, BorderPressThenOkKeepsTheRegister) {
    Run(PF1, {{1, 32, 40, tk::ButtonLeft}, {4}});
    EXPECT_EQ(s.doc.RegisterValue[PF1], 184);
    EXPECT_EQ(s.doc.RegisterRgb[PF1], kDefaultRegisterRgb[PF1]);
}

}  // namespace
}  // namespace qm
