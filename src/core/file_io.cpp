// Whole-file reading and all-or-nothing saving.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "core/file_io.h"

namespace qm {
namespace {

using Bytes = std::vector<unsigned char>;

std::string ErrorText() { return std::strerror(errno); }

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string BaseOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsNumber(const std::string& text) {
    return !text.empty() && text.size() < 10 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The descriptor that a name such as /dev/fd/1 or /proc/self/fd/1 stands for:
// a number in this process's folder of open descriptors. Opening such a name
// would open the file anew (and truncate a redirected log), so it is written
// through the descriptor instead, as standard output is.
int DescriptorNamed(const std::string& path) {
    if (!IsNumber(BaseOf(path))) return -1;
    char resolved[PATH_MAX];
    if (!realpath(FolderOf(path).c_str(), resolved)) return -1;
    const std::string folder = resolved;
    const std::string own = "/proc/" + std::to_string(getpid());
    const bool threadTable = folder.rfind(own + "/task/", 0) == 0 && folder.size() > 3 &&
                             folder.compare(folder.size() - 3, 3, "/fd") == 0;
    return folder == own + "/fd" || threadTable ? std::atoi(BaseOf(path).c_str()) : -1;
}

// Where a save lands once links are followed one by one: a file (which need
// not exist yet: a dangling link's target is created), or a descriptor.
struct Target {
    std::string path;
    int descriptor = -1;
    std::string fault;  // set when the links cannot be followed
};

Target FollowLinks(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop < 40; ++hop) {
        if (const int fd = DescriptorNamed(current); fd >= 0) return {current, fd, {}};
        struct stat info {};
        if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return {current, -1, {}};
        char link[PATH_MAX];
        const ssize_t length = readlink(current.c_str(), link, sizeof link);
        if (length <= 0 || length >= static_cast<ssize_t>(sizeof link)) return {{}, -1, ErrorText()};
        const std::string next(link, static_cast<std::size_t>(length));
        current = next[0] == '/' ? next : FolderOf(current) + "/" + next;
    }
    return {{}, -1, "The links lead round in a loop"};
}

bool WriteAll(int fd, const Bytes& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Read without setting it where the system allows: files are saved from more
// than one thread, and while one sets the mask to read it back, another's file
// would be made without it, or would read the zero and restore it for good.
mode_t CurrentUmask() {
    if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned int mask = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, status)) found = std::sscanf(line, "Umask: %o", &mask) == 1;
        std::fclose(status);
        if (found) return static_cast<mode_t>(mask);
    }
    static std::mutex guard;
    const std::lock_guard<std::mutex> lock(guard);
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

// The names of temporary files being written, for a signal handler to remove.
// A slot is free (0), being filled (1) or holds a name (2).
struct PendingName {
    std::atomic<int> state{0};
    char name[PATH_MAX] = {};
};
PendingName g_pending[16];

class PendingTemporary {
public:
    PendingTemporary() = default;
    void Hold(const std::string& name) {
        if (slot_ || name.size() >= PATH_MAX) return;
        for (PendingName& slot : g_pending) {
            int expected = 0;
            if (!slot.state.compare_exchange_strong(expected, 1)) continue;
            std::memcpy(slot.name, name.c_str(), name.size() + 1);
            slot.state = 2;
            slot_ = &slot;
            return;
        }
    }
    ~PendingTemporary() {
        if (slot_) slot_->state = 0;
    }
    PendingTemporary(const PendingTemporary&) = delete;
    PendingTemporary& operator=(const PendingTemporary&) = delete;

private:
    PendingName* slot_ = nullptr;
};

void RemovePendingAndStop(int signal) {
    for (PendingName& slot : g_pending) {
        if (slot.state == 2) unlink(slot.name);
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// The temporary name keeps the start of the target's, so that it is known
// for what it is, but stays short enough for any target name.
std::string TemporaryTemplate(const std::string& target) {
    return FolderOf(target) + "/." + BaseOf(target).substr(0, 200) + ".XXXXXX";
}

enum class Fallback { None, InPlace };

// mkstemp with the name held for the signal handler before any signal that
// ends the program can come between: no temporary is ever left unnamed.
int MakeHeldTemporary(std::string& name, PendingTemporary& pending) {
    sigset_t ending, before;
    sigemptyset(&ending);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&ending, signal);
    pthread_sigmask(SIG_BLOCK, &ending, &before);
    const int fd = mkstemp(name.data());
    const int error = errno;
    if (fd >= 0) pending.Hold(name);
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    errno = error;
    return fd;
}

// A temporary file next to its target, holding the new bytes, still open so
// that it can be flushed.
struct Temporary {
    std::string name;
    int fd = -1;
};

// Writes into a fresh temporary file next to the target, owned as the target
// is; returns it open, or with no name and the reason set, or with fallback
// set when the file cannot be replaced without loss (no temporary file can be
// made there, or the owner cannot be kept). The temporary stays held by the
// caller's pending until the caller is done with it, renamed or removed.
Temporary WriteTemporary(const std::string& target, const struct stat* old, const Bytes& bytes, std::string& reason,
                         Fallback& fallback, PendingTemporary& pending) {
    std::string name = TemporaryTemplate(target);
    const int fd = MakeHeldTemporary(name, pending);
    if (fd < 0) {
        reason = ErrorText();
        fallback = Fallback::InPlace;
        return {};
    }
    struct stat made {};
    bool ok = fstat(fd, &made) == 0;
    if (ok && old && (made.st_uid != old->st_uid || made.st_gid != old->st_gid) &&
        fchown(fd, old->st_uid, old->st_gid) != 0) {
        close(fd);
        unlink(name.c_str());
        fallback = Fallback::InPlace;
        return {};
    }
    const mode_t mode = old ? old->st_mode & 07777 : 0666 & ~CurrentUmask();
    if (ok && WriteAll(fd, bytes) && fchmod(fd, mode) == 0) return {name, fd};
    reason = ErrorText();
    close(fd);
    unlink(name.c_str());
    return {};
}

// Sets the temporary's bytes on their way to the disk without waiting, so
// that the flushes of several files share the disk's time.
void StartWriteback(const Temporary& temporary) {
#ifdef SYNC_FILE_RANGE_WRITE
    sync_file_range(temporary.fd, 0, 0, SYNC_FILE_RANGE_WRITE);
#else
    (void)temporary;
#endif
}

// Flushes (when asked) and closes the temporary; on failure removes it and
// returns the reason.
std::string CloseTemporary(Temporary& temporary, bool flush) {
    bool ok = !flush || fsync(temporary.fd) == 0;
    std::string reason = ok ? std::string() : ErrorText();
    if (close(temporary.fd) != 0 && ok) {
        ok = false;
        reason = ErrorText();
    }
    temporary.fd = -1;
    if (!ok) {
        unlink(temporary.name.c_str());
        temporary.name.clear();
    }
    return reason;
}

// Makes the new name itself last through a power cut, not only the bytes.
void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

bool ReadAllFrom(int fd, Bytes& bytes) {
    bytes.clear();
    unsigned char buffer[65536];
    for (off_t at = 0;;) {
        const ssize_t n = pread(fd, buffer, sizeof buffer, at);
        if (n == 0) return true;
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.insert(bytes.end(), buffer, buffer + n);
        at += n;
    }
}

// Used only where the target cannot be replaced by a new file. Writers take
// turns through a lock, so overlapping saves leave one whole output; the file
// takes its new length first, and on any failure its old bytes are put back,
// or a file that was not there before is removed again.
std::string WriteInPlace(const std::string& target, const Bytes& bytes) {
    const bool existed = access(target.c_str(), F_OK) == 0;
    const int fd = open(target.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666 & ~CurrentUmask());
    if (fd < 0) return ErrorText();
    while (flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            const std::string reason = ErrorText();
            close(fd);
            return reason;
        }
    }
    Bytes old;
    if (!ReadAllFrom(fd, old)) {
        const std::string reason = ErrorText();
        close(fd);
        return reason;
    }
    const auto fill = [fd](const Bytes& content) {
        return ftruncate(fd, static_cast<off_t>(content.size())) == 0 && lseek(fd, 0, SEEK_SET) == 0 &&
               WriteAll(fd, content) && fsync(fd) == 0;
    };
    if (fill(bytes)) return close(fd) == 0 ? std::string() : ErrorText();
    const std::string reason = ErrorText();
    if (existed) {
        fill(old);
    } else {
        unlink(target.c_str());
    }
    close(fd);
    return reason;
}

// A terminal, a device such as /dev/null, or a named pipe with a reader.
std::string WriteToSpecialFile(const std::string& path, const Bytes& bytes) {
    const int fd = open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return errno == ENXIO ? "No program reads from this pipe" : ErrorText();
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const bool written = WriteAll(fd, bytes);
    const std::string reason = written ? std::string() : ErrorText();
    close(fd);
    return reason;
}

std::string WriteToDescriptor(int fd, const Bytes& bytes) {
    if (fcntl(fd, F_GETFL) < 0) return ErrorText();
    return WriteAll(fd, bytes) ? std::string() : ErrorText();
}

std::string NameFault(const std::string& path) {
    if (path.empty()) return "No file name";
    if (path.back() == '/') return "A file name is needed, not a folder's";
    return {};
}

// How one file of a save is written.
enum class SaveWay {
    Replace,     // by a new file renamed over it
    InPlace,     // rewritten where it is (see WriteInPlace)
    Special,     // a terminal, device or pipe, written as it is
    Descriptor,  // one of this process's open descriptors
};

struct SaveRequest {
    const std::string* path;
    const Bytes* bytes;
};

// One file of a save under way: where it lands, and how.
struct PlannedSave {
    SaveWay way = SaveWay::Replace;
    Target target;
    bool exists = false;
    struct stat old {};  // the file being replaced, when it exists
    Temporary temporary;
    PendingTemporary pending;
};

// Where the bytes for path go and how, or why they cannot.
std::string PlanSave(const std::string& path, PlannedSave& plan) {
    if (std::string fault = NameFault(path); !fault.empty()) return fault;
    plan.target = FollowLinks(path);
    if (!plan.target.fault.empty()) return plan.target.fault;
    if (plan.target.descriptor >= 0) {
        plan.way = SaveWay::Descriptor;
        return {};
    }
    const struct stat& info = plan.old;
    plan.exists = stat(plan.target.path.c_str(), &plan.old) == 0;
    if (plan.exists && !S_ISREG(info.st_mode)) {
        if (!S_ISCHR(info.st_mode) && !S_ISFIFO(info.st_mode)) {
            return S_ISDIR(info.st_mode) ? "It is a folder" : "It is not a regular file";
        }
        plan.way = SaveWay::Special;
        return {};
    }
    // Replacing the file by a new one would get round its write protection.
    if (plan.exists && access(plan.target.path.c_str(), W_OK) != 0) return ErrorText();
    // A new file would part the names of a file with more than one.
    if (plan.exists && info.st_nlink > 1) plan.way = SaveWay::InPlace;
    return {};
}

// Writes the temporary of a file to be replaced, or turns it to be written in
// place where a new file would lose something.
std::string PrepareReplacement(PlannedSave& plan, const Bytes& bytes) {
    if (plan.way != SaveWay::Replace) return {};
    std::string reason;
    Fallback fallback = Fallback::None;
    plan.temporary =
        WriteTemporary(plan.target.path, plan.exists ? &plan.old : nullptr, bytes, reason, fallback, plan.pending);
    if (fallback == Fallback::InPlace) plan.way = SaveWay::InPlace;
    else if (plan.temporary.name.empty()) return reason.empty() ? "Cannot write the file" : reason;
    return {};
}

// Puts the bytes in place: the temporary renamed over the target, or the
// file written as its way says.
std::string Commit(PlannedSave& plan, const Bytes& bytes) {
    switch (plan.way) {
    case SaveWay::Descriptor: return WriteToDescriptor(plan.target.descriptor, bytes);
    case SaveWay::Special: return WriteToSpecialFile(plan.target.path, bytes);
    case SaveWay::InPlace: return WriteInPlace(plan.target.path, bytes);
    case SaveWay::Replace: break;
    }
    const std::string temporary = std::exchange(plan.temporary.name, {});
    if (rename(temporary.c_str(), plan.target.path.c_str()) == 0) return {};
    const int error = errno;
    const std::string reason = ErrorText();
    unlink(temporary.c_str());
    // A folder whose sticky bit keeps others' files from being replaced.
    if (error == EPERM || error == EACCES) return WriteInPlace(plan.target.path, bytes);
    return reason;
}

void RemoveTemporaries(std::vector<PlannedSave>& plans) {
    for (PlannedSave& plan : plans) {
        if (plan.temporary.fd >= 0) close(plan.temporary.fd);
        if (!plan.temporary.name.empty()) unlink(plan.temporary.name.c_str());
        plan.temporary = {};
    }
}

// Every file's new bytes are written and flushed before the first is put in
// place, so a failure while writing changes none of them; they are then put
// in place in order, and each folder is flushed once at the end. Flushing
// the temporaries together rather than file by file lets the disk take them
// in one go.
std::string SaveAll(const std::vector<SaveRequest>& requests, bool flush, std::size_t& failed) {
    std::vector<PlannedSave> plans(requests.size());
    const auto giveUp = [&](std::size_t index, std::string reason) {
        failed = index;
        RemoveTemporaries(plans);
        return reason;
    };
    for (std::size_t i = 0; i < plans.size(); ++i) {
        std::string reason = PlanSave(*requests[i].path, plans[i]);
        if (reason.empty()) reason = PrepareReplacement(plans[i], *requests[i].bytes);
        if (!reason.empty()) return giveUp(i, reason);
    }
    if (flush && plans.size() > 1) {
        for (const PlannedSave& plan : plans) {
            if (plan.temporary.fd >= 0) StartWriteback(plan.temporary);
        }
    }
    for (std::size_t i = 0; i < plans.size(); ++i) {
        if (plans[i].temporary.fd < 0) continue;
        if (std::string reason = CloseTemporary(plans[i].temporary, flush); !reason.empty()) return giveUp(i, reason);
    }
    // Files already put in place stay so when a later one fails.
    std::string reason;
    std::vector<std::string> replacedIn;
    for (std::size_t i = 0; i < plans.size(); ++i) {
        const std::string folder = FolderOf(plans[i].target.path);
        if (plans[i].way == SaveWay::Replace &&
            std::find(replacedIn.begin(), replacedIn.end(), folder) == replacedIn.end()) {
            replacedIn.push_back(folder);
        }
        reason = Commit(plans[i], *requests[i].bytes);
        if (!reason.empty()) {
            failed = i;
            break;
        }
    }
    RemoveTemporaries(plans);
    if (flush) {
        for (const std::string& folder : replacedIn) SyncFolder(folder);
    }
    return reason;
}

}  // namespace

std::string SaveFileSafely(const std::string& path, const Bytes& bytes, bool flushToDisk) {
    std::size_t failed = 0;
    return SaveAll({{&path, &bytes}}, flushToDisk, failed);
}

std::string SaveFilesSafely(const std::vector<OutputFile>& files, std::size_t& failed) {
    std::vector<SaveRequest> requests;
    requests.reserve(files.size());
    for (const OutputFile& file : files) requests.push_back({&file.path, &file.bytes});
    return SaveAll(requests, true, failed);
}

std::string SaveTargetFault(const std::string& path) {
    if (std::string fault = NameFault(path); !fault.empty()) return fault;
    const Target target = FollowLinks(path);
    if (!target.fault.empty()) return target.fault;
    if (target.descriptor >= 0) {
        const int flags = fcntl(target.descriptor, F_GETFL);
        if (flags < 0) return ErrorText();
        return (flags & O_ACCMODE) == O_RDONLY ? "The descriptor is open for reading only" : "";
    }
    struct stat info {};
    if (stat(target.path.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) return "It is a folder";
        if (!S_ISREG(info.st_mode) && !S_ISCHR(info.st_mode) && !S_ISFIFO(info.st_mode)) return "It is not a regular file";
        return access(target.path.c_str(), W_OK) == 0 ? "" : ErrorText();
    }
    if (errno != ENOENT) return ErrorText();
    const std::string folder = FolderOf(target.path);
    if (stat(folder.c_str(), &info) != 0) return ErrorText();
    if (!S_ISDIR(info.st_mode)) return std::strerror(ENOTDIR);
    return access(folder.c_str(), W_OK | X_OK) == 0 ? "" : ErrorText();
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat first {}, second {};
    if (stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0) {
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    }
    const Target ta = FollowLinks(a), tb = FollowLinks(b);
    if (ta.descriptor >= 0 || tb.descriptor >= 0) return ta.descriptor == tb.descriptor;
    char folderA[PATH_MAX], folderB[PATH_MAX];
    if (!realpath(FolderOf(ta.path).c_str(), folderA) || !realpath(FolderOf(tb.path).c_str(), folderB)) {
        return ta.path == tb.path;
    }
    return std::strcmp(folderA, folderB) == 0 && BaseOf(ta.path) == BaseOf(tb.path);
}

void RemoveTemporariesOnSignals() {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction current {};
        // A signal ignored by whoever started the program (nohup) stays so.
        if (sigaction(signal, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) continue;
        struct sigaction removal {};
        removal.sa_handler = RemovePendingAndStop;
        sigemptyset(&removal.sa_mask);
        sigaction(signal, &removal, nullptr);
    }
}

bool ReadWholeFile(const std::string& path, Bytes& bytes, std::size_t maxBytes) {
    // Not blocking: opening a named pipe would otherwise wait for a writer
    // before it can be told apart from a file.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        errno = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        return false;
    }
    Bytes data;
    // Room for what the file holds now, so that a large one is not moved
    // from buffer to buffer as it is read; one that grows meanwhile still is.
    data.reserve(std::min(static_cast<std::size_t>(info.st_size), maxBytes));
    unsigned char buffer[65536];
    while (data.size() < maxBytes) {
        const ssize_t n = read(fd, buffer, std::min(sizeof buffer, maxBytes - data.size()));
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            close(fd);
            errno = error;
            return false;
        }
        data.insert(data.end(), buffer, buffer + n);
    }
    close(fd);
    bytes = std::move(data);
    return true;
}

std::string PrivateTempFolder(std::string& reason) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const char* tmp = std::getenv("TMPDIR");
    std::string folder;
    if (runtime != nullptr && runtime[0] == '/') folder = std::string(runtime) + "/quillmere";
    else folder = std::string(tmp != nullptr && tmp[0] == '/' ? tmp : "/tmp") + "/quillmere-" + std::to_string(getuid());
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        reason = folder + ": " + ErrorText();
        return "";
    }
    // Another user may have made it first, or left a link there.
    struct stat st {};
    if (lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid() || (st.st_mode & 077) != 0) {
        reason = folder + ": not a folder of this user's alone";
        return "";
    }
    return folder;
}

long long FileSize(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return -1;
    return static_cast<long long>(info.st_size);
}

char PathSeparator() { return '/'; }

}  // namespace qm
