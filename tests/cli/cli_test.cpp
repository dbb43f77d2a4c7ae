// The command-line tool as a process: its outputs against the editor's own
// writers or bytes worked out here, its exit codes and its care of files.

#include <elf.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "core/atari_program.h"
#include "core/export_lines.h"
#include "core/font_format.h"
#include "core/font_image.h"
#include "core/image.h"
#include "core/picture_import.h"
#include "core/project_format.h"
#include "core/region_map.h"
#include "core/tmx_format.h"
#include "core/view_format.h"
#include "run_tool.h"
#include "support/dta_reader.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using cli_test::ReadFile;
using cli_test::RunTool;
using cli_test::WriteFile;

const char* const kFormatNames[kExportFormatCount] = {"asm",       "asm-hex", "action", "action-hex", "basic",
                                                      "madpascal", "mads",    "xasm",   "fastbasic"};

class CliTest : public cli_test::FolderTest {
protected:
    void SetUp() override {
        FolderTest::SetUp();

        std::vector<fs::path> fonts;
        for (const auto& entry : fs::directory_iterator(fs::path(QUILLMERE_TESTDATA) / "fonts")) {
            if (entry.path().extension() == ".fnt") fonts.push_back(entry.path());
        }
        std::sort(fonts.begin(), fonts.end());
        ASSERT_GE(fonts.size(), 3u);
        fontPath = fonts[0].string();

        for (int slot = 0; slot < kSlotCount; ++slot) {
            project.fonts[slot] = ReadFontBytes(ReadFile(fonts[slot % fonts.size()].string()));
        }
        for (auto& set : project.sets) set.fill(kEmptyCell);
        for (int cell = 0; cell < 5; ++cell) project.sets[0][cell] = 33 + cell;
        project.sets[49][12] = 127;
        project.sets[99][24] = 0;
        project.registerValues = {14, 0, 24, 184, 134, 68};
        project.registerRgb = {MakeRgb(200, 200, 200), MakeRgb(10, 0, 40), MakeRgb(1, 2, 3),
                               MakeRgb(4, 5, 6), MakeRgb(7, 8, 9), MakeRgb(250, 0, 0)};
        for (int y = 0; y < kViewRows; ++y) {
            for (int x = 0; x < kViewColumns; ++x) project.view[y][x] = (x + y) % 3 == 0 ? (x * 7 + y * 3) % 128 : -1;
        }
        project.slotColors.emplace();
        for (int slot = 0; slot < kSlotCount; ++slot) {
            for (int reg = 0; reg < 6; ++reg) (*project.slotColors)[slot][reg] = MakeRgb(slot * 20, reg * 40, 90 + slot);
        }
        projectPath = Path("work.proj");
        WriteFile(projectPath, WriteProject(project));
        viewPath = Path("screen.ved");
        WriteFile(viewPath, EncodeViewFile(project.view));
    }


    ProjectData project;
    std::string fontPath, projectPath, viewPath;
};

TEST_F(CliTest, ExportSourceWritesTheDialogsBytesAndTheRawFont) {
    const FontBytes font = ReadFontBytes(ReadFile(fontPath));
    for (int format = 0; format < kExportFormatCount; ++format) {
        SCOPED_TRACE(kFormatNames[format]);
        const cli_test::Run fromFont = RunTool({"export-source", fontPath, "--format", kFormatNames[format], "-o", "-"});
        EXPECT_EQ(fromFont.exitCode, 0) << fromFont.err;
        EXPECT_EQ(fromFont.out, TextFileBytes(ExportLines(font, format)));
        const cli_test::Run fromSlot = RunTool(
            {"export-source", projectPath, "--slot", "3", "--format", kFormatNames[format], "-o", Path("out.txt")});
        EXPECT_EQ(fromSlot.exitCode, 0) << fromSlot.err;
        EXPECT_EQ(ReadFile(Path("out.txt")), TextFileBytes(ExportLines(project.fonts[2], format)));
    }
    EXPECT_EQ(RunTool({"export-source", projectPath, "--format", "raw", "-o", "-"}).out,
              WriteFontBytes(project.fonts[0]));

    // A label renames only the header; the data lines stay the dialog's.
    const Bytes labelled = RunTool({"export-source", fontPath, "--format", "madpascal", "--label", "tiles", "-o", "-"}).out;
    std::vector<std::string> lines = ExportLines(font, 5);
    lines[0] = "tiles: array [0..1023] of byte = (";
    EXPECT_EQ(labelled, TextFileBytes(lines));
}

TEST_F(CliTest, ExportImageWritesTheDialogsPictureInTheSlotsColours) {
    FontSlot slot2;
    UnpackFont(project.fonts[1], slot2);
    RegisterColors colors{};
    for (int reg = LUM; reg <= PF3; ++reg) colors[reg] = (*project.slotColors)[1][reg - 1];
    for (int scale = 1; scale <= 4; ++scale) {
        for (bool multicolour : {false, true}) {
            SCOPED_TRACE(std::to_string(scale) + (multicolour ? " multicolour" : " hi-res"));
            const Image picture = RenderFontImage(slot2, colors, multicolour, scale);
            std::vector<std::string> args = {"export-image", projectPath, "--slot", "2", "--scale", std::to_string(scale),
                                             "-o", Path("font.png")};
            if (multicolour) args.push_back("--multicolour");
            ASSERT_EQ(RunTool(args).exitCode, 0);
            EXPECT_EQ(ReadFile(Path("font.png")), EncodePng(picture));
            args[7] = Path("font.BMP");
            ASSERT_EQ(RunTool(args).exitCode, 0);
            EXPECT_EQ(ReadFile(Path("font.BMP")), EncodeBmp(picture));
        }
    }

    // A font file shows the default registers; a project of the older form its
    // stored registers in every slot. Character 0 is blank in these fonts, so
    // the top-left pixel shows BAK.
    const Image fromFont = DecodePng(RunTool({"export-image", fontPath, "-o", "-"}).out);
    ASSERT_EQ(fromFont.width, 256);
    EXPECT_EQ(fromFont.At(0, 0), kDefaultRegisterRgb[BAK]);
    const Bytes whole = ReadFile(projectPath);
    WriteFile(Path("old.proj"), Bytes(whole.begin(), whole.begin() + kOlderProjectSize));
    const Image fromOld = DecodePng(RunTool({"export-image", Path("old.proj"), "--slot", "4", "-o", "-"}).out);
    ASSERT_EQ(fromOld.height, 64);
    EXPECT_EQ(fromOld.At(0, 0), project.registerRgb[1]);
}

TEST_F(CliTest, ExportRegionWritesBitmapsCodesAndMaps) {
    ViewCells screen{};
    for (int y = 0; y < kViewRows; ++y) screen[y] = project.view[y];
    const FontBytes slot5 = project.fonts[4];
    const Region regions[] = {{0, 0, 4, 4}, {3, 7, 20, 11}, {0, 0, 59, 39}, {10, 10, 1, 5}, {58, 38, 2, 2}, {0, 0, 60, 40}};
    for (const Region& r : regions) {
        const std::string region = std::to_string(r.startX) + "," + std::to_string(r.startY) + "," +
                                   std::to_string(r.width) + "," + std::to_string(r.height);
        SCOPED_TRACE(region);
        const Bytes bin = RunTool({"export-region", projectPath, "--region", region, "--as", "bin", "--slot", "5", "-o", "-"}).out;
        const Bytes codes = RunTool({"export-region", viewPath, "--region", region, "--as", "char", "-o", "-"}).out;
        const Bytes map = RunTool({"export-region", projectPath, "--region", region, "--as", "map", "--fill", "200",
                                   "--header", "-o", "-"}).out;
        // Worked out here: the walk row by row over the region.
        Bytes expectBin, expectCodes, expectMap = {static_cast<unsigned char>(r.width), static_cast<unsigned char>(r.height)};
        for (int y = r.startY; y < r.startY + r.height; ++y) {
            for (int x = r.startX; x < r.startX + r.width; ++x) {
                const int cell = project.view[y][x];
                expectMap.push_back(static_cast<unsigned char>(cell < 0 ? 200 : cell));
                if (cell < 0) continue;
                expectCodes.push_back(static_cast<unsigned char>(cell));
                expectBin.insert(expectBin.end(), slot5.begin() + cell * 8, slot5.begin() + cell * 8 + 8);
            }
        }
        EXPECT_EQ(bin, expectBin);
        EXPECT_EQ(codes, expectCodes);
        EXPECT_EQ(map, expectMap);
        // Where the view editor's export window writes, the tool writes the same.
        if (IsExportable(r)) {
            EXPECT_EQ(bin, RegionBitmapBytes(screen, r, slot5));
            EXPECT_EQ(codes, RegionCodeBytes(screen, r));
        }
    }
    // A region without cells would write nothing but its header.
    EXPECT_EQ(RunTool({"export-region", projectPath, "--region", "10,10,0,5", "--as", "map", "-o", "-"}).exitCode, 2);
    // A view file carries no font: its bitmaps are the standard set's.
    const Bytes fromView = RunTool({"export-region", viewPath, "--region", "0,0,1,1", "--as", "bin", "-o", "-"}).out;
    const int code = project.view[0][0];
    EXPECT_EQ(fromView, Bytes(DefaultFontData.begin() + code * 8, DefaultFontData.begin() + code * 8 + 8));
    EXPECT_EQ(RunTool({"export-region", viewPath, "--region", "0,0,1,1", "--as", "map", "-o", "-"}).out,
              Bytes{static_cast<unsigned char>(code)});
}

TEST_F(CliTest, ExtractWritesEachSlotsFont) {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const std::string out = Path("slot" + std::to_string(slot) + ".fnt");
        ASSERT_EQ(RunTool({"extract", projectPath, "--slot", std::to_string(slot), "-o", out}).exitCode, 0);
        EXPECT_EQ(ReadFile(out), WriteFontBytes(project.fonts[slot - 1])) << slot;
    }
}

TEST_F(CliTest, InfoDescribesEveryKindOfFile) {
    int cells = 0;
    for (const auto& row : project.view) cells += static_cast<int>(std::count_if(row.begin(), row.end(), [](int c) { return c >= 0; }));
    const cli_test::Run text = RunTool({"info", projectPath});
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_NE(text.Out().find(": project, 22614 bytes\n"), std::string::npos) << text.Out();
    EXPECT_NE(text.Out().find("sets used: 3\n"), std::string::npos);
    EXPECT_NE(text.Out().find("screen cells used: " + std::to_string(cells) + " of 2400\n"), std::string::npos);
    EXPECT_NE(text.Out().find("PF3 68 #FA0000"), std::string::npos);

    const std::string json = RunTool({"info", projectPath, "--json"}).Out();
    EXPECT_NE(json.find("\"kind\": \"project\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"sets_used\": 3, \"cells_used\": " + std::to_string(cells)), std::string::npos);
    EXPECT_NE(json.find("\"LUM\": {\"value\": 14, \"rgb\": \"#C8C8C8\"}"), std::string::npos);

    // A blank character is one whose eight rows are all zero.
    Bytes font(1024, 0);
    font[8 * 5 + 7] = 1;
    font[8 * 127] = 0x80;
    WriteFile(Path("two \"chars\".fnt"), font);
    const std::string fontJson = RunTool({"info", Path("two \"chars\".fnt"), "--json"}).Out();
    EXPECT_NE(fontJson.find("\"name\": \"two \\\"chars\\\".fnt\", \"chars_used\": 2}"), std::string::npos) << fontJson;
    EXPECT_NE(RunTool({"info", viewPath}).Out().find("view, 9604 bytes\n  screen cells used: " + std::to_string(cells)),
              std::string::npos);
}

TEST_F(CliTest, InfoReportsTheRegisterBytesTheFileHoldsAndValidJsonForAnyName) {
    project.registerValues = {10, 2, 40, 180, 130, 70};
    const std::string latin1 = Path("caf\xE9.proj"), utf8 = Path("caf\xC3\xA9.proj");
    WriteFile(latin1, WriteProject(project));
    WriteFile(utf8, WriteProject(project));
    const std::string text = RunTool({"info", latin1}).Out();
    EXPECT_NE(text.find("registers: LUM 10 #C8C8C8, BAK 2 #0A0028, PF0 40 #010203, PF1 180 #040506, PF2 130 #070809, "
                        "PF3 70 #FA0000\n"),
              std::string::npos)
        << text;
    // Opening shows slot 1's colours, with the bytes of their palette entries.
    EXPECT_NE(text.find("registers on opening (slot 1's colours): LUM 10 #00005A,"), std::string::npos) << text;

    const std::string json = RunTool({"info", latin1, "--json"}).Out();
    EXPECT_NE(json.find("\"BAK\": {\"value\": 2, \"rgb\": \"#0A0028\"}"), std::string::npos) << json;
    EXPECT_NE(json.find("caf\\u00E9.proj\""), std::string::npos) << json;
    EXPECT_EQ(std::count_if(json.begin(), json.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }), 0);
    EXPECT_NE(RunTool({"info", utf8, "--json"}).Out().find("caf\xC3\xA9.proj\""), std::string::npos);
}

TEST_F(CliTest, ImportImageGivesAFontsPictureBackAndCountsWhatMergingChanged) {
    const FontBytes font = ReadFontBytes(ReadFile(fontPath));
    for (int scale = 1; scale <= 4; ++scale) {
        const std::string picture = Path("font.png"), out = Path("back.fnt");
        ASSERT_EQ(RunTool({"export-image", fontPath, "--scale", std::to_string(scale), "-o", picture}).exitCode, 0);
        const cli_test::Run run = RunTool({"import-image", picture, "--scale", std::to_string(scale), "-o", out});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(ReadFile(out), WriteFontBytes(font)) << scale;
        EXPECT_NE(run.Out().find("font's picture"), std::string::npos) << run.Out();
    }

    const RegisterColors colours = kDefaultRegisterRgb;
    Image cells(16, 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 16; ++x) cells.At(x, y) = colours[x < 8 ? BAK : x < 12 ? PF0 : PF2];
    }
    WriteFile(Path("cells.png"), EncodePng(cells));
    const cli_test::Run reduced =
        RunTool({"import-image", Path("cells.png"), "--multicolour", "--first", "127", "--reduce", "-o", Path("r.fnt")});
    ASSERT_EQ(reduced.exitCode, 0) << reduced.err;
    EXPECT_NE(reduced.Out().find("64 of the picture's pixels changed"), std::string::npos) << reduced.Out();
}

TEST_F(CliTest, ImportImageReadsAnExportedPictureBackIntoAProject) {
    const FontBytes font = project.fonts[0];
    const std::string picture = Path("font.bmp"), out = Path("out.proj"), map = Path("out.map");
    ASSERT_EQ(RunTool({"export-image", projectPath, "--scale", "2", "--multicolour", "-o", picture}).exitCode, 0);
    const cli_test::Run run = RunTool({"import-image", picture, "--scale", "2", "--multicolour", "--keep-duplicates",
                                       "--into", projectPath, "-o", out, "--map", map});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const ProjectData back = ReadProject(ReadFile(out)).value();
    EXPECT_EQ(back.fonts[0], font);
    EXPECT_EQ(back.fonts[1], project.fonts[1]);
    const Bytes codes = ReadFile(map);
    ASSERT_EQ(codes.size(), 128u);
    for (int k = 0; k < 128; ++k) ASSERT_EQ(codes[k], k);

    // A picture that needs more characters than fit is refused and writes nothing.
    const cli_test::Run refused =
        RunTool({"import-image", picture, "--scale", "2", "--multicolour", "--first", "100", "--keep-duplicates",
                 "--into", projectPath, "-o", Path("no.proj")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("needs 128 characters; 28 fit"), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(Path("no.proj")));
    EXPECT_EQ(RunTool({"import-image", picture, "--scale", "3", "-o", Path("no.fnt")}).exitCode, 1);
    EXPECT_EQ(RunTool({"import-image", picture, "--colours", "nice", "-o", Path("no.fnt")}).exitCode, 2);
}

TEST_F(CliTest, ImportImagePlacesTheMapIntoAnySlotTheScreenAndSets) {
    // 12 x 7 cells in two colours, each a pattern of its place, so that some
    // repeat and most do not.
    Image picture(12 * 8, 7 * 8);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const int cell = (y / 8) * 12 + x / 8, bit = (y % 8) * 8 + x % 8;
            picture.At(x, y) = (cell % 17 * 2654435761u >> (bit % 31)) & 1 ? MakeRgb(250, 240, 10) : MakeRgb(0, 0, 90);
        }
    }
    const std::string png = Path("cells.png"), out = Path("placed.proj");
    WriteFile(png, EncodePng(picture));
    const cli_test::Run run = RunTool({"import-image", png, "--into", projectPath, "--slot", "3", "--first", "10",
                                       "--colours", "picture", "--screen", "--sets", "95", "-o", out});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    // What the editor's import gives with slot 3 current.
    Document expected;
    ResetDocument(expected);
    ApplyProject(expected, project);
    expected.RegisterRgb = expected.Slots[3].colors;
    PictureImportOptions o;
    o.firstChar = 10;
    o.colours = ImportColours::Picture;
    o.placeOnView = o.placeInSets = true;
    o.firstSet = 95;
    const PictureImportPlan plan = PlanPictureImport(picture, expected, o);
    ASSERT_TRUE(ApplyPictureImport(expected, 3, plan, o).changed);
    ASSERT_LT(static_cast<int>(plan.chars.size()), plan.Cells());
    ASSERT_GE(plan.registerValues[BAK], 0);

    const ProjectData back = ReadProject(ReadFile(out)).value();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_EQ(back.fonts[slot], slot == 2 ? PackFont(expected.Slots[3]) : project.fonts[slot]) << slot;
    }
    EXPECT_EQ(back.view, expected.ViewScreen);
    EXPECT_EQ(back.view[6][11], 10 + plan.map.back());
    for (int set = 1; set <= kSetCount; ++set) EXPECT_EQ(back.sets[set - 1], expected.SetTable[set].cells) << set;
    EXPECT_EQ(back.sets[95][0], 10 + plan.map[5]);  // the second block of cells, in set 96
    // From set 97 on, two of the six sets the cells need are missing: nothing is written.
    const cli_test::Run tooFew = RunTool({"import-image", png, "--into", projectPath, "--sets", "97", "-o", Path("few.proj")});
    EXPECT_EQ(tooFew.exitCode, 1);
    EXPECT_NE(tooFew.err.find("need 6 sets from set 97, and only 4 follow"), std::string::npos) << tooFew.err;
    EXPECT_FALSE(fs::exists(Path("few.proj")));
    // The picture's colours become slot 3's; slot 1's, which a project keeps
    // as its registers too, stay.
    for (int reg = LUM; reg <= PF3; ++reg) {
        EXPECT_EQ((*back.slotColors)[2][reg - 1], expected.RegisterRgb[reg]) << reg;
        EXPECT_EQ((*back.slotColors)[0][reg - 1], (*project.slotColors)[0][reg - 1]) << reg;
    }
    // A font file has no slots, screen or sets to place into.
    EXPECT_EQ(RunTool({"import-image", png, "--slot", "3", "-o", Path("no.fnt")}).exitCode, 2);
    EXPECT_EQ(RunTool({"import-image", png, "--screen", "-o", Path("no.fnt")}).exitCode, 2);
}

// Five colours in multicolour: the cells that show the fifth come back as
// inverse codes in the screen's map, and the picture's colours as registers.
TEST_F(CliTest, ImportImageTakesAFifthColourAsInverseCodes) {
    const Rgb colours[5] = {MakeRgb(0, 0, 0), MakeRgb(200, 40, 40), MakeRgb(40, 200, 40), MakeRgb(40, 40, 200),
                            MakeRgb(250, 250, 0)};
    Image picture(40 * 8, 24 * 8);
    std::vector<bool> fifth(40 * 24);
    for (int cell = 0; cell < 40 * 24; ++cell) {
        const bool inverse = cell % 5 == 0;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; x += 2) {
                const int pair = static_cast<int>((cell % 23 * 2654435761u >> (x + 3 * y)) & 3);
                const Rgb colour = colours[pair == 3 && inverse ? 4 : pair];
                fifth[static_cast<std::size_t>(cell)] = fifth[static_cast<std::size_t>(cell)] || colour == colours[4];
                picture.At(cell % 40 * 8 + x, cell / 40 * 8 + y) = picture.At(cell % 40 * 8 + x + 1, cell / 40 * 8 + y) = colour;
            }
        }
    }
    const std::string png = Path("five.png"), out = Path("five.proj"), map = Path("five.map");
    WriteFile(png, EncodePng(picture));
    const cli_test::Run run = RunTool({"import-image", png, "--multicolour", "--colours", "picture", "--screen", "-o", out});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ASSERT_EQ(RunTool({"export-region", out, "--region", "0,0,40,24", "--as", "map", "-o", map}).exitCode, 0);
    const Bytes codes = ReadFile(map);
    ASSERT_EQ(codes.size(), 40u * 24u);
    const ProjectData back = ReadProject(ReadFile(out)).value();
    for (std::size_t cell = 0; cell < codes.size(); ++cell) {
        EXPECT_EQ(codes[cell] >= 128, fifth[cell]) << cell;
        EXPECT_EQ(codes[cell], back.view[cell / 40][cell % 40]) << cell;
    }
    // Yellow, the fifth colour, is PF3: of the six registers it is the one nearest yellow.
    const auto distance = [](Rgb a, Rgb b) {
        const int r = RedOf(a) - RedOf(b), g = GreenOf(a) - GreenOf(b), bl = BlueOf(a) - BlueOf(b);
        return r * r + g * g + bl * bl;
    };
    const auto& registers = (*back.slotColors)[0];
    for (int reg = 0; reg < 6; ++reg) {
        EXPECT_LE(distance(registers[PF3 - 1], colours[4]), distance(registers[reg], colours[4])) << reg;
    }
}

TEST_F(CliTest, ExportXexWritesTheProgramOfTheChosenSlotRegionModeAndFill) {
    Document doc;
    ResetDocument(doc);
    ApplyProject(doc, project);
    const ProgramLayout custom{{3, 7, 20, 11}, 4, 200};
    EXPECT_EQ(RunTool({"export-xex", projectPath, "--slot", "5", "--region", "3,7,20,11", "--mode", "4", "--fill", "200",
                       "-o", "-"}).out,
              BuildAtariProgram(doc, 5, custom).bytes);
    const std::string out = Path("screen.xex");
    ASSERT_EQ(RunTool({"export-xex", projectPath, "-o", out}).exitCode, 0);
    EXPECT_EQ(ReadFile(out), BuildAtariProgram(doc, 1, ProgramLayout{}).bytes) << "slot 1, the whole screen, mode 2";

    // A font alone is shown as the sheet lays it out, its inverse half below.
    Document fontDoc;
    ResetDocument(fontDoc);
    UnpackFont(ReadFontBytes(ReadFile(fontPath)), fontDoc.Slots[1]);
    for (int code = 0; code < 256; ++code) fontDoc.ViewScreen[code / 32][code % 32] = code;
    EXPECT_EQ(RunTool({"export-xex", fontPath, "--mode", "4", "-o", "-"}).out,
              BuildAtariProgram(fontDoc, 1, ProgramLayout{{0, 0, 40, 24}, 4, 0}).bytes);
}

TEST_F(CliTest, ExitCodesNameTheFaultOnStandardError) {
    EXPECT_EQ(RunTool({"--version"}).exitCode, 0);
    const cli_test::Run help = RunTool({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* command : {"export-source", "export-image", "export-region", "export-xex", "extract", "info"}) {
        EXPECT_NE(help.Out().find(command), std::string::npos);
        const cli_test::Run commandHelp = RunTool({command, "--help"});
        EXPECT_EQ(commandHelp.exitCode, 0);
        EXPECT_EQ(commandHelp.Out().rfind(std::string("Usage: quillmere-cli ") + command, 0), 0u) << command;
    }

    const std::vector<std::vector<std::string>> badUsage = {
        {},
        {"convert", fontPath},
        {"export-source", fontPath, "--format", "asm"},
        {"export-source", fontPath, "--format", "cobol", "-o", "-"},
        {"export-source", fontPath, "--format", "c", "--label", "9lives", "-o", "-"},
        {"export-source", fontPath, "--format", "basic", "--label", "x", "-o", "-"},
        {"export-source", fontPath, "--slot", "2", "--format", "asm", "-o", "-"},
        {"export-source", projectPath, "--slot", "11", "--format", "asm", "-o", "-"},
        {"export-source", projectPath, "--slot", "1x", "--format", "asm", "-o", "-"},
        {"export-source", projectPath, fontPath, "--format", "asm", "-o", "-"},
        {"export-image", fontPath, "--scale", "5", "-o", "-"},
        {"export-image", fontPath, "-o", Path("font.gif")},
        {"export-image", fontPath, "--sharp", "-o", "-"},
        {"export-region", projectPath, "--region", "50,0,11,4", "--as", "map", "-o", "-"},
        {"export-region", projectPath, "--region", "1,2,3", "--as", "map", "-o", "-"},
        {"export-region", projectPath, "--region", "0,0,4,4", "--as", "png", "-o", "-"},
        {"export-region", projectPath, "--region", "0,0,4,4", "--as", "bin", "--header", "-o", "-"},
        {"export-region", projectPath, "--region", "0,0,4,4", "--as", "map", "--fill", "256", "-o", "-"},
        {"export-xex", projectPath, "--region", "0,0,41,24", "-o", "-"},
        {"export-xex", projectPath, "--region", "0,0,40,25", "-o", "-"},
        {"export-xex", projectPath, "--region", "30,0,40,4", "-o", "-"},
        {"export-xex", projectPath, "--mode", "3", "-o", "-"},
        {"export-xex", projectPath, "--fill", "256", "-o", "-"},
        {"export-xex", projectPath, "--slot", "11", "-o", "-"},
        {"export-xex", fontPath, "--slot", "2", "-o", "-"},
    };
    for (const auto& args : badUsage) {
        const cli_test::Run run = RunTool(args);
        EXPECT_EQ(run.exitCode, 2) << (args.empty() ? "" : args[0] + " " + args.back());
        EXPECT_FALSE(run.err.empty());
        EXPECT_TRUE(run.out.empty());
    }

    // Bad input: missing, a folder, a damaged project, the wrong kind of file.
    Bytes damaged = ReadFile(projectPath);
    damaged[0] = 'X';
    WriteFile(Path("damaged.proj"), damaged);
    const std::vector<std::pair<std::string, std::vector<std::string>>> badInput = {
        {Path("missing.fnt"), {"export-source", Path("missing.fnt"), "--format", "asm", "-o", "-"}},
        {dir.string(), {"info", dir.string()}},
        {Path("damaged.proj"), {"extract", Path("damaged.proj"), "-o", "-"}},
        {Path("damaged.proj"), {"info", Path("damaged.proj")}},
        {viewPath, {"export-source", viewPath, "--format", "asm", "-o", "-"}},
        {fontPath, {"export-region", fontPath, "--region", "0,0,4,4", "--as", "char", "-o", "-"}},
        {fontPath, {"extract", fontPath, "-o", "-"}},
        {viewPath, {"export-xex", viewPath, "-o", "-"}},
    };
    for (const auto& [file, args] : badInput) {
        const cli_test::Run run = RunTool(args);
        EXPECT_EQ(run.exitCode, 1) << args[0] << " " << file;
        EXPECT_NE(run.err.find(file + ": "), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.empty());
    }
}

TEST_F(CliTest, AFailedRunLeavesTheOldOutputAsItWas) {
    const Bytes old = {'o', 'l', 'd'};
    const std::string out = Path("font.txt");
    WriteFile(out, old);
    EXPECT_EQ(RunTool({"export-source", Path("missing.fnt"), "--format", "asm", "-o", out}).exitCode, 1);
    EXPECT_EQ(ReadFile(out), old);

    // An output that cannot be written: a folder, or a file inside a file.
    const cli_test::Run toFolder = RunTool({"export-source", fontPath, "--format", "raw", "-o", dir.string()});
    EXPECT_EQ(toFolder.exitCode, 1);
    EXPECT_NE(toFolder.err.find(dir.string() + ": cannot be written"), std::string::npos) << toFolder.err;
    EXPECT_EQ(RunTool({"export-source", fontPath, "--format", "raw", "-o", out + "/x.fnt"}).exitCode, 1);
    EXPECT_EQ(ReadFile(out), old);

    // A folder the tool may not write to; permissions do not hold root back.
    if (geteuid() != 0) {
        fs::create_directories(dir / "locked");
        WriteFile(Path("locked/font.fnt"), old);
        fs::permissions(dir / "locked", fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(RunTool({"export-source", fontPath, "--format", "raw", "-o", Path("locked/font.fnt")}).exitCode, 1);
        EXPECT_EQ(RunTool({"export-xex", projectPath, "-o", Path("locked/font.fnt")}).exitCode, 1);
        fs::permissions(dir / "locked", fs::perms::owner_all);
        EXPECT_EQ(ReadFile(Path("locked/font.fnt")), old);
    }
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        EXPECT_NE(entry.path().filename().string()[0], '.') << "a temporary file was left: " << entry.path();
    }
}

// Whether the program names a dynamic loader: whether it has shared libraries.
bool NamesALoader(const Bytes& program) {
    Elf64_Ehdr head{};
    if (program.size() < sizeof head) return false;
    std::memcpy(&head, program.data(), sizeof head);
    for (int i = 0; i < head.e_phnum; ++i) {
        Elf64_Phdr part{};
        const std::size_t at = head.e_phoff + static_cast<std::size_t>(i) * head.e_phentsize;
        if (at + sizeof part > program.size()) return false;
        std::memcpy(&part, program.data() + at, sizeof part);
        if (part.p_type == PT_INTERP) return true;
    }
    return false;
}

TEST(CliLinkTest, LinksNoQtLibrary) {
    const Bytes program = ReadFile(QUILLMERE_CLI);
    ASSERT_EQ(std::string(program.begin(), program.begin() + 4), "\x7f" "ELF");
    if (!NamesALoader(program)) {
        // One static program: nothing of Qt was linked into it.
        const std::string_view image(reinterpret_cast<const char*>(program.data()), program.size());
        EXPECT_EQ(image.find("QObject"), std::string_view::npos);
        return;
    }
    if (!cli_test::HaveProgram("ldd")) GTEST_SKIP() << "ldd is not installed";
    const std::string listing = (fs::temp_directory_path() / ("qm_cli_ldd_" + std::to_string(getpid()))).string();
    ASSERT_EQ(cli_test::RunProgram({"ldd", QUILLMERE_CLI}, listing), 0);
    const Bytes bytes = ReadFile(listing);
    std::remove(listing.c_str());
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find("libc.so"), std::string::npos) << text;
    EXPECT_EQ(text.find("Qt"), std::string::npos) << text;
}

// The source texts go through the real compilers back to the font's bytes.
std::vector<std::string> TextLines(const Bytes& text) {
    std::vector<std::string> lines;
    std::string line;
    for (unsigned char c : text) {
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
            line.clear();
        } else {
            line += static_cast<char>(c);
        }
    }
    return lines;
}

TEST_F(CliTest, ExportSourceWritesTheCrossToolsFormatsAsTheDialogDoes) {
    const struct {
        const char* name;
        int format;
        test::Dialect dialect;
    } formats[] = {{"mads", kMadsFormat, test::Dialect::Mads},
                   {"xasm", kXasmFormat, test::Dialect::Xasm},
                   {"fastbasic", kFastBasicFormat, test::Dialect::FastBasic}};
    for (const auto& f : formats) {
        SCOPED_TRACE(f.name);
        const cli_test::Run plain = RunTool({"export-source", projectPath, "--slot", "4", "--format", f.name, "-o", "-"});
        ASSERT_EQ(plain.exitCode, 0) << plain.err;
        EXPECT_EQ(plain.out, TextFileBytes(ExportLines(project.fonts[3], f.format)));
        const Bytes named = RunTool({"export-source", fontPath, "--format", f.name, "--label", "glyphs", "-o", "-"}).out;
        const auto read = test::ReadDataStatements(TextLines(named), f.dialect);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->label, "glyphs");
        EXPECT_EQ(Bytes(read->bytes.begin(), read->bytes.end()), WriteFontBytes(ReadFontBytes(ReadFile(fontPath))));
    }
    const Bytes aligned = RunTool({"export-source", fontPath, "--format", "mads", "--align", "-o", "-"}).out;
    EXPECT_EQ(aligned, TextFileBytes(ExportLines(ReadFontBytes(ReadFile(fontPath)), kMadsFormat, true)));
    EXPECT_EQ(RunTool({"export-source", fontPath, "--format", "xasm", "--align", "-o", "-"}).exitCode, 2);
    EXPECT_EQ(RunTool({"export-source", fontPath, "--format", "asm", "--align", "-o", "-"}).exitCode, 2);
    EXPECT_EQ(RunTool({"export-source", fontPath, "--format", "mads", "--label", "9lives", "-o", "-"}).exitCode, 2);
}

TEST_F(CliTest, ExportRegionWritesItsMapBytesInEverySourceFormat) {
    const Region region{3, 7, 20, 11};
    const Bytes map = RegionMapBytes(ViewCells(project.view), region, 0, false);
    for (const auto& [name, dialect] : {std::pair{"mads", test::Dialect::Mads}, {"xasm", test::Dialect::Xasm},
                                        {"fastbasic", test::Dialect::FastBasic}}) {
        SCOPED_TRACE(name);
        const cli_test::Run run = RunTool({"export-region", projectPath, "--region", "3,7,20,11", "--as", "map",
                                           "--format", name, "--label", "level", "-o", "-"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const std::vector<std::string> lines = TextLines(run.out);
        const auto read = test::ReadDataStatements(lines, dialect);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->label, "level");
        EXPECT_EQ(Bytes(read->bytes.begin(), read->bytes.end()), map);
        EXPECT_EQ(lines.size(), 11u + (dialect == test::Dialect::FastBasic ? 0 : 1)) << "one line per row";
    }
    EXPECT_EQ(RunTool({"export-region", projectPath, "--region", "3,7,20,11", "--as", "map", "--format", "raw", "-o", "-"}).out,
              map);
    EXPECT_EQ(RunTool({"export-region", projectPath, "--region", "0,0,1,1", "--as", "map", "--format", "dta", "-o", "-"})
                  .exitCode, 2);
}

TEST_F(CliTest, TheScreenGoesToTiledAndComesBack) {
    const cli_test::Run exported = RunTool({"export-tmx", projectPath, "--slot", "2", "-o", Path("level.tmx")});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    const TmxReadResult read = ReadTmx(ReadFile(Path("level.tmx")));
    ASSERT_EQ(read.error, "");
    ASSERT_EQ(read.grid.cells.size(), static_cast<std::size_t>(kViewColumns * kViewRows));
    for (int y = 0; y < kViewRows; ++y) {
        for (int x = 0; x < kViewColumns; ++x) ASSERT_EQ(read.grid.cells[y * kViewColumns + x], project.view[y][x]);
    }
    const std::string tsx = cli_test::Run{0, ReadFile(Path("level.tsx")), ""}.Out();
    EXPECT_NE(tsx.find("source=\"level.png\""), std::string::npos) << tsx;
    FontSlot slot2;
    UnpackFont(project.fonts[1], slot2);
    RegisterColors colors{};
    for (int reg = 0; reg < 6; ++reg) colors[reg + 1] = (*project.slotColors)[1][reg];
    const Image tiles = DecodePng(ReadFile(Path("level.png")));
    EXPECT_EQ(tiles.pixels, RenderFontImage(slot2, colors, false, 1).pixels);

    // Back into a new project, and into an existing one whose screen it replaces.
    ASSERT_EQ(RunTool({"import-tmx", Path("level.tmx"), "-o", Path("back.proj")}).exitCode, 0);
    ASSERT_EQ(RunTool({"import-tmx", Path("level.tmx"), "--into", projectPath, "-o", Path("into.proj")}).exitCode, 0);
    const auto back = ReadProject(ReadFile(Path("back.proj")));
    const auto into = ReadProject(ReadFile(Path("into.proj")));
    ASSERT_TRUE(back.has_value() && into.has_value());
    EXPECT_EQ(back->view, project.view);
    EXPECT_EQ(into->view, project.view);
    EXPECT_EQ(into->fonts, project.fonts);
}

TEST_F(CliTest, TiledMapsThatCannotBeTakenAreRefusedWithTheirReason) {
    const std::string gzip = "<map orientation=\"orthogonal\" width=\"1\" height=\"1\"><tileset firstgid=\"1\"/>"
                             "<layer width=\"1\" height=\"1\"><data encoding=\"base64\" compression=\"gzip\">AA==</data>"
                             "</layer></map>";
    WriteFile(Path("gzip.tmx"), Bytes(gzip.begin(), gzip.end()));
    const cli_test::Run refused = RunTool({"import-tmx", Path("gzip.tmx"), "-o", Path("out.proj")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("gzip"), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(Path("out.proj")));

    const cli_test::Run tooLarge =
        RunTool({"import-tmx", (fs::path(QUILLMERE_TESTDATA) / "tmx" / "sewers.tmx").string(), "-o", Path("out.proj")});
    EXPECT_EQ(tooLarge.exitCode, 1);
    EXPECT_NE(tooLarge.err.find("60 x 40"), std::string::npos) << tooLarge.err;
    EXPECT_EQ(RunTool({"export-tmx", projectPath, "--source", "map", "-o", Path("m.tmx")}).exitCode, 1)
        << "no tile map in the project";
    EXPECT_EQ(RunTool({"export-tmx", projectPath, "--source", "sky", "-o", Path("m.tmx")}).exitCode, 2);
    EXPECT_EQ(RunTool({"export-tmx", projectPath, "-o", Path("m.txt")}).exitCode, 2);
    // The tile set's name taken by a folder: the export says so and writes
    // neither the picture before it nor the map after it.
    fs::create_directory(Path("m.tsx"));
    const cli_test::Run blocked = RunTool({"export-tmx", projectPath, "-o", Path("m.tmx")});
    EXPECT_EQ(blocked.exitCode, 1);
    EXPECT_NE(blocked.err.find("m.tsx"), std::string::npos) << blocked.err;
    EXPECT_FALSE(fs::exists(Path("m.png")) || fs::exists(Path("m.tmx")));
}

class CliToolchainTest : public CliTest {
protected:
    void ExpectLinkedBytes(const std::string& object, const Bytes& font) {
        const std::string config = Path("flat.cfg");
        const std::string text =
            "MEMORY { M: start=$0, size=$10000, file=%O; }\n"
            "SEGMENTS { CODE: load=M, type=ro; RODATA: load=M, type=ro; DATA: load=M, type=rw; }\n";
        WriteFile(config, Bytes(text.begin(), text.end()));
        ASSERT_EQ(cli_test::RunProgram({"ld65", "-C", config, object, "-o", Path("linked.bin")}), 0);
        EXPECT_EQ(ReadFile(Path("linked.bin")), font);
    }
};

TEST_F(CliToolchainTest, Ca65OutputAssemblesToTheFontsBytes) {
    if (!cli_test::HaveProgram("ca65") || !cli_test::HaveProgram("ld65")) GTEST_SKIP() << "ca65/ld65 (cc65) are not installed";
    ASSERT_EQ(RunTool({"export-source", projectPath, "--slot", "2", "--format", "ca65", "--label", "game_font", "-o",
                       Path("font.s")}).exitCode, 0);
    ASSERT_EQ(cli_test::RunProgram({"ca65", Path("font.s"), "-o", Path("font.o")}), 0);
    ExpectLinkedBytes(Path("font.o"), WriteFontBytes(project.fonts[1]));
}

// ca65 is the reference for the bytes the cross tools' texts hold.
TEST_F(CliToolchainTest, TheCrossToolsTextsHoldTheBytesCa65Assembles) {
    if (!cli_test::HaveProgram("ca65") || !cli_test::HaveProgram("ld65")) GTEST_SKIP() << "ca65/ld65 (cc65) are not installed";
    ASSERT_EQ(RunTool({"export-source", projectPath, "--slot", "6", "--format", "ca65", "-o", Path("font.s")}).exitCode, 0);
    ASSERT_EQ(cli_test::RunProgram({"ca65", Path("font.s"), "-o", Path("font.o")}), 0);
    ExpectLinkedBytes(Path("font.o"), WriteFontBytes(project.fonts[5]));
    const Bytes assembled = ReadFile(Path("linked.bin"));
    for (const auto& [name, dialect] : {std::pair{"mads", test::Dialect::Mads}, {"xasm", test::Dialect::Xasm},
                                        {"fastbasic", test::Dialect::FastBasic}}) {
        const auto read = test::ReadDataStatements(
            TextLines(RunTool({"export-source", projectPath, "--slot", "6", "--format", name, "-o", "-"}).out), dialect);
        ASSERT_TRUE(read.has_value()) << name;
        EXPECT_EQ(Bytes(read->bytes.begin(), read->bytes.end()), assembled) << name;
    }
}

TEST_F(CliToolchainTest, COutputCompilesToTheFontsBytes) {
    // The first 1024 bytes of a longer file, as the editor loads it.
    const Bytes font = WriteFontBytes(ReadFontBytes(ReadFile(fontPath)));
    ASSERT_EQ(RunTool({"export-source", fontPath, "--format", "c", "--label", "glyphs", "-o", Path("font.c")}).exitCode, 0);
    bool compiled = false;
    if (cli_test::HaveProgram("gcc")) {
        const std::string main = "#include <stdio.h>\nextern const unsigned char glyphs[1024];\n"
                                 "int main(void) { return fwrite(glyphs, 1, sizeof glyphs, stdout) != 1024; }\n";
        WriteFile(Path("main.c"), Bytes(main.begin(), main.end()));
        ASSERT_EQ(cli_test::RunProgram({"gcc", "-std=c99", "-Wall", "-Werror", "-pedantic", Path("font.c"), Path("main.c"),
                                        "-o", Path("dump")}), 0);
        ASSERT_EQ(cli_test::RunProgram({Path("dump")}, Path("dumped.bin")), 0);
        EXPECT_EQ(ReadFile(Path("dumped.bin")), font);
        compiled = true;
    }
    if (cli_test::HaveProgram("cc65") && cli_test::HaveProgram("ca65") && cli_test::HaveProgram("ld65")) {
        ASSERT_EQ(cli_test::RunProgram({"cc65", "-O", Path("font.c"), "-o", Path("font65.s")}), 0);
        ASSERT_EQ(cli_test::RunProgram({"ca65", Path("font65.s"), "-o", Path("font65.o")}), 0);
        ExpectLinkedBytes(Path("font65.o"), font);
        compiled = true;
    }
    if (!compiled) GTEST_SKIP() << "neither gcc nor cc65 is installed";
}

}  // namespace
}  // namespace qm
