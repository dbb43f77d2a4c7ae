// The recovery copy inside one editor: when the timer writes and removes it,
// and what a start does with the copies it finds.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "app/main_loop.h"
#include "app/main_window.h"
#include "app/recovery.h"
#include "core/recovery_format.h"
#include "session/undo.h"
#include "support/editor_fixture.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

class RecoveryTest : public test::EditorTest {
protected:
    void SetUp() override {
        test::EditorTest::SetUp();
        setenv("XDG_STATE_HOME", dir.Root().c_str(), 1);
        folder = dir.Path("quillmere");
        fs::create_directories(folder);
    }
    void TearDown() override {
        EndRecovery(s);
        unsetenv("XDG_STATE_HOME");
        test::EditorTest::TearDown();
    }

    void Do(int item) { DispatchEvent(s, MenuEvent(item)); }

    std::string Leftover(const std::string& id, const Bytes& bytes) const {
        const std::string path = folder + "/" + id + ".recovery";
        WriteBytes(path, bytes);
        return path;
    }

    int Files(const std::string& extension) const {
        int count = 0;
        for (const auto& entry : fs::directory_iterator(folder)) count += entry.path().extension() == extension;
        return count;
    }

    TempDir dir;
    std::string folder;
};

TEST_F(RecoveryTest, TheCopyFollowsTheUnsavedWorkOnTheTimer) {
    StartRecovery(s);
    ASSERT_EQ(RecoveryCopyPath(s).rfind(folder + "/", 0), 0u);
    const auto onDisk = [&] {
        SettleRecovery(s);
        return fs::exists(RecoveryCopyPath(s));
    };

    RecoveryTick(s, 0);
    EXPECT_FALSE(onDisk()) << "nothing unsaved";
    Do(kMenuInverse);
    RecoveryTick(s, 1000);
    RecoveryTick(s, 1500);
    EXPECT_FALSE(onDisk()) << "written only once the work has been still for a second";
    RecoveryTick(s, 2000);
    ASSERT_TRUE(onDisk());
    EXPECT_EQ(ReadBytes(RecoveryCopyPath(s)), WriteRecovery(s.doc, s.CurrentSlot));

    // Changing on and on still gets written within a second and a half.
    for (long long t = 2500; t <= 4000; t += 500) {
        Do(kMenuRotate);
        RecoveryTick(s, t);
    }
    SettleRecovery(s);
    EXPECT_EQ(ReadBytes(RecoveryCopyPath(s)), WriteRecovery(s.doc, s.CurrentSlot));

    tk::QueueFileAnswer(dir.Path("work.proj"));
    Do(kMenuSaveProjectAs);
    EXPECT_FALSE(onDisk()) << "a save removes it";

    Do(kMenuInverse);
    RecoveryTick(s, 5000);
    RecoveryTick(s, 6000);
    EXPECT_TRUE(onDisk());
    Do(kMenuUndo);
    RecoveryTick(s, 6500);
    EXPECT_FALSE(onDisk()) << "undone back to the save";

    Do(kMenuInverse);
    RecoveryTick(s, 7000);
    RecoveryTick(s, 8000);
    EXPECT_TRUE(onDisk());
    tk::QueueAnswer(tk::Answer::Discard);
    tk::QueueFileAnswer(dir.Path("work.proj"));
    Do(kMenuOpenProject);
    RecoveryTick(s, 9000);
    RecoveryTick(s, 10000);
    EXPECT_FALSE(onDisk()) << "a project just opened is all saved";
    EndRecovery(s);
    EXPECT_TRUE(fs::is_empty(folder)) << "a regular end leaves nothing";
}

// The write happens away from the timer; its failure must still reach the
// timer, or the copy would be taken as kept and never written again.
TEST_F(RecoveryTest, AFailedWriteIsTriedAgainAtTheNextTick) {
    StartRecovery(s);
    fs::create_directories(RecoveryCopyPath(s));  // in the way of the copy
    Do(kMenuInverse);
    RecoveryTick(s, 0);
    RecoveryTick(s, 1000);
    SettleRecovery(s);
    ASSERT_TRUE(fs::is_directory(RecoveryCopyPath(s)));
    fs::remove(RecoveryCopyPath(s));
    RecoveryTick(s, 1500);
    SettleRecovery(s);
    EXPECT_EQ(ReadBytes(RecoveryCopyPath(s)), WriteRecovery(s.doc, s.CurrentSlot));
}

TEST_F(RecoveryTest, AStartOffersOnlyTheCopiesOfEditorsThatAreGone) {
    Document work = s.doc;
    work.Slots[2].Pixel(65, 3, 4) ^= 1;
    work.Slots[2].fileName = "hero.fnt";
    work.Slots[2].filePath = "/fonts/hero.fnt";
    work.ProjectPath = "/games/hero.proj";
    const Bytes copy = WriteRecovery(work, 2);

    // The copy of a running editor: its lock is held.
    Leftover("1-running", copy);
    const int held = open((folder + "/1-running.lock").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    // A damaged one and a good one of editors that are gone.
    Bytes damaged = copy;
    damaged[100] ^= 0x10;
    Leftover("2-damaged", damaged);
    const std::string gone = Leftover("3-gone", copy);

    tk::QueueAnswer(tk::Answer::Yes);
    StartRecovery(s);
    const auto& shown = tk::ShownRequesters();
    ASSERT_EQ(shown.size(), 2u);
    const bool messageFirst = shown[0].kind == "message";
    const tk::Shown& message = shown[messageFirst ? 0 : 1];
    const tk::Shown& question = shown[messageFirst ? 1 : 0];
    EXPECT_EQ(message.kind, "message");
    EXPECT_NE(message.text.find("damaged or incomplete"), std::string::npos);
    EXPECT_NE(message.text.find("2-damaged.damaged"), std::string::npos);
    EXPECT_EQ(question.kind, "question");
    EXPECT_EQ(question.text, "Restore the unsaved work of the last session?");

    EXPECT_EQ(WriteRecovery(s.doc, s.CurrentSlot), copy);
    EXPECT_TRUE(ChangedSinceSave(s));
    EXPECT_EQ(tk::StatusText(s.ui.window, kStatusProjectField), "Project: hero.proj");
    EXPECT_EQ(tk::StatusText(s.ui.window, kStatusFontField), "Font: hero.fnt");
    EXPECT_FALSE(fs::exists(gone)) << "taken over by this editor's own copy";
    EXPECT_EQ(ReadBytes(RecoveryCopyPath(s)), copy);
    EXPECT_EQ(ReadBytes(folder + "/2-damaged.damaged"), damaged);
    EXPECT_TRUE(fs::exists(folder + "/1-running.recovery"));
    close(held);

    // The next start (this one gone too) is offered the running one's copy;
    // No keeps it aside, where renaming it back offers it again.
    EndRecovery(s);
    tk::ClearScript();
    tk::QueueAnswer(tk::Answer::No);
    StartRecovery(s);
    ASSERT_EQ(tk::ShownRequesters().size(), 1u);
    EXPECT_EQ(Files(".recovery"), 0);
    EXPECT_EQ(ReadBytes(folder + "/1-running.declined"), copy);
    EndRecovery(s);
    fs::rename(folder + "/1-running.declined", folder + "/1-running.recovery");
    tk::ClearScript();
    tk::QueueAnswer(tk::Answer::Yes);
    StartRecovery(s);
    ASSERT_EQ(tk::ShownRequesters().size(), 1u);
    EXPECT_EQ(WriteRecovery(s.doc, s.CurrentSlot), copy);
}

// Work that cannot be kept is said once; the editor goes on without it and
// leaves alone what it did not make.
TEST_F(RecoveryTest, AnUnusableFolderTurnsRecoveryOffWithOneWordAndKeepsItsMode) {
    fs::remove(folder);
    WriteBytes(folder, {1, 2, 3});
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    StartRecovery(s);
    Do(kMenuInverse);
    for (long long t = 0; t <= 4000; t += 500) RecoveryTick(s, t);
    SettleRecovery(s);
    ASSERT_EQ(tk::ShownRequesters().size(), 1u);
    EXPECT_EQ(tk::ShownRequesters()[0].text, "Crash recovery is off: unsaved work cannot be kept in " + folder +
                                                 ": it is not a folder.");
    EXPECT_EQ(fs::status(folder).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(ReadBytes(folder), (Bytes{1, 2, 3}));
    EndRecovery(s);

    // A folder the editor makes is its user's alone; one that was there
    // keeps its mode.
    fs::remove(folder);
    tk::ClearScript();
    StartRecovery(s);
    EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
    EndRecovery(s);
    fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    StartRecovery(s);
    EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all,
              fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    EXPECT_TRUE(tk::ShownRequesters().empty());
    EndRecovery(s);

    if (geteuid() == 0) return;  // no permission stops the superuser
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    StartRecovery(s);
    ASSERT_EQ(tk::ShownRequesters().size(), 1u);
    EXPECT_NE(tk::ShownRequesters()[0].text.find("Permission denied"), std::string::npos);
    fs::permissions(folder, fs::perms::owner_all);
}

}  // namespace
}  // namespace qm
