#include "cli/output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/options.h"
#include "core/file_io.h"

namespace qm::cli {

void WriteOutput(const std::string& path, const Bytes& bytes) {
    if (path == "-") {
        const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
        if (std::fflush(stdout) != 0 || !written) throw InputError("standard output", std::strerror(errno));
        return;
    }
    const std::string reason = SaveFileSafely(path, bytes);
    if (!reason.empty()) throw InputError(path, "cannot be written: " + reason);
}

void WriteText(const std::string& path, const std::string& text) { WriteOutput(path, Bytes(text.begin(), text.end())); }

}  // namespace qm::cli
