// Whole-file reading and all-or-nothing saving.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "core/file_io.h"

namespace qm {
namespace {

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

// A link is saved through: the file it names is replaced, the link stays.
std::string ResolveLink(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char resolved[PATH_MAX];
    if (!realpath(path.c_str(), resolved)) return path;
    return resolved;
}

bool WriteAll(int fd, const std::vector<unsigned char>& bytes) {
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

mode_t NewFileMode(const std::string& target) {
    struct stat info {};
    if (stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
    return 0666 & ~CurrentUmask();
}

// Writes into a fresh temporary file next to the target; returns its name, or
// an empty name with the reason set, and noRoom when not even an empty
// temporary file could be made there.
std::string WriteTemporary(const std::string& target, const std::vector<unsigned char>& bytes, std::string& reason,
                           bool& noRoom) {
    std::string name = FolderOf(target) + "/." + BaseOf(target) + ".XXXXXX";
    const int fd = mkstemp(name.data());
    if (fd < 0) {
        reason = ErrorText();
        noRoom = true;
        return {};
    }
    bool ok = WriteAll(fd, bytes) && fchmod(fd, NewFileMode(target)) == 0 && fsync(fd) == 0;
    if (!ok) reason = ErrorText();
    if (close(fd) != 0 && ok) {
        ok = false;
        reason = ErrorText();
    }
    if (!ok) {
        unlink(name.c_str());
        return {};
    }
    return name;
}

// Makes the new name itself last through a power cut, not only the bytes.
void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// Used only where no temporary file can stand beside the target (a folder the
// user may not write to, or a name too long to take the temporary's additions):
// the target itself is overwritten, and on any failure its old bytes are put
// back, or a file that was not there before is removed again.
std::string WriteInPlace(const std::string& target, const std::vector<unsigned char>& bytes) {
    std::vector<unsigned char> old;
    const bool existed = access(target.c_str(), F_OK) == 0;
    if (existed && !ReadWholeFile(target, old)) return ErrorText();
    const int fd = open(target.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, NewFileMode(target));
    if (fd < 0) return ErrorText();
    const auto fill = [fd](const std::vector<unsigned char>& content) {
        return lseek(fd, 0, SEEK_SET) == 0 && WriteAll(fd, content) &&
               ftruncate(fd, static_cast<off_t>(content.size())) == 0 && fsync(fd) == 0;
    };
    if (fill(bytes)) return close(fd) == 0 ? std::string() : ErrorText();
    const std::string reason = ErrorText();
    if (existed) {
        fill(old);
        close(fd);
    } else {
        close(fd);
        unlink(target.c_str());
    }
    return reason;
}

}  // namespace

std::string SaveFileSafely(const std::string& path, const std::vector<unsigned char>& bytes) {
    if (path.empty()) return "No file name";
    const std::string target = ResolveLink(path);
    struct stat info {};
    if (stat(target.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        return S_ISDIR(info.st_mode) ? "It is a folder" : "It is not a regular file";
    }
    // Replacing the file by a new one would get round its write protection.
    if (access(target.c_str(), F_OK) == 0 && access(target.c_str(), W_OK) != 0) return ErrorText();
    std::string reason;
    bool noRoom = false;
    const std::string temporary = WriteTemporary(target, bytes, reason, noRoom);
    if (noRoom) return WriteInPlace(target, bytes);
    if (temporary.empty()) return reason.empty() ? "Cannot write the file" : reason;
    if (rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        reason = ErrorText();
        unlink(temporary.c_str());
        // A folder whose sticky bit keeps others' files from being replaced.
        if (error == EPERM || error == EACCES) return WriteInPlace(target, bytes);
        return reason;
    }
    SyncFolder(FolderOf(target));
    return {};
}

bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& bytes, std::size_t maxBytes) {
    // Not blocking: opening a named pipe would otherwise wait for a writer
    // before it can be told apart from a file.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return false;
    }
    std::vector<unsigned char> data;
    unsigned char buffer[65536];
    while (data.size() < maxBytes) {
        const ssize_t n = read(fd, buffer, std::min(sizeof buffer, maxBytes - data.size()));
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            close(fd);
            return false;
        }
        data.insert(data.end(), buffer, buffer + n);
    }
    close(fd);
    bytes = std::move(data);
    return true;
}

long long FileSize(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return -1;
    return static_cast<long long>(info.st_size);
}

char PathSeparator() { return '/'; }

}  // namespace qm
