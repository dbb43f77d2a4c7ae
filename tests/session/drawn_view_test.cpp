// A view told only which characters or cells changed must be told every
// change that is neither: any other input, or drawing into its surface.

#include <gtest/gtest.h>

#include "session/drawn_view.h"

namespace qm {
namespace {

TEST(DrawnViewTest, OnlyChangesOfFontPixelsOrCellValuesAloneNameTheirCells) {
    const tk::WindowId window = tk::OpenWindow("view", 0, 0, 100, 100, tk::TitleBar);
    const tk::ControlId canvas = tk::CreateControl(window, tk::ControlKind::Canvas, 0, 0, 50, 50, "", 0);
    std::array<std::uint8_t, kCharCount * 64> font{}, layer{};
    std::array<std::int32_t, 6> cells{};
    int mode = 0;
    const auto inputs = [&] { return ViewInputs().Add(mode).AddGlyphs(font).AddGlyphs(layer).AddCells(cells); };
    DrawnView view;
    const auto drawn = [&] {
        const ViewChanges changes = view.Changes(canvas, inputs());
        view.Drawn();
        return changes;
    };

    EXPECT_TRUE(drawn().Everything());
    EXPECT_TRUE(drawn().Nothing());
    font[5 * 64 + 63] = 1;
    layer[100 * 64] = 1;
    const ViewChanges two = drawn();
    for (int code = -1; code < kCodeCount + 1; ++code) {
        const bool named = code == 5 || code == 133 || code == 100 || code == 228;
        EXPECT_EQ(two.Cell(code), named) << code;
    }
    EXPECT_TRUE(drawn().Nothing());
    cells[4] = 300;
    const ViewChanges cell = drawn();
    for (int index = 0; index < 6; ++index) EXPECT_EQ(cell.Cell(index, 9), index == 4) << index;
    EXPECT_FALSE(cell.Cell(9));
    mode = 1;
    font[0] = 1;
    EXPECT_TRUE(drawn().Everything());
    tk::CanvasSurface(canvas).FillBox(0, 0, 4, 4, tk::MakeRgb(9, 9, 9));
    EXPECT_TRUE(drawn().Everything());
    // Changes seen but not drawn are named again.
    font[7 * 64] = 1;
    EXPECT_TRUE(view.Changes(canvas, inputs()).Cell(7));
    EXPECT_TRUE(view.Changes(canvas, inputs()).Everything());
    tk::CloseWindow(window);
}

}  // namespace
}  // namespace qm
