#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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

// Files saved together: when any one cannot be written, whether its target
// is a folder or its bytes do not fit, none of them changes.
TEST(SaveFilesSafely, AllAreSavedOrNoneWhereverTheFailureComes) {
    const std::vector<std::string> names = {"map.png", "map.tsx", "map.tmx"};
    for (std::size_t bad = 0; bad <= names.size(); ++bad) {
        for (const bool folderTarget : {false, true}) {
            Folder folder;
            std::vector<qm::OutputFile> files;
            for (std::size_t i = 0; i < names.size(); ++i) {
                const std::string path = folder.Path(names[i]);
                if (i == bad && folderTarget) ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
                else ASSERT_EQ(qm::SaveFileSafely(path, Pattern(100, static_cast<unsigned char>(i))), "");
                files.push_back({path, Pattern(i == bad && !folderTarget ? 100000 : 2000 + i, 50)});
            }
            std::size_t failed = 99;
            std::string reason;
            {
                SizeLimit limit(8192);
                reason = qm::SaveFilesSafely(files, failed);
            }
            auto present = folder.Names();
            std::sort(present.begin(), present.end());
            EXPECT_EQ(present, (std::vector<std::string>{"map.png", "map.tmx", "map.tsx"}));
            EXPECT_EQ(reason.empty(), bad == names.size());
            if (!reason.empty()) {
                EXPECT_EQ(failed, bad);
            }
            for (std::size_t i = 0; i < names.size(); ++i) {
                if (i == bad && folderTarget) continue;
                const Bytes expected = reason.empty() ? files[i].bytes : Pattern(100, static_cast<unsigned char>(i));
                EXPECT_EQ(Read(files[i].path), expected) << "file " << i << ", failing " << bad;
            }
        }
    }
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

// The temporary file's name keeps only the start of the target's, so even the
// longest names are replaced whole, never written in place.
TEST(SaveFileSafely, TheLongestNamesAreReplacedWholeAndKeptOnFailure) {
    for (std::size_t length = 245; length <= 255; ++length) {
        Folder folder;
        const std::string name = std::string(length - 4, 'n') + ".fnt";
        const std::string path = folder.Path(name);
        ASSERT_EQ(qm::SaveFileSafely(path, Pattern(5000, 1)), "") << length;
        ASSERT_EQ(qm::SaveFileSafely(path, Pattern(10, 2)), "") << length;
        EXPECT_EQ(Read(path), Pattern(10, 2)) << length;  // no tail of the longer file
        struct stat before {}, after {};
        ASSERT_EQ(stat(path.c_str(), &before), 0);
        ASSERT_EQ(qm::SaveFileSafely(path, Pattern(10, 5)), "") << length;
        ASSERT_EQ(stat(path.c_str(), &after), 0);
        EXPECT_NE(before.st_ino, after.st_ino) << length;  // a new file took the name at once
        ASSERT_EQ(qm::SaveFileSafely(path, Pattern(10, 2)), "") << length;

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

// Names of open descriptors, as a shell's redirection leaves them: the output
// goes where the descriptor points, after what is there, and nothing is
// replaced, neither the file nor a link to the descriptor.
TEST(SaveFileSafely, ANameOfAnOpenDescriptorIsWrittenThroughIt) {
    Folder folder;
    const std::string log = folder.Path("build.log");
    const int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, "old\n", 4), 4);
    struct stat before {};
    ASSERT_EQ(stat(log.c_str(), &before), 0);
    const std::string number = std::to_string(fd);
    const std::string link = folder.Path("out.s");
    ASSERT_EQ(symlink(("/proc/self/fd/" + number).c_str(), link.c_str()), 0);
    for (const std::string& name : {"/dev/fd/" + number, "/proc/self/fd/" + number, link}) {
        EXPECT_EQ(qm::SaveFileSafely(name, Bytes{'a', '\n'}), "") << name;
    }
    close(fd);
    const std::string text = "old\na\na\na\n";
    EXPECT_EQ(Read(log), Bytes(text.begin(), text.end()));
    struct stat after {}, linkInfo {};
    ASSERT_EQ(stat(log.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    ASSERT_EQ(lstat(link.c_str(), &linkInfo), 0);
    EXPECT_TRUE(S_ISLNK(linkInfo.st_mode));
    EXPECT_EQ(folder.Names().size(), 2u);
    // A descriptor that is not open is a failure, not a file made in /proc.
    EXPECT_NE(qm::SaveFileSafely("/dev/fd/" + number, Bytes{'b'}), "");
    EXPECT_EQ(qm::SaveFileSafely("/dev/null", Pattern(100, 1)), "");
}

TEST(SaveFileSafely, ReplacingAFileKeepsItsOwnerGroupModeAndOtherNames) {
    Folder folder;
    const std::string path = folder.Path("font.fnt"), other = folder.Path("also.fnt");
    ASSERT_EQ(qm::SaveFileSafely(path, Pattern(1024, 1)), "");
    ASSERT_EQ(link(path.c_str(), other.c_str()), 0);
    ASSERT_EQ(chmod(path.c_str(), 0604), 0);
    EXPECT_EQ(qm::SaveFileSafely(path, Pattern(1000, 2)), "");
    EXPECT_EQ(Read(other), Pattern(1000, 2));
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_nlink, 2u);
    EXPECT_EQ(info.st_mode & 07777, 0604u);

    if (geteuid() != 0) GTEST_SKIP() << "only the superuser can give a file to another owner";
    ASSERT_EQ(unlink(other.c_str()), 0);
    ASSERT_EQ(chown(path.c_str(), 1234, 2345), 0);
    ASSERT_EQ(chmod(path.c_str(), 0600), 0);
    EXPECT_EQ(qm::SaveFileSafely(path, Pattern(1024, 3)), "");
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 1234u);
    EXPECT_EQ(info.st_gid, 2345u);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    EXPECT_EQ(info.st_nlink, 1u);
    EXPECT_EQ(Read(path), Pattern(1024, 3));
}

TEST(SaveFileSafely, LinksAreFollowedToTheirTargetWhichIsMadeWhenMissing) {
    Folder folder;
    ASSERT_EQ(mkdir(folder.Path("real").c_str(), 0755), 0);
    // A chain of a relative and an absolute link to a file not there yet.
    ASSERT_EQ(symlink("real/font.fnt", folder.Path("first").c_str()), 0);
    ASSERT_EQ(symlink(folder.Path("first").c_str(), folder.Path("second").c_str()), 0);
    EXPECT_EQ(qm::SaveFileSafely(folder.Path("second"), Pattern(64, 1)), "");
    EXPECT_EQ(Read(folder.Path("real/font.fnt")), Pattern(64, 1));
    for (const char* name : {"first", "second"}) {
        struct stat info {};
        ASSERT_EQ(lstat(folder.Path(name).c_str(), &info), 0);
        EXPECT_TRUE(S_ISLNK(info.st_mode)) << name;
    }
    EXPECT_EQ(qm::SaveFileSafely(folder.Path("second"), Pattern(32, 2)), "");
    EXPECT_EQ(Read(folder.Path("real/font.fnt")), Pattern(32, 2));
    EXPECT_EQ(folder.Names().size(), 3u);

    ASSERT_EQ(symlink("loop-b", folder.Path("loop-a").c_str()), 0);
    ASSERT_EQ(symlink("loop-a", folder.Path("loop-b").c_str()), 0);
    EXPECT_EQ(qm::SaveFileSafely(folder.Path("loop-a"), Pattern(8, 1)), "The links lead round in a loop");
    EXPECT_EQ(qm::SaveTargetFault(folder.Path("loop-a")), "The links lead round in a loop");
    EXPECT_EQ(folder.Names().size(), 5u);
}

TEST(SaveFileSafely, TargetFaultsAndSameFilesAreKnownBeforeWriting) {
    Folder folder;
    const std::string file = folder.Path("a.fnt");
    ASSERT_EQ(qm::SaveFileSafely(file, Pattern(8, 1)), "");
    ASSERT_EQ(symlink(file.c_str(), folder.Path("link").c_str()), 0);
    for (const std::string& bad : {folder.Path("nowhere/x.fnt"), folder.Path(""), file + "/x.fnt",
                                   folder.Path("nowhere/"), std::string()}) {
        EXPECT_NE(qm::SaveTargetFault(bad), "") << bad;
        EXPECT_NE(qm::SaveFileSafely(bad, Pattern(8, 1)), "") << bad;
    }
    for (const std::string& good : {file, folder.Path("new.fnt"), folder.Path("link"), std::string("/dev/null")}) {
        EXPECT_EQ(qm::SaveTargetFault(good), "") << good;
    }
    EXPECT_TRUE(qm::SameFile(file, folder.Path("link")));
    EXPECT_TRUE(qm::SameFile(folder.Path("new.map"), folder.Path("./new.map")));
    EXPECT_FALSE(qm::SameFile(file, folder.Path("new.map")));
    EXPECT_FALSE(qm::SameFile(folder.Path("b.map"), folder.Path("new.map")));
}

// Where the file must be written in place (here: it has a second name),
// writers that overlap take turns: the file ends as one of their outputs,
// never a mixture or a longer file's tail.
TEST(SaveFileSafely, OverlappingWritersInPlaceLeaveOneWholeOutput) {
    Folder folder;
    const std::string path = folder.Path("shared.txt");
    ASSERT_EQ(qm::SaveFileSafely(path, Pattern(300000, 1)), "");
    ASSERT_EQ(link(path.c_str(), folder.Path("other.txt").c_str()), 0);
    for (int round = 0; round < 4; ++round) {
        std::vector<Bytes> outputs;
        for (int w = 0; w < 12; ++w) outputs.push_back(Pattern(20000 + 23000 * static_cast<std::size_t>(w), static_cast<unsigned char>(w + 10 * round)));
        std::vector<std::thread> writers;
        std::atomic<int> failures{0};
        for (const Bytes& output : outputs) {
            writers.emplace_back([&, output] { failures += qm::SaveFileSafely(path, output) != ""; });
        }
        for (std::thread& t : writers) t.join();
        EXPECT_EQ(failures, 0);
        const Bytes result = Read(path);
        EXPECT_NE(std::find(outputs.begin(), outputs.end(), result), outputs.end()) << "round " << round;
    }
}

// The program ends on the signal as it would have, without the temporary
// file of the save it was making; the target is one whole version.
TEST(SaveFileSafely, TemporaryFilesGoWithTheSignalsThatEndAProgram) {
    Folder folder(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
    const std::string path = folder.Path("big.bin");
    const Bytes first = Pattern(16 << 20, 1), second = Pattern(12 << 20, 2);
    ASSERT_EQ(qm::SaveFileSafely(path, first), "");
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            qm::RemoveTemporariesOnSignals();
            for (;;) qm::SaveFileSafely(path, second);
        }
        bool seen = false;
        for (int tries = 0; tries < 200000 && !seen; ++tries) {
            for (const std::string& name : folder.Names()) seen = seen || name[0] == '.';
        }
        kill(child, signal);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(seen) << "no save was caught under way";
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        EXPECT_EQ(folder.Names(), std::vector<std::string>{"big.bin"}) << signal;
        const long long size = qm::FileSize(path);
        EXPECT_TRUE(size == static_cast<long long>(first.size()) || size == static_cast<long long>(second.size()));
    }
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
