// The map commands as a process: a map made elsewhere taken in, exported
// again, laid out in characters, and the files that do not fit refused.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "core/map_export.h"
#include "core/project_format.h"
#include "core/tmx_format.h"
#include "run_tool.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using cli_test::ReadFile;
using cli_test::RunTool;
using cli_test::WriteFile;

class CliMapTest : public cli_test::FolderTest {
protected:
    void SetUp() override {
        FolderTest::SetUp();
        // Sets whose cells are all different, some empty.
        Document doc;
        ResetDocument(doc);
        for (int set = 1; set <= kSetCount; ++set) {
            for (int cell = 0; cell < kSetCells; ++cell) {
                doc.SetTable[set].cells[cell] = (set * 7 + cell) % 11 == 0 ? kEmptyCell : (set + cell * 5) % kCharCount;
            }
        }
        sets = Path("sets.proj");
        WriteFile(sets, WriteProject(ProjectOf(doc)));
        // A 300 x 200 map of one byte per cell, as another tool writes it.
        std::mt19937 rng(300);
        mapBytes.resize(300 * 200);
        for (auto& b : mapBytes) b = rng() % 4 == 0 ? 255 : static_cast<unsigned char>(rng() % 100);
        mapFile = Path("level.bin");
        WriteFile(mapFile, mapBytes);
    }


    std::string sets, mapFile;
    Bytes mapBytes;
};

TEST_F(CliMapTest, AMapMadeElsewhereRoundTripsAndLaysOutAsItsTiles) {
    const std::string proj = Path("level.proj"), small = Path("small.bin");
    WriteFile(small, {0, 1, 255, 99});
    const auto imported = RunTool({"import-map", mapFile, "--width", "300", "--tile", "3x2", "--into", sets, "-o", proj});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(RunTool({"export-map", proj, "--as", "tiles", "-o", "-"}).out, mapBytes);

    const Bytes tileSet = RunTool({"export-tiles", proj, "-o", "-"}).out;
    const Bytes chars = RunTool({"export-map", proj, "--as", "chars", "-o", "-"}).out;
    ASSERT_EQ(tileSet.size(), 100u * 6);
    ASSERT_EQ(chars.size(), 900u * 400);
    // Laid out by hand: character (cx, cy) is cell (cx % 3, cy % 2) of the
    // tile of map cell (cx / 3, cy / 2), 0 where that cell is empty.
    bool same = true;
    for (std::size_t at = 0; at < chars.size() && same; ++at) {
        const std::size_t cx = at % 900, cy = at / 900;
        const unsigned char tile = mapBytes[(cy / 2) * 300 + cx / 3];
        same = chars[at] == (tile == 255 ? 0 : tileSet[tile * 6 + (cy % 2) * 3 + cx % 3]);
    }
    EXPECT_TRUE(same);

    // The header, a region and the fill; the header's map taken in again.
    const Bytes region = RunTool({"export-map", proj, "--as", "tiles", "--region", "298,199,2,1", "--fill", "7",
                                  "--header", "-o", "-"}).out;
    const auto at = [&](int x, int y) -> unsigned char {
        const unsigned char tile = mapBytes[y * 300 + x];
        return tile == 255 ? 7 : tile;
    };
    EXPECT_EQ(region, (Bytes{2, 0, 1, 0, at(298, 199), at(299, 199)}));
    const std::string headed = Path("headed.bin"), again = Path("again.proj");
    ASSERT_EQ(RunTool({"export-map", proj, "--as", "tiles", "--header", "-o", headed}).exitCode, 0);
    ASSERT_EQ(RunTool({"import-map", headed, "--header", "--tile", "3x2", "-o", again}).exitCode, 0);
    EXPECT_EQ(RunTool({"export-map", again, "--as", "tiles", "-o", "-"}).out, mapBytes);

    // To Tiled: the layer is the map laid out in characters, code + 1, 0 for empty.
    ASSERT_EQ(RunTool({"export-tmx", proj, "--source", "map", "-o", Path("level.tmx")}).exitCode, 0);
    const TmxReadResult tmx = ReadTmx(ReadFile(Path("level.tmx")));
    ASSERT_EQ(tmx.error, "");
    ASSERT_EQ(tmx.grid.width, 900);
    ASSERT_EQ(tmx.grid.cells.size(), chars.size());
    const Bytes filled = RunTool({"export-map", proj, "--as", "chars", "--fill", "255", "-o", "-"}).out;
    bool sameInTiled = true;
    for (std::size_t i = 0; i < filled.size() && sameInTiled; ++i) {
        sameInTiled = tmx.grid.cells[i] == (filled[i] == 255 ? kEmptyCell : filled[i]);
    }
    EXPECT_TRUE(sameInTiled);

    // And back onto the tile map of a project with the same sets and tile
    // size but another map: the map comes back, the rest of the file with it.
    const std::string other = Path("other.proj"), back = Path("back.proj");
    ASSERT_EQ(RunTool({"import-map", small, "--width", "2", "--tile", "3x2", "--into", sets, "-o", other}).exitCode, 0);
    const auto fromTiled = RunTool({"import-tmx", Path("level.tmx"), "--into", other, "--to", "map", "-o", back});
    ASSERT_EQ(fromTiled.exitCode, 0) << fromTiled.err;
    EXPECT_EQ(ReadFile(back), ReadFile(proj));

    const std::string info = RunTool({"info", proj}).Out();
    EXPECT_NE(info.find("map: 300 x 200 cells of 3 x 2 characters, 100 of 100 tiles used"), std::string::npos) << info;
}

TEST_F(CliMapTest, SourceFormatsCarryTheSameBytes) {
    const std::string small = Path("small.bin"), proj = Path("small.proj");
    WriteFile(small, {0, 1, 255, 99});
    ASSERT_EQ(RunTool({"import-map", small, "--width", "2", "--into", sets, "-o", proj}).exitCode, 0);
    EXPECT_EQ(RunTool({"export-map", proj, "--as", "tiles", "--format", "ca65", "--label", "level", "-o", "-"}).Out(),
              "level:\n    .byte $00,$01\n    .byte $FF,$63\n");
    EXPECT_EQ(RunTool({"export-map", proj, "--as", "tiles", "--format", "c", "-o", "-"}).Out(),
              "const unsigned char map[4] = {\n    0x00, 0x01,\n    0xFF, 0x63\n};\n");
    EXPECT_EQ(RunTool({"export-map", proj, "--as", "tiles", "--format", "asm", "--label", "LEVEL", "-o", "-"}).Out(),
              "LEVEL\r\n    .BYTE 0,1\r\n    .BYTE 255,99\r\n");
    const std::string tiles = RunTool({"export-tiles", proj, "--format", "c", "-o", "-"}).Out();
    EXPECT_EQ(tiles.rfind("const unsigned char tiles[400] = {\n", 0), 0u) << tiles;
}

TEST_F(CliMapTest, WhatDoesNotFitIsRefusedWithAReason) {
    const std::string out = Path("out.proj");
    const auto tiled = [](const char* name) { return (fs::path(QUILLMERE_TESTDATA) / "tmx" / name).string(); };
    const struct {
        std::vector<std::string> args;
        int exitCode;
        const char* says;
    } refused[] = {
        {{"import-map", mapFile, "--width", "7", "-o", out}, 1, "do not make whole rows of 7"},
        {{"import-map", mapFile, "-o", out}, 2, "no --width"},
        {{"import-map", mapFile, "--width", "300", "--tile", "6x2", "-o", out}, 2, "--tile"},
        {{"export-map", sets, "--as", "tiles", "-o", out}, 1, "has no map"},
        {{"export-map", sets, "--as", "bytes", "-o", out}, 2, "--as must be tiles or chars"},
        {{"import-tmx", tiled("orthogonal-outside.tmx"), "--to", "map", "-o", out}, 1, "one of 100 tiles"},
        {{"import-tmx", tiled("desert.tmx"), "--to", "level", "-o", out}, 2, "--to takes screen or map"},
    };
    for (const auto& r : refused) {
        const auto run = RunTool(r.args);
        EXPECT_EQ(run.exitCode, r.exitCode) << run.err;
        EXPECT_NE(run.err.find(r.says), std::string::npos) << run.err;
    }
    EXPECT_FALSE(fs::exists(out));
    const std::string proj = Path("level.proj");
    ASSERT_EQ(RunTool({"import-map", mapFile, "--width", "300", "-o", proj}).exitCode, 0);
    const auto offMap = RunTool({"export-map", proj, "--as", "tiles", "--region", "299,0,2,1", "-o", out});
    EXPECT_EQ(offMap.exitCode, 2);
    EXPECT_NE(offMap.err.find("300 x 200 map"), std::string::npos) << offMap.err;

    // A map Tiled wrote, of 32 x 32 pixel tiles: each tile id is a tile.
    ASSERT_EQ(RunTool({"import-tmx", tiled("desert.tmx"), "--into", proj, "--to", "map", "-o", out}).exitCode, 0);
    const std::string info = RunTool({"info", out}).Out();
    EXPECT_NE(info.find("map: 40 x 40 cells of 2 x 2 characters"), std::string::npos) << info;
}

}  // namespace
}  // namespace qm
