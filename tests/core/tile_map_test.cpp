// The map of tiles: its block in the project, the bytes it exports, the map
// files it is taken from, and its place in the history and recovery copy.

#include <gtest/gtest.h>

#include <random>

#include "core/char_analysis.h"
#include "core/history.h"
#include "core/map_export.h"
#include "core/project_format.h"
#include "core/recovery_format.h"
#include "core/tile_map_format.h"

namespace qm {
namespace {

TileMap RandomMap(std::mt19937& rng, int maxSide) {
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    TileMap map;
    map.tileWidth = pick(1, kTileMaxSide);
    map.tileHeight = pick(1, kTileMaxSide);
    ResizeMap(map, pick(1, maxSide), pick(1, maxSide));
    for (int y = 0; y < map.height; ++y) {
        for (int x = 0; x < map.width; ++x) map.Place(x, y, pick(0, 3) == 0 ? 0 : pick(1, kTileCount));
    }
    return map;
}

Document RandomDocument(std::mt19937& rng) {
    Document doc;
    ResetDocument(doc);
    for (int set = 1; set <= kSetCount; ++set) {
        for (auto& cell : doc.SetTable[set].cells) cell = std::uniform_int_distribution<int>(-1, kCharCount - 1)(rng);
    }
    doc.Map = RandomMap(rng, 40);
    return doc;
}

TEST(TileMapTest, BlockAndProjectKeepEveryMap) {
    std::mt19937 rng(26);
    for (int i = 0; i < 50; ++i) {
        const Document doc = RandomDocument(rng);
        EXPECT_EQ(DecodeMapBlock(EncodeMapBlock(doc.Map)), doc.Map);
        Document back;
        ResetDocument(back);
        ApplyProject(back, *ReadProject(WriteProject(ProjectOf(doc))));
        EXPECT_EQ(back.Map, doc.Map);
    }
}

TEST(TileMapTest, AProjectWithoutAMapIsTheFixedFormAlone) {
    Document doc;
    ResetDocument(doc);
    EXPECT_FALSE(doc.Map.InUse());
    EXPECT_EQ(WriteProject(ProjectOf(doc)).size(), kProjectSize);
    // A map emptied again at its first size is no map.
    doc.Map.Place(3, 3, 7);
    EXPECT_GT(WriteProject(ProjectOf(doc)).size(), kProjectSize);
    doc.Map.Place(3, 3, 0);
    EXPECT_EQ(WriteProject(ProjectOf(doc)).size(), kProjectSize);
    // Opening a project without one leaves a new, empty map.
    Document opened;
    ResetDocument(opened);
    opened.Map.Place(0, 0, 1);
    ApplyProject(opened, *ReadProject(WriteProject(ProjectOf(doc))));
    EXPECT_FALSE(opened.Map.InUse());
}

TEST(TileMapTest, DamagedMapBlocksAreKnownAsSuch) {
    Document doc;
    ResetDocument(doc);
    doc.Map.Place(1, 1, 5);
    const Bytes whole = WriteProject(ProjectOf(doc));
    EXPECT_FALSE(MapDamaged(*ReadProject(whole)));
    // Cut short: the block's length runs past the end.
    const Bytes cut(whole.begin(), whole.end() - 10);
    EXPECT_TRUE(MapDamaged(*ReadProject(cut)));
    EXPECT_FALSE(MapOf(*ReadProject(cut)));
    // Whole, but of a size no map has.
    Bytes badSize = whole;
    badSize[kProjectSize + 8] = 0;
    badSize[kProjectSize + 9] = 0;
    EXPECT_TRUE(MapDamaged(*ReadProject(badSize)));
    // A cell that is no tile reads as empty, whichever value it holds and
    // wherever it lies (the cells are read many at a time, then one by one).
    ResizeMap(doc.Map, 33, 9);
    Bytes everyValue = WriteProject(ProjectOf(doc));
    const std::size_t cells = kProjectSize + 8 + 6;
    for (std::size_t i = 0; i < 33 * 9; ++i) everyValue[cells + i] = static_cast<unsigned char>((i * 7) % 256);
    const TileMap read = *MapOf(*ReadProject(everyValue));
    for (std::size_t i = 0; i < 33 * 9; ++i) {
        const unsigned value = (i * 7) % 256;
        EXPECT_EQ(read.cells[i], value < kTileCount ? value : kNoTile) << "cell " << i;
    }
}

TEST(TileMapTest, CharactersAreTheTilesLaidOutByHand) {
    std::mt19937 rng(7);
    for (int i = 0; i < 30; ++i) {
        const Document doc = RandomDocument(rng);
        const TileMap& map = doc.Map;
        const int x = std::uniform_int_distribution<int>(0, map.width - 1)(rng);
        const int y = std::uniform_int_distribution<int>(0, map.height - 1)(rng);
        const Region region{x, y, std::uniform_int_distribution<int>(1, map.width - x)(rng),
                            std::uniform_int_distribution<int>(1, map.height - y)(rng)};
        const int fill = i % 2 ? 0 : 200;
        const Bytes tiles = MapTileBytes(map, region, kNoTile);
        const Bytes set = TileSetBytes(map, doc.SetTable, fill);
        const Bytes chars = MapCharBytes(map, region, doc.SetTable, fill);
        const std::vector<int> codes = MapCharCodes(map, region, doc.SetTable);
        const int tw = map.tileWidth, th = map.tileHeight, rowChars = region.width * tw;
        ASSERT_EQ(tiles.size(), static_cast<std::size_t>(region.width * region.height));
        ASSERT_EQ(set.size(), static_cast<std::size_t>(kTileCount * tw * th));
        ASSERT_EQ(chars.size(), static_cast<std::size_t>(rowChars * region.height * th));
        ASSERT_EQ(codes.size(), chars.size());
        for (std::size_t at = 0; at < chars.size(); ++at) {
            const int cx = static_cast<int>(at % rowChars), cy = static_cast<int>(at / rowChars);
            const int tile = tiles[(cy / th) * region.width + cx / tw];
            const int expected = tile == kNoTile ? fill : set[tile * tw * th + (cy % th) * tw + cx % tw];
            ASSERT_EQ(chars[at], expected) << "at " << at;
            const int code = MapCharAt(map, doc.SetTable, region.startX * tw + cx, region.startY * th + cy);
            ASSERT_EQ(code == kEmptyCell ? fill : code, expected);
            ASSERT_EQ(codes[at], code);
        }
    }
}

TEST(TileMapTest, TileBytesAndTheHeader) {
    TileMap map;
    ResizeMap(map, 3, 2);
    map.Place(0, 0, 1);
    map.Place(2, 1, 100);
    EXPECT_EQ(MapTileBytes(map, WholeMap(map), 255), (Bytes{0, 255, 255, 255, 255, 99}));
    EXPECT_EQ(MapTileBytes(map, {1, 1, 2, 1}, 7), (Bytes{7, 99}));
    EXPECT_TRUE(MapTileBytes(map, {2, 0, 2, 1}, 7).empty());
    EXPECT_EQ(WithSizeHeader(300, 2, {9}), (Bytes{0x2C, 1, 2, 0, 9}));
}

TEST(TileMapTest, MapFilesFitTheirWidthOrAreRefusedWithAReason) {
    std::mt19937 rng(3);
    for (int i = 0; i < 20; ++i) {
        const TileMap map = RandomMap(rng, 60);
        const Bytes tiles = MapTileBytes(map, WholeMap(map), kNoTile);
        std::string reason;
        MapFileLayout plain{map.width, false, map.tileWidth, map.tileHeight};
        EXPECT_EQ(ReadMapFile(tiles, plain, reason), map);
        MapFileLayout headed{0, true, map.tileWidth, map.tileHeight};
        EXPECT_EQ(ReadMapFile(WithSizeHeader(map.width, map.height, tiles), headed, reason), map);
    }
    const Bytes seven(7, 0);
    const struct {
        Bytes file;
        MapFileLayout layout;
        const char* reason;
    } refused[] = {
        {seven, {2}, "7 cells do not make whole rows of 2"},
        {{}, {2}, "0 cells do not make whole rows of 2"},
        {{1, 2, 150, 3}, {2}, "byte 2 is 150, which is no tile"},
        {seven, {2000}, "a map is 1 to 1024 cells wide"},
        {Bytes(1025, 0), {1}, "at most 1024 rows"},
        {{2, 0, 3, 0, 1, 1, 1, 1}, {0, true}, "its header gives 3 rows, the file holds 2"},
        {{2, 0, 2, 0, 1, 1, 1, 1}, {4, true}, "its header gives the width 2, not 4"},
        {{2, 0}, {0, true}, "too short"},
        {seven, {7, false, 6, 2}, "a tile is 1 to 5"},
    };
    for (const auto& r : refused) {
        std::string reason;
        EXPECT_FALSE(ReadMapFile(r.file, r.layout, reason));
        EXPECT_NE(reason.find(r.reason), std::string::npos) << reason;
    }
}

TEST(TileMapTest, ResizingKeepsTheTopLeftAndTellsWhatItWouldDrop) {
    TileMap map;
    ResizeMap(map, 4, 3);
    map.Place(1, 1, 9);
    map.Place(3, 2, 8);
    EXPECT_TRUE(ResizeLosesTiles(map, 3, 3));
    EXPECT_FALSE(ResizeLosesTiles(map, 4, 3));
    ResizeMap(map, 2, 5);
    EXPECT_EQ(map.Tile(1, 1), 9);
    EXPECT_EQ(map.Tile(1, 4), 0);
    EXPECT_EQ(map.cells.size(), 10u);
    ResizeMap(map, 6, 2);
    EXPECT_EQ(map.Tile(1, 1), 9);
    EXPECT_EQ(map.Tile(5, 1), 0);
}

TEST(TileMapTest, StepsOnTheMapUndoAndRedoAndStaySmall) {
    Document doc;
    ResetDocument(doc);
    ResizeMap(doc.Map, kMapMaxSide, kMapMaxSide);
    History history;
    history.Reset(doc);
    const Document empty = doc;

    doc.Map.Place(500, 600, 42);
    ASSERT_TRUE(history.Record(doc, "Place tile"));
    // One cell changed: the step holds a few bytes, not the megabyte map.
    EXPECT_LT(history.MemoryUsed(), std::size_t{4096});
    const Document placed = doc;

    ResizeMap(doc.Map, 20, 10);
    doc.Map.tileWidth = 3;
    doc.Map.Place(19, 9, 1);
    ASSERT_TRUE(history.Record(doc, "Map size"));
    const Document resized = doc;

    // Changes not yet recorded are dropped by an undo, also of the size.
    ResizeMap(doc.Map, 5, 5);
    EXPECT_TRUE(history.Pending(doc));
    history.Undo(doc);
    EXPECT_EQ(doc.Map, placed.Map);
    history.Undo(doc);
    EXPECT_EQ(doc.Map, empty.Map);
    history.Redo(doc);
    EXPECT_EQ(doc.Map, placed.Map);
    history.Redo(doc);
    EXPECT_EQ(doc.Map, resized.Map);
    EXPECT_FALSE(history.Pending(doc));
}

TEST(TileMapTest, TheRecoveryCopyKeepsTheMap) {
    std::mt19937 rng(11);
    const Document doc = RandomDocument(rng);
    const std::optional<RecoveredWork> work = ReadRecovery(WriteRecovery(doc, 4));
    ASSERT_TRUE(work);
    EXPECT_EQ(work->doc.Map, doc.Map);
}

TEST(TileMapTest, CharactersOfPlacedTilesCountAsUsed) {
    Document doc;
    ResetDocument(doc);
    doc.SetTable[3].cells.fill(kEmptyCell);
    doc.SetTable[3].cells[0] = 10;   // inside a 2 x 2 tile
    doc.SetTable[3].cells[6] = 11;   // row 1, column 1: inside
    doc.SetTable[3].cells[2] = 12;   // column 2: outside the tile
    doc.Map.Place(0, 0, 3);
    doc.Map.Place(5, 5, 3);
    const CharAnalysis a = AnalyzeChars(doc, 1);
    EXPECT_EQ(a.mapCells[10], 2);
    EXPECT_EQ(a.mapCells[11], 2);
    EXPECT_EQ(a.mapCells[12], 0);
    EXPECT_TRUE(a.Used(10));
}

}  // namespace
}  // namespace qm
