// analyze and optimize as a process, on a project built from a real font with
// known duplicates and unused characters.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "core/char_analysis.h"
#include "core/font_format.h"
#include "core/project_format.h"
#include "run_tool.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using cli_test::ReadFile;
using cli_test::RunTool;
using cli_test::WriteFile;

TEST(CliAnalyze, ReportsAndOptimizesAProjectWithKnownDuplicates) {
    const fs::path dir = fs::temp_directory_path() / ("qm_analyze_test_" + std::to_string(getpid()));
    fs::create_directories(dir);
    ProjectData project;
    FontBytes font = ReadFontBytes(ReadFile((fs::path(QUILLMERE_TESTDATA) / "fonts" / "broadway.fnt").string()));
    for (int r = 0; r < 8; ++r) font[8 * 40 + r] = font[8 * 41 + r] = font[8 * 50 + r] = static_cast<std::uint8_t>(0x81 + r);
    for (auto& f : project.fonts) f = font;
    for (auto& set : project.sets) set.fill(kEmptyCell);
    const int firstCells[] = {40, 41, 50, 60, 61};
    std::copy(std::begin(firstCells), std::end(firstCells), project.sets[0].begin());
    for (auto& row : project.view) row.fill(kEmptyCell);
    project.view[3][4] = 50;
    project.view[39][59] = 70;
    const std::string in = (dir / "in.proj").string(), out = (dir / "out.proj").string();
    WriteFile(in, WriteProject(project));

    const auto analyzed = RunTool({"analyze", in, "--json"});
    ASSERT_EQ(analyzed.exitCode, 0) << analyzed.err;
    const std::string json = analyzed.Out();
    EXPECT_NE(json.find("[40, 41, 50]"), std::string::npos) << json;
    EXPECT_NE(json.find("{\"char\": 50, \"set_cells\": 1, \"screen_cells\": 1}"), std::string::npos);
    EXPECT_NE(RunTool({"analyze", in}).Out().find("  $28 (40) = $29 (41) = $32 (50)\n"), std::string::npos);

    const auto optimized = RunTool({"optimize", in, "-o", out});
    ASSERT_EQ(optimized.exitCode, 0) << optimized.err;
    EXPECT_NE(optimized.Out().find("Merged 2 duplicates of slot 1"), std::string::npos) << optimized.Out();
    EXPECT_NE(optimized.Out().find("  $46 (70) -> $3 (3)\n"), std::string::npos) << optimized.Out();
    const std::optional<ProjectData> result = ReadProject(ReadFile(out));
    ASSERT_TRUE(result);
    // 40, 60, 61, 70 remain used and now lead, in their order.
    EXPECT_EQ(result->sets[0], (std::array<std::int32_t, kSetCells>{0, 0, 0, 1, 2, -1, -1, -1, -1, -1, -1, -1, -1,
                                                                    -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(result->view[3][4], 0);
    EXPECT_EQ(result->view[39][59], 3);
    for (int r = 0; r < 8; ++r) EXPECT_EQ(result->fonts[4][8 * 3 + r], font[8 * 70 + r]);

    EXPECT_EQ(RunTool({"optimize", (fs::path(QUILLMERE_TESTDATA) / "fonts" / "broadway.fnt").string(), "-o", out})
                  .exitCode, 1);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace qm
