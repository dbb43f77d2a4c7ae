#include <gtest/gtest.h>

#include <filesystem>

#include "charedit/color_file.h"
#include "core/color_format.h"
#include "support/editor_fixture.h"

namespace qm {
namespace {

const std::vector<unsigned char> kStartUpFile = {
    'Q', 'M', 'R', 'C', 14, 0, 24, 184, 134, 68,
    238, 238, 238, 0,  0, 0, 0, 0,  194, 119, 31, 0,
    71, 183, 27, 0,  44, 119, 207, 0,  149, 20, 123, 0,
};

TEST(ColorFormat, ShortFileReadsZerosForMissingFields) {
    std::vector<unsigned char> bytes(kStartUpFile.begin(), kStartUpFile.begin() + 12);
    ColorRegisters registers;
    ASSERT_TRUE(DecodeColorFile(bytes, registers));
    EXPECT_EQ(registers.values[PF3], 68);
    EXPECT_EQ(registers.rgb[LUM], tk::MakeRgb(238, 238, 0));
    for (int reg = BAK; reg <= PF3; ++reg) EXPECT_EQ(registers.rgb[reg], 0u) << reg;
}

TEST(ColorFormat, WrongOrMissingMagicLeavesRegistersAlone) {
    ColorRegisters registers;
    registers.values[LUM] = 99;
    std::vector<unsigned char> bytes = kStartUpFile;
    bytes[3] = 'D';
    EXPECT_FALSE(DecodeColorFile(bytes, registers));
    EXPECT_FALSE(DecodeColorFile({'Q', 'M', 'R'}, registers));
    EXPECT_FALSE(DecodeColorFile({}, registers));
    EXPECT_EQ(registers.values[LUM], 99);
}

TEST(ColorFormat, ScreenColoursAreKeptOpaque) {
    std::vector<unsigned char> bytes = kStartUpFile;
    bytes[13] = 0x80;  // a stray top byte on LUM
    ColorRegisters registers;
    ASSERT_TRUE(DecodeColorFile(bytes, registers));
    EXPECT_EQ(registers.rgb[LUM], tk::MakeRgb(238, 238, 238));
}

class ColorFile : public test::EditorTest {
protected:
    void Save(const std::string& path) {
        tk::QueueFileAnswer(path);
        SaveColorFile(s);
    }
    void Load(const std::string& path) {
        tk::QueueFileAnswer(path);
        LoadColorFile(s);
    }
    test::TempDir dir;
};

TEST_F(ColorFile, StartUpRegistersSaveByteForByte) {
    Save(dir.Path("start.col"));
    EXPECT_EQ(test::ReadBytes(dir.Path("start.col")), kStartUpFile);
    ASSERT_FALSE(tk::ShownRequesters().empty());
    const tk::Shown& dialog = tk::ShownRequesters().front();
    EXPECT_EQ(dialog.kind, "save");
    EXPECT_EQ(dialog.title, "Save colors (.col)");
    EXPECT_EQ(dialog.text, "");
    EXPECT_EQ(dialog.filters, "Text (*.col)|*.col|All files (*.*)|*.*");
    EXPECT_EQ(dialog.preselectedFilter, 0);
}

TEST_F(ColorFile, ExtensionIsAlwaysAddedWhenMissing) {
    tk::QueueFileAnswer(dir.Path("plain"), 1);
    SaveColorFile(s);
    EXPECT_EQ(test::ReadBytes(dir.Path("plain.col")).size(), 34u);
    Save(dir.Path("upper.COL"));
    EXPECT_TRUE(std::filesystem::exists(dir.Path("upper.COL")));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("upper.COL.col")));
}

TEST_F(ColorFile, RegistersSurviveSaveAndLoad) {
    s.doc.RegisterValue[PF1] = 0xB8;
    s.doc.RegisterRgb[PF1] = tk::MakeRgb(71, 183, 27);
    s.doc.RegisterValue[LUM] = 0xFE;
    s.doc.RegisterRgb[LUM] = tk::MakeRgb(255, 247, 101);
    const auto values = s.doc.RegisterValue;
    const auto rgb = s.doc.RegisterRgb;
    Save(dir.Path("round.col"));
    s.doc.RegisterValue = kDefaultRegisterValue;
    s.doc.RegisterRgb = kDefaultRegisterRgb;
    Load(dir.Path("round.col"));
    EXPECT_EQ(s.doc.RegisterValue, values);
    EXPECT_EQ(s.doc.RegisterRgb, rgb);
}

TEST_F(ColorFile, LoadingRepaintsSwatchesBarsAndEditor) {
    std::vector<unsigned char> bytes = kStartUpFile;
    bytes[10] = 1;  // LUM red
    bytes[11] = 2;
    bytes[12] = 3;
    test::WriteBytes(dir.Path("lum.col"), bytes);
    Load(dir.Path("lum.col"));
    EXPECT_EQ(s.doc.RegisterRgb[LUM], tk::MakeRgb(1, 2, 3));
    EXPECT_EQ(tk::CanvasSurface(s.ui.swatch[LUM]).Pixel(1, 1), tk::MakeRgb(1, 2, 3));
    EXPECT_EQ(tk::Background(s.ui.leftButtonBar), tk::MakeRgb(1, 2, 3));
    // Character 1 of the standard set has pixel (3, 1) set.
    EXPECT_EQ(tk::CanvasSurface(s.ui.charEditor).Pixel(3 * 30 + 15, 30 + 15), tk::MakeRgb(1, 2, 3));
}

TEST_F(ColorFile, WrongMagicChangesNothingAndSaysSo) {
    std::vector<unsigned char> bytes = kStartUpFile;
    bytes[0] = 'L';
    bytes[4] = 99;
    test::WriteBytes(dir.Path("bad.col"), bytes);
    Load(dir.Path("bad.col"));
    EXPECT_EQ(s.doc.RegisterValue, kDefaultRegisterValue);
    EXPECT_EQ(s.doc.RegisterRgb, kDefaultRegisterRgb);
    ASSERT_EQ(tk::ShownRequesters().size(), 2u);
    EXPECT_EQ(tk::ShownRequesters()[0].title, "Load colors (.col)");
    EXPECT_EQ(tk::ShownRequesters()[1].kind, "message");
    EXPECT_EQ(tk::ShownRequesters()[1].title, "Error!");
    EXPECT_EQ(tk::ShownRequesters()[1].text, "This file is not QMR color data!");
}

TEST_F(ColorFile, ShortFileGivesZerosWithoutAMessage) {
    test::WriteBytes(dir.Path("short.col"), {'Q', 'M', 'R', 'C', 7});
    Load(dir.Path("short.col"));
    EXPECT_EQ(s.doc.RegisterValue[LUM], 7);
    for (int reg = BAK; reg <= PF3; ++reg) EXPECT_EQ(s.doc.RegisterValue[reg], 0) << reg;
    for (int reg = LUM; reg <= PF3; ++reg) EXPECT_EQ(s.doc.RegisterRgb[reg], 0u) << reg;
    EXPECT_EQ(tk::ShownRequesters().size(), 1u);
}

TEST_F(ColorFile, CancelledOrMissingFileChangesNothingSilently) {
    LoadColorFile(s);  // nothing queued: cancelled
    Load(dir.Path("absent.col"));
    SaveColorFile(s);
    EXPECT_EQ(s.doc.RegisterRgb, kDefaultRegisterRgb);
    EXPECT_EQ(tk::ShownRequesters().size(), 3u);
    EXPECT_TRUE(std::filesystem::is_empty(dir.Root()));
}

// A colour file that cannot be written must not pass for saved.
TEST_F(ColorFile, SaveIntoAMissingFolderIsReported) {
    const std::string path = dir.Path("no-such-folder/colors.col");
    Save(path);
    EXPECT_FALSE(std::filesystem::exists(path));
    ASSERT_EQ(tk::ShownRequesters().size(), 2u);
    EXPECT_EQ(tk::ShownRequesters()[1].kind, "message");
    EXPECT_EQ(tk::ShownRequesters()[1].title, "Error!");
    EXPECT_NE(tk::ShownRequesters()[1].text.find("colors.col"), std::string::npos);
}

TEST_F(ColorFile, SaveOverAFolderIsReportedAndLeavesItAlone) {
    const std::string path = dir.Path("taken.col");
    std::filesystem::create_directory(path);
    test::WriteBytes(path + "/inside", {1, 2, 3});
    Save(path);
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(test::ReadBytes(path + "/inside"), (std::vector<unsigned char>{1, 2, 3}));
    ASSERT_EQ(tk::ShownRequesters().size(), 2u);
    EXPECT_EQ(tk::ShownRequesters()[1].title, "Error!");
}

}  // namespace
}  // namespace qm
