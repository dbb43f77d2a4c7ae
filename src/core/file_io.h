#pragma once

// Reading whole files and the one safe way of writing them.

#include <cstddef>
#include <string>
#include <vector>

namespace qm {

// Writes the whole file or nothing: the bytes go to a temporary file in the
// target's folder, which replaces the target only when complete. Where no such
// file can be made (a write-protected folder holding a writable file, a name
// too long for the temporary's additions) the target is written in place and
// its old bytes are put back if that fails. On failure the old file is as it
// was and the reason is returned; empty text means success.
std::string SaveFileSafely(const std::string& path, const std::vector<unsigned char>& bytes);
// Reads a file, or its first maxBytes: the formats never look further, so a
// huge file chosen by mistake costs nothing. Returns false when it cannot be
// opened or is not a regular file.
bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& bytes,
                   std::size_t maxBytes = static_cast<std::size_t>(-1));
// Size of a file by name; negative when it cannot be examined.
long long FileSize(const std::string& path);
// The folder separator of this platform.
char PathSeparator();

}  // namespace qm
