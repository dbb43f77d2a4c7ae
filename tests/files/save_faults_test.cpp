// Saves that fail part way, through the program's own save commands: each
// must say so with "Error!", leave the file that was there byte for byte, and
// leave nothing of its own behind in the folder.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>

#include "app/main_event_handler.h"
#include "files/project_file.h"
#include "sets/set_files.h"
#include "support/editor_fixture.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

const std::vector<unsigned char> kPreviousBytes = {'o', 'l', 'd', ' ', 'w', 'o', 'r', 'k', 0, 0xFF, 0x80, '\n'};

std::set<std::string> Entries(const std::string& folder) {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
}

// Root writes wherever it likes, so a folder without write permission stops
// only an ordinary user: while this lives the process acts as one.
class ActAsUnprivilegedUser {
public:
    static constexpr uid_t kNobody = 65534;
    ActAsUnprivilegedUser() {
        if (geteuid() != 0) return;
        dropped_ = setegid(kNobody) == 0 && seteuid(kNobody) == 0;
        failed_ = !dropped_;
    }
    ~ActAsUnprivilegedUser() {
        if (!dropped_) return;
        if (seteuid(0) != 0 || setegid(0) != 0) std::abort();  // the rest of the suite needs root back
    }
    bool Failed() const { return failed_; }

private:
    bool dropped_ = false;
    bool failed_ = false;
};

// Files may grow only to limit bytes while this lives; a write past it fails
// with EFBIG instead of killing the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        getrlimit(RLIMIT_FSIZE, &previous_);
        oldHandler_ = signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = previous_;
        lowered.rlim_cur = limit;
        applied_ = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        signal(SIGXFSZ, oldHandler_);
    }
    bool Applied() const { return applied_; }

private:
    rlimit previous_{};
    sighandler_t oldHandler_ = SIG_DFL;
    bool applied_ = false;
};

class SaveFaultsTest : public test::EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        s.doc.SetTable[s.CurrentSet].cells[0] = 65;
        s.Slot().Pixel(1, 2, 3) = 1;
    }

    // The one message of a refused save: "Error!", naming the file.
    void ExpectRefusalShown(const std::string& path) {
        int errors = 0;
        for (const tk::Shown& shown : tk::ShownRequesters()) {
            if (shown.kind != "message") continue;
            EXPECT_EQ(shown.title, "Error!");
            EXPECT_NE(shown.text.find(path), std::string::npos) << shown.text;
            ++errors;
        }
        EXPECT_EQ(errors, 1) << "a failed save must be reported once";
    }

    TempDir dir;
};

TEST_F(SaveFaultsTest, AWritableFileInAFolderWithoutWritePermissionIsSavedInPlaceOrKeptWhole) {
    const std::string folder = dir.Path("locked");
    const std::string path = folder + "/work.set";
    const std::string project = folder + "/work.proj";
    fs::create_directory(folder);
    WriteBytes(path, kPreviousBytes);
    WriteBytes(project, kPreviousBytes);
    // The files themselves may be written; only a new file in the folder is
    // stopped by the folder's permission.
    chmod(path.c_str(), 0666);
    chmod(project.c_str(), 0666);
    chmod(dir.Root().c_str(), 0755);
    chmod(folder.c_str(), 0555);
    const std::set<std::string> before = Entries(folder);

    tk::QueueFileAnswer(path);
    tk::QueueAnswer(tk::Answer::Yes);  // replace it
    tk::QueueFileAnswer(project);
    tk::QueueAnswer(tk::Answer::Yes);
    {
        ActAsUnprivilegedUser user;
        if (user.Failed()) GTEST_SKIP() << "running as root and cannot act as another user, so permissions do not apply";
        SaveSetFile(s);
        FileSizeLimit limit(4096);  // the project is over 22 kB: its write fails part way
        if (!limit.Applied()) GTEST_SKIP() << "cannot lower the file size limit";
        SaveProject(s, SaveMode::SaveAs);
    }
    chmod(folder.c_str(), 0755);

    ASSERT_EQ(ReadBytes(path).size(), 29u);
    EXPECT_EQ(ReadBytes(path)[4], 65);
    ExpectRefusalShown(project);
    EXPECT_EQ(ReadBytes(project), kPreviousBytes);
    EXPECT_EQ(Entries(folder), before);
}

TEST_F(SaveFaultsTest, ATargetThatIsAFolderIsLeftAsItWas) {
    const std::string path = dir.Path("font.fnt");
    fs::create_directory(path);
    WriteBytes(path + "/inside", kPreviousBytes);
    const std::set<std::string> before = Entries(dir.Root());

    tk::QueueFileAnswer(path);
    MainEventHandler(s, ControlEvent(s.ui.saveFont));

    ExpectRefusalShown(path);
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(Entries(path), std::set<std::string>{"inside"});
    EXPECT_EQ(ReadBytes(path + "/inside"), kPreviousBytes);
    EXPECT_EQ(Entries(dir.Root()), before);
}

TEST_F(SaveFaultsTest, AFolderThatDoesNotExistIsNotMadeAndTheProjectKeepsNoName) {
    const std::string path = dir.Path("nowhere") + "/work.proj";

    tk::QueueFileAnswer(path);
    SaveProject(s, SaveMode::SaveAs);

    ExpectRefusalShown(path);
    EXPECT_FALSE(fs::exists(dir.Path("nowhere")));
    EXPECT_TRUE(Entries(dir.Root()).empty());
    EXPECT_TRUE(s.doc.ProjectPath.empty());
}

TEST_F(SaveFaultsTest, ADiskThatFillsUpPartWayKeepsThePreviousProject) {
    const std::string path = dir.Path("work.proj");
    WriteBytes(path, kPreviousBytes);
    const std::set<std::string> before = Entries(dir.Root());
    const std::string statusBefore = tk::StatusText(s.ui.window, 2);

    // A project is over 22 kB: the save gets its first 4 kB out, then the
    // disk is full.
    tk::QueueFileAnswer(path);
    tk::QueueAnswer(tk::Answer::Yes);  // replace it
    {
        FileSizeLimit limit(4096);
        if (!limit.Applied()) GTEST_SKIP() << "cannot lower the file size limit";
        SaveProject(s, SaveMode::SaveAs);
    }

    ExpectRefusalShown(path);
    EXPECT_EQ(ReadBytes(path), kPreviousBytes);
    EXPECT_EQ(Entries(dir.Root()), before);
    EXPECT_TRUE(s.doc.ProjectPath.empty());
    EXPECT_EQ(tk::StatusText(s.ui.window, 2), statusBefore) << "a failed save must not show the project as saved";
}

TEST_F(SaveFaultsTest, AFullDeviceAsTargetIsRefusedAndStaysADevice) {
    struct stat device {};
    if (stat("/dev/full", &device) != 0 || !S_ISCHR(device.st_mode)) GTEST_SKIP() << "this system has no /dev/full";

    // The second filter adds no extension, so the name is used as typed.
    tk::QueueFileAnswer("/dev/full", 1);
    tk::QueueAnswer(tk::Answer::Yes);  // replace it
    SaveSetFile(s);

    ExpectRefusalShown("/dev/full");
    struct stat after {};
    ASSERT_EQ(stat("/dev/full", &after), 0);
    EXPECT_TRUE(S_ISCHR(after.st_mode));
    EXPECT_EQ(after.st_rdev, device.st_rdev);
    EXPECT_EQ(after.st_ino, device.st_ino);
    for (const std::string& name : Entries("/dev")) EXPECT_NE(name.rfind(".full", 0), 0u) << "left behind: " << name;
}

TEST_F(SaveFaultsTest, TheSameSavesSucceedWhereNothingStandsInTheWay) {
    const std::string path = dir.Path("work.set");
    WriteBytes(path, kPreviousBytes);

    tk::QueueFileAnswer(path);
    tk::QueueAnswer(tk::Answer::Yes);  // replace it
    SaveSetFile(s);
    tk::QueueFileAnswer(dir.Path("work.proj"));
    SaveProject(s, SaveMode::SaveAs);

    EXPECT_TRUE(tk::ShownRequesters().size() == 3u && tk::ShownRequesters()[2].kind == "save");
    EXPECT_EQ(ReadBytes(path).size(), 29u);
    EXPECT_EQ(ReadBytes(path)[4], 65);
    EXPECT_EQ(ReadBytes(dir.Path("work.proj")).size(), 22614u);
    EXPECT_EQ(Entries(dir.Root()), (std::set<std::string>{"work.proj", "work.set"}));
}

}  // namespace
}  // namespace qm
