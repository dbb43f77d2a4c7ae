// The recovery copies on the disk: a start finds exactly the copies whose
// editors are gone, holds them while it deals with them, and an editor's own
// copy ends as the last thing asked, gone after a regular end and kept after
// any other.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "core/recovery_files.h"
#include "scratch_folder.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::WriteFile;

// Whether some open file holds the lock, as a running editor holds its own.
bool LockHeld(const fs::path& path) {
    const int fd = open(path.c_str(), O_RDWR);
    if (fd < 0) return false;
    const bool held = flock(fd, LOCK_EX | LOCK_NB) != 0;
    close(fd);
    return held;
}

// What a folder may hold beside this editor's own files, and what a start
// must make of each.
enum class Kind { GoneCopy, GoneCopyWithLock, RunningCopy, StrayLock, RunningWithoutCopy, Other, Count };

TEST(RecoveryFilesTest, AStartTakesExactlyTheCopiesOfEditorsThatAreGoneNewestFirst) {
    std::mt19937 random(23);
    for (int round = 0; round < 30; ++round) {
        SCOPED_TRACE(round);
        test::ScratchFolder folder;
        const fs::path& dir = folder.root;
        std::vector<FileLock> running;
        std::vector<std::string> gone;  // newest first once sorted
        std::map<std::string, Bytes> copies;
        std::vector<std::string> strays;
        std::vector<fs::path> others;
        const auto base = fs::file_time_type::clock::now();
        const int count = static_cast<int>(random() % 9);
        for (int i = 0; i < count; ++i) {
            const std::string id = std::to_string(100 + i) + "-" + std::to_string(random() % 1000);
            const Kind kind = static_cast<Kind>(random() % static_cast<unsigned>(Kind::Count));
            const fs::path copy = dir / (id + ".recovery");
            const fs::path lock = dir / (id + ".lock");
            const Bytes bytes(1 + random() % 200, static_cast<unsigned char>(i));
            switch (kind) {
                case Kind::GoneCopyWithLock:
                    WriteFile(lock, {});
                    [[fallthrough]];
                case Kind::GoneCopy:
                    gone.push_back(id);
                    break;
                case Kind::RunningCopy:
                    running.push_back(FileLock::Take(lock.string()));
                    break;
                case Kind::StrayLock:
                    WriteFile(lock, {});
                    strays.push_back(id);
                    continue;
                case Kind::RunningWithoutCopy:
                    running.push_back(FileLock::Take(lock.string()));
                    continue;
                default:
                    others.push_back(dir / (id + ".declined"));
                    WriteFile(others.back(), bytes);
                    continue;
            }
            WriteFile(copy, bytes);
            copies[id] = bytes;
            // Distinct times, in no particular order of the names.
            fs::last_write_time(copy, base - std::chrono::seconds(random() % 100000 * 10 + i));
        }
        std::sort(gone.begin(), gone.end(), [&](const std::string& a, const std::string& b) {
            return fs::last_write_time(dir / (a + ".recovery")) > fs::last_write_time(dir / (b + ".recovery"));
        });

        RecoveryFiles files(dir.string());
        ASSERT_TRUE(files.Locked());
        std::vector<LeftoverCopy> found = files.TakeLeftovers();
        ASSERT_EQ(found.size(), gone.size());
        for (std::size_t n = 0; n < found.size(); ++n) {
            EXPECT_EQ(found[n].Path(), (dir / (gone[n] + ".recovery")).string());
            Bytes bytes;
            ASSERT_TRUE(found[n].Read(bytes));
            EXPECT_EQ(bytes, copies[gone[n]]);
            EXPECT_TRUE(LockHeld(dir / (gone[n] + ".lock")));
        }
        EXPECT_TRUE(RecoveryFiles(dir.string()).TakeLeftovers().empty()) << "another start meets them all held";
        for (const std::string& id : strays) EXPECT_FALSE(fs::exists(dir / (id + ".lock"))) << id;

        // Each is dealt with one of three ways; what is let go is offered
        // again, and what was running is never touched.
        std::vector<std::string> letGo;
        for (std::size_t n = 0; n < found.size(); ++n) {
            const fs::path copy = dir / (gone[n] + ".recovery");
            const fs::path lock = dir / (gone[n] + ".lock");
            switch (random() % 3) {
                case 0:
                    found[n].Forget();
                    EXPECT_FALSE(fs::exists(copy));
                    EXPECT_FALSE(fs::exists(lock));
                    break;
                case 1:
                    EXPECT_EQ(found[n].KeepAside(".declined"), (dir / (gone[n] + ".declined")).string());
                    EXPECT_EQ(ReadFile(dir / (gone[n] + ".declined")), copies[gone[n]]);
                    EXPECT_FALSE(fs::exists(copy));
                    EXPECT_FALSE(fs::exists(lock));
                    break;
                default:
                    found[n].LetGo();
                    EXPECT_FALSE(LockHeld(lock));
                    letGo.push_back(copy.string());
            }
        }
        std::vector<std::string> again;
        for (const LeftoverCopy& copy : RecoveryFiles(dir.string()).TakeLeftovers()) again.push_back(copy.Path());
        EXPECT_EQ(again, letGo);
        for (const auto& [id, bytes] : copies) {
            if (std::find(gone.begin(), gone.end(), id) == gone.end()) {
                EXPECT_EQ(ReadFile(dir / (id + ".recovery")), bytes) << "a running editor's copy";
            }
        }
        for (const fs::path& other : others) EXPECT_TRUE(fs::exists(other)) << other;
    }
}

TEST(RecoveryFilesTest, TheOwnCopyGoesAtARegularEndAndStaysAtAnyOther) {
    test::ScratchFolder folder;
    const fs::path& dir = folder.root;
    auto files = std::make_unique<RecoveryFiles>(dir.string());
    EXPECT_EQ(fs::path(files->CopyPath()).parent_path(), dir);
    EXPECT_EQ(fs::path(files->LockPath()).parent_path(), dir);
    ASSERT_TRUE(LockHeld(files->LockPath()));

    const Bytes first(300, 1), second(400, 2);
    files->Write(first);
    files->Write(second);
    files->Settle();
    EXPECT_EQ(ReadFile(files->CopyPath()), second);
    EXPECT_EQ(files->Written(), second);
    files->Remove();
    files->Settle();
    EXPECT_FALSE(fs::exists(files->CopyPath()));
    EXPECT_TRUE(files->Written().empty());

    // Ended without End, as when the editor leaves by an exit of the
    // display's: the work waits for the next start.
    files->Write(first);
    const std::string copy = files->CopyPath();
    files.reset();
    RecoveryFiles next(dir.string());
    std::vector<LeftoverCopy> found = next.TakeLeftovers();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].Path(), copy);
    EXPECT_EQ(ReadFile(copy), first);
    found[0].Forget();

    next.Write(second);
    next.End();
    EXPECT_TRUE(fs::is_empty(dir)) << "a regular end leaves nothing";
}

TEST(RecoveryFilesTest, AFailedWriteIsNeverTakenForAKeptCopy) {
    test::ScratchFolder folder;
    RecoveryFiles files(folder.root.string());
    fs::create_directories(files.CopyPath());  // in the way of the copy
    EXPECT_FALSE(files.WriteAndWait(Bytes(100, 7)));
    EXPECT_TRUE(files.Written().empty());
    fs::remove(files.CopyPath());
    EXPECT_TRUE(files.WriteAndWait(Bytes(100, 8)));
    EXPECT_EQ(ReadFile(files.CopyPath()), Bytes(100, 8));

    RecoveryFiles nowhere((folder.root / "missing").string());
    EXPECT_FALSE(nowhere.Locked());
    EXPECT_EQ(nowhere.LockFailure(), "No such file or directory");
}

}  // namespace
}  // namespace qm
