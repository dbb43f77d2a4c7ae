#include "app/recovery.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "charedit/color_registers.h"
#include "core/background_writer.h"
#include "core/file_io.h"
#include "core/paths.h"
#include "core/recovery_format.h"
#include "session/undo.h"

namespace qm {

namespace {

namespace fs = std::filesystem;

constexpr const char* kCopyExtension = ".recovery";
constexpr const char* kLockExtension = ".lock";
constexpr long long kQuietMs = 1000;
constexpr long long kLongestWaitMs = 1500;

// This editor's part: its lock, its copy and what the timer has seen.
struct Keeper {
    bool active = false;
    int lockFd = -1;
    std::string copyPath;
    std::string lockPath;
    // The disk is left to a thread of its own: a flushed write can wait for
    // the disk far longer than a frame, and painting must not.
    std::unique_ptr<BackgroundWriter> writer;
    unsigned long long lastWrite = 0;  // the writer's number of the latest write
    bool mayExist = false;             // a write was asked since the last removal
    Bytes written;    // what the copy holds once the writer is done; empty when none
    Bytes lastSeen;   // the document at the last look
    long long changedAt = 0;
    long long pendingSince = -1;
};

Keeper& K() {
    static Keeper keeper;
    return keeper;
}

// The lock of a copy, taken when its editor no longer holds it; -1 while it
// does (or when the lock cannot be made at all).
int TakeLock(const std::string& path) {
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

struct Leftover {
    std::string id;
    int lockFd = -1;
    fs::file_time_type time;
};

// The copies of editors that are gone, newest first, each with its lock held.
std::vector<Leftover> LeftoverCopies(const fs::path& folder) {
    std::vector<Leftover> found;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        const fs::path& p = entry.path();
        const std::string ext = p.extension().string();
        const std::string id = p.stem().string();
        if (ext == kLockExtension) {
            // A lock without a copy: its editor ended before keeping anything.
            if (fs::exists(folder / (id + kCopyExtension), ec)) continue;
            const int fd = TakeLock(p.string());
            if (fd >= 0) {
                fs::remove(p, ec);
                close(fd);
            }
            continue;
        }
        if (ext != kCopyExtension) continue;
        const int fd = TakeLock((folder / (id + kLockExtension)).string());
        if (fd < 0) continue;  // its editor is running
        found.push_back({id, fd, entry.last_write_time(ec)});
    }
    std::sort(found.begin(), found.end(), [](const Leftover& a, const Leftover& b) { return a.time > b.time; });
    return found;
}

void Forget(const fs::path& folder, const Leftover& copy) {
    std::error_code ec;
    fs::remove(folder / (copy.id + kCopyExtension), ec);
    fs::remove(folder / (copy.id + kLockExtension), ec);
    close(copy.lockFd);
}

// Moves the copy out of the way of later starts, under the extension; its
// lock goes. Returns where it went.
fs::path KeepAside(const fs::path& folder, const Leftover& copy, const char* extension) {
    const fs::path from = folder / (copy.id + kCopyExtension);
    const fs::path to = folder / (copy.id + extension);
    std::error_code ec;
    fs::rename(from, to, ec);
    fs::remove(folder / (copy.id + kLockExtension), ec);
    close(copy.lockFd);
    return to;
}

void SetAside(const fs::path& folder, const Leftover& copy, const std::string& reason) {
    const fs::path to = KeepAside(folder, copy, ".damaged");
    tk::MessageBox("Recovery...", "The unsaved work of an earlier session cannot be restored: " + reason +
                                      ".\nIt was set aside as " + to.string() + ".");
}

void WriteCopy(Keeper& k, const Bytes& bytes) {
    k.lastWrite = k.writer->Write(bytes);
    k.mayExist = true;
    k.written = bytes;
}

// A write that failed is tried again at the next tick that finds it due, as
// if it had never been asked.
void NoteFailedWrite(Keeper& k, const BackgroundWriter::Outcome& outcome) {
    if (k.lastWrite == 0 || outcome.request != k.lastWrite || outcome.failure.empty()) return;
    k.written.clear();
    k.lastWrite = 0;
}

// Only for the start, where the old copy may go only once the new one is safe.
bool WriteCopyAndWait(Keeper& k, const Bytes& bytes) {
    WriteCopy(k, bytes);
    NoteFailedWrite(k, k.writer->Settle());
    return !k.written.empty();
}

void ShowRestored(EditorState& s, const RecoveredWork& work) {
    RecordStep(s, "Restore", [&] {
        s.doc = work.doc;
        s.CurrentSlot = work.currentSlot;
    });
    for (int reg = LUM; reg <= PF3; ++reg) PaintSwatch(s, s.ui.swatch[reg], s.doc.RegisterRgb[reg]);
    tk::SetText(s.ui.slotLabel, std::to_string(s.CurrentSlot));
    tk::SetStatusText(s.ui.window, kStatusFontField, FontFieldText(s));
    tk::SetStatusText(s.ui.window, kStatusProjectField, "Project: " + FileNameOf(s.doc.ProjectPath));
    RedrawAll(s);
}

// Offers the leftovers in turn; true when one was restored.
bool OfferLeftovers(EditorState& s, const fs::path& folder) {
    bool restored = false;
    for (const Leftover& copy : LeftoverCopies(folder)) {
        Bytes bytes;
        std::string reason = "it cannot be read";
        std::optional<RecoveredWork> work;
        if (ReadWholeFile((folder / (copy.id + kCopyExtension)).string(), bytes, 16u << 20)) {
            work = ReadRecovery(bytes, &reason);
        }
        if (!work) {
            SetAside(folder, copy, reason);
            continue;
        }
        if (restored) {
            close(copy.lockFd);  // kept for a later start
            continue;
        }
        // Enter restores: a key pressed by habit must not throw the work away.
        if (tk::AskYesNo("Recovery...", "Restore the unsaved work of the last session?", tk::Answer::Yes) ==
            tk::Answer::Yes) {
            ShowRestored(s, *work);
            restored = true;
            // The old copy goes once this editor's own copy holds the work.
            Keeper& k = K();
            k.lastSeen = WriteRecovery(s.doc, s.CurrentSlot);
            if (k.lockFd >= 0 && WriteCopyAndWait(k, k.lastSeen)) Forget(folder, copy);
            else close(copy.lockFd);
        } else {
            // Declined work is kept where the user can still take it back.
            KeepAside(folder, copy, ".declined");
        }
    }
    return restored;
}

// Why the folder cannot hold copies; empty when it can. A folder made here is
// for this user alone; one that was there keeps its mode, and so does
// whatever else has taken its name.
std::string UnusableFolder(const fs::path& folder) {
    std::error_code ec;
    fs::create_directories(folder.parent_path(), ec);
    if (mkdir(folder.c_str(), 0700) == 0) return "";
    if (errno != EEXIST) return std::strerror(errno);
    struct stat st {};
    if (stat(folder.c_str(), &st) != 0) return std::strerror(errno);
    if (!S_ISDIR(st.st_mode)) return "it is not a folder";
    if (access(folder.c_str(), W_OK | X_OK) != 0) return std::strerror(errno);
    return "";
}

long long NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

std::string RecoveryFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/') return std::string(state) + "/quillmere";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.local/state/quillmere";
}

void StartRecovery(EditorState& s) {
    EndRecovery();
    Keeper& k = K();
    const fs::path folder = RecoveryFolder();
    const std::string unusable = UnusableFolder(folder);
    if (!unusable.empty()) {
        tk::MessageBox("Recovery...", "Crash recovery is off: unsaved work cannot be kept in " + folder.string() +
                                          ": " + unusable + ".");
        return;
    }

    // Named by process and start time, so a process number used again never
    // meets a copy left from before.
    const auto since = std::chrono::system_clock::now().time_since_epoch();
    const std::string id = std::to_string(getpid()) + "-" +
                           std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(since).count());
    k.copyPath = (folder / (id + kCopyExtension)).string();
    k.lockPath = (folder / (id + kLockExtension)).string();
    k.lockFd = TakeLock(k.lockPath);
    if (k.lockFd < 0) {
        tk::MessageBox("Recovery...", "Crash recovery is off: the lock " + k.lockPath + " cannot be taken: " +
                                          std::strerror(errno) + ".");
    }
    k.writer = std::make_unique<BackgroundWriter>(k.copyPath);
    k.active = true;
    OfferLeftovers(s, folder);
    tk::StartTimer(s.ui.window, kRecoveryTimer, kRecoveryTickMs);
}

void RecoveryTick(EditorState& s, long long nowMs) {
    Keeper& k = K();
    if (!k.active) return;
    NoteFailedWrite(k, k.writer->LastDone());
    if (!ChangedSinceSave(s)) {
        DropRecoveryCopy();
        return;
    }
    Bytes now = WriteRecovery(s.doc, s.CurrentSlot);
    if (now == k.written) {
        k.pendingSince = -1;
        return;
    }
    if (now != k.lastSeen) {
        k.lastSeen = std::move(now);
        k.changedAt = nowMs;
        if (k.pendingSince < 0) k.pendingSince = nowMs;
    }
    // A copy is only worth keeping while this editor's lock protects it.
    const bool due = nowMs - k.changedAt >= kQuietMs || nowMs - k.pendingSince >= kLongestWaitMs;
    if (k.lockFd >= 0 && due) {
        WriteCopy(k, k.lastSeen);
        k.pendingSince = -1;
    }
}

void RecoveryTick(EditorState& s) { RecoveryTick(s, NowMs()); }

void DropRecoveryCopy() {
    Keeper& k = K();
    if (!k.active) return;
    // Through the writer, behind any write still under way, which would
    // otherwise bring the copy back.
    if (k.mayExist) k.writer->Remove();
    k.mayExist = false;
    k.lastWrite = 0;
    k.written.clear();
    k.lastSeen.clear();
    k.pendingSince = -1;
}

void EndRecovery() {
    Keeper& k = K();
    if (!k.active) return;
    DropRecoveryCopy();
    // The copy is gone before the lock that guards it.
    k.writer.reset();
    std::error_code ec;
    fs::remove(k.lockPath, ec);
    if (k.lockFd >= 0) close(k.lockFd);
    k = Keeper{};
}

void SettleRecovery() {
    Keeper& k = K();
    if (k.active) NoteFailedWrite(k, k.writer->Settle());
}

std::string RecoveryCopyPath() { return K().copyPath; }

}  // namespace qm
