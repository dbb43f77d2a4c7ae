#include "cli/output.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/options.h"
#include "core/file_io.h"

namespace qm::cli {

std::string LowerExtension(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    std::string ext = path.substr(dot);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

namespace {

// The kind of file an extension stands for; Other for any extension not the
// editor's or a picture's.
FileKind KindOfName(const std::string& path) {
    static const std::pair<const char*, FileKind> kNames[] = {
        {".fnt", FileKind::Font}, {".proj", FileKind::Project}, {".ved", FileKind::View},
        {".col", FileKind::Colors}, {".set", FileKind::Set},   {".sets", FileKind::AllSets},
        {".png", FileKind::Picture}, {".bmp", FileKind::Picture},
    };
    const std::string ext = LowerExtension(path);
    for (const auto& [name, kind] : kNames) {
        if (ext == name) return kind;
    }
    return FileKind::Other;
}

}  // namespace

void CheckOutput(const std::string& path, FileKind writes, const std::vector<ReadFrom>& inputs) {
    if (path == "-") return;
    const FileKind named = KindOfName(path);
    if (named != FileKind::Other && named != writes) {
        throw UsageError("the output " + path + " is named as a " + std::string(KindName(named)) +
                         " file, which this command does not write");
    }
    for (const auto& [input, kind] : inputs) {
        if (kind != writes && SameFile(path, input)) {
            throw UsageError("the output " + path + " is the input " + input + ", a " + KindName(kind) +
                             " file, which this command does not write");
        }
    }
    const std::string fault = SaveTargetFault(path);
    if (!fault.empty()) throw InputError(path, "cannot be written: " + fault);
}

void WriteOutput(const std::string& path, const Bytes& bytes) {
    if (path == "-") {
        const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
        if (std::fflush(stdout) != 0 || !written) throw InputError("standard output", std::strerror(errno));
        return;
    }
    const std::string reason = SaveFileSafely(path, bytes);
    if (!reason.empty()) throw InputError(path, "cannot be written: " + reason);
}

void WriteOutputs(const std::vector<OutputFile>& files) {
    std::size_t failed = 0;
    const std::string reason = SaveFilesSafely(files, failed);
    if (!reason.empty()) throw InputError(files[failed].path, "cannot be written: " + reason);
}

void WriteText(const std::string& path, const std::string& text) { WriteOutput(path, Bytes(text.begin(), text.end())); }

}  // namespace qm::cli
