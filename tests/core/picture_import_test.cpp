#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "core/file_io.h"
#include "core/font_format.h"
#include "core/font_image.h"
#include "core/palette.h"
#include "core/picture_import.h"

namespace {

using qm::Bytes;

qm::Document FreshDocument() {
    qm::Document doc;
    qm::ResetDocument(doc);
    return doc;
}

qm::FontSlot FontFile(const std::string& name) {
    Bytes bytes;
    EXPECT_TRUE(qm::ReadWholeFile(std::string(QUILLMERE_TESTDATA) + "/fonts/" + name, bytes, qm::kFontBytes));
    qm::FontSlot font;
    qm::UnpackFont(qm::ReadFontBytes(bytes), font);
    return font;
}

// The archive's fonts, and fonts made of a few characters repeated, as real
// fonts repeat their blank ones; each keeps character 0 blank for its space.
std::vector<qm::FontSlot> FontsToExport() {
    std::vector<qm::FontSlot> fonts;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(QUILLMERE_TESTDATA) + "/fonts")) {
        if (entry.path().extension() == ".fnt") fonts.push_back(FontFile(entry.path().filename().string()));
    }
    std::mt19937 random(29);
    while (fonts.size() < 20) {
        std::vector<std::uint8_t> pool(8 * 40);
        for (std::uint8_t& byte : pool) byte = static_cast<std::uint8_t>(random());
        qm::FontBytes bytes{};
        for (int k = 1; k < qm::kCharCount; ++k) {
            const std::size_t from = 8 * (random() % 40);
            std::copy_n(pool.begin() + static_cast<std::ptrdiff_t>(from), 8, bytes.begin() + 8 * k);
        }
        fonts.emplace_back();
        qm::UnpackFont(bytes, fonts.back());
    }
    return fonts;
}

TEST(PictureImport, AFontsPictureComesBackAsThatFontWhateverTheOptions) {
    const std::vector<qm::FontSlot> fonts = FontsToExport();
    ASSERT_GE(fonts.size(), 20u);
    const qm::Document doc = FreshDocument();
    for (std::size_t f = 0; f < fonts.size(); ++f) {
        const qm::FontSlot& font = fonts[f];
        for (int scale = 1; scale <= qm::kMaxImportScale; ++scale) {
            for (bool multicolour : {false, true}) {
                SCOPED_TRACE("font " + std::to_string(f) + " scale " + std::to_string(scale) + (multicolour ? " multi" : " hi-res"));
                const qm::Image picture = qm::RenderFontImage(font, doc.RegisterRgb, multicolour, scale);
                const Bytes file = scale % 2 ? qm::EncodePng(picture) : qm::EncodeBmp(picture);
                const qm::PictureFile read = qm::ReadPictureFile(file, scale);
                ASSERT_EQ(read.error, "");

                // Duplicates are not kept by default, yet a font's picture keeps them.
                qm::PictureImportOptions options;
                options.multicolour = multicolour;
                options.scale = scale;
                options.placeOnView = true;
                qm::Document imported = doc;
                const qm::PictureImportPlan plan = qm::PlanPictureImport(read.image, imported, options);
                ASSERT_TRUE(plan.fits) << qm::DescribePlan(plan, options);
                EXPECT_TRUE(plan.inverseHalfSkipped);
                EXPECT_NE(qm::DescribePlan(plan, options).find("font's picture"), std::string::npos);
                const qm::ImportOutcome outcome = qm::ApplyPictureImport(imported, 1, plan, options);
                ASSERT_TRUE(outcome.changed);
                EXPECT_NE(outcome.message.find("keep their order and their duplicates"), std::string::npos);
                EXPECT_EQ(qm::PackFont(imported.Slots[1]), qm::PackFont(font));
                for (int k = 0; k < qm::kCharCount; ++k) ASSERT_EQ(imported.ViewScreen[k / 32][k % 32], k);
            }
        }
        // Exported in colours of its own and read back with the picture's
        // colours: the font, not its inverse in swapped colours.
        qm::RegisterColors colours = doc.RegisterRgb;
        colours[qm::LUM] = qm::MakeRgb(240, 255, 88);
        colours[qm::BAK] = qm::MakeRgb(0, 0, 137);
        qm::PictureImportOptions options;
        options.colours = qm::ImportColours::Picture;
        options.keepDuplicates = true;
        qm::Document imported = doc;
        const qm::PictureImportPlan plan = qm::PlanPictureImport(qm::RenderFontImage(font, colours, false, 1), imported, options);
        ASSERT_TRUE(qm::ApplyPictureImport(imported, 1, plan, options).changed);
        EXPECT_EQ(qm::PackFont(imported.Slots[1]), qm::PackFont(font)) << "font " << f;
        EXPECT_EQ(imported.RegisterRgb[qm::BAK], colours[qm::BAK]);
        EXPECT_EQ(imported.RegisterRgb[qm::LUM], colours[qm::LUM]);
    }
}

qm::Image RandomCells(int columns, int rows, unsigned seed, qm::Rgb ink, qm::Rgb paper) {
    std::mt19937 random(seed);
    qm::Image picture(columns * 8, rows * 8);
    for (qm::Rgb& pixel : picture.pixels) pixel = random() % 3 == 0 ? ink : paper;
    return picture;
}

TEST(PictureImport, TooManyCellsAreRefusedOrReduced) {
    const qm::Document start = FreshDocument();
    const qm::Image picture = RandomCells(10, 6, 7, start.RegisterRgb[qm::LUM], start.RegisterRgb[qm::BAK]);
    qm::PictureImportOptions options;
    options.firstChar = 100;
    options.placeOnView = true;
    qm::Document doc = start;
    const qm::PictureImportPlan refused = qm::PlanPictureImport(picture, doc, options);
    EXPECT_FALSE(refused.fits);
    EXPECT_EQ(refused.uniqueCells, 60);
    const qm::ImportOutcome outcome = qm::ApplyPictureImport(doc, 1, refused, options);
    EXPECT_FALSE(outcome.changed);
    EXPECT_NE(outcome.message.find("needs 60 characters; 28 fit"), std::string::npos) << outcome.message;
    EXPECT_EQ(doc.Slots[1].pixels, start.Slots[1].pixels);
    EXPECT_EQ(doc.ViewScreen, start.ViewScreen);

    options.reduce = true;
    const qm::PictureImportPlan reduced = qm::PlanPictureImport(picture, doc, options);
    ASSERT_TRUE(reduced.fits);
    EXPECT_EQ(reduced.chars.size(), 28u);
    EXPECT_GT(reduced.changedPixels, 0);
    const qm::ImportOutcome done = qm::ApplyPictureImport(doc, 1, reduced, options);
    ASSERT_TRUE(done.changed);
    EXPECT_NE(done.message.find(std::to_string(reduced.changedPixels) + " of the picture's pixels changed"),
              std::string::npos)
        << done.message;
}

// What the imported font and map draw: each cell's character in the normal
// view, every font pixel a scale x scale square.
qm::Image Redraw(const qm::Document& doc, const qm::PictureImportPlan& plan, int first, bool multicolour, int scale) {
    const qm::Rgb colours[4] = {doc.RegisterRgb[qm::BAK], doc.RegisterRgb[qm::PF0], doc.RegisterRgb[qm::PF1],
                                doc.RegisterRgb[qm::PF2]};
    qm::Image drawn(plan.columns * 8 * scale, plan.rows * 8 * scale);
    for (int cell = 0; cell < plan.Cells(); ++cell) {
        const int code = first + plan.map[cell];
        const int left = cell % plan.columns * 8, top = cell / plan.columns * 8;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                const int pair = x & ~1;
                const int value = 2 * doc.Slots[1].Pixel(code, pair, y) + doc.Slots[1].Pixel(code, pair + 1, y);
                const qm::Rgb colour = multicolour ? colours[value]
                                                   : doc.Slots[1].Pixel(code, x, y) ? doc.RegisterRgb[qm::LUM]
                                                                                    : doc.RegisterRgb[qm::BAK];
                drawn.FillBox((left + x) * scale, (top + y) * scale, scale, scale, colour);
            }
        }
    }
    return drawn;
}

// Cells varied from a few patterns, drawn in the registers' colours: a pair
// of pixels is one colour in multicolour.
qm::Image AlikeCells(int columns, int rows, bool multicolour, int scale, std::mt19937& random, const qm::Document& doc) {
    const qm::Rgb hiRes[2] = {doc.RegisterRgb[qm::BAK], doc.RegisterRgb[qm::LUM]};
    const qm::Rgb multi[4] = {doc.RegisterRgb[qm::BAK], doc.RegisterRgb[qm::PF0], doc.RegisterRgb[qm::PF1],
                              doc.RegisterRgb[qm::PF2]};
    std::vector<std::uint64_t> patterns(4);
    for (std::uint64_t& pattern : patterns) pattern = (std::uint64_t{random()} << 32) | random();
    qm::Image picture(columns * 8 * scale, rows * 8 * scale);
    for (int cell = 0; cell < columns * rows; ++cell) {
        std::uint64_t bits = patterns[random() % patterns.size()];
        for (unsigned flips = random() % 6; flips > 0; --flips) bits ^= std::uint64_t{1} << (random() % 64);
        const int left = cell % columns * 8, top = cell / columns * 8;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                const int pair = x & ~1;
                const int value = static_cast<int>(bits >> (8 * y + 6 - pair) & 3);
                const qm::Rgb colour = multicolour ? multi[value] : hiRes[bits >> (8 * y + x) & 1];
                picture.FillBox((left + x) * scale, (top + y) * scale, scale, scale, colour);
            }
        }
    }
    return picture;
}

TEST(PictureImport, AReducedImportCountsThePicturesPixelsThatChanged) {
    std::mt19937 random(22);
    for (int round = 0; round < 40; ++round) {
        const bool multicolour = round % 2 == 1;
        const int scale = 1 + round % 3;
        SCOPED_TRACE("round " + std::to_string(round));
        qm::Document doc = FreshDocument();
        const qm::Image picture = AlikeCells(6 + round % 5, 4 + round % 3, multicolour, scale, random, doc);
        qm::PictureImportOptions options;
        options.multicolour = multicolour;
        options.scale = scale;
        options.firstChar = 100 + round % 20;
        options.reduce = true;
        options.keepDuplicates = round % 4 == 0;
        const qm::PictureImportPlan plan = qm::PlanPictureImport(picture, doc, options);
        ASSERT_TRUE(qm::ApplyPictureImport(doc, 1, plan, options).changed);
        const qm::Image back = Redraw(doc, plan, options.firstChar, multicolour, scale);
        int differing = 0;
        for (std::size_t i = 0; i < picture.pixels.size(); ++i) differing += picture.pixels[i] != back.pixels[i];
        EXPECT_EQ(plan.changedPixels, differing);
    }

    // One cell of BAK and one of PF0 and PF2 halves, room for one character:
    // all 32 pairs of the second change, 64 of the picture's pixels.
    qm::Document doc = FreshDocument();
    qm::Image picture(16, 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 16; ++x) {
            picture.At(x, y) = doc.RegisterRgb[x < 8 ? qm::BAK : x < 12 ? qm::PF0 : qm::PF2];
        }
    }
    qm::PictureImportOptions options;
    options.multicolour = true;
    options.firstChar = 127;
    options.reduce = true;
    EXPECT_EQ(qm::PlanPictureImport(picture, doc, options).changedPixels, 64);
}

TEST(PictureImport, ColoursFromThePictureAndPairsOfTwoColours) {
    qm::Document doc = FreshDocument();
    const qm::Rgb bak = qm::PlatformPalette[9][3], pf0 = qm::PlatformPalette[2][5], pf1 = qm::PlatformPalette[12][6];
    qm::Image picture(8, 8);
    std::fill(picture.pixels.begin(), picture.pixels.end(), bak);
    for (int x = 0; x < 8; ++x) picture.At(x, 0) = pf0;
    picture.At(0, 1) = pf1;
    picture.At(1, 1) = pf1;
    picture.At(2, 1) = pf0;  // a pair of two colours: PF0 is exact, the other is not
    picture.At(3, 1) = qm::MakeRgb(qm::RedOf(pf1) ^ 8, qm::GreenOf(pf1), qm::BlueOf(pf1));
    qm::PictureImportOptions options;
    options.multicolour = true;
    options.colours = qm::ImportColours::Picture;
    const qm::PictureImportPlan plan = qm::PlanPictureImport(picture, doc, options);
    ASSERT_TRUE(qm::ApplyPictureImport(doc, 2, plan, options).changed);
    EXPECT_EQ(doc.RegisterValue[qm::BAK], 16 * 9 + 6);
    EXPECT_EQ(doc.RegisterValue[qm::PF0], 16 * 2 + 10);
    EXPECT_EQ(doc.RegisterRgb[qm::BAK], bak);
    // The slot's own colours are the registers it now shows.
    EXPECT_EQ(doc.Slots[2].colors, doc.RegisterRgb);
    const qm::FontBytes bytes = qm::PackFont(doc.Slots[2]);
    EXPECT_EQ(bytes[0], 0x55);  // four PF0 pairs
    EXPECT_EQ(bytes[1], 0x90);  // PF1, PF0, BAK, BAK
    EXPECT_EQ(bytes[2], 0x00);
}

Bytes Patched(Bytes bytes, std::size_t at, std::initializer_list<unsigned char> with) {
    std::copy(with.begin(), with.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
    return bytes;
}

TEST(PictureImport, BadPicturesAreRefusedWithAReason) {
    const qm::Image good(16, 8);
    const Bytes png = qm::EncodePng(good), bmp = qm::EncodeBmp(good);
    const struct {
        Bytes file;
        const char* says;
    } cases[] = {
        {{}, "not a PNG or BMP"},
        {Bytes{'h', 'e', 'l', 'l', 'o'}, "not a PNG or BMP"},
        {Bytes(png.begin(), png.begin() + 20), "truncated"},
        {Bytes(png.begin(), png.end() - 20), "damaged or truncated"},
        {Bytes(bmp.begin(), bmp.end() - 5), "damaged or truncated"},
        {Patched(png, png.size() / 2, {0xDE, 0xAD}), "damaged"},
        {Patched(png, 16, {0x7F, 0xFF, 0xFF, 0xF8}), "at most 60 x 40 cells"},
        {Patched(bmp, 18, {0xF8, 0xFF, 0xFF, 0x7F}), "at most 60 x 40 cells"},
        {Patched(bmp, 22, {0x08, 0x00, 0x00, 0x80}), "at most 60 x 40 cells"},
        {qm::EncodePng(qm::Image(12, 8)), "multiples of 8"},
        {qm::EncodeBmp(qm::Image(488, 8)), "at most 60 x 40 cells"},
        {Patched(bmp, 28, {32, 0}), "damaged"},  // depth and row size no longer agree with the file
        {Patched(Patched(bmp, 28, {8, 0}), 30, {1, 0, 0, 0}), "RLE"},  // compressed: named, not called damaged
    };
    for (const auto& c : cases) {
        const qm::PictureFile read = qm::ReadPictureFile(c.file, 1);
        EXPECT_TRUE(read.image.Empty());
        EXPECT_NE(read.error.find(c.says), std::string::npos) << read.error;
    }
    EXPECT_NE(qm::ReadPictureFile(qm::EncodePng(qm::Image(24, 16)), 2).error.find("multiples of 16"), std::string::npos);
}

TEST(PictureImport, PalettedTopDownBitmapsDecode) {
    // 1 bit a pixel, two table entries, 9 x 2 pixels stored top-down.
    Bytes bmp = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0, 40, 0, 0, 0, 9, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF,
                 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0,
                 0, 0, 0, 0, 0x30, 0x20, 0x10, 0};
    for (unsigned char b : {0xA0, 0x80, 0, 0, 0x00, 0x00, 0, 0}) bmp.push_back(b);
    const qm::Image image = qm::DecodeBmp(bmp);
    ASSERT_EQ(image.width, 9);
    ASSERT_EQ(image.height, 2);
    EXPECT_EQ(image.At(0, 0), qm::MakeRgb(0x10, 0x20, 0x30));
    EXPECT_EQ(image.At(1, 0), 0u);
    EXPECT_EQ(image.At(8, 0), qm::MakeRgb(0x10, 0x20, 0x30));
    EXPECT_EQ(image.At(0, 1), 0u);
    bmp.resize(bmp.size() - 1);
    EXPECT_TRUE(qm::DecodeBmp(bmp).Empty());
}

TEST(FontBytesImport, BinaryLoadHeaderOffsetsAndShortFiles) {
    Bytes font(qm::kFontBytes);
    for (std::size_t i = 0; i < font.size(); ++i) font[i] = static_cast<unsigned char>(i * 7);
    font[0] = font[1] = 0xFF;
    Bytes loadFile = {0xFF, 0xFF, 0x00, 0xE0, 0xFF, 0xE3};
    loadFile.insert(loadFile.end(), font.begin(), font.end());

    const qm::FontBytesImport fromLoadFile = qm::ReadFontBytesAt(loadFile, 0);
    EXPECT_TRUE(fromLoadFile.headerFound);
    EXPECT_TRUE(std::equal(font.begin(), font.end(), fromLoadFile.font.begin()));
    const qm::FontBytesImport plain = qm::ReadFontBytesAt(font, 0);  // starts FF FF too, but is a font
    EXPECT_FALSE(plain.headerFound);
    EXPECT_TRUE(std::equal(font.begin(), font.end(), plain.font.begin()));

    Bytes padded(100, 0xEA);
    padded.insert(padded.end(), font.begin(), font.end());
    EXPECT_TRUE(std::equal(font.begin(), font.end(), qm::ReadFontBytesAt(padded, 100).font.begin()));
    EXPECT_NE(qm::ReadFontBytesAt(padded, 101).error.find("holds 1023 bytes"), std::string::npos);
    EXPECT_NE(qm::ReadFontBytesAt(padded, 5000).error.find("past the end"), std::string::npos);
}

}  // namespace

namespace {

// What the view screen shows of a region as the machine would draw it: each
// cell's character from the slot, inverse codes with pixels swapped (hi-res)
// or "11" in PF3 (multicolour).
qm::Image DrawScreen(const qm::Document& doc, int slot, int columns, int rows, bool multicolour) {
    qm::Image picture(columns * 8, rows * 8);
    const auto& rgb = doc.RegisterRgb;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const int code = doc.ViewScreen[row][column];
            const bool inverse = qm::IsInverseCode(code);
            for (int y = 0; y < 8; ++y) {
                for (int x = 0; x < 8; ++x) {
                    const auto& font = doc.Slots[slot];
                    const int ch = qm::CharOfCode(code);
                    qm::Rgb colour;
                    if (multicolour) {
                        const int pair = 2 * font.Pixel(ch, x & ~1, y) + font.Pixel(ch, x | 1, y);
                        const int registers[4] = {qm::BAK, qm::PF0, qm::PF1, inverse ? qm::PF3 : qm::PF2};
                        colour = rgb[registers[pair]];
                    } else {
                        colour = rgb[(font.Pixel(ch, x, y) == 1) != inverse ? qm::LUM : qm::BAK];
                    }
                    picture.At(column * 8 + x, row * 8 + y) = colour;
                }
            }
        }
    }
    return picture;
}

// Pixel pairs of a cell as values 0 to 3 from a pattern number.
int PatternPair(unsigned pattern, int x, int y) { return static_cast<int>((pattern * 2654435761u >> ((3 * x + 5 * y) % 30)) & 3); }

TEST(PictureImport, AHiResCellThatIsAnotherInverseShowsItInverse) {
    const qm::Document start = FreshDocument();
    const qm::Rgb lum = start.RegisterRgb[qm::LUM], bak = start.RegisterRgb[qm::BAK];
    for (unsigned seed = 0; seed < 6; ++seed) {
        // Twelve patterns and their inverses in random order over 20 x 10 cells.
        std::mt19937 random(seed);
        qm::Image picture(20 * 8, 10 * 8);
        for (int cell = 0; cell < 200; ++cell) {
            const unsigned pattern = random() % 12;
            const bool inverse = random() % 2;
            for (int y = 0; y < 8; ++y) {
                for (int x = 0; x < 8; ++x) {
                    const bool set = (PatternPair(pattern, x / 2, y) & 1) != inverse;
                    picture.At(cell % 20 * 8 + x, cell / 20 * 8 + y) = set ? lum : bak;
                }
            }
        }
        qm::PictureImportOptions options;
        options.placeOnView = true;
        options.firstChar = 3;
        qm::Document doc = start;
        const qm::PictureImportPlan plan = qm::PlanPictureImport(picture, doc, options);
        EXPECT_LE(plan.chars.size(), 12u) << "an inverse cell takes no character of its own";
        ASSERT_TRUE(qm::ApplyPictureImport(doc, 1, plan, options).changed);
        EXPECT_EQ(DrawScreen(doc, 1, 20, 10, false).pixels, picture.pixels) << seed;
        EXPECT_NE(qm::DescribePlan(plan, options).find("cells show a character inverse"), std::string::npos);

        options.keepDuplicates = true;
        const qm::PictureImportPlan kept = qm::PlanPictureImport(picture, doc, options);
        EXPECT_EQ(std::count(kept.inverse.begin(), kept.inverse.end(), 1), 0) << "kept duplicates are characters of their own";
    }
}

// A picture of 40 x 24 cells in five colours, the fifth only in cells that
// also hold no fourth: it comes back pixel for pixel with the fifth colour's
// cells inverse, and the registers take the picture's colours.
TEST(PictureImport, AFiveColourMulticolourPictureComesBackWithInverseCells) {
    const qm::Rgb colours[5] = {qm::PlatformPalette[0][0], qm::PlatformPalette[3][4], qm::PlatformPalette[12][5],
                                qm::PlatformPalette[8][6], qm::PlatformPalette[4][3]};
    for (unsigned seed = 0; seed < 4; ++seed) {
        std::mt19937 random(seed);
        qm::Image picture(40 * 8, 24 * 8);
        std::vector<bool> fifth(40 * 24);
        for (int cell = 0; cell < 40 * 24; ++cell) {
            const unsigned pattern = random() % 50;
            // A quarter of the cells show their "11" pairs in the fifth colour.
            const bool inverse = random() % 4 == 0;
            for (int y = 0; y < 8; ++y) {
                for (int x = 0; x < 8; x += 2) {
                    const int pair = cell % 7 == 0 ? 0 : PatternPair(pattern, x / 2, y);
                    const qm::Rgb colour = colours[pair == 3 && inverse ? 4 : pair];
                    fifth[static_cast<std::size_t>(cell)] = fifth[static_cast<std::size_t>(cell)] || colour == colours[4];
                    picture.At(cell % 40 * 8 + x, cell / 40 * 8 + y) = colour;
                    picture.At(cell % 40 * 8 + x + 1, cell / 40 * 8 + y) = colour;
                }
            }
        }
        qm::PictureImportOptions options;
        options.multicolour = true;
        options.colours = qm::ImportColours::Picture;
        options.placeOnView = true;
        qm::Document doc = FreshDocument();
        const qm::PictureImportPlan plan = qm::PlanPictureImport(picture, doc, options);
        EXPECT_EQ(plan.mixedCells, 0);
        ASSERT_TRUE(qm::ApplyPictureImport(doc, 1, plan, options).changed) << qm::DescribePlan(plan, options);
        EXPECT_LE(plan.chars.size(), 51u) << "a cell and its fifth-colour twin share a character";
        EXPECT_EQ(doc.RegisterRgb[qm::PF3], colours[4]);
        EXPECT_EQ(DrawScreen(doc, 1, 40, 24, true).pixels, picture.pixels) << seed;
        for (int cell = 0; cell < 40 * 24; ++cell) {
            EXPECT_EQ(qm::IsInverseCode(doc.ViewScreen[cell / 40][cell % 40]), fifth[static_cast<std::size_t>(cell)]) << cell;
        }
    }
}

// PF2 and PF3 in one cell cannot be shown: the one more pairs use stays.
TEST(PictureImport, ACellWithPf2AndPf3KeepsTheOneMorePairsUse) {
    qm::Document doc = FreshDocument();
    const auto& rgb = doc.RegisterRgb;
    qm::Image picture(16, 8);
    std::fill(picture.pixels.begin(), picture.pixels.end(), rgb[qm::BAK]);
    for (int x = 0; x < 8; ++x) {
        picture.At(x, 0) = rgb[qm::PF3];  // four PF3 pairs
        picture.At(x, 1) = rgb[qm::PF3];
        picture.At(8 + x, 0) = rgb[qm::PF2];  // four PF2 pairs, one PF3 pair
    }
    picture.At(8, 1) = picture.At(9, 1) = rgb[qm::PF3];
    picture.At(0, 2) = picture.At(1, 2) = rgb[qm::PF2];
    qm::PictureImportOptions options;
    options.multicolour = true;
    options.placeOnView = true;
    const qm::PictureImportPlan plan = qm::PlanPictureImport(picture, doc, options);
    EXPECT_EQ(plan.mixedCells, 2);
    EXPECT_NE(qm::DescribePlan(plan, options).find("2 cells use both PF2 and PF3"), std::string::npos);
    ASSERT_TRUE(qm::ApplyPictureImport(doc, 1, plan, options).changed);
    EXPECT_TRUE(qm::IsInverseCode(doc.ViewScreen[0][0]));
    EXPECT_FALSE(qm::IsInverseCode(doc.ViewScreen[0][1]));
    const qm::FontBytes font = qm::PackFont(doc.Slots[1]);
    const int left = qm::CharOfCode(doc.ViewScreen[0][0]), right = doc.ViewScreen[0][1];
    EXPECT_EQ(font[8 * left + 1], 0xFF);
    EXPECT_EQ(font[8 * right], 0xFF);
    EXPECT_NE(font[8 * right + 1] & 0xC0, 0xC0) << "the lone PF3 pair takes another colour";
}

}  // namespace
