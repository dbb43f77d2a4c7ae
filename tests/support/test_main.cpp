#include <gtest/gtest.h>

#include "toolkit/toolkit.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    tk::Init(argc, argv);
    tk::SetScripted(true);
    const int result = RUN_ALL_TESTS();
    tk::Shutdown();
    return result;
}
