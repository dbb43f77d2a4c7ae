// The map window driven by its events as the user gives them: tiles placed
// and drawn as the view editor draws their codes, the menus' commands, undo,
// and a map that survives the editor opening and saving its project.

#include <algorithm>

#include "app/main_loop.h"
#include "core/map_export.h"
#include "core/project_format.h"
#include "files/project_file.h"
#include "maps/map_editor.h"
#include "sets/view_editor.h"
#include "session/undo.h"
#include "support/editor_fixture.h"
#include "toolkit/menu_checks.h"

namespace qm {
namespace {

class MapEditorTest : public test::EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        OpenMapEditor(s);
        ASSERT_TRUE(s.map.open);
    }
    void Send(const tk::Event& e) { DispatchEvent(s, e); }
    void Menu(const std::string& text) {
        for (const tk::MenuEntry& entry : tk::MenuEntries(s.mapUi.window)) {
            if (entry.text.substr(0, entry.text.find('\t')) == text) {
                tk::Event e;
                e.kind = tk::EventKind::MenuItem;
                e.window = s.mapUi.window;
                e.menuItem = entry.number;
                Send(e);
                return;
            }
        }
        FAIL() << "no menu item " << text;
    }
    // A press, a drag in eight moves to (x2, y2) and the release, in canvas
    // pixels.
    void Drag(int x1, int y1, int x2, int y2, int button, unsigned modifiers = 0) {
        tk::Event e = CanvasEvent(s.mapUi.canvas, x1, y1, button);
        e.modifiers = modifiers;
        for (int i = 0; i <= 8; ++i) {
            e.mouseX = x1 + (x2 - x1) * i / 8;
            e.mouseY = y1 + (y2 - y1) * i / 8;
            Send(e);
        }
        e.buttons = 0;
        e.subKind = button == tk::ButtonLeft ? tk::SubKind::LeftClick : tk::SubKind::Other;
        Send(e);
    }
    void Click(int x, int y, int button) { Drag(x, y, x, y, button); }
    Rgb MapPixel(int x, int y) const { return tk::CanvasSurface(s.mapUi.canvas).Pixel(x, y); }
    // Set n: cell i holds character (n + 3i) % 128, cell 7 empty.
    void FillSets() {
        for (int set = 1; set <= kSetCount; ++set) {
            for (int i = 0; i < kSetCells; ++i) s.doc.SetTable[set].cells[i] = (set + 3 * i) % kCharCount;
            s.doc.SetTable[set].cells[7] = kEmptyCell;
        }
    }
};

TEST_F(MapEditorTest, PlacedTilesShowTheirCharactersAsTheViewEditorShowsTheCodes) {
    FillSets();
    s.doc.Map.tileWidth = 3;
    s.doc.Map.tileHeight = 2;
    s.map.grid = false;
    Menu("Zoom 1x");
    // Each map cell is 24 x 16 pixels at zoom 1x.
    s.CurrentSet = 5;
    Click(30, 20, tk::ButtonLeft);   // cell (1, 1)
    s.CurrentSet = 77;
    Drag(0, 40, 60, 40, tk::ButtonLeft);  // cells (0, 2) to (2, 2)
    EXPECT_EQ(s.doc.Map.Tile(1, 1), 5);
    for (int x = 0; x < 3; ++x) EXPECT_EQ(s.doc.Map.Tile(x, 2), 77);
    EXPECT_EQ(s.doc.Map.Tile(0, 1), 0);

    // The same codes laid on the view screen, where a font pixel is 2 x 2.
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 9; ++x) s.doc.ViewScreen[y][x] = MapCharAt(s.doc.Map, s.doc.SetTable, x, y);
    }
    s.ExportRegion = {50, 30, 5, 5};  // its outline away from the characters compared
    OpenViewEditor(s);
    const tk::Surface& view = tk::CanvasSurface(s.viewUi.canvas);
    int compared = 0;
    for (int cy = 2; cy < 6; ++cy) {
        for (int cx = 0; cx < 9; ++cx) {
            if (s.doc.ViewScreen[cy][cx] == kEmptyCell) continue;
            for (int py = 0; py < 8; ++py) {
                for (int px = 0; px < 8; ++px) {
                    ASSERT_EQ(MapPixel(8 * cx + px, 8 * cy + py), view.Pixel(16 * cx + 2 * px, 16 * cy + 2 * py))
                        << "character " << cx << ", " << cy << " pixel " << px << ", " << py;
                    ++compared;
                }
            }
        }
    }
    EXPECT_EQ(compared, 20 * 64);  // tile 5 once, tile 77 three times, one empty set cell each
    // An empty map cell is dark, not the black of an empty set cell.
    EXPECT_EQ(MapPixel(2, 2), tk::MakeRgb(40, 40, 40));
    EXPECT_EQ(tk::WindowTitle(s.mapUi.window), "Map Editor  (X: 2, Y: 2, Tile: 77)");
}

TEST_F(MapEditorTest, EveryChangeIsAStepAndTheRightAndMiddleButtonsEmptyAndPick) {
    s.CurrentSet = 9;
    Drag(0, 0, 200, 0, tk::ButtonLeft);
    const int placed = static_cast<int>(std::count(s.doc.Map.cells.begin(), s.doc.Map.cells.end(), 8));
    EXPECT_GT(placed, 3);
    EXPECT_EQ(s.history.UndoName(), "Place Tiles");
    Click(0, 0, tk::ButtonRight);
    EXPECT_EQ(s.doc.Map.Tile(0, 0), 0);
    s.CurrentSet = 1;
    Click(40, 0, tk::ButtonMiddle);
    EXPECT_EQ(s.CurrentSet, 9);

    Menu("Fill");
    EXPECT_EQ(std::count(s.doc.Map.cells.begin(), s.doc.Map.cells.end(), 8), 64 * 32);
    UndoStep(s);
    UndoStep(s);
    EXPECT_EQ(std::count(s.doc.Map.cells.begin(), s.doc.Map.cells.end(), 8), placed);
    UndoStep(s);
    EXPECT_FALSE(s.doc.Map.InUse());
}

TEST_F(MapEditorTest, AChosenRectangleIsCopiedPastedFilledAndSentToTheViewScreen) {
    FillSets();
    s.CurrentSet = 2;
    Click(0, 0, tk::ButtonLeft);
    s.CurrentSet = 3;
    Click(40, 0, tk::ButtonLeft);  // cell (1, 0) at zoom 2x: 32 pixels a cell
    Drag(0, 0, 40, 0, tk::ButtonLeft, tk::Shift);
    EXPECT_EQ(s.map.selection.width, 2);
    EXPECT_EQ(s.map.selection.height, 1);
    Menu("Copy");
    // The pointer last rested on (1, 0); paste where it now rests.
    Send(CanvasEvent(s.mapUi.canvas, 32 * 10 + 5, 32 * 4 + 5, 0));
    Menu("Paste");
    EXPECT_EQ(s.doc.Map.Tile(10, 4), 2);
    EXPECT_EQ(s.doc.Map.Tile(11, 4), 3);
    EXPECT_EQ(s.history.UndoName(), "Paste Tiles");

    Menu("To View Editor");
    for (int y = 0; y < kViewRows; ++y) {
        for (int x = 0; x < kViewColumns; ++x) ASSERT_EQ(s.doc.ViewScreen[y][x], MapCharAt(s.doc.Map, s.doc.SetTable, x, y));
    }
    EXPECT_EQ(s.doc.ViewScreen[0][0], 2);
    s.CurrentSet = 4;
    Menu("Fill");
    EXPECT_EQ(s.doc.Map.Tile(0, 0), 4);
    EXPECT_EQ(s.doc.Map.Tile(2, 0), 0);
}

// The zoom in use is the one ticked item of the View menu, the grid's menu
// item and box agree, and what the menus change is undone under their names.
TEST_F(MapEditorTest, ViewMenuTicksTheZoomGridItemAndBoxAgreeAndMenuStepsAreNamed) {
    const auto ticks = [&] {
        std::string shown;
        for (int item : {kMenuMapZoom1, kMenuMapZoom2, kMenuMapZoom4}) {
            shown += tk::MenuItemChecked(s.mapUi.window, item) ? '1' : '0';
        }
        return shown;
    };
    EXPECT_EQ(ticks(), "010");
    Menu("Zoom 4x");
    EXPECT_EQ(ticks(), "001");
    EXPECT_EQ(s.map.zoom, 4);
    Menu("Zoom 1x");
    EXPECT_EQ(ticks(), "100");
    EXPECT_EQ(s.map.zoom, 1);

    for (int flip = 0; flip < 2; ++flip) {
        const bool was = s.map.grid;
        Menu("Grid On/Off");
        EXPECT_EQ(s.map.grid, !was);
        EXPECT_EQ(tk::IsChecked(s.mapUi.gridBox), !was);
    }
    tk::SetChecked(s.mapUi.gridBox, !s.map.grid);
    Send(ControlEvent(s.mapUi.gridBox));
    EXPECT_EQ(s.map.grid, tk::IsChecked(s.mapUi.gridBox));

    FillSets();
    s.CurrentSet = 3;
    Menu("Fill");
    EXPECT_EQ(s.history.UndoName(), "Fill Map");
    Menu("To View Editor");
    EXPECT_EQ(s.history.UndoName(), "Map To View");
    Menu("Select None");
    Menu("Copy");
    Menu("Zoom 2x");
    EXPECT_EQ(s.history.UndoName(), "Map To View");
}

TEST_F(MapEditorTest, SizeAsksBeforeDroppingTilesAndIsUndone) {
    s.CurrentSet = 6;
    Click(32 * 50, 32 * 2, tk::ButtonLeft);
    EXPECT_EQ(s.doc.Map.Tile(50, 2), 0);  // past the canvas: nothing
    s.map.firstColumn = 40;
    Click(32 * 10, 32 * 2, tk::ButtonLeft);
    ASSERT_EQ(s.doc.Map.Tile(50, 2), 6);

    // The dialog's spins (after each its label), then OK: 20 x 10 cells of
    // 4 x 1 characters.
    tk::SetWindowOpenedHook([&](tk::WindowId w) {
        if (tk::WindowTitle(w) != "Map size") return;
        const std::vector<tk::ControlId> c = tk::Controls(w);
        ASSERT_EQ(c.size(), 10u);
        const int values[] = {20, 10, 4, 1};
        for (std::size_t i = 0; i < 4; ++i) tk::SetValue(c[2 * i + 1], values[i]);
        tk::PostEvent(ControlEvent(c[8]));
    });
    const TileMap before = s.doc.Map;
    tk::QueueAnswer(tk::Answer::No);
    Menu("Size...");
    EXPECT_EQ(s.doc.Map, before);
    ASSERT_EQ(tk::ShownRequesters().back().text, "Tiles placed beyond the new size will be removed. Continue?");
    tk::QueueAnswer(tk::Answer::Yes);
    Menu("Size...");
    tk::SetWindowOpenedHook({});
    EXPECT_EQ(s.doc.Map.width, 20);
    EXPECT_EQ(s.doc.Map.height, 10);
    EXPECT_EQ(s.doc.Map.tileWidth, 4);
    EXPECT_EQ(s.doc.Map.tileHeight, 1);
    EXPECT_EQ(s.history.UndoName(), "Map Size");
    UndoStep(s);
    EXPECT_EQ(s.doc.Map, before);
    RedoStep(s);
    EXPECT_EQ(s.doc.Map.width, 20);
}

TEST_F(MapEditorTest, ExportWritesTheChosenBytesInTheChosenForm) {
    test::TempDir dir;
    s.CurrentSet = 12;
    Click(0, 0, tk::ButtonLeft);
    Drag(0, 0, 40, 32, tk::ButtonLeft, tk::Shift);  // cells (0, 0) to (1, 1)
    // Export's controls: label, what, label, format, header, label, Save, Cancel.
    int what = 0, form = 0;
    bool header = false;
    tk::SetWindowOpenedHook([&](tk::WindowId w) {
        if (tk::WindowTitle(w) != "Export map") return;
        const std::vector<tk::ControlId> c = tk::Controls(w);
        ASSERT_EQ(c.size(), 8u);
        tk::SelectItem(c[1], what);
        tk::SelectItem(c[3], form);
        tk::SetChecked(c[4], header);
        tk::PostEvent(ControlEvent(c[6]));
    });
    header = true;
    tk::QueueFileAnswer(dir.Path("room"));
    Menu("Export...");
    EXPECT_EQ(test::ReadBytes(dir.Path("room.bin")), (Bytes{2, 0, 2, 0, 11, 255, 255, 255}));
    what = 2;
    form = 2;
    header = false;
    tk::QueueFileAnswer(dir.Path("tiles.c"));
    Menu("Export...");
    const Bytes text = test::ReadBytes(dir.Path("tiles.c"));
    EXPECT_EQ(std::string(text.begin(), text.end()).rfind("const unsigned char tiles[400] = {\n", 0), 0u);
    // The cross tools' forms too, a row of the map a line.
    what = 0;
    form = 4;
    header = true;
    tk::QueueFileAnswer(dir.Path("room.asm"));
    Menu("Export...");
    tk::SetWindowOpenedHook({});
    const Bytes mads = test::ReadBytes(dir.Path("room.asm"));
    EXPECT_EQ(std::string(mads.begin(), mads.end()),
              "map\r\n    dta $02,$00\r\n    dta $02,$00\r\n    dta $0B,$FF\r\n    dta $FF,$FF\r\n");
}

TEST_F(MapEditorTest, TheMapSurvivesTheEditorOpeningAndSavingItsProject) {
    test::TempDir dir;
    Document doc;
    ResetDocument(doc);
    ResizeMap(doc.Map, 300, 200);
    doc.Map.tileWidth = 3;
    for (int i = 0; i < 300 * 200; ++i) doc.Map.cells[static_cast<std::size_t>(i)] = i % 7 ? i % 100 : kNoTile;
    const Bytes written = WriteProject(ProjectOf(doc));
    test::WriteBytes(dir.Path("in.proj"), written);
    ASSERT_TRUE(OpenProjectFrom(s, dir.Path("in.proj")));
    EXPECT_EQ(s.doc.Map, doc.Map);
    tk::QueueFileAnswer(dir.Path("out.proj"));
    ASSERT_TRUE(SaveProject(s, SaveMode::SaveAs));
    EXPECT_EQ(test::ReadBytes(dir.Path("out.proj")), written);

    // A project whose map is cut short is not opened, so it cannot be saved
    // without its map.
    test::WriteBytes(dir.Path("cut.proj"), Bytes(written.begin(), written.end() - 100));
    EXPECT_FALSE(OpenProjectFrom(s, dir.Path("cut.proj")));
    EXPECT_EQ(s.doc.ProjectPath, dir.Path("out.proj"));
}

}  // namespace
}  // namespace qm
