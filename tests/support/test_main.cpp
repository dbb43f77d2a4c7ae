#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "toolkit/toolkit.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // The editor keeps its recent projects in the user's configuration
    // folder; the tests keep theirs in a folder of their own.
    std::string config = (std::filesystem::temp_directory_path() / "quillmere-config-XXXXXX").string();
    if (mkdtemp(config.data()) != nullptr) setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    tk::Init(argc, argv);
    tk::SetScripted(true);
    const int result = RUN_ALL_TESTS();
    tk::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(config, ignored);
    return result;
}
