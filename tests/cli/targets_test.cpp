// The tool handed the files and targets a script or a careless command line
// can give it: names of descriptors, links, devices, files of the wrong kind
// or length. Whatever it says, it either does the whole job or leaves every
// file as it was.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "core/font_format.h"
#include "core/image.h"
#include "core/project_format.h"
#include "run_tool.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using cli_test::ReadFile;
using cli_test::RunTool;
using cli_test::WriteFile;

class TargetsTest : public cli_test::FolderTest {
protected:
    void SetUp() override {
        FolderTest::SetUp();
        font = ReadFile(std::string(QUILLMERE_TESTDATA) + "/fonts/analog.fnt");
        ASSERT_EQ(font.size(), 1024u);
        fontPath = Path("analog.fnt");
        WriteFile(fontPath, font);
        ProjectData project;
        for (auto& slot : project.fonts) slot = ReadFontBytes(font);
        for (auto& set : project.sets) set.fill(kEmptyCell);
        for (auto& row : project.view) row.fill(-1);
        projectBytes = WriteProject(project);
        projectPath = Path("game.proj");
        WriteFile(projectPath, projectBytes);
        picturePath = Path("font.png");
        ASSERT_EQ(RunTool({"export-image", fontPath, "-o", picturePath}).exitCode, 0);
    }

    // Runs a shell command line with $CLI standing for the tool; its exit code.
    int Shell(const std::string& line) const {
        return cli_test::RunProgram({"sh", "-c", "CLI='" + std::string(QUILLMERE_CLI) + "'; cd '" + dir.string() + "'; " + line});
    }
    bool NoHiddenFiles() const {
        for (const auto& entry : fs::recursive_directory_iterator(dir)) {
            if (entry.path().filename().string()[0] == '.') return false;
        }
        return true;
    }

    Bytes font, projectBytes;
    std::string fontPath, projectPath, picturePath;
};

TEST_F(TargetsTest, NamesOfStandardOutputAddToWhatTheShellRedirected) {
    ASSERT_EQ(Shell("echo old > build.log; "
                    "$CLI export-source analog.fnt --format raw -o /dev/stdout >> build.log && "
                    "$CLI export-source analog.fnt --format raw -o /dev/fd/1 >> build.log && "
                    "{ $CLI export-source analog.fnt --format raw -o /proc/self/fd/1; "
                    "  $CLI export-source analog.fnt --format raw -o /dev/stdout; } > all.fnt"),
              0);
    Bytes expected = {'o', 'l', 'd', '\n'};
    for (int run = 0; run < 2; ++run) expected.insert(expected.end(), font.begin(), font.end());
    EXPECT_EQ(ReadFile(Path("build.log")), expected);
    EXPECT_EQ(ReadFile(Path("all.fnt")).size(), 2048u);
    EXPECT_TRUE(fs::is_symlink("/dev/stdout"));
    EXPECT_TRUE(NoHiddenFiles());
}

TEST_F(TargetsTest, ImportImageChecksEveryTargetBeforeWritingAny) {
    const auto unchanged = [&] { return ReadFile(projectPath) == projectBytes; };
    const std::vector<std::pair<int, std::vector<std::string>>> refused = {
        {1, {"import-image", picturePath, "--into", projectPath, "-o", projectPath, "--map", Path("nowhere/x.map")}},
        {2, {"import-image", picturePath, "--into", projectPath, "-o", projectPath, "--map", projectPath}},
        {2, {"import-image", picturePath, "-o", Path("new.proj"), "--into", projectPath, "--map", projectPath}},
        {2, {"import-image", picturePath, "-o", projectPath, "--map", Path("./game.proj")}},
        {1, {"import-image", picturePath, "--into", projectPath, "-o", projectPath, "--sets", "100", "--keep-duplicates"}},
    };
    for (const auto& [code, args] : refused) {
        const cli_test::Run run = RunTool(args);
        EXPECT_EQ(run.exitCode, code) << args.back() << run.err;
        EXPECT_TRUE(unchanged()) << args.back();
        EXPECT_FALSE(fs::exists(Path("new.proj")));
    }
    // A summary that cannot be shown fails the run before anything is written.
    for (const std::string& out : {std::string("/dev/full"), std::string("-")}) {
        const std::string redirect = out == "-" ? ">&-" : "> " + out;
        EXPECT_EQ(Shell("$CLI import-image font.png --into game.proj -o game.proj --map game.map " + redirect), 1);
        EXPECT_TRUE(unchanged());
        EXPECT_FALSE(fs::exists(Path("game.map")));
    }
    EXPECT_EQ(Shell("$CLI import-image font.png --into game.proj -o game.proj --map game.map > /dev/null"), 0);
    EXPECT_FALSE(unchanged());
    EXPECT_EQ(ReadFile(Path("game.map")).size(), 256u);  // both halves of the font's picture
}

TEST_F(TargetsTest, FilesOfTheWrongLengthOrKindAreRefusedAndLoadFilesAndRangesRead) {
    WriteFile(Path("cut.proj"), Bytes{'F', 'P', 'R', 'J'});
    WriteFile(Path("cut.ved"), Bytes{'V', 'E', 'D', 'T'});
    WriteFile(Path("empty.fnt"), {});
    WriteFile(Path("notes.txt"), Bytes{'a', 'b', '\n'});
    WriteFile(Path("picture.fnt"), ReadFile(picturePath));
    Bytes halfProject = projectBytes;
    halfProject.resize(kOlderProjectSize - 1);
    WriteFile(Path("half.proj"), halfProject);
    ASSERT_EQ(truncate(Path("empty.fnt").c_str(), 0), 0);
    fs::copy_file(Path("empty.fnt"), Path("huge.fnt"));
    ASSERT_EQ(truncate(Path("huge.fnt").c_str(), 2LL << 30), 0);  // sparse: costs no disk
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"cut.proj", "ends early after 4 bytes"}, {"half.proj", "ends early after 22373 bytes"},
        {"cut.ved", "ends early after 4 bytes"},  {"empty.fnt", "not a font: 0 bytes"},
        {"notes.txt", "not a font: 3 bytes"},     {"picture.fnt", "not a font: a PNG picture"},
        {"huge.fnt", "not a font: 2147483648 bytes"},
    };
    for (const auto& [name, reason] : refused) {
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"info", Path(name)}, {"extract", Path(name), "-o", Path("out.fnt")},
              {"optimize", Path(name), "-o", Path("out.proj")}, {"export-source", Path(name), "--format", "raw", "-o", "-"}}) {
            const cli_test::Run run = RunTool(args);
            EXPECT_EQ(run.exitCode, 1) << args[0] << " " << name;
            EXPECT_TRUE(run.out.empty()) << args[0] << " " << name;
            EXPECT_NE(run.err.find(Path(name) + ": "), std::string::npos) << run.err;
            EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
        }
    }
    EXPECT_FALSE(fs::exists(Path("out.fnt")) || fs::exists(Path("out.proj")));

    // The binary load form of a font or of a range, and a short range file.
    Bytes load = {0xFF, 0xFF, 0x00, 0xE0, 0xFF, 0xE3};
    load.insert(load.end(), font.begin(), font.end());
    WriteFile(Path("load.fnt"), load);
    Bytes range = {0xFF, 0xFF, 0x00, 0x30, 0x0F, 0x30};
    range.insert(range.end(), font.begin(), font.begin() + 16);
    WriteFile(Path("range.fnt"), range);
    WriteFile(Path("short.fnt"), Bytes(font.begin(), font.begin() + 100));
    Bytes shortFont(font.begin(), font.begin() + 100);
    shortFont.resize(1024, 0);
    Bytes twoChars(font.begin(), font.begin() + 16);
    twoChars.resize(1024, 0);
    for (const auto& [name, expected] :
         std::vector<std::pair<std::string, Bytes>>{{"load.fnt", font}, {"range.fnt", twoChars}, {"short.fnt", shortFont}}) {
        const cli_test::Run raw = RunTool({"export-source", Path(name), "--format", "raw", "-o", "-"});
        EXPECT_EQ(raw.exitCode, 0) << name;
        EXPECT_EQ(raw.out, expected) << name;
    }
    EXPECT_NE(RunTool({"info", Path("load.fnt")}).Out().find("font, 1030 bytes (binary load file)"), std::string::npos);
    EXPECT_NE(RunTool({"info", Path("short.fnt")}).Out().find("font, 100 bytes (12 of 128 characters and 4 rows)"),
              std::string::npos);
}

TEST_F(TargetsTest, AnOutputOfAnotherKindThanWrittenIsRefused) {
    fs::create_symlink(projectPath, Path("game-link"));
    const std::vector<std::vector<std::string>> refused = {
        {"extract", projectPath, "--slot", "3", "-o", projectPath},
        {"extract", projectPath, "-o", Path("game-link")},
        {"optimize", projectPath, "-o", Path("x.fnt")},
        {"export-source", fontPath, "--format", "asm", "-o", Path("x.fnt")},
        {"export-image", projectPath, "-o", Path("game-link")},
        {"info", projectPath, "-o", projectPath},
        {"analyze", projectPath, "-o", Path("x.ved")},
        {"export-region", projectPath, "--region", "0,0,2,2", "--as", "map", "-o", Path("x.sets")},
        {"export-xex", projectPath, "-o", projectPath},
        {"export-xex", fontPath, "-o", Path("x.fnt")},
    };
    for (const auto& args : refused) {
        const cli_test::Run run = RunTool(args);
        EXPECT_EQ(run.exitCode, 2) << args[0] << " " << args.back() << run.err;
        EXPECT_EQ(ReadFile(projectPath), projectBytes);
    }
    EXPECT_FALSE(fs::exists(Path("x.fnt")) || fs::exists(Path("x.ved")) || fs::exists(Path("x.sets")));
    // The same kind may replace its input.
    EXPECT_EQ(RunTool({"optimize", projectPath, "-o", Path("game-link")}).exitCode, 0);
    EXPECT_EQ(RunTool({"export-source", fontPath, "--format", "raw", "-o", fontPath}).exitCode, 0);
    EXPECT_EQ(ReadFile(fontPath), font);
    EXPECT_TRUE(fs::is_symlink(Path("game-link")));
}

TEST_F(TargetsTest, OddTargetsAndFullOutputsAreHandledAndNamedRightly) {
    EXPECT_EQ(RunTool({"extract", projectPath, "-o", "/dev/null"}).exitCode, 0);
    const cli_test::Run toFolder = RunTool({"extract", projectPath, "-o", Path("missing/")});
    EXPECT_EQ(toFolder.exitCode, 1);
    EXPECT_EQ(toFolder.err.find("Is a directory"), std::string::npos) << toFolder.err;
    WriteFile(Path("-dash.fnt"), font);
    EXPECT_EQ(Shell("$CLI info -- -dash.fnt > /dev/null"), 0);

    for (const char* line : {"$CLI --help", "$CLI --version", "$CLI info --help",
                                    "$CLI optimize game.proj -o optimized.proj", "$CLI info game.proj"}) {
        EXPECT_EQ(Shell(std::string(line) + " > /dev/full"), 1) << line;
    }
    EXPECT_FALSE(fs::exists(Path("optimized.proj")));

    EXPECT_EQ(RunTool({"import-image", picturePath, "--colours", "picture", "--colors", "registers", "-o", Path("c.fnt")}).exitCode, 2);
    EXPECT_EQ(RunTool({"export-region", projectPath, "--region", "0,0,0,0", "--as", "map", "-o", Path("r.map")}).exitCode, 2);
    for (const auto& [input, reason] : std::vector<std::pair<std::string, std::string>>{
             {Path("missing.png"), "no such file"}, {dir.string(), "folder"}, {"/dev/zero", "not a regular file"}}) {
        const cli_test::Run run = RunTool({"import-image", input, "-o", Path("i.fnt")});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
    }
    EXPECT_TRUE(NoHiddenFiles());
}

}  // namespace
}  // namespace qm
