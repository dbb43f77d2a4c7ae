#pragma once

// Reading whole files and the one safe way of writing them.

#include <cstddef>
#include <string>
#include <vector>

namespace qm {

// Writes the whole file or nothing: the bytes go to a temporary file in the
// target's folder, which replaces the target only when complete and with the
// old file's owner, group and mode. Links are followed to the file they name,
// which is created when it is missing; the links stay. Where replacing is not
// possible or would lose something (a write-protected or sticky folder, a file
// with other hard links, an owner that cannot be kept) the target is written
// in place under a lock, and its old bytes are put back if that fails; a crash
// in the middle of that leaves a file of the new length whose end may still
// hold old bytes. A name of an open descriptor (/dev/stdout, /dev/fd/N), a
// terminal, a device or a named pipe is written to as it is. On failure the
// old file is as it was and the reason is returned; empty text means success.
// Without flushToDisk the file is still replaced whole but not waited for to
// reach the disk: for a file that another program reads at once and nobody
// keeps, such as the program an emulator is started on.
std::string SaveFileSafely(const std::string& path, const std::vector<unsigned char>& bytes, bool flushToDisk = true);

// A file to be written, with its bytes.
struct OutputFile {
    std::string path;
    std::vector<unsigned char> bytes;
};
// Saves files that belong together, each as SaveFileSafely does, and all or
// none where that is in this program's hands: every file's bytes are written
// and flushed before the first replaces its target, so that a failure while
// writing leaves every target as it was; they then replace their targets in
// the order given. On failure returns the reason and sets failed to the index
// of the file that failed; the files before it have been saved only when the
// failure came in replacing (a folder that changed under the save).
std::string SaveFilesSafely(const std::vector<OutputFile>& files, std::size_t& failed);
// Why SaveFileSafely(path, ...) would certainly fail, without writing
// anything: a missing or protected folder, a folder as target, a loop of
// links. Empty when the target looks writable.
std::string SaveTargetFault(const std::string& path);
// Whether two names lead to the same file, through links; for names of files
// not there yet, whether they would.
bool SameFile(const std::string& a, const std::string& b);
// Makes SIGINT, SIGTERM and SIGHUP remove the temporary files of saves under
// way before the process ends as the signal would end it. For programs that
// handle none of these signals themselves.
void RemoveTemporariesOnSignals();

// Reads a file, or its first maxBytes: the formats never look further, so a
// huge file chosen by mistake costs nothing. Returns false when it cannot be
// opened or is not a regular file, with errno telling why.
bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& bytes,
                   std::size_t maxBytes = static_cast<std::size_t>(-1));
// A folder for files of this user's that other programs read (a program for
// the emulator): quillmere in $XDG_RUNTIME_DIR, or quillmere-UID in the
// temporary folder, made when missing. A folder of that name that is not a
// folder of this user's alone is refused. Empty text with the reason on failure.
std::string PrivateTempFolder(std::string& reason);
// Size of a file by name; negative when it cannot be examined.
long long FileSize(const std::string& path);
// The folder separator of this platform.
char PathSeparator();

}  // namespace qm
