#include <gtest/gtest.h>

#include "charedit/color_registers.h"
#include "support/editor_fixture.h"

namespace qm {
namespace {

constexpr Rgb kMarker = tk::MakeRgb(1, 2, 3);

class ButtonColors : public test::EditorTest {
protected:
    void Click(int reg, tk::SubKind kind) { ChooseButtonColor(s, reg, ControlEvent(s.ui.swatch[reg], kind)); }
    void MarkBars() {
        tk::SetBackground(s.ui.leftButtonBar, kMarker);
        tk::SetBackground(s.ui.rightButtonBar, kMarker);
    }
    void ExpectBarsShowButtonColours() {
        EXPECT_EQ(tk::Background(s.ui.leftButtonBar), s.doc.RegisterRgb[s.LeftColor]);
        EXPECT_EQ(tk::Background(s.ui.rightButtonBar), s.doc.RegisterRgb[s.RightColor]);
    }
};

TEST_F(ButtonColors, IndicatorsShowBarsAndAllSixSwatches) {
    for (int reg = LUM; reg <= PF3; ++reg) s.doc.RegisterRgb[reg] = tk::MakeRgb(10 * reg, 20 * reg, 30 * reg);
    s.LeftColor = PF1;
    s.RightColor = PF2;
    ShowColorIndicators(s);
    ExpectBarsShowButtonColours();
    for (int reg = LUM; reg <= PF3; ++reg) {
        const tk::Surface& swatch = tk::CanvasSurface(s.ui.swatch[reg]);
        ASSERT_GT(swatch.Width(), 0);
        EXPECT_EQ(swatch.Pixel(0, 0), s.doc.RegisterRgb[reg]) << reg;
        EXPECT_EQ(swatch.Pixel(swatch.Width() - 1, swatch.Height() - 1), s.doc.RegisterRgb[reg]) << reg;
    }
}

TEST_F(ButtonColors, HiResOffersOnlyLumAndBak) {
    Click(BAK, tk::SubKind::LeftClick);
    EXPECT_EQ(s.LeftColor, BAK);
    Click(LUM, tk::SubKind::RightClick);
    EXPECT_EQ(s.RightColor, LUM);
    for (int reg : {PF0, PF1, PF2, PF3}) {
        Click(reg, tk::SubKind::LeftClick);
        Click(reg, tk::SubKind::RightClick);
    }
    EXPECT_EQ(s.LeftColor, BAK);
    EXPECT_EQ(s.RightColor, LUM);
    ExpectBarsShowButtonColours();
}

TEST_F(ButtonColors, MulticolourOffersThePairColours) {
    s.MulticolorMode = DisplayMode::Multicolor;
    s.LeftColor = PF0;
    s.RightColor = BAK;
    for (int reg : {BAK, PF0, PF1, PF2}) {
        Click(reg, tk::SubKind::LeftClick);
        EXPECT_EQ(s.LeftColor, reg);
        Click(reg, tk::SubKind::RightClick);
        EXPECT_EQ(s.RightColor, reg);
    }
}

TEST_F(ButtonColors, MulticolourLumAndPf3ChangeNothingButRefreshTheBars) {
    s.MulticolorMode = DisplayMode::Multicolor;
    s.LeftColor = PF0;
    s.RightColor = PF1;
    for (int reg : {LUM, PF3}) {
        MarkBars();
        Click(reg, tk::SubKind::LeftClick);
        EXPECT_EQ(s.LeftColor, PF0);
        ExpectBarsShowButtonColours();
        MarkBars();
        Click(reg, tk::SubKind::RightClick);
        EXPECT_EQ(s.RightColor, PF1);
        ExpectBarsShowButtonColours();
    }
}

TEST_F(ButtonColors, OtherEventsOfASwatchAreIgnored) {
    MarkBars();
    Click(BAK, tk::SubKind::Other);
    EXPECT_EQ(s.LeftColor, LUM);
    EXPECT_EQ(s.RightColor, BAK);
    EXPECT_EQ(tk::Background(s.ui.leftButtonBar), kMarker);
}

}  // namespace
}  // namespace qm
