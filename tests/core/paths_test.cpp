#include <gtest/gtest.h>

#include "core/file_io.h"
#include "core/paths.h"

namespace qm {
namespace {

TEST(FileNameFromPathTest, TakesWhatFollowsTheLastSeparator) {
    EXPECT_EQ(FileNameFromPath("C:\\fonts\\my.fnt", "\\"), "my.fnt");
    EXPECT_EQ(FileNameFromPath("my.fnt", "\\"), "my.fnt");
    EXPECT_EQ(FileNameFromPath("C:\\fonts\\", "\\"), "");
    EXPECT_EQ(FileNameFromPath("", "\\"), "");
    // Another separator is plain text to the rule.
    EXPECT_EQ(FileNameFromPath("/home/ann/my.fnt", "\\"), "/home/ann/my.fnt");
    EXPECT_EQ(FileNameFromPath("/home/ann/my.fnt", "/"), "my.fnt");
}

TEST(FileNameFromPathTest, FileNameOfUsesThePlatformSeparator) {
    const std::string sep(1, qm::PathSeparator());
    EXPECT_EQ(FileNameOf("fonts" + sep + "sub" + sep + "a.fnt"), "a.fnt");
    EXPECT_EQ(FileNameOf("a.fnt"), "a.fnt");
}

TEST(DefaultExtensionTest, AppendedWhenTheNameDoesNotEndInItWhateverTheCase) {
    EXPECT_EQ(WithDefaultExtension("font", ".fnt", true, 0), "font.fnt");
    EXPECT_EQ(WithDefaultExtension("font.FNT", ".fnt", true, 0), "font.FNT");
    EXPECT_EQ(WithDefaultExtension("font.Fnt", ".fnt", true, 0), "font.Fnt");
    EXPECT_EQ(WithDefaultExtension("font.fnt.bak", ".fnt", true, 0), "font.fnt.bak.fnt");
    EXPECT_EQ(WithDefaultExtension("fnt", ".fnt", true, 0), "fnt.fnt");
    EXPECT_EQ(WithDefaultExtension("a.prj", ".proj", false, 0), "a.prj.proj");
    EXPECT_EQ(WithDefaultExtension("a.PROJ", ".proj", false, 0), "a.PROJ");
}

TEST(DefaultExtensionTest, FirstFilterRuleKeepsTheTypedNameUnderAnotherFilter) {
    EXPECT_EQ(WithDefaultExtension("font", ".fnt", true, 1), "font");
    EXPECT_EQ(WithDefaultExtension("export.asm", ".txt", false, 1), "export.asm.txt");
}

}  // namespace
}  // namespace qm
