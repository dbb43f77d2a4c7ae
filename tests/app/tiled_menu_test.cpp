// "Export to Tiled..." and "Import from Tiled..." of the "Project" menu, as
// the user reaches them.

#include <gtest/gtest.h>

#include "app/main_loop.h"
#include "core/font_image.h"
#include "core/image.h"
#include "core/tiled_export.h"
#include "core/tmx_format.h"
#include "files/tiled_files.h"
#include "session/menu_items.h"
#include "session/undo.h"
#include "support/editor_fixture.h"
#include "toolkit/simulate/simulate.h"

namespace qm {
namespace {

class TiledMenuTest : public test::EditorTest {
protected:
    void Send(const tk::Event& e) { DispatchEvent(s, e); }
    test::TempDir dir;
};

TEST_F(TiledMenuTest, TheScreenIsExportedWithItsTileSetAndImportedBackAsOneStep) {
    for (int y = 0; y < kViewRows; ++y) {
        for (int x = 0; x < kViewColumns; ++x) s.doc.ViewScreen[y][x] = (x * y) % 5 == 0 ? kEmptyCell : (x + 2 * y) % 128;
    }
    const ViewCells drawn = s.doc.ViewScreen;
    tk::QueueFileAnswer(dir.Path("level"));
    Send(MenuEvent(kMenuExportTiled));
    const TmxReadResult read = ReadTmx(test::ReadBytes(dir.Path("level.tmx")));
    ASSERT_EQ(read.error, "");
    EXPECT_EQ(read.grid.cells, ScreenGrid(drawn).cells);
    EXPECT_EQ(DecodePng(test::ReadBytes(dir.Path("level.png"))).pixels,
              RenderFontImage(s.Slot(), s.doc.RegisterRgb, false, 1).pixels);
    EXPECT_FALSE(test::ReadBytes(dir.Path("level.tsx")).empty());

    for (auto& row : s.doc.ViewScreen) row.fill(3);
    StartHistory(s);
    tk::QueueFileAnswer(dir.Path("level.tmx"));
    Send(MenuEvent(kMenuImportTiled));
    EXPECT_EQ(s.doc.ViewScreen, drawn);
    Send(MenuEvent(kMenuUndo));
    EXPECT_EQ(s.doc.ViewScreen[0][0], 3);
    Send(MenuEvent(kMenuRedo));
    EXPECT_EQ(s.doc.ViewScreen, drawn);
}

TEST_F(TiledMenuTest, TheTileMapFilterTakesTheTileMapOutAndBackAsOneStep) {
    for (int set = 1; set <= kSetCount; ++set) s.doc.SetTable[set].cells.fill(set);
    TileMap map;
    ResizeMap(map, 70, 45);
    for (std::size_t i = 0; i < map.cells.size(); ++i) map.cells[i] = i % 3 == 0 ? kNoTile : static_cast<std::uint8_t>(i % kTileCount);
    s.doc.Map = map;
    tk::QueueFileAnswer(dir.Path("level"), 1);
    Send(MenuEvent(kMenuExportTiled));
    EXPECT_EQ(ReadTmx(test::ReadBytes(dir.Path("level.tmx"))).grid.cells, MapGrid(map, s.doc.SetTable).cells);

    ResizeMap(s.doc.Map, 10, 10);
    const ViewCells screen = s.doc.ViewScreen;
    const TileMap before = s.doc.Map;
    StartHistory(s);
    tk::QueueFileAnswer(dir.Path("level.tmx"), 1);
    Send(MenuEvent(kMenuImportTiled));
    EXPECT_EQ(s.doc.Map, map);
    EXPECT_EQ(s.doc.ViewScreen, screen);
    Send(MenuEvent(kMenuUndo));
    EXPECT_EQ(s.doc.Map, before);
    Send(MenuEvent(kMenuRedo));
    EXPECT_EQ(s.doc.Map, map);
}

TEST_F(TiledMenuTest, AMapThatCannotBeTakenIsRefusedWithItsReasonAndTheScreenKept) {
    const std::string tmx = "<map orientation=\"orthogonal\" width=\"1\" height=\"1\"><tileset firstgid=\"1\"/>"
                            "<layer width=\"1\" height=\"1\"><data encoding=\"base64\" compression=\"zstd\">AA==</data>"
                            "</layer></map>";
    test::WriteBytes(dir.Path("z.tmx"), Bytes(tmx.begin(), tmx.end()));
    for (auto& row : s.doc.ViewScreen) row.fill(9);
    const ViewCells before = s.doc.ViewScreen;
    tk::QueueFileAnswer(dir.Path("z.tmx"));
    Send(MenuEvent(kMenuImportTiled));
    EXPECT_EQ(s.doc.ViewScreen, before);
    ASSERT_FALSE(tk::ShownRequesters().empty());
    EXPECT_EQ(tk::ShownRequesters().back().title, "Error...");
    EXPECT_NE(tk::ShownRequesters().back().text.find("zstd"), std::string::npos) << tk::ShownRequesters().back().text;
}

}  // namespace
}  // namespace qm
