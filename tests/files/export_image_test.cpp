#include <gtest/gtest.h>

#include "core/file_io.h"
#include "core/font_image.h"
#include "files/export_image.h"
#include "files/export_image_dialog.h"
#include "support/editor_fixture.h"

namespace qm {
namespace {

using test::ReadBytes;
using test::TempDir;

constexpr Rgb kUnpainted = tk::MakeRgb(1, 2, 3);

class RenderFontImageTest : public test::EditorTest {
protected:
    tk::Surface Render(int scale) {
        return tk::SurfaceFromImage(RenderFontImage(s.Slot(), s.doc.RegisterRgb, s.MulticolorMode == DisplayMode::Multicolor, scale + 1));
    }
    Rgb Reg(int reg) const { return s.doc.RegisterRgb[reg]; }
};

TEST_F(RenderFontImageTest, ABlankHiResFontIsBackgroundAboveAndLuminanceBelowAtEveryScale) {
    s.CurrentSlot = 2;
    for (int scale = 0; scale < 4; ++scale) {
        const int c = scale + 1;
        const tk::Surface picture = Render(scale);
        for (int y = 0; y < picture.Height(); ++y) {
            const Rgb expected = y < 32 * c ? Reg(BAK) : Reg(LUM);
            for (int x = 0; x < picture.Width(); ++x) {
                ASSERT_EQ(picture.Pixel(x, y), expected) << "scale " << scale << " at " << x << "," << y;
            }
        }
    }
}

TEST_F(RenderFontImageTest, AHiResPixelIsACByCBlockAtItsCharacterPlace) {
    // Character 33 ("A"), row 1 = 0x18: columns 3 and 4 set.
    const int c = 3;
    const tk::Surface picture = Render(2);
    const int left = 8 * c * (33 % 32), top = 8 * c * (33 / 32);
    for (int dy = 0; dy < c; ++dy) {
        for (int dx = 0; dx < c; ++dx) {
            EXPECT_EQ(picture.Pixel(left + 3 * c + dx, top + 1 * c + dy), Reg(LUM));
            EXPECT_EQ(picture.Pixel(left + 2 * c + dx, top + 1 * c + dy), Reg(BAK));
            // The inverse half swaps the two.
            EXPECT_EQ(picture.Pixel(left + 3 * c + dx, top + 32 * c + 1 * c + dy), Reg(BAK));
            EXPECT_EQ(picture.Pixel(left + 2 * c + dx, top + 32 * c + 1 * c + dy), Reg(LUM));
        }
    }
}

TEST_F(RenderFontImageTest, MulticolourPairsPickTheirRegistersWithPf3InTheInverseHalf) {
    s.MulticolorMode = DisplayMode::Multicolor;
    s.CurrentSlot = 2;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) s.Slot().Pixel(127, x, y) = 1;  // every pair 3
    }
    // Character 0, row 0: pairs 0, 1, 2, 3.
    s.Slot().Pixel(0, 3, 0) = 1;
    s.Slot().Pixel(0, 4, 0) = 1;
    s.Slot().Pixel(0, 6, 0) = 1;
    s.Slot().Pixel(0, 7, 0) = 1;
    for (int scale = 0; scale < 4; ++scale) {
        const int c = scale + 1;
        const tk::Surface picture = Render(scale);
        const int left127 = 8 * c * 31, top127 = 8 * c * 3;
        for (int y = 0; y < 8 * c; ++y) {
            for (int x = 0; x < 8 * c; ++x) {
                ASSERT_EQ(picture.Pixel(left127 + x, top127 + y), Reg(PF2));
                ASSERT_EQ(picture.Pixel(left127 + x, top127 + 32 * c + y), Reg(PF3));
            }
        }
        const Rgb pairs[4] = {Reg(BAK), Reg(PF0), Reg(PF1), Reg(PF2)};
        for (int pair = 0; pair < 4; ++pair) {
            // Each pair is a 2c x c block.
            for (int dx = 0; dx < 2 * c; ++dx) {
                EXPECT_EQ(picture.Pixel(pair * 2 * c + dx, c - 1), pairs[pair]) << scale;
            }
        }
        EXPECT_EQ(picture.Pixel(3 * 2 * c, 32 * c), Reg(PF3));
        EXPECT_EQ(picture.Pixel(0, c), Reg(BAK));  // row 1 of character 0 is clear
    }
}

TEST_F(RenderFontImageTest, EveryPixelIsPaintedInBothModes) {
    for (const DisplayMode mode : {DisplayMode::HiRes, DisplayMode::Multicolor}) {
        s.MulticolorMode = mode;
        for (int scale = 0; scale < 4; ++scale) {
            const tk::Surface picture = Render(scale);
            for (int y = 0; y < picture.Height(); ++y) {
                for (int x = 0; x < picture.Width(); ++x) ASSERT_NE(picture.Pixel(x, y), kUnpainted);
            }
        }
    }
}

// A pixel of an uncompressed 24-bit bitmap, rows bottom-up.
Rgb BmpPixel(const std::vector<unsigned char>& bmp, int x, int y) {
    const auto at32 = [&](std::size_t i) { return bmp[i] | bmp[i + 1] << 8 | bmp[i + 2] << 16 | bmp[i + 3] << 24; };
    const int width = at32(18), height = at32(22);
    const std::size_t row = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    const std::size_t at = at32(10) + row * (height - 1 - y) + 3 * x;
    return tk::MakeRgb(bmp[at + 2], bmp[at + 1], bmp[at]);
}

class ExportImageTest : public test::EditorTest {
protected:
    ImageExportDialog Open() { return OpenImageExportDialog(s, 100, 100, 570, 330); }
    void ChooseScale(const ImageExportDialog& d, int scale) {
        tk::SelectItem(d.scales, scale);
        tk::PostEvent(ControlEvent(d.scales, tk::SubKind::Other));
    }
    void Press(tk::ControlId button, const std::string& path, int filter = 0) {
        tk::QueueFileAnswer(path, filter);
        tk::PostEvent(ControlEvent(button));
    }
    int Shown(const std::string& kind, const std::string& title) {
        int count = 0;
        for (const tk::Shown& shown : tk::ShownRequesters()) count += shown.kind == kind && shown.title == title;
        return count;
    }
    TempDir dir;
};

TEST_F(ExportImageTest, TheDialogShowsTheScaleListSizeAndPicture) {
    const ImageExportDialog d = Open();
    EXPECT_EQ(tk::WindowTitle(d.window), "Export font to image PNG, BMP...");
    EXPECT_EQ(tk::WindowX(d.window), tk::WindowX(s.ui.window) + 100);
    EXPECT_FALSE(tk::WindowEnabled(s.ui.window));
    ASSERT_EQ(tk::ItemCount(d.scales), 4);
    EXPECT_EQ(tk::ItemText(d.scales, 0), "x1");
    EXPECT_EQ(tk::ItemText(d.scales, 3), "x4");
    EXPECT_EQ(tk::Text(d.sizeLabel), "Image size: 256x64");
    EXPECT_EQ(tk::Text(d.saveBmp), "Save BMP");
    EXPECT_EQ(tk::Text(d.savePng), "Save PNG");
    EXPECT_EQ(tk::CanvasSurface(d.canvas).Width(), 256);
    EXPECT_EQ(tk::CanvasSurface(d.canvas).Height(), 64);
    EXPECT_EQ(tk::InnerSize(d.scrollArea).width, 256);
    RunImageExportDialog(s, d);
    EXPECT_FALSE(tk::WindowExists(d.window));
    EXPECT_TRUE(tk::WindowEnabled(s.ui.window));
}

TEST_F(ExportImageTest, ChangingTheScaleResizesAndRendersAgain) {
    const ImageExportDialog d = Open();
    ChooseScale(d, 3);
    Press(d.savePng, dir.Path("big"));
    RunImageExportDialog(s, d);
    const tk::Surface png = tk::SurfaceFromImage(qm::DecodePng(ReadBytes(dir.Path("big.png"))));
    ASSERT_EQ(png.Width(), 1024);
    ASSERT_EQ(png.Height(), 256);
    const tk::Surface expected = tk::SurfaceFromImage(RenderFontImage(s.Slot(), s.doc.RegisterRgb, s.MulticolorMode == DisplayMode::Multicolor, 4));
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 1024; ++x) ASSERT_EQ(png.Pixel(x, y), expected.Pixel(x, y)) << x << "," << y;
    }
}

TEST_F(ExportImageTest, SizeLabelCanvasAndScrollAreaFollowEveryScale) {
    const char* labels[4] = {"Image size: 256x64", "Image size: 512x128", "Image size: 768x192",
                             "Image size: 1024x256"};
    const ImageExportDialog d = Open();
    for (int scale : {3, 1, 2, 0}) {
        ShowImageScale(s, d, scale);
        EXPECT_EQ(tk::Text(d.sizeLabel), labels[scale]);
        EXPECT_EQ(tk::CanvasSurface(d.canvas).Width(), 256 * (scale + 1));
        EXPECT_EQ(tk::CanvasSurface(d.canvas).Height(), 64 * (scale + 1));
        EXPECT_EQ(tk::InnerSize(d.scrollArea).width, 256 * (scale + 1));
        EXPECT_EQ(tk::InnerSize(d.scrollArea).height, 64 * (scale + 1));
    }
    RunImageExportDialog(s, d);
}

TEST_F(ExportImageTest, BmpIsAnUncompressed24BitPictureOfTheCanvas) {
    s.MulticolorMode = DisplayMode::Multicolor;
    const ImageExportDialog d = Open();
    ChooseScale(d, 2);
    Press(d.saveBmp, dir.Path("font"));
    RunImageExportDialog(s, d);
    EXPECT_FALSE(tk::WindowExists(d.window));

    const auto bmp = ReadBytes(dir.Path("font.bmp"));
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(bmp[18] | bmp[19] << 8, 768);
    EXPECT_EQ(bmp[22] | bmp[23] << 8, 192);
    EXPECT_EQ(bmp[28], 24);
    EXPECT_EQ(bmp[30], 0);
    const tk::Surface expected = tk::SurfaceFromImage(RenderFontImage(s.Slot(), s.doc.RegisterRgb, s.MulticolorMode == DisplayMode::Multicolor, 3));
    for (int y = 0; y < 192; y += 5) {
        for (int x = 0; x < 768; x += 3) ASSERT_EQ(BmpPixel(bmp, x, y), expected.Pixel(x, y)) << x << "," << y;
    }
    EXPECT_EQ(Shown("save", "Save font to image BMP format (.bmp)"), 1);
    EXPECT_EQ(tk::ShownRequesters().back().filters, "BMP Image (*.bmp)|*.bmp|All files (*.*)|*.*");
}

TEST_F(ExportImageTest, ExtensionIsAddedOnlyUnderTheFirstFilter) {
    const std::vector<std::tuple<bool, std::string, int, std::string>> saves = {
        {true, "a", 0, "a.png"},     {true, "b", 1, "b"},         {true, "c.PNG", 0, "c.PNG"},
        {true, "d.bmp", 1, "d.bmp"}, {false, "e", 0, "e.bmp"},    {false, "f.BMP", 0, "f.BMP"},
        {false, "g", 1, "g"},
    };
    for (const auto& [png, typed, filter, written] : saves) {
        const ImageExportDialog d = Open();
        Press(png ? d.savePng : d.saveBmp, dir.Path(typed), filter);
        RunImageExportDialog(s, d);
        const auto bytes = ReadBytes(dir.Path(written));
        ASSERT_GT(bytes.size(), 8u) << written;
        if (png) {
            EXPECT_EQ(bytes[1], 'P') << written;  // PNG data whatever the name
            EXPECT_EQ(tk::SurfaceFromImage(qm::DecodePng(bytes)).Width(), 256) << written;
        } else {
            EXPECT_EQ(bytes[0], 'B') << written;
        }
    }
    EXPECT_EQ(Shown("save", "Save font to image PNG format (.png)"), 4);
    EXPECT_TRUE(ReadBytes(dir.Path("a")).empty());
}

TEST_F(ExportImageTest, AFailedOrCancelledSaveKeepsTheDialogOpen) {
    const ImageExportDialog d = Open();
    Press(d.savePng, dir.Path("missing-folder/x.png"));
    Press(d.saveBmp, "");
    Press(d.savePng, dir.Path("second.png"));
    RunImageExportDialog(s, d);
    EXPECT_EQ(Shown("message", "Error!"), 1);
    for (const tk::Shown& shown : tk::ShownRequesters()) {
        if (shown.kind == "message") {
            EXPECT_NE(shown.text.find("missing-folder/x.png"), std::string::npos);
        }
    }
    EXPECT_EQ(tk::SurfaceFromImage(qm::DecodePng(ReadBytes(dir.Path("second.png")))).Height(), 64);
}

}  // namespace
}  // namespace qm
