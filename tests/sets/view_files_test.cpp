#include <vector>

#include "app/main_event_handler.h"
#include "core/file_io.h"
#include "session/font_buffer.h"
#include "sets/view_editor.h"
#include "sets/view_files.h"
#include "core/view_format.h"
#include "app/main_loop.h"
#include "support/editor_fixture.h"
#include "toolkit/simulate/simulate.h"

namespace qm {
namespace {

using Bytes = std::vector<unsigned char>;

class ViewFilesTest : public test::EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        OpenViewEditor(s);
    }
    test::TempDir dir;
    const tk::Shown& LastShown() const { return tk::ShownRequesters().back(); }
    void OpenExport() {
        tk::Event e;
        e.kind = tk::EventKind::MenuItem;
        e.window = s.viewUi.window;
        e.menuItem = 10002;
        ViewEditorEventHandler(s, e);
        ASSERT_NE(s.exportUi.window, 0);
    }
    void Type(tk::ControlId field, const std::string& text) {
        tk::SetText(field, text);
        ViewExportHandler(s, ControlEvent(field, tk::SubKind::Other));
    }
};

TEST_F(ViewFilesTest, AnEmptyScreenSavesAs9604BytesAndLoadsBack) {
    tk::QueueFileAnswer(dir.Path("screen"), 0);
    SaveViewFile(s);
    EXPECT_EQ(LastShown().title, "Save View Editor data (.ved)");
    EXPECT_EQ(LastShown().filters, "View Editor data (*.ved)|*.ved|All files (*.*)|*.*");
    Bytes expected(9604, 0xFF);
    for (int i = 0; i < 4; ++i) expected[i] = static_cast<unsigned char>("VEDT"[i]);
    EXPECT_EQ(test::ReadBytes(dir.Path("screen.ved")), expected);

    s.doc.ViewScreen[3][4] = 9;
    tk::QueueFileAnswer(dir.Path("screen.ved"), 0);
    LoadViewFile(s);
    EXPECT_EQ(LastShown().title, "Load View Editor data (.ved)");
    EXPECT_EQ(s.doc.ViewScreen[3][4], kEmptyCell);
}

TEST_F(ViewFilesTest, CellsAreStoredRowByRowAsLittleEndianIntegers) {
    s.doc.ViewScreen[0][1] = 0x41;
    s.doc.ViewScreen[1][0] = 127;
    const Bytes bytes = EncodeViewFile(s.doc.ViewScreen);
    EXPECT_EQ(Bytes(bytes.begin() + 8, bytes.begin() + 12), (Bytes{0x41, 0, 0, 0}));
    EXPECT_EQ(Bytes(bytes.begin() + 4 + 4 * 60, bytes.begin() + 8 + 4 * 60), (Bytes{127, 0, 0, 0}));
    const auto back = DecodeViewFile(bytes);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, s.doc.ViewScreen);
}

TEST_F(ViewFilesTest, WrongMagicIsReportedAndOddCellsBecomeEmpty) {
    // A character not drawn yet shows whether the screen is redrawn.
    s.doc.ViewScreen[0][0] = 3;
    const auto cornerPixels = [this] {
        std::vector<Rgb> pixels;
        const tk::Surface& canvas = tk::CanvasSurface(s.viewUi.canvas);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) pixels.push_back(canvas.Pixel(x, y));
        }
        return pixels;
    };
    const std::vector<Rgb> drawn = cornerPixels();
    test::WriteBytes(dir.Path("x.ved"), Bytes{'V', 'E', 'D', 'X', 1, 0, 0, 0});
    tk::QueueFileAnswer(dir.Path("x.ved"), 0);
    LoadViewFile(s);
    EXPECT_EQ(LastShown().kind, "message");
    EXPECT_EQ(LastShown().title, "Error...");
    EXPECT_EQ(LastShown().text, "This file not View Editor data!");
    EXPECT_EQ(s.doc.ViewScreen[0][0], 3);
    EXPECT_EQ(cornerPixels(), drawn) << "nothing is redrawn";

    Bytes odd{'V', 'E', 'D', 'T'};
    for (std::int32_t v : {256, -2, 5, 0x7FFFFFFF}) {
        for (int i = 0; i < 4; ++i) odd.push_back(static_cast<unsigned char>(static_cast<std::uint32_t>(v) >> (8 * i)));
    }
    const auto screen = DecodeViewFile(odd);
    ASSERT_TRUE(screen.has_value());
    EXPECT_EQ((*screen)[0][0], kEmptyCell);
    EXPECT_EQ((*screen)[0][1], kEmptyCell);
    EXPECT_EQ((*screen)[0][2], 5);
    EXPECT_EQ((*screen)[0][3], kEmptyCell);
    EXPECT_EQ((*screen)[0][4], 0) << "a short file reads zeros";
    EXPECT_EQ((*screen)[39][59], 0);
}

TEST_F(ViewFilesTest, TheRegionIsValidWithAColumnAndARowToSpare) {
    EXPECT_TRUE(IsExportable(Region{0, 0, 59, 39}));
    EXPECT_FALSE(IsExportable(Region{1, 0, 59, 1}));
    EXPECT_FALSE(IsExportable(Region{0, 1, 1, 39}));
    EXPECT_FALSE(IsExportable(Region{50, 0, 10, 1}));
    EXPECT_TRUE(IsExportable(Region{59, 39, 0, 0}));
    EXPECT_FALSE(IsExportable(Region{-1, 0, 2, 2}));
    EXPECT_FALSE(IsExportable(Region{2, 2, 0x7FFFFFFF, 1}));
}

TEST_F(ViewFilesTest, FieldsAreCappedAndWrittenBack) {
    OpenExport();
    EXPECT_EQ(tk::Text(s.exportUi.widthField), "4");
    EXPECT_EQ(tk::Value(s.exportUi.widthSpin), 4);
    Type(s.exportUi.widthField, "75");
    EXPECT_EQ(s.ExportRegion.width, 59);
    EXPECT_EQ(tk::Text(s.exportUi.widthField), "59");
    EXPECT_EQ(tk::Value(s.exportUi.widthSpin), 59);
    Type(s.exportUi.heightField, "45");
    EXPECT_EQ(s.ExportRegion.height, 39);
    EXPECT_EQ(tk::Text(s.exportUi.heightField), "39");
    Type(s.exportUi.startXField, "");
    EXPECT_EQ(s.ExportRegion.startX, 0);
    Type(s.exportUi.startYField, "12");
    EXPECT_EQ(s.ExportRegion.startY, 12);
    EXPECT_EQ(tk::Text(s.exportUi.startYField), "12");

    tk::SetValue(s.exportUi.startXSpin, 7);
    ViewExportHandler(s, ControlEvent(s.exportUi.startXSpin, tk::SubKind::Other));
    EXPECT_EQ(s.ExportRegion.startX, 7);
    EXPECT_EQ(tk::Text(s.exportUi.startXField), "7");
}

TEST_F(ViewFilesTest, TypingIntoAFieldIsCappedAsTheUserTypes) {
    OpenExport();
    tk::DiscardEvents();
    tk::simulate::TypeText(s.exportUi.heightField, "75");
    for (tk::Event e = tk::PollEvent(); e.kind != tk::EventKind::None; e = tk::PollEvent()) DispatchEvent(s, e);
    EXPECT_EQ(s.ExportRegion.height, 39);
    EXPECT_EQ(tk::Text(s.exportUi.heightField), "39");
    EXPECT_EQ(tk::Value(s.exportUi.heightSpin), 39);
}

TEST_F(ViewFilesTest, MovingTheRegionMovesTheOutline) {
    OpenExport();
    Type(s.exportUi.startXField, "10");
    const tk::Surface& canvas = tk::CanvasSurface(s.viewUi.canvas);
    EXPECT_EQ(canvas.Pixel(160, 5), tk::MakeRgb(255, 255, 255));
    EXPECT_EQ(canvas.Pixel(0, 5), 0u);
}

TEST_F(ViewFilesTest, BinAndCharsWalkTheRegionRowByRow) {
    s.doc.ViewScreen[3][2] = 33;   // inside, first
    s.doc.ViewScreen[3][4] = 34;   // inside
    s.doc.ViewScreen[4][2] = 35;   // inside, next row
    s.doc.ViewScreen[4][5] = 36;   // right of the region
    s.doc.ViewScreen[5][2] = 37;   // below it
    s.ExportRegion = Region{2, 3, 3, 2};
    OpenExport();
    tk::QueueFileAnswer(dir.Path("codes"), 0);
    ViewExportHandler(s, ControlEvent(s.exportUi.saveChars));
    EXPECT_EQ(LastShown().title, "Save to char (.char)");
    EXPECT_EQ(LastShown().filters, "Set char (*.char)|*.char|All files (*.*)|*.*");
    EXPECT_EQ(test::ReadBytes(dir.Path("codes.char")), (Bytes{33, 34, 35}));

    tk::QueueFileAnswer(dir.Path("bits"), 0);
    EXPECT_TRUE(ViewExportHandler(s, ControlEvent(s.exportUi.saveBin)));
    EXPECT_EQ(LastShown().title, "Save to bin (.bin)");
    Bytes expected;
    for (int code : {33, 34, 35}) {
        for (int row = 0; row < 8; ++row) expected.push_back(DefaultFontData[8 * code + row]);
    }
    EXPECT_EQ(test::ReadBytes(dir.Path("bits.bin")), expected);

    tk::QueueFileAnswer(dir.Path("raw"), 1);
    ExportViewChars(s);
    EXPECT_EQ(test::ReadBytes(dir.Path("raw")).size(), 3u);
}

TEST_F(ViewFilesTest, SaveMapWritesEveryCellRawOrAsSourceText) {
    s.doc.ViewScreen[3][2] = 33;
    s.doc.ViewScreen[4][4] = 127;
    s.ExportRegion = Region{2, 3, 3, 2};
    OpenExport();
    tk::QueueFileAnswer(dir.Path("level"), 0);
    ViewExportHandler(s, ControlEvent(s.exportUi.saveMap));
    EXPECT_EQ(test::ReadBytes(dir.Path("level.bin")), (Bytes{33, 0, 0, 0, 0, 127}));

    tk::SelectItem(s.exportUi.mapFormat, 4);  // mads
    tk::QueueFileAnswer(dir.Path("level"), 0);
    ViewExportHandler(s, ControlEvent(s.exportUi.saveMap));
    EXPECT_EQ(LastShown().title, "Save map (.asm)");
    const std::string text = "map\r\n    dta $21,$00,$00\r\n    dta $00,$00,$7F\r\n";
    EXPECT_EQ(test::ReadBytes(dir.Path("level.asm")), Bytes(text.begin(), text.end()));
}

TEST_F(ViewFilesTest, AnInvalidRegionAsksNothingAndAnEmptyOneWritesNothing) {
    s.ExportRegion = Region{1, 0, 59, 2};
    ExportViewBin(s);
    ExportViewChars(s);
    ExportViewMap(s, "mads");
    EXPECT_TRUE(tk::ShownRequesters().empty());

    s.doc.ViewScreen[0][0] = 33;
    s.ExportRegion = Region{0, 0, 0, 5};
    tk::QueueFileAnswer(dir.Path("none.bin"), 0);
    ExportViewBin(s);
    EXPECT_EQ(qm::FileSize(dir.Path("none.bin")), 0);
}

TEST_F(ViewFilesTest, CancelAndCloseBoxCloseTheExportWindow) {
    OpenExport();
    EXPECT_FALSE(ViewExportHandler(s, ControlEvent(s.exportUi.cancel)));
    tk::Event close;
    close.kind = tk::EventKind::CloseRequest;
    close.window = s.exportUi.window;
    EXPECT_FALSE(ViewExportHandler(s, close));
}

}  // namespace
}  // namespace qm
