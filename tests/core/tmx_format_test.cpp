// Tiled maps: what export writes reads back, in every layer form Tiled itself
// writes; maps from Tiled's own examples and damaged files are read or refused
// with a reason, never crash or hang.

#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <map>
#include <random>

#include "core/tmx_format.h"
#include "core/xml_reader.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

Bytes AsBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

CodeGrid RandomGrid(std::mt19937& random, int width, int height) {
    CodeGrid grid{width, height, {}};
    for (int i = 0; i < width * height; ++i) {
        const int pick = static_cast<int>(random() % 300);
        grid.cells.push_back(pick < 256 ? pick : kEmptyCell);
    }
    return grid;
}

// The layer's global ids as Tiled writes them in the other forms.
std::string Base64(const Bytes& bytes) {
    static const char* digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::uint32_t n = bytes[i] << 16 | (i + 1 < bytes.size() ? bytes[i + 1] << 8 : 0) |
                                (i + 2 < bytes.size() ? bytes[i + 2] : 0);
        for (std::size_t k = 0; k < 4; ++k) out += k <= bytes.size() - i ? digits[(n >> (18 - 6 * k)) & 63] : '=';
    }
    return out;
}

Bytes LittleEndian(const std::vector<std::uint32_t>& ids) {
    Bytes bytes;
    for (std::uint32_t id : ids) {
        for (int k = 0; k < 4; ++k) bytes.push_back(static_cast<unsigned char>(id >> (8 * k)));
    }
    return bytes;
}

Bytes Zlib(const Bytes& bytes) {
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    Bytes out(size);
    EXPECT_EQ(compress2(out.data(), &size, bytes.data(), static_cast<uLong>(bytes.size()), 9), Z_OK);
    out.resize(size);
    return out;
}

std::string MapWithData(int width, int height, const std::string& dataAttributes, const std::string& data,
                        const std::string& tilesets = "<tileset firstgid=\"1\" source=\"font.tsx\"/>") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<map version=\"1.10\" orientation=\"orthogonal\" width=\"" +
           std::to_string(width) + "\" height=\"" + std::to_string(height) +
           "\" tilewidth=\"8\" tileheight=\"8\">\n " + tilesets + "\n <layer id=\"1\" name=\"L\" width=\"" +
           std::to_string(width) + "\" height=\"" + std::to_string(height) + "\">\n  <data" + dataAttributes + ">\n   " +
           data + "\n  </data>\n </layer>\n</map>\n";
}

TEST(TmxFormatTest, WrittenMapsReadBackInEveryLayerFormTiledWrites) {
    std::mt19937 random(26);
    for (auto [width, height] : {std::pair{60, 40}, {1, 1}, {17, 3}, {1, 40}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        const CodeGrid grid = RandomGrid(random, width, height);
        const std::string tmx = WriteTmx(grid, "level & co.tsx", "Screen");
        EXPECT_EQ(WriteTmxBytes(grid, "level & co.tsx", "Screen"), AsBytes(tmx));
        const XmlDocument doc = ParseXml(tmx);
        ASSERT_EQ(doc.error, "");
        EXPECT_EQ(*doc.root.Child("tileset")->Attribute("source"), "level & co.tsx");

        const TmxReadResult read = ReadTmx(AsBytes(tmx));
        ASSERT_EQ(read.error, "");
        EXPECT_EQ(read.grid.width, width);
        EXPECT_EQ(read.grid.height, height);
        EXPECT_EQ(read.grid.cells, grid.cells);

        // The same ids as Tiled saves them after opening the map: base64,
        // plain or zlib, and the old form of one element per tile.
        std::vector<std::uint32_t> ids;
        std::string tiles;
        for (int code : grid.cells) {
            ids.push_back(static_cast<std::uint32_t>(code + 1));
            tiles += "<tile gid=\"" + std::to_string(code + 1) + "\"/>";
        }
        for (const std::string& form :
             {MapWithData(width, height, " encoding=\"base64\"", Base64(LittleEndian(ids))),
              MapWithData(width, height, " encoding=\"base64\" compression=\"zlib\"", Base64(Zlib(LittleEndian(ids)))),
              MapWithData(width, height, "", tiles)}) {
            const TmxReadResult again = ReadTmx(AsBytes(form));
            ASSERT_EQ(again.error, "") << form.substr(0, 300);
            EXPECT_EQ(again.grid.cells, grid.cells);
        }
    }
}

TEST(TmxFormatTest, TheLayerHoldsEachCodePlusOneAndZeroForEmpty) {
    const CodeGrid grid{3, 2, {0, kEmptyCell, 255, 127, 128, 7}};
    const std::string tmx = WriteTmx(grid, "t.tsx", "Screen");
    EXPECT_NE(tmx.find("<data encoding=\"csv\">\n1,0,256,\n128,129,8\n</data>"), std::string::npos) << tmx;
    EXPECT_NE(tmx.find("tilewidth=\"8\" tileheight=\"8\""), std::string::npos);
    const XmlDocument tsx = ParseXml(WriteTsx("My <font>", "t.png"));
    ASSERT_EQ(tsx.error, "");
    EXPECT_EQ(*tsx.root.Attribute("name"), "My <font>");
    EXPECT_EQ(*tsx.root.Attribute("tilecount"), "256");
    EXPECT_EQ(*tsx.root.Attribute("columns"), "32");
    EXPECT_EQ(*tsx.root.Child("image")->Attribute("width"), "256");
    EXPECT_EQ(*tsx.root.Child("image")->Attribute("height"), "64");
}

TEST(TmxFormatTest, IdsCountFromTheirTileSetWithTheFlipBitsCleared) {
    const std::string sets = "<tileset firstgid=\"1\" source=\"a.tsx\"/><tileset firstgid=\"300\" source=\"b.tsx\"/>";
    const std::string csv = "0,1,256," + std::to_string(0x80000000u | 2) + "," + std::to_string(0xE0000000u | 3) +
                            ",300,555," + std::to_string(0x40000000u | 301);
    const TmxReadResult read = ReadTmx(AsBytes(MapWithData(8, 1, " encoding=\"csv\"", csv, sets)));
    ASSERT_EQ(read.error, "");
    EXPECT_EQ(read.grid.cells, (std::vector<int>{kEmptyCell, 0, 255, 1, 2, 0, 255, 1}));

    // A local id beyond 255 has no character.
    const TmxReadResult beyond = ReadTmx(AsBytes(MapWithData(2, 1, " encoding=\"csv\"", "1,257")));
    EXPECT_NE(beyond.error.find("256"), std::string::npos) << beyond.error;
}

TEST(TmxFormatTest, MapsThatCannotBeTakenAreRefusedWithTheirReason) {
    const Bytes ids = LittleEndian({1, 2});
    const struct {
        std::string file;
        std::string reason;
    } cases[] = {
        {MapWithData(2, 1, " encoding=\"base64\" compression=\"gzip\"", Base64(ids)), "gzip"},
        {MapWithData(2, 1, " encoding=\"base64\" compression=\"zstd\"", Base64(ids)), "zstd"},
        {MapWithData(2, 1, " encoding=\"csv\"", "1,2,3"), "3 tile ids"},
        {MapWithData(2, 1, " encoding=\"csv\"", "1,x"), "not a tile id"},
        {MapWithData(2, 1, " encoding=\"base64\" compression=\"zlib\"", Base64(Zlib(LittleEndian({1, 2, 3, 4})))),
         "larger than the layer"},
        {MapWithData(2, 1, " encoding=\"base64\" compression=\"zlib\"", Base64(ids)), "damaged"},
        {MapWithData(2, 1, " encoding=\"base64\"", "AQAAAAIAAA"), "whole number"},
        {MapWithData(2, 1, " encoding=\"base64\"", "AQ*A"), "not base64"},
        {MapWithData(2, 1, " encoding=\"hex\"", "0102"), "encoding"},
        {MapWithData(2, 1, " encoding=\"csv\"", "5,1", ""), "no tile set"},
        {MapWithData(100000, 100000, " encoding=\"csv\"", "1"), "cells"},
        {"<map orientation=\"hexagonal\" width=\"1\" height=\"1\"/>", "hexagonal"},
        {"<map orientation=\"orthogonal\" infinite=\"1\"/>", "infinite"},
        {"<map orientation=\"orthogonal\" width=\"1\" height=\"1\"><objectgroup/></map>", "no tile layer"},
        {"<tileset name=\"x\"/>", "not a Tiled map"},
        {"<!DOCTYPE map [<!ENTITY a \"aaaa\">]><map/>", "document type"},
        {"<map><layer></map>", "closing tag"},
        {"<map a=\"1\" a=\"2\"/>", "twice"},
        {"<map a=1/>", "quotes"},
        {"<map>&bogus;</map>", "entity"},
        {"<map>&#0;</map>", "out of range"},
        {"<map/><map/>", "after the root"},
        {"<map><!-- -- --></map>", "comment"},
        {"", "no root"},
        {std::string(200, '<'), "name"},
        {[] {
             std::string deep;
             for (int i = 0; i < 10000; ++i) deep += "<g>";
             return deep;
         }(),
         "too deep"},
    };
    for (const auto& c : cases) {
        const TmxReadResult read = ReadTmx(AsBytes(c.file));
        EXPECT_NE(read.error.find(c.reason), std::string::npos) << c.reason << ": " << read.error;
        EXPECT_TRUE(read.grid.cells.empty());
    }
}

TEST(TmxFormatTest, MapsWrittenByTiledAreReadOrRefusedWithAReason) {
    // What each of Tiled's examples gives: its first tile layer's size, or
    // the words of the refusal.
    const std::map<std::string, std::string> expected = {
        {"desert.tmx", "40 x 40"},
        {"forest.tmx", "40 x 16"},
        {"hexagonal-mini.tmx", "hexagonal"},
        {"orthogonal-outside.tmx", "a character 0 to 255"},
        {"sewers.tmx", "50 x 50"},
    };
    int seen = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(QUILLMERE_TESTDATA) / "tmx")) {
        if (entry.path().extension() != ".tmx") continue;
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        std::FILE* f = std::fopen(entry.path().string().c_str(), "rb");
        ASSERT_NE(f, nullptr);
        Bytes file;
        for (int c; (c = std::fgetc(f)) != EOF;) file.push_back(static_cast<unsigned char>(c));
        std::fclose(f);
        const TmxReadResult read = ReadTmx(file);
        const std::string outcome =
            read.error.empty() ? std::to_string(read.grid.width) + " x " + std::to_string(read.grid.height) : read.error;
        ASSERT_TRUE(expected.count(name)) << outcome;
        EXPECT_NE(outcome.find(expected.at(name)), std::string::npos) << outcome;
        if (read.error.empty()) {
            EXPECT_EQ(read.grid.cells.size(), static_cast<std::size_t>(read.grid.width) * read.grid.height);
            ViewCells screen{};
            const std::string placed = PlaceOnScreen(read.grid, screen);
            if (read.grid.height > kViewRows) {
                EXPECT_NE(placed.find("60 x 40"), std::string::npos) << placed;
            }
        }
        ++seen;
    }
    EXPECT_EQ(seen, static_cast<int>(expected.size()));
}

TEST(TmxFormatTest, PlacingOnTheScreenEmptiesTheRestOrChangesNothing) {
    ViewCells screen{};
    for (auto& row : screen) row.fill(5);
    const CodeGrid grid{2, 2, {1, kEmptyCell, 3, 4}};
    EXPECT_EQ(PlaceOnScreen(grid, screen), "");
    EXPECT_EQ(screen[0][0], 1);
    EXPECT_EQ(screen[0][1], kEmptyCell);
    EXPECT_EQ(screen[1][1], 4);
    EXPECT_EQ(screen[39][59], kEmptyCell);
    EXPECT_EQ(ScreenGrid(screen).cells[61], 4);

    const ViewCells before = screen;
    EXPECT_NE(PlaceOnScreen(CodeGrid{61, 1, std::vector<int>(61, 0)}, screen), "");
    if (CellOrEmpty(200) != 200) {
        EXPECT_NE(PlaceOnScreen(CodeGrid{1, 1, {200}}, screen).find("200"), std::string::npos);
    }
    EXPECT_EQ(screen, before);
}

}  // namespace
}  // namespace qm
