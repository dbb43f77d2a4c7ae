#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "toolkit/toolkit.h"

namespace {

using Bytes = std::vector<unsigned char>;

TEST(SaveFileReporting, FailureShowsAnErrorNamingTheFile) {
    tk::ClearScript();
    char name[] = "/tmp/qm-report-XXXXXX";
    const std::string folder = mkdtemp(name);
    const std::string path = folder + "/missing/x.fnt";
    EXPECT_FALSE(tk::SaveFileReporting(path, Bytes(4, 0)));
    const auto& shown = tk::ShownRequesters();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].kind, "message");
    EXPECT_EQ(shown[0].title, "Error!");
    EXPECT_NE(shown[0].text.find(path), std::string::npos);
    EXPECT_TRUE(tk::SaveFileReporting(folder + "/x.fnt", Bytes(4, 0)));
    EXPECT_EQ(tk::ShownRequesters().size(), 1u);
    tk::ClearScript();
    std::system(("rm -rf '" + folder + "'").c_str());
}

}  // namespace
