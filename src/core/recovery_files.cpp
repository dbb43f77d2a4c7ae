#include "core/recovery_files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "core/file_io.h"

namespace qm {

namespace {

namespace fs = std::filesystem;

constexpr const char* kCopyExtension = ".recovery";
constexpr const char* kLockExtension = ".lock";
// Far beyond any copy the editor writes.
constexpr std::size_t kLargestCopy = 16u << 20;

std::string CopyOf(const std::string& folder, const std::string& id) {
    return (fs::path(folder) / (id + kCopyExtension)).string();
}

std::string LockOf(const std::string& folder, const std::string& id) {
    return (fs::path(folder) / (id + kLockExtension)).string();
}

// Named by process and start time, so a process number used again never
// meets a copy left from before.
std::string NewId() {
    const auto since = std::chrono::system_clock::now().time_since_epoch();
    return std::to_string(getpid()) + "-" +
           std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(since).count());
}

}  // namespace

FileLock FileLock::Take(const std::string& path) {
    FileLock lock;
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return lock;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        close(fd);
        errno = error;
        return lock;
    }
    lock.fd_ = fd;
    return lock;
}

FileLock::FileLock(FileLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        Release();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

void FileLock::Release() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
}

LeftoverCopy::LeftoverCopy(std::string folder, std::string id, FileLock lock, fs::file_time_type time)
    : folder_(std::move(folder)),
      id_(std::move(id)),
      path_(CopyOf(folder_, id_)),
      lock_(std::move(lock)),
      time_(time) {}

bool LeftoverCopy::Read(Bytes& bytes) const { return ReadWholeFile(path_, bytes, kLargestCopy); }

void LeftoverCopy::Forget() {
    std::error_code ec;
    fs::remove(path_, ec);
    fs::remove(LockOf(folder_, id_), ec);
    lock_.Release();
}

std::string LeftoverCopy::KeepAside(const std::string& extension) {
    const fs::path to = fs::path(folder_) / (id_ + extension);
    std::error_code ec;
    fs::rename(path_, to, ec);
    fs::remove(LockOf(folder_, id_), ec);
    lock_.Release();
    return to.string();
}

std::string RecoveryFiles::StateFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/') return std::string(state) + "/quillmere";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.local/state/quillmere";
}

std::string RecoveryFiles::PrepareFolder(const std::string& folder) {
    std::error_code ec;
    fs::create_directories(fs::path(folder).parent_path(), ec);
    if (mkdir(folder.c_str(), 0700) == 0) return "";
    if (errno != EEXIST) return std::strerror(errno);
    struct stat st {};
    if (stat(folder.c_str(), &st) != 0) return std::strerror(errno);
    if (!S_ISDIR(st.st_mode)) return "it is not a folder";
    if (access(folder.c_str(), W_OK | X_OK) != 0) return std::strerror(errno);
    return "";
}

RecoveryFiles::RecoveryFiles(const std::string& folder) : folder_(folder) {
    const std::string id = NewId();
    copyPath_ = CopyOf(folder_, id);
    lockPath_ = LockOf(folder_, id);
    lock_ = FileLock::Take(lockPath_);
    if (!lock_.Held()) lockFailure_ = std::strerror(errno);
    writer_ = std::make_unique<BackgroundWriter>(copyPath_);
}

std::vector<LeftoverCopy> RecoveryFiles::TakeLeftovers() const {
    std::vector<LeftoverCopy> found;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_, ec)) {
        const fs::path& p = entry.path();
        const std::string ext = p.extension().string();
        const std::string id = p.stem().string();
        if (ext == kLockExtension) {
            // A lock without a copy: its editor ended before keeping anything.
            if (fs::exists(CopyOf(folder_, id), ec)) continue;
            const FileLock stray = FileLock::Take(p.string());
            if (stray.Held()) fs::remove(p, ec);
            continue;
        }
        if (ext != kCopyExtension) continue;
        FileLock lock = FileLock::Take(LockOf(folder_, id));
        if (!lock.Held()) continue;  // its editor is running
        found.push_back(LeftoverCopy(folder_, id, std::move(lock), entry.last_write_time(ec)));
    }
    std::sort(found.begin(), found.end(),
              [](const LeftoverCopy& a, const LeftoverCopy& b) { return a.time_ > b.time_; });
    return found;
}

void RecoveryFiles::Write(const Bytes& bytes) {
    lastWrite_ = writer_->Write(bytes);
    mayExist_ = true;
    written_ = bytes;
}

bool RecoveryFiles::WriteAndWait(const Bytes& bytes) {
    Write(bytes);
    Settle();
    return !written_.empty();
}

void RecoveryFiles::Remove() {
    if (mayExist_) writer_->Remove();
    mayExist_ = false;
    lastWrite_ = 0;
    written_.clear();
}

void RecoveryFiles::CheckLastWrite() { NoteOutcome(writer_->LastDone()); }

void RecoveryFiles::Settle() { NoteOutcome(writer_->Settle()); }

void RecoveryFiles::NoteOutcome(const BackgroundWriter::Outcome& outcome) {
    if (lastWrite_ == 0 || outcome.request != lastWrite_ || outcome.failure.empty()) return;
    written_.clear();
    lastWrite_ = 0;
}

void RecoveryFiles::End() {
    Remove();
    writer_.reset();
    std::error_code ec;
    fs::remove(lockPath_, ec);
    lock_.Release();
}

}  // namespace qm
