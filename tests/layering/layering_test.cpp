// The source tree keeps its layers: a file includes headers of its own folder
// and of the folders below it, never of one above it or beside it, and only the
// toolkit sees Qt.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Higher numbers stand above lower ones; folders of the same number may not
// include one another.
const std::map<std::string, int> kRank = {
    {"core", 0},  {"toolkit", 1}, {"session", 2}, {"charedit", 3}, {"sets", 4},
    {"files", 4}, {"maps", 5},    {"app", 6},     {"cli", 7},     {"programs", 8},
};

struct Include {
    std::string file;
    std::string header;
};

std::vector<Include> IncludesUnder(const fs::path& root) {
    static const std::regex include(R"(^\s*#\s*include\s*[<"]([^>"]+)[>"])");
    std::vector<Include> found;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".h" && ext != ".cpp") continue;
        std::ifstream in(entry.path());
        std::string line;
        std::smatch match;
        while (std::getline(in, line)) {
            if (std::regex_search(line, match, include)) {
                found.push_back({fs::relative(entry.path(), root).string(), match[1]});
            }
        }
    }
    return found;
}

std::string FolderOf(const std::string& path) { return path.substr(0, path.find('/')); }

// Which folder a file may include from; an empty text when it is allowed.
std::string Violation(const Include& inc) {
    const std::string from = FolderOf(inc.file);
    const bool qt = inc.header.rfind("Q", 0) == 0 || inc.header.rfind("qt", 0) == 0;
    if (qt) return from == "toolkit" ? "" : "Qt outside the toolkit";
    if (inc.header.find('/') == std::string::npos) return "";
    const std::string to = FolderOf(inc.header);
    if (!kRank.count(to) || to == from) return "";
    if (!kRank.count(from)) return "a folder of unknown layer: " + from;
    if (kRank.at(to) < kRank.at(from)) return "";
    return kRank.at(to) == kRank.at(from) ? "a folder beside its own" : "a layer above its own";
}

TEST(Layering, NoIncludeReachesUpOrAcrossAndOnlyTheToolkitSeesQt) {
    const std::vector<Include> includes = IncludesUnder(QUILLMERE_SOURCE_DIR "/src");
    ASSERT_GT(includes.size(), 100u);
    for (const Include& inc : includes) EXPECT_EQ(Violation(inc), "") << inc.file << " includes " << inc.header;
}

TEST(Layering, TheCheckSeesWhatItGuardsAgainst) {
    EXPECT_EQ(Violation({"core/document.cpp", "toolkit/toolkit.h"}), "a layer above its own");
    EXPECT_EQ(Violation({"sets/x.cpp", "files/y.h"}), "a folder beside its own");
    EXPECT_EQ(Violation({"core/x.cpp", "QImage"}), "Qt outside the toolkit");
    EXPECT_EQ(Violation({"app/x.cpp", "core/document.h"}), "");
    EXPECT_EQ(Violation({"toolkit/x.cpp", "QWidget"}), "");
}

}  // namespace
