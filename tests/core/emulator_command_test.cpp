#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "core/emulator_command.h"

namespace qm {
namespace {

using Words = std::vector<std::string>;

TEST(EmulatorCommandTest, TheLineIsSplitAsAShellSplitsItWithTheFileForPercentF) {
    const std::string file = "/run/q/my game.xex";
    const struct {
        const char* line;
        Words words;
    } cases[] = {
        {"atari800 -run %f", {"atari800", "-run", file}},
        {"  emu\t%f  ", {"emu", file}},
        {"emu", {"emu", file}},  // no %f: the file comes last
        {"emu --load=%f --speed 100%%", {"emu", "--load=" + file, "--speed", "100%"}},
        {"'/opt/my emu/run' \"%f\"", {"/opt/my emu/run", file}},
        {"emu it\\'s \"a \\\"b\\\"\" '' %%f", {"emu", "it's", "a \"b\"", "", "%f", file}},
        {"wine 'C:\\emu.exe' %f", {"wine", "C:\\emu.exe", file}},
        {"sh -c 'cp \"$0\" x' %f", {"sh", "-c", "cp \"$0\" x", file}},
    };
    for (const auto& c : cases) {
        const CommandWords result = EmulatorCommandWords(c.line, file);
        EXPECT_EQ(result.error, "") << c.line;
        EXPECT_EQ(result.words, c.words) << c.line;
    }
    for (const char* bad : {"", "   ", "emu 'unclosed %f", "emu \"open"}) {
        const CommandWords result = EmulatorCommandWords(bad, file);
        EXPECT_NE(result.error, "") << bad;
        EXPECT_TRUE(result.words.empty()) << bad;
    }
}

TEST(EmulatorCommandTest, TheCommandIsKeptAsOneLineInTheConfigurationFolder) {
    std::string root = (std::filesystem::temp_directory_path() / "quillmere-emu-XXXXXX").string();
    ASSERT_NE(mkdtemp(root.data()), nullptr);
    const std::string file = EmulatorCommandFile(root + "/quillmere");
    EXPECT_EQ(ReadEmulatorCommand(file), "") << "none kept yet";
    ASSERT_EQ(WriteEmulatorCommand(file, "emu -run '%f'"), "") << "the folder is made";
    EXPECT_EQ(ReadEmulatorCommand(file), "emu -run '%f'");
    EXPECT_NE(WriteEmulatorCommand(file, "emu\nrm x"), "");
    EXPECT_EQ(ReadEmulatorCommand(file), "emu -run '%f'") << "a refused line leaves the kept one";
    EXPECT_EQ(EmulatorCommandFile(""), "");
    EXPECT_NE(WriteEmulatorCommand("", "emu"), "") << "no configuration folder known";
    std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace qm
