#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

#include "core/file_io.h"
#include "toolkit/simulate/simulate.h"
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

// Enter takes the default the caller chose, Escape the answer that changes
// nothing; the three-way question saves on Enter.
TEST_F(RealRequesters, EnterTakesTheDefaultAndEscapeTheHarmlessAnswer) {
    using tk::Answer;
    std::string shown;
    tk::simulate::PressKeyInNextMessage(tk::KeyEnter, &shown);
    EXPECT_EQ(tk::AskYesNo("Recovery...", "Restore?", Answer::Yes), Answer::Yes);
    EXPECT_EQ(shown, "Recovery...|Restore?");
    tk::simulate::PressKeyInNextMessage(tk::KeyEnter);
    EXPECT_EQ(tk::AskYesNo("Default font...", "Load?"), Answer::No);
    tk::simulate::PressKeyInNextMessage(tk::KeyEscape);
    EXPECT_EQ(tk::AskYesNo("Recovery...", "Restore?", Answer::Yes), Answer::No);

    tk::simulate::PressKeyInNextMessage(tk::KeyEnter);
    EXPECT_EQ(tk::AskSaveDiscardCancel("Exit...", "Save?"), Answer::Save);
    tk::simulate::PressKeyInNextMessage(tk::KeyEscape);
    EXPECT_EQ(tk::AskSaveDiscardCancel("Exit...", "Save?"), Answer::Cancel);
    for (Answer answer : {Answer::Save, Answer::Discard, Answer::Cancel}) {
        tk::simulate::AnswerNextMessage(answer);
        EXPECT_EQ(tk::AskSaveDiscardCancel("Exit...", "Save?"), answer);
    }
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

// Ends the test program with a message if the scope is not left in time: a
// dialog that hangs would otherwise hang the whole run.
class Watchdog {
public:
    explicit Watchdog(std::chrono::seconds limit)
        : thread_([this, limit] {
              std::unique_lock lock(mutex_);
              if (!done_.wait_for(lock, limit, [this] { return left_; })) {
                  std::fprintf(stderr, "the file dialog stopped responding\n");
                  std::_Exit(EXIT_FAILURE);
              }
          }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(mutex_);
            left_ = true;
        }
        done_.notify_one();
        thread_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool left_ = false;
    std::thread thread_;
};

TEST_F(RealRequesters, BrowsingSystemFoldersKeepsTheDialogResponsive) {
    // Files there may block a reader for good: kernel messages, terminals.
    const std::vector<std::string> typed = {"/proc/", "/proc/kmsg", "/proc/self/", "/dev/", "/dev/tty", "/dev/zero"};
    const Watchdog watchdog(std::chrono::seconds(60));
    for (const bool save : {false, true}) {
        int visited = 0;
        tk::simulate::BrowseNextFileDialog(typed, visited);
        const tk::FileAnswer answer = save ? tk::SaveFileDialog("Save font", "", kFilters, 0)
                                           : tk::OpenFileDialog("Load font (.fnt)", "", kFilters, 0);
        EXPECT_TRUE(answer.path.empty());
        EXPECT_EQ(visited, static_cast<int>(typed.size()));
    }
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
