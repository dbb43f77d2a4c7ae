#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/file_io.h"
#include "toolkit/simulate.h"
#include "toolkit/toolkit.h"

namespace {

// The requesters the user really sees, answered through their own buttons.
class RealRequesters : public ::testing::Test {
protected:
    void SetUp() override {
        tk::ClearScript();
        tk::SetScripted(false);
    }
    void TearDown() override {
        tk::SetScripted(true);
        tk::ClearScript();
    }
};

constexpr const char* kFilters = "Font (*.fnt)|*.fnt|All files (*.*)|*.*";

TEST_F(RealRequesters, QuestionReturnsTheButtonPressed) {
    tk::simulate::AnswerNextMessage(tk::Answer::Yes);
    EXPECT_EQ(tk::AskYesNo("Exit...", "Exit? Unsaved changes will be lost!"), tk::Answer::Yes);
    tk::simulate::AnswerNextMessage(tk::Answer::No);
    EXPECT_EQ(tk::AskYesNo("Exit...", "Again?"), tk::Answer::No);
    tk::simulate::AnswerNextMessage(tk::Answer::Ok);
    tk::MessageBox("About...", "text");
    EXPECT_TRUE(tk::ShownRequesters().empty());  // nothing scripted was involved
}

TEST_F(RealRequesters, SaveDialogReturnsThePathAndTheFilterLeftSelected) {
    const std::string path = "/tmp/qm-tk-real-" + std::to_string(::getpid()) + ".fnt";
    std::remove(path.c_str());
    tk::simulate::AnswerNextFileDialog(path, 1);
    const tk::FileAnswer answer = tk::SaveFileDialog("Save font", "", kFilters, 0);
    EXPECT_EQ(answer.path, path);
    EXPECT_EQ(answer.filterIndex, 1);
    tk::simulate::AnswerNextFileDialog(path, 0);
    EXPECT_EQ(tk::SaveFileDialog("Save font", "", kFilters, 1).filterIndex, 0);
}

TEST_F(RealRequesters, EveryFileFilterShowsNamesWithoutADot) {
    std::vector<std::string> patterns;
    tk::simulate::InspectNextFileDialog(1, patterns);
    EXPECT_TRUE(tk::OpenFileDialog("Load font (.fnt)", "", kFilters, 0).path.empty());
    EXPECT_EQ(patterns, std::vector<std::string>{"*"});

    patterns.clear();
    tk::simulate::InspectNextFileDialog(0, patterns);
    tk::OpenFileDialog("Load font (.fnt)", "", kFilters, 1);
    EXPECT_EQ(patterns, std::vector<std::string>{"*.fnt"});
}

TEST_F(RealRequesters, OpenDialogReturnsAnExistingFile) {
    const std::string path = "/tmp/qm-tk-real-open-" + std::to_string(::getpid()) + ".fnt";
    ASSERT_EQ(qm::SaveFileSafely(path, {1, 2, 3}), "");
    tk::simulate::AnswerNextFileDialog(path, 0);
    const tk::FileAnswer answer = tk::OpenFileDialog("Load font (.fnt)", path, kFilters, 0);
    EXPECT_EQ(answer.path, path);
    EXPECT_EQ(answer.filterIndex, 0);
    std::remove(path.c_str());
}

}  // namespace
