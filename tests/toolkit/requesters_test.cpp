#include <gtest/gtest.h>

#include "toolkit/toolkit.h"

namespace {

class Requesters : public ::testing::Test {
protected:
    void SetUp() override { tk::ClearScript(); }
    void TearDown() override { tk::ClearScript(); }
};

constexpr const char* kFilters = "Font (*.fnt)|*.fnt|All files (*.*)|*.*";

TEST_F(Requesters, FileDialogsTakeQueuedAnswersInOrderThenCancel) {
    tk::QueueFileAnswer("/tmp/a.fnt", 1);
    tk::QueueFileAnswer("/tmp/b.fnt");
    const tk::FileAnswer first = tk::OpenFileDialog("Load font", "start.fnt", kFilters, 1);
    const tk::FileAnswer second = tk::SaveFileDialog("Save font", "", kFilters, 0);
    const tk::FileAnswer third = tk::OpenFileDialog("Load font", "", kFilters, 0);
    EXPECT_EQ(first.path, "/tmp/a.fnt");
    EXPECT_EQ(first.filterIndex, 1);
    EXPECT_EQ(second.path, "/tmp/b.fnt");
    EXPECT_EQ(second.filterIndex, 0);
    EXPECT_TRUE(third.path.empty());
}

TEST_F(Requesters, EveryRequesterIsRecordedAsShown) {
    tk::OpenFileDialog("Load font", "start.fnt", kFilters, 1);
    tk::SaveFileDialog("Save font", "out.fnt", kFilters, 0);
    tk::MessageBox("Error!", "Cannot do it");
    tk::AskYesNo("Exit", "Really?");
    const auto& shown = tk::ShownRequesters();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0].kind, "open");
    EXPECT_EQ(shown[0].title, "Load font");
    EXPECT_EQ(shown[0].text, "start.fnt");
    EXPECT_EQ(shown[0].filters, kFilters);
    EXPECT_EQ(shown[0].preselectedFilter, 1);
    EXPECT_EQ(shown[1].kind, "save");
    EXPECT_EQ(shown[1].text, "out.fnt");
    EXPECT_EQ(shown[2].kind, "message");
    EXPECT_EQ(shown[2].title, "Error!");
    EXPECT_EQ(shown[2].text, "Cannot do it");
    EXPECT_EQ(shown[3].kind, "question");
    EXPECT_EQ(shown[3].text, "Really?");
}

TEST_F(Requesters, QuestionsTakeQueuedAnswersThenNo) {
    tk::QueueAnswer(tk::Answer::Yes);
    tk::QueueAnswer(tk::Answer::No);
    tk::QueueAnswer(tk::Answer::Yes);
    EXPECT_EQ(tk::AskYesNo("Q", "1"), tk::Answer::Yes);
    EXPECT_EQ(tk::AskYesNo("Q", "2"), tk::Answer::No);
    tk::MessageBox("M", "a message takes no answer");
    EXPECT_EQ(tk::AskYesNo("Q", "3"), tk::Answer::Yes);
    EXPECT_EQ(tk::AskYesNo("Q", "4"), tk::Answer::No);
}

TEST_F(Requesters, ClearScriptForgetsAnswersAndRecord) {
    tk::QueueAnswer(tk::Answer::Yes);
    tk::QueueFileAnswer("/tmp/x");
    tk::MessageBox("M", "m");
    tk::ClearScript();
    EXPECT_TRUE(tk::ShownRequesters().empty());
    EXPECT_EQ(tk::AskYesNo("Q", "q"), tk::Answer::No);
    EXPECT_TRUE(tk::OpenFileDialog("T", "", kFilters, 0).path.empty());
}

}  // namespace
