#pragma once

// The recovery copies on the disk. Each running editor keeps its copy of
// unsaved work in the state folder under a name of its own, and holds a lock
// file beside it for as long as it runs: a copy whose lock nobody holds was
// left by an editor that is gone, and is the next start's to offer back.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/background_writer.h"
#include "core/byte_stream.h"

namespace qm {

// An exclusive lock on a file, held until released or destroyed.
class FileLock {
public:
    FileLock() = default;
    // Opens (making it if need be) and locks the file without waiting; not
    // held when another holds it or it cannot be made.
    static FileLock Take(const std::string& path);
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    ~FileLock() { Release(); }

    bool Held() const { return fd_ >= 0; }
    void Release();

private:
    int fd_ = -1;
};

// A copy left by an editor that is gone, kept from other starts by its lock
// until it is dealt with or let go.
class LeftoverCopy {
public:
    const std::string& Path() const { return path_; }
    // The copy's bytes; false when it cannot be read (or is far too large to
    // be a copy).
    bool Read(Bytes& bytes) const;
    // The copy and its lock go.
    void Forget();
    // Renames the copy under the extension (".declined"), out of the way of
    // later starts but where the user can still take it back; its lock goes.
    // Returns where it went.
    std::string KeepAside(const std::string& extension);
    // Leaves the copy as it is, for a later start.
    void LetGo() { lock_.Release(); }

private:
    friend class RecoveryFiles;
    LeftoverCopy(std::string folder, std::string id, FileLock lock, std::filesystem::file_time_type time);

    std::string folder_;
    std::string id_;
    std::string path_;
    FileLock lock_;
    std::filesystem::file_time_type time_;
};

// This editor's copy and lock. The disk is left to a thread of its own: a
// flushed write can wait for the disk far longer than a frame, and painting
// must not.
class RecoveryFiles {
public:
    // $XDG_STATE_HOME/quillmere, or ~/.local/state/quillmere.
    static std::string StateFolder();
    // Readies the folder for copies and returns why it cannot hold them;
    // empty when it can. A folder made here is for this user alone; one that
    // was there keeps its mode, and so does whatever else has taken its name.
    static std::string PrepareFolder(const std::string& folder);

    // Names this editor's copy in the folder and takes its lock.
    explicit RecoveryFiles(const std::string& folder);
    // Whatever was asked of the writing thread is carried out and the lock
    // is let go, but the copy stays: an editor leaving by any way but End
    // (the display gone, say) leaves its work for the next start.
    ~RecoveryFiles() = default;
    RecoveryFiles(const RecoveryFiles&) = delete;
    RecoveryFiles& operator=(const RecoveryFiles&) = delete;

    const std::string& CopyPath() const { return copyPath_; }
    const std::string& LockPath() const { return lockPath_; }
    // A copy is only worth writing while this editor's lock protects it.
    bool Locked() const { return lock_.Held(); }
    // Why the lock could not be taken; empty when it was.
    const std::string& LockFailure() const { return lockFailure_; }

    // The copies of editors that are no longer running, newest first, each
    // with its lock held. Locks without a copy, of editors that ended before
    // keeping anything, are cleared away on the way.
    std::vector<LeftoverCopy> TakeLeftovers() const;

    // Hands the copy to the writing thread; Written() holds it from now on.
    void Write(const Bytes& bytes);
    // Writes and waits until it is on the disk, for the start, where an old
    // copy may go only once the new one is safe. True when it got there.
    bool WriteAndWait(const Bytes& bytes);
    // The copy goes, behind any write still under way, which would otherwise
    // bring it back.
    void Remove();
    // A write that failed is forgotten, so that the copy is found due again
    // as if it had never been asked.
    void CheckLastWrite();
    // Waits until the writing thread has done all that was asked so far.
    void Settle();
    // What the copy holds once the writing thread is done; empty when none.
    const Bytes& Written() const { return written_; }

    // A regular end: the copy goes, then the lock that guards it. Nothing
    // more is asked of the object afterwards.
    void End();

private:
    void NoteOutcome(const BackgroundWriter::Outcome& outcome);

    std::string folder_;
    std::string copyPath_;
    std::string lockPath_;
    std::string lockFailure_;
    FileLock lock_;  // before the writer: released only once it has finished
    std::unique_ptr<BackgroundWriter> writer_;
    unsigned long long lastWrite_ = 0;  // the writer's number of the latest write
    bool mayExist_ = false;             // a write was asked since the last removal
    Bytes written_;
};

}  // namespace qm
