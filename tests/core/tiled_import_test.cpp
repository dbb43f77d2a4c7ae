// Tiled maps onto the tile map: the map written in characters comes back the
// same for every tile size; maps of larger tiles, Tiled's own among them, are
// tile numbers; what does not fit is refused with the document left alone.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <random>

#include "core/tiled_export.h"
#include "core/tiled_import.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

Bytes AsBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

// The same layer said to be of tiles of 16 x 16 pixels: a map of tiles.
std::string WithLargeTiles(std::string tmx) {
    const std::string chars = "tilewidth=\"8\" tileheight=\"8\"";
    return tmx.replace(tmx.find(chars), chars.size(), "tilewidth=\"16\" tileheight=\"16\"");
}

Document DocumentWithTiles(std::mt19937& random, int tileWidth, int tileHeight) {
    Document doc;
    ResetDocument(doc);
    for (int set = 1; set <= kSetCount; ++set) {
        for (int& cell : doc.SetTable[set].cells) {
            const int pick = static_cast<int>(random() % 300);
            cell = pick < 256 ? pick : kEmptyCell;
        }
        // The first cell tells the tiles apart, inverse codes among them.
        doc.SetTable[set].cells[0] = 100 + set;
    }
    ResizeMap(doc.Map, 3, 3);
    doc.Map.tileWidth = tileWidth;
    doc.Map.tileHeight = tileHeight;
    return doc;
}

TileMap RandomMap(std::mt19937& random, int tileWidth, int tileHeight) {
    TileMap map;
    map.tileWidth = tileWidth;
    map.tileHeight = tileHeight;
    ResizeMap(map, 1 + static_cast<int>(random() % 40), 1 + static_cast<int>(random() % 30));
    for (std::uint8_t& cell : map.cells) cell = random() % 5 == 0 ? kNoTile : static_cast<std::uint8_t>(random() % kTileCount);
    return map;
}

TEST(TiledImportTest, TheMapLaidOutInCharactersComesBackForEveryTileSize) {
    std::mt19937 random(27);
    for (int tw = 1; tw <= kTileMaxSide; ++tw) {
        for (int th = 1; th <= kTileMaxSide; ++th) {
            SCOPED_TRACE(std::to_string(tw) + " x " + std::to_string(th));
            Document doc = DocumentWithTiles(random, tw, th);
            // Tile 100 shows what tile 50 shows: the lower number comes back.
            doc.SetTable[100] = doc.SetTable[50];
            const TileMap map = RandomMap(random, tw, th);
            TileMap expected = map;
            for (std::uint8_t& cell : expected.cells) cell = cell == 99 ? 49 : cell;

            const Document before = doc;
            // The export writes the map's text straight from the tiles' rows,
            // byte for byte the text of the map laid out in characters.
            const auto files = TiledMapExportFiles(map, doc.SetTable, doc.Slots[1], kDefaultRegisterRgb, false, "m.tmx");
            ASSERT_EQ(files.size(), 3u);
            const Bytes tmx = files[2].bytes;
            EXPECT_EQ(tmx, AsBytes(WriteTmx(MapGrid(map, doc.SetTable), "m.tsx", "Map")));
            TileMap stray = map;
            stray.cells[0] = static_cast<std::uint8_t>(kTileCount + random() % 155);
            EXPECT_EQ(TiledMapExportFiles(stray, doc.SetTable, doc.Slots[1], kDefaultRegisterRgb, false, "m.tmx")[2].bytes,
                      AsBytes(WriteTmx(MapGrid(stray, doc.SetTable), "m.tsx", "Map")));
            ASSERT_EQ(ImportTiledMap(tmx, TiledTarget::Map, doc), "");
            EXPECT_EQ(doc.Map, expected);
            EXPECT_EQ(doc.SetTable[1].cells, before.SetTable[1].cells);
            EXPECT_EQ(doc.ViewScreen, before.ViewScreen);
        }
    }
}

TEST(TiledImportTest, MapsOfLargerTilesAreTileNumbersUpToTheMapsLimits) {
    std::mt19937 random(1024);
    for (const auto& [width, height] : {std::pair{1, 1}, {60, 41}, {kMapMaxSide, 3}, {2, kMapMaxSide}}) {
        CodeGrid grid{width, height, {}};
        for (int i = 0; i < width * height; ++i) grid.cells.push_back(static_cast<int>(random() % 101) - 1);
        Document doc;
        ResetDocument(doc);
        doc.Map.tileWidth = 4;
        ASSERT_EQ(ImportTiledMap(AsBytes(WithLargeTiles(WriteTmx(grid, "t.tsx", "L"))), TiledTarget::Map, doc), "");
        ASSERT_EQ(doc.Map.width, width);
        ASSERT_EQ(doc.Map.height, height);
        EXPECT_EQ(doc.Map.tileWidth, 4);
        for (int i = 0; i < width * height; ++i) {
            ASSERT_EQ(doc.Map.Tile(i % width, i / width), grid.cells[i] + 1) << i;
        }
    }
}

TEST(TiledImportTest, WhatTheTileMapCannotHoldIsRefusedWithTheMapKept) {
    Document doc;
    ResetDocument(doc);
    doc.Map.tileWidth = 3;
    for (int& cell : doc.SetTable[7].cells) cell = 65;
    doc.Map.Place(1, 1, 9);
    const auto charMap = [](int width, int height, int code) {
        return WriteTmx(CodeGrid{width, height, std::vector<int>(static_cast<std::size_t>(width) * height, code)},
                        "t.tsx", "L");
    };
    const struct {
        std::string tmx;
        const char* says;
    } refused[] = {
        {charMap(7, 2, 65), "7 x 2 characters, not whole tiles of 3 x 2"},
        {charMap(6, 4, 66), "the characters at column 0, row 0 are none of the tiles of 3 x 2"},
        {charMap(3 * (kMapMaxSide + 1), 2, kEmptyCell), "1025 x 1 tiles of 3 x 2 characters; a tile map is at most 1024 x 1024"},
        {WithLargeTiles(charMap(kMapMaxSide + 1, 1, 0)), "1025 x 1 tiles; a tile map is at most"},
        {WithLargeTiles(charMap(2, 2, kTileCount)), "tile id 101; a tile map holds tiles 1 to 100"},
    };
    const Document before = doc;
    for (const auto& r : refused) {
        EXPECT_NE(ImportTiledMap(AsBytes(r.tmx), TiledTarget::Map, doc).find(r.says), std::string::npos) << r.says;
        EXPECT_EQ(doc.Map, before.Map);
    }
    // Blocks of tile 7's characters and empty blocks fit.
    CodeGrid grid{6, 2, {65, 65, 65, kEmptyCell, kEmptyCell, kEmptyCell, 65, 65, 65, kEmptyCell, kEmptyCell, kEmptyCell}};
    ASSERT_EQ(ImportTiledMap(AsBytes(WriteTmx(grid, "t.tsx", "L")), TiledTarget::Map, doc), "");
    EXPECT_EQ(doc.Map.cells, (std::vector<std::uint8_t>{6, kNoTile}));
}

TEST(TiledImportTest, TiledsOwnMapsBecomeTheTileMapOrAreRefused) {
    const std::map<std::string, std::string> expected = {
        {"desert.tmx", "40 x 40"}, {"forest.tmx", "40 x 16"}, {"sewers.tmx", "50 x 50"},
        {"hexagonal-mini.tmx", "hexagonal"}, {"orthogonal-outside.tmx", "a map cell one of 100 tiles"},
    };
    for (const auto& [name, outcome] : expected) {
        SCOPED_TRACE(name);
        std::FILE* f = std::fopen((fs::path(QUILLMERE_TESTDATA) / "tmx" / name).string().c_str(), "rb");
        ASSERT_NE(f, nullptr);
        Bytes file;
        for (int c; (c = std::fgetc(f)) != EOF;) file.push_back(static_cast<unsigned char>(c));
        std::fclose(f);
        Document doc;
        ResetDocument(doc);
        const std::string refusal = ImportTiledMap(file, TiledTarget::Map, doc);
        const std::string got = refusal.empty() ? std::to_string(doc.Map.width) + " x " + std::to_string(doc.Map.height) : refusal;
        EXPECT_NE(got.find(outcome), std::string::npos) << got;
        if (!refusal.empty()) continue;
        const TmxReadResult read = ReadTmx(file);
        for (std::size_t i = 0; i < read.grid.cells.size(); ++i) {
            ASSERT_EQ(doc.Map.Tile(static_cast<int>(i) % doc.Map.width, static_cast<int>(i) / doc.Map.width),
                      read.grid.cells[i] + 1);
        }
    }
}

}  // namespace
}  // namespace qm
