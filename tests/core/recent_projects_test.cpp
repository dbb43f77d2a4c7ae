#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/recent_projects.h"

namespace qm {
namespace {

TEST(RecentProjects, ConfigFolderFollowsTheBaseDirectoryRules) {
    EXPECT_EQ(ConfigFolder("/x/cfg", "/home/u"), "/x/cfg/quillmere");
    EXPECT_EQ(ConfigFolder(nullptr, "/home/u"), "/home/u/.config/quillmere");
    EXPECT_EQ(ConfigFolder("", "/home/u"), "/home/u/.config/quillmere");
    EXPECT_EQ(ConfigFolder("relative", "/home/u"), "/home/u/.config/quillmere");
    EXPECT_EQ(ConfigFolder(nullptr, nullptr), "");
    EXPECT_EQ(RecentProjectsFile(""), "");
}

// Whatever is added, the list holds each path once, newest first, at most
// eight, and reads back from its file as written.
TEST(RecentProjects, TheListStaysShortUniqueAndNewestFirstThroughItsFile) {
    const std::string root = (std::filesystem::temp_directory_path() / "quillmere-recent-XXXXXX").string();
    std::string folder = root;
    ASSERT_NE(mkdtemp(folder.data()), nullptr);
    const std::string file = RecentProjectsFile(folder + "/not/yet/there");
    std::vector<std::string> list;
    const std::vector<std::string> added = {"/a.proj", "/b b.proj", "/a.proj", "/c.proj", "bad\nname", "",
                                            "/d.proj", "/e.proj", "/f.proj", "/g.proj", "/h.proj", "/i.proj", "/c.proj"};
    for (std::size_t n = 0; n < added.size(); ++n) {
        AddRecentProject(list, added[n]);
        ASSERT_LE(list.size(), 8u);
        for (const std::string& path : list) {
            ASSERT_EQ(std::count(list.begin(), list.end(), path), 1);
            ASSERT_EQ(path.find('\n'), std::string::npos);
            ASSERT_FALSE(path.empty());
        }
        ASSERT_EQ(WriteRecentProjects(file, list), "");
        ASSERT_EQ(ReadRecentProjects(file), list);
    }
    EXPECT_EQ(list, (std::vector<std::string>{"/c.proj", "/i.proj", "/h.proj", "/g.proj", "/f.proj", "/e.proj",
                                              "/d.proj", "/a.proj"}));
    // A file written by hand: blank lines, CR LF ends, repeats and too many lines.
    std::ofstream(file, std::ios::binary) << "/1\r\n\n/2\n/1\n/3\n/4\n/5\n/6\n/7\n/8\n/9";
    EXPECT_EQ(ReadRecentProjects(file), (std::vector<std::string>{"/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8"}));
    EXPECT_TRUE(ReadRecentProjects(folder + "/missing").empty());
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace qm
