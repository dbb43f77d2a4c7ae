// The recovery copy as it must work when the editor dies for real: the editor
// runs as a process of its own, is killed, and is started again.

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "app/main_window.h"
#include "core/byte_stream.h"
#include "support/editor_fixture.h"

extern char** environ;

namespace qm {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempDir;

class Editor {
public:
    Editor(const std::string& stateHome, std::vector<std::string> args) {
        setenv("XDG_STATE_HOME", stateHome.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        args.insert(args.begin(), QUILLMERE_TEST_EDITOR);
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0) pid_ = -1;
        unsetenv("XDG_STATE_HOME");
    }
    ~Editor() { Kill(); }
    void Kill() {
        if (pid_ <= 0) return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    // Whether it ended by itself, within the time, with success.
    bool Ends() {
        int status = 0;
        for (int i = 0; i < 300; ++i) {
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) && WEXITSTATUS(status) == 0;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }
    bool Started() const { return pid_ > 0; }

private:
    pid_t pid_ = -1;
};

bool Appears(const std::string& path) {
    for (int i = 0; i < 300 && !fs::exists(path); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return fs::exists(path);
}

std::vector<fs::path> Copies(const std::string& folder) {
    std::vector<fs::path> found;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (entry.path().extension() == ".recovery") found.push_back(entry.path());
    }
    return found;
}

std::string Shown(const std::string& report) {
    std::ifstream in(report + ".shown");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Menu(int item) { return "menu=" + std::to_string(item); }

const char* const kQuestion = "question|Recovery...|Restore the unsaved work of the last session?";

// A font loaded into slot 2 (its name and path), characters changed there and
// in slot 1, and the project's registers as they were.
std::vector<std::string> SomeWork(const std::string& report) {
    return {"--stay", "--report", report, Menu(kMenuInverse), Menu(kMenuNextSlot),
            "load-font=" + test::TestDataPath("fonts/chess.fnt"), Menu(kMenuRotate), Menu(kMenuInverse)};
}

// Enter takes the question's default, which must be the one that keeps the
// work; No keeps the copy aside.
TEST(RecoveryProcessTest, AKilledEditorsWorkComesBackWithEnterOrYesAndIsSetAsideWithNo) {
    for (const char* answer : {"enter", "yes", "no"}) {
        SCOPED_TRACE(answer);
        TempDir dir;
        const std::string folder = dir.Path("quillmere");
        {
            Editor first(dir.Root(), SomeWork(dir.Path("first")));
            ASSERT_TRUE(first.Started());
            ASSERT_TRUE(Appears(dir.Path("first")));
            std::this_thread::sleep_for(std::chrono::milliseconds(2000));
            ASSERT_EQ(Copies(folder).size(), 1u);
            first.Kill();
        }
        Editor second(dir.Root(), {"--answer", answer, "--report", dir.Path("second")});
        ASSERT_TRUE(second.Ends());
        EXPECT_EQ(Shown(dir.Path("second")), std::string(kQuestion) + "\n");
        const bool restored = ReadBytes(dir.Path("second")) == ReadBytes(dir.Path("first"));
        EXPECT_EQ(restored, std::string(answer) != "no");
        EXPECT_TRUE(Copies(folder).empty());
        int declined = 0;
        for (const auto& entry : fs::directory_iterator(folder)) declined += entry.path().extension() == ".declined";
        EXPECT_EQ(declined, std::string(answer) == "no" ? 1 : 0);
    }
}

TEST(RecoveryProcessTest, TwoEditorsAtOnceKeepSeparateCopies) {
    TempDir dir;
    const std::string folder = dir.Path("quillmere");
    Editor a(dir.Root(), {"--stay", "--report", dir.Path("a"), Menu(kMenuInverse)});
    ASSERT_TRUE(Appears(dir.Path("a")));
    std::this_thread::sleep_for(std::chrono::milliseconds(2000));
    Editor b(dir.Root(), {"--stay", "--report", dir.Path("b"), Menu(kMenuRotate)});
    ASSERT_TRUE(Appears(dir.Path("b")));
    EXPECT_EQ(Shown(dir.Path("b")), "") << "the copy of a running editor is not offered";
    std::this_thread::sleep_for(std::chrono::milliseconds(2000));

    std::vector<Bytes> kept;
    for (const fs::path& copy : Copies(folder)) kept.push_back(ReadBytes(copy.string()));
    ASSERT_EQ(kept.size(), 2u);
    const Bytes docA = ReadBytes(dir.Path("a")), docB = ReadBytes(dir.Path("b"));
    EXPECT_NE(docA, docB);
    EXPECT_TRUE((kept[0] == docA && kept[1] == docB) || (kept[0] == docB && kept[1] == docA));
}

}  // namespace
}  // namespace qm
