#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "core/file_io.h"

namespace {

using Bytes = std::vector<unsigned char>;

class Folder {
public:
    explicit Folder(const std::string& parent = "/tmp") {
        std::string name = parent + "/qm-tk-XXXXXX";
        root_ = mkdtemp(name.data());
    }
    ~Folder() { std::system(("rm -rf '" + root_ + "'").c_str()); }
    std::string Path(const std::string& name) const { return root_ + "/" + name; }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        DIR* dir = opendir(root_.c_str());
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") names.push_back(name);
        }
        closedir(dir);
        return names;
    }

private:
    std::string root_;
};

Bytes Pattern(std::size_t size, unsigned char seed) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(seed + i * 7);
    return bytes;
}

Bytes Read(const std::string& path) {
    Bytes bytes;
    EXPECT_TRUE(qm::ReadWholeFile(path, bytes));
    return bytes;
}

TEST(SaveFileSafely, WritesANewFileAndReplacesAnOldOneCompletely) {
    Folder folder;
    const std::string path = folder.Path("font.fnt");
    EXPECT_EQ(qm::SaveFileSafely(path, Pattern(5000, 1)), "");
    EXPECT_EQ(Read(path), Pattern(5000, 1));
    EXPECT_EQ(qm::SaveFileSafely(path, Pattern(10, 9)), "");
    EXPECT_EQ(Read(path), Pattern(10, 9));  // no tail of the longer file
    EXPECT_EQ(qm::FileSize(path), 10);
    EXPECT_EQ(qm::SaveFileSafely(path, {}), "");
    EXPECT_EQ(qm::FileSize(path), 0);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"font.fnt"});
}

TEST(SaveFileSafely, ADirectoryTargetIsRefusedAndLeftAlone) {
    Folder folder;
    const std::string path = folder.Path("sub");
    ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
    EXPECT_NE(qm::SaveFileSafely(path, Pattern(4, 0)), "");
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"sub"});
}

TEST(SaveFileSafely, ADeviceIsNotReplacedByAFile) {
    EXPECT_NE(qm::SaveFileSafely("/dev/full", Pattern(4, 0)), "");
    struct stat info {};
    ASSERT_EQ(stat("/dev/full", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
}

TEST(SaveFileSafely, AMissingFolderFailsWithAReason) {
    Folder folder;
    EXPECT_NE(qm::SaveFileSafely(folder.Path("nowhere/font.fnt"), Pattern(4, 0)), "");
    EXPECT_TRUE(folder.Names().empty());
}

// A file size limit makes the write itself fail half-way, for any user.
class SizeLimit {
public:
    explicit SizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        previous_ = signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~SizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        signal(SIGXFSZ, previous_);
    }

private:
    rlimit old_{};
    void (*previous_)(int) = nullptr;
};

TEST(SaveFileSafely, AFailedWriteKeepsTheOldFileByteForByteAndLeavesNoTemporary) {
    Folder folder;
    const std::string path = folder.Path("keep.fnt");
    ASSERT_EQ(qm::SaveFileSafely(path, Pattern(1024, 3)), "");
    std::string reason;
    {
        SizeLimit limit(4096);
        reason = qm::SaveFileSafely(path, Pattern(100000, 4));
    }
    EXPECT_NE(reason, "");
    EXPECT_EQ(Read(path), Pattern(1024, 3));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"keep.fnt"});
}

TEST(SaveFileSafely, AWriteProtectedFolderHasItsWritableFileWrittenInPlaceButTakesNoNewFile) {
    if (geteuid() == 0) GTEST_SKIP() << "folder permissions do not bind the superuser";
    Folder folder;
    const std::string path = folder.Path("keep.fnt");
    ASSERT_EQ(qm::SaveFileSafely(path, Pattern(1024, 3)), "");
    const std::string dir = path.substr(0, path.rfind('/'));
    ASSERT_EQ(chmod(dir.c_str(), 0555), 0);
    const std::string replaced = qm::SaveFileSafely(path, Pattern(900, 4));
    const std::string created = qm::SaveFileSafely(folder.Path("new.fnt"), Pattern(8, 4));
    chmod(dir.c_str(), 0755);
    EXPECT_EQ(replaced, "");
    EXPECT_EQ(Read(path), Pattern(900, 4));
    EXPECT_NE(created, "");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"keep.fnt"});
}

// The temporary file's name is the target's with 8 more bytes, so targets of
// 248 to 255 bytes leave no room for it: they are written in place.
TEST(SaveFileSafely, NamesTooLongForATemporaryAreWrittenInPlaceAndKeptWholeOnFailure) {
    for (std::size_t length = 245; length <= 255; ++length) {
        Folder folder;
        const std::string name = std::string(length - 4, 'n') + ".fnt";
        const std::string path = folder.Path(name);
        ASSERT_EQ(qm::SaveFileSafely(path, Pattern(5000, 1)), "") << length;
        ASSERT_EQ(qm::SaveFileSafely(path, Pattern(10, 2)), "") << length;
        EXPECT_EQ(Read(path), Pattern(10, 2)) << length;  // no tail of the longer file

        std::string grown, fresh;
        {
            SizeLimit limit(4096);
            grown = qm::SaveFileSafely(path, Pattern(100000, 3));
            fresh = qm::SaveFileSafely(folder.Path(std::string(length, 'f')), Pattern(100000, 3));
        }
        EXPECT_NE(grown, "") << length;
        EXPECT_NE(fresh, "") << length;
        EXPECT_EQ(Read(path), Pattern(10, 2)) << length;
        EXPECT_EQ(folder.Names(), std::vector<std::string>{name}) << length;
    }
}

TEST(SaveFileSafely, AWriteProtectedFileIsNotReplaced) {
    if (geteuid() == 0) GTEST_SKIP() << "write protection does not bind the superuser";
    Folder folder;
    const std::string path = folder.Path("locked.fnt");
    ASSERT_EQ(qm::SaveFileSafely(path, Pattern(16, 1)), "");
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    EXPECT_NE(qm::SaveFileSafely(path, Pattern(16, 2)), "");
    EXPECT_EQ(Read(path), Pattern(16, 1));
}

TEST(SaveFileSafely, SavingThroughALinkKeepsTheLink) {
    Folder folder;
    const std::string real = folder.Path("real.fnt");
    const std::string link = folder.Path("link.fnt");
    ASSERT_EQ(qm::SaveFileSafely(real, Pattern(8, 1)), "");
    ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
    EXPECT_EQ(qm::SaveFileSafely(link, Pattern(8, 2)), "");
    struct stat info {};
    ASSERT_EQ(lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(Read(real), Pattern(8, 2));
}

// Files are saved from more than one thread: learning the mode a new file
// should have must not take away, even for a moment, the mask that files made
// elsewhere meanwhile are given.
TEST(SaveFileSafely, NewFilesTakeTheMaskAndItStaysInPlaceThroughout) {
    Folder folder(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");  // no flush to wait for
    const mode_t before = umask(027);
    std::atomic<bool> done{false};
    std::atomic<int> maskSeenWrong{0};
    std::thread watcher([&] {
        while (!done) {
            std::FILE* status = std::fopen("/proc/self/status", "r");
            if (!status) return;
            char line[256];
            unsigned int mask = 0;
            while (std::fgets(line, sizeof line, status)) {
                if (std::sscanf(line, "Umask: %o", &mask) == 1 && mask != 027) ++maskSeenWrong;
            }
            std::fclose(status);
        }
    });
    int wrongModes = 0;
    for (int i = 0; i < 2000; ++i) {
        const std::string path = folder.Path("new" + std::to_string(i));
        struct stat info {};
        EXPECT_EQ(qm::SaveFileSafely(path, Pattern(10, 1)), "");
        wrongModes += stat(path.c_str(), &info) != 0 || (info.st_mode & 0777) != 0640;
    }
    done = true;
    watcher.join();
    EXPECT_EQ(umask(before), 027);
    EXPECT_EQ(maskSeenWrong, 0);
    EXPECT_EQ(wrongModes, 0);
}

TEST(ReadWholeFile, ANamedPipeIsRefusedWithoutWaitingForAWriter) {
    Folder folder;
    const std::string pipe = folder.Path("pipe.fnt");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    Bytes bytes;
    EXPECT_FALSE(qm::ReadWholeFile(pipe, bytes));  // a wait here would hang the test
    EXPECT_LT(qm::FileSize(pipe), 0);
    EXPECT_NE(qm::SaveFileSafely(pipe, Pattern(4, 0)), "");
}

TEST(ReadWholeFile, StopsAtTheLimitItIsGiven) {
    Folder folder;
    const std::string path = folder.Path("long.fnt");
    ASSERT_EQ(qm::SaveFileSafely(path, Pattern(200000, 3)), "");
    Bytes bytes;
    ASSERT_TRUE(qm::ReadWholeFile(path, bytes, 70000));
    EXPECT_EQ(bytes, Pattern(70000, 3));
    ASSERT_TRUE(qm::ReadWholeFile(path, bytes));
    EXPECT_EQ(bytes.size(), 200000u);
    ASSERT_TRUE(qm::ReadWholeFile(path, bytes, 0));
    EXPECT_TRUE(bytes.empty());
}

TEST(ReadWholeFile, MissingFilesAndFoldersCannotBeRead) {
    Folder folder;
    Bytes bytes{1, 2, 3};
    EXPECT_FALSE(qm::ReadWholeFile(folder.Path("none"), bytes));
    EXPECT_FALSE(qm::ReadWholeFile(folder.Path(""), bytes));
    EXPECT_EQ(bytes, (Bytes{1, 2, 3}));
    EXPECT_LT(qm::FileSize(folder.Path("none")), 0);
    EXPECT_EQ(qm::PathSeparator(), '/');
}

}  // namespace
