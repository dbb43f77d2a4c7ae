// Inverse codes (128 to 255) chosen on the font sheet's lower half, placed in
// sets and on the screen, drawn in every view as the sheet draws them, kept
// by the project and by undo.

#include <vector>

#include "app/main_loop.h"
#include "charedit/font_sheet.h"
#include "core/project_format.h"
#include "core/set_format.h"
#include "files/project_file.h"
#include "session/undo.h"
#include "sets/animation.h"
#include "sets/set_files.h"
#include "sets/sets_viewer.h"
#include "sets/view_editor.h"
#include "support/editor_fixture.h"
#include "toolkit/simulate/simulate.h"

namespace qm {
namespace {

constexpr int kKey1 = 49;

// The 64 font pixels of a character as a surface shows them, each taken
// from the middle of its scale x scale block.
std::vector<Rgb> Shown(const tk::Surface& surface, int left, int top, int scale) {
    std::vector<Rgb> pixels;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) pixels.push_back(surface.Pixel(left + scale * x + scale / 2, top + scale * y + scale / 2));
    }
    return pixels;
}

class InverseCellsTest : public test::EditorTest {
protected:
    void Send(const tk::Event& e) { DispatchEvent(s, e); }
    static int SheetLeft(int code) { return 17 * (CharOfCode(code) % 32); }
    static int SheetTop(int code) { return (IsInverseCode(code) ? 68 : 0) + 17 * (CharOfCode(code) / 32); }
    void ClickSheet(int code) {
        Send(CanvasEvent(s.ui.fontSheet, SheetLeft(code) + 8, SheetTop(code) + 8, tk::ButtonLeft, tk::SubKind::LeftClick));
    }
    std::vector<Rgb> OnSheet(int code) {
        return Shown(tk::CanvasSurface(s.ui.fontSheet), SheetLeft(code), SheetTop(code), 2);
    }
    std::vector<Rgb> OnView(int x, int y) { return Shown(tk::CanvasSurface(s.viewUi.canvas), 16 * x, 16 * y, 2); }
    std::vector<Rgb> OnSmallSetView(int cell) {
        return Shown(tk::CanvasSurface(s.ui.smallSetView), 16 * (cell % 5), 16 * (cell / 5), 2);
    }
    // Saves the project under a new name and gives back its bytes.
    Bytes SavedProject(const std::string& name = "work.proj") {
        tk::QueueFileAnswer(dir.Path(name));
        EXPECT_TRUE(SaveProject(s, SaveMode::SaveAs));
        return test::ReadBytes(dir.Path(name));
    }
    static std::int32_t Int32At(const Bytes& b, std::size_t at) {
        return static_cast<std::int32_t>(b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24));
    }

    test::TempDir dir;
};

TEST_F(InverseCellsTest, AHeldDigitAndTheInverseHalfPutTheCodeIntoTheRow) {
    Send(KeyEvent(tk::EventKind::KeyPressed, kKey1));
    ClickSheet(128 + 34);
    Send(KeyEvent(tk::EventKind::KeyReleased, kKey1));
    EXPECT_EQ(s.Set().cells[0], 162);
    EXPECT_EQ(s.SheetChar, 1) << "the held key keeps the sheet choice";
    EXPECT_EQ(tk::Text(s.ui.previewCaption), "$A2 (162)");
    for (int mode = 0; mode < 2; ++mode) {
        EXPECT_EQ(OnSmallSetView(0), OnSheet(162)) << "mode " << mode;
        EXPECT_NE(OnSmallSetView(0), OnSheet(34)) << "mode " << mode;
        SwitchDisplayMode(s);
    }
    EXPECT_EQ(SavedProject()[10244], 0xA2);
}

TEST_F(InverseCellsTest, TheInverseHalfChoosesTheCodeAndTheViewEditorPlacesIt) {
    ClickSheet(128 + 65);
    EXPECT_EQ(s.SheetChar, 193);
    EXPECT_EQ(s.CurrentChar, 65) << "the editor edits the character itself";
    EXPECT_EQ(tk::Text(s.ui.charLabel), "Char: $C1 (193)");
    EXPECT_EQ(tk::Text(s.ui.previewCaption), "$C1 (193)");
    EXPECT_EQ(tk::StatusText(s.ui.window, kStatusCharField), "Char Font: $C1 (193)");
    EXPECT_EQ(Shown(tk::CanvasSurface(s.ui.charPreview), 0, 0, 8), OnSheet(193));

    OpenViewEditor(s);
    Send(CanvasEvent(s.viewUi.canvas, 16 * 3 + 5, 16 * 2 + 5, tk::ButtonLeft));
    EXPECT_EQ(s.doc.ViewScreen[2][3], 193);
    EXPECT_EQ(OnView(3, 2), OnSheet(193));
    EXPECT_EQ(OnView(3, 2)[8 * 1 + 3], s.doc.RegisterRgb[BAK]) << "a set pixel of A, inverted";

    // Multicolour: "A" is drawn in pairs; its "11" pairs show PF3 inverse.
    std::fill_n(s.Slot().Char(65), 64, std::uint8_t{1});
    SwitchDisplayMode(s);
    EXPECT_EQ(OnView(3, 2), std::vector<Rgb>(64, s.doc.RegisterRgb[PF3]));
    EXPECT_EQ(Int32At(SavedProject("screen.proj"), 12774 + 4 * (2 * kViewColumns + 3)), 193);

    // Back in the normal half the code is the character again.
    ClickSheet(65);
    EXPECT_EQ(s.SheetChar, 65);
    EXPECT_EQ(tk::Text(s.ui.charLabel), "Char: $41 (65)");
}

// Every view that draws cells shows a code as the sheet shows it, in both
// modes and over the mask layer, for codes in both halves.
TEST_F(InverseCellsTest, EveryViewDrawsACodeAsTheSheetDoes) {
    OpenViewEditor(s);
    OpenSetsViewer(s);
    s.Slot().Pixel(40, 0, 0) = 1;
    s.Slot().Pixel(40, 1, 0) = 1;  // an "11" pair
    s.Slot().Pixel(40, 3, 5) = 1;
    const std::vector<int> codes = {40, 168, 255, 128, 1};
    for (int i = 0; i < static_cast<int>(codes.size()); ++i) {
        s.Set().cells[i] = codes[static_cast<std::size_t>(i)];
        s.doc.ViewScreen[10][20 + i] = codes[static_cast<std::size_t>(i)];
    }
    using enum DisplayMode;
    for (const auto& [mode, layer] : std::vector<std::pair<DisplayMode, Layer>>{
             {HiRes, Layer::Normal}, {Multicolor, Layer::Normal}, {HiRes, Layer::Normal}, {Multicolor, Layer::Mask}}) {
        if (s.MulticolorMode != mode) SwitchDisplayMode(s);
        s.LayerMode = layer;
        RedrawAll(s);
        DrawAnimFrame(s, s.CurrentSet);
        const tk::Surface& large = tk::CanvasSurface(s.ui.largeSetView);
        for (int i = 0; i < static_cast<int>(codes.size()); ++i) {
            const int code = codes[static_cast<std::size_t>(i)];
            const std::vector<Rgb> sheet = OnSheet(code);
            EXPECT_EQ(OnSmallSetView(i), sheet) << code;
            EXPECT_EQ(Shown(tk::CanvasSurface(s.viewerUi.canvas), 16 * i, 0, 2), sheet) << code;
            EXPECT_EQ(Shown(tk::CanvasSurface(s.ui.animCanvas), 16 * i, 0, 2), sheet) << code;
            EXPECT_EQ(OnView(20 + i, 10), sheet) << code;
            if (layer == Layer::Normal) {
                EXPECT_EQ(Shown(large, 80 * i, 0, 10), sheet) << code;
            } else if (code == 168) {
                // Over the mask the colours blend, but "11" is opaque in PF3.
                EXPECT_EQ(large.Pixel(80 * i + 5, 5), s.doc.RegisterRgb[PF3]) << code;
            }
        }
    }
}

// A cell's character reaches the editor without its bit 7; what is placed
// stays the sheet's choice, and painting changes the character's own pixels.
TEST_F(InverseCellsTest, AnInverseCellEditsItsCharacter) {
    ClickSheet(7);
    s.Set().cells[2] = 128 + 50;
    s.Set().cells[3] = 128 + 51;
    Send(CanvasEvent(s.ui.smallSetView, 16 * 2 + 5, 5, tk::ButtonMiddle));
    EXPECT_EQ(s.CurrentChar, 50);
    EXPECT_EQ(s.SheetChar, 7);
    EXPECT_EQ(tk::Text(s.ui.charLabel), "Char: $B2 (178)");
    EXPECT_EQ(tk::StatusText(s.ui.window, kStatusCharField), "Char Set: $B2 (178)");

    std::fill_n(s.Slot().Char(51), 64, std::uint8_t{0});
    Send(CanvasEvent(s.ui.largeSetView, 80 * 3 + 10 * 2 + 5, 10 * 4 + 5, tk::ButtonLeft));
    EXPECT_EQ(s.CurrentChar, 51);
    EXPECT_EQ(s.Slot().Pixel(51, 2, 4), 1);
    EXPECT_EQ(s.Set().cells[3], 128 + 51);
}

TEST_F(InverseCellsTest, PlacingAnInverseCodeIsUndoneAndRedone) {
    ClickSheet(128 + 99);
    Send(CanvasEvent(s.ui.smallSetView, 16 * 4 + 5, 16 * 4 + 5, tk::ButtonLeft));
    Send(CanvasEvent(s.ui.smallSetView, 16 * 4 + 5, 16 * 4 + 5, 0));
    ASSERT_EQ(s.Set().cells[24], 227);
    Send(MenuEvent(kMenuUndo));
    EXPECT_EQ(s.Set().cells[24], kEmptyCell);
    Send(MenuEvent(kMenuRedo));
    EXPECT_EQ(s.Set().cells[24], 227);
    EXPECT_EQ(s.SheetChar, 227);
}

TEST_F(InverseCellsTest, Code255InASetCellSavesOpensAndShowsAgain) {
    s.doc.SetTable[3].cells[0] = 127;
    const Bytes plain = SavedProject();
    EXPECT_EQ(plain.size(), kProjectSize) << "without code 255 the project is as it always was";

    s.doc.SetTable[3].cells[7] = 255;
    s.doc.SetTable[100].cells[24] = 255;
    const Bytes file = SavedProject("with255.proj");
    EXPECT_GT(file.size(), kProjectSize);
    ResetDocument(s.doc);
    ASSERT_TRUE(OpenProjectFrom(s, dir.Path("with255.proj")));
    EXPECT_EQ(s.doc.SetTable[3].cells[7], 255);
    EXPECT_EQ(s.doc.SetTable[100].cells[24], 255);
    EXPECT_EQ(s.doc.SetTable[3].cells[6], kEmptyCell);
    s.CurrentSet = 3;
    RedrawAll(s);
    EXPECT_EQ(OnSmallSetView(7), OnSheet(255));

    // The set files keep it too, as "Load SET" and "Load all SET" read them.
    test::WriteBytes(dir.Path("one.set"), EncodeSetFile(s.doc.SetTable[3]));
    test::WriteBytes(dir.Path("all.sets"), EncodeAllSetsFile(s.doc.SetTable));
    ResetDocument(s.doc);
    s.CurrentSet = 3;
    ASSERT_TRUE(LoadSetFrom(s, dir.Path("one.set")));
    EXPECT_EQ(s.doc.SetTable[3].cells[7], 255);
    ASSERT_TRUE(LoadAllSetsFrom(s, dir.Path("all.sets")));
    EXPECT_EQ(s.doc.SetTable[100].cells[24], 255);
}

}  // namespace
}  // namespace qm
