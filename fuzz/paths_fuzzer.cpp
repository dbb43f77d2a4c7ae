// The file-name and extension helpers over arbitrary names. Input: a flags
// byte, then the path and the extension separated by the first zero byte.

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/paths.h"
#include "invariants.h"

namespace {

using qm::fuzz::Require;

bool EndsWithIgnoringCase(const std::string& text, const std::string& tail) {
    if (tail.size() > text.size()) return false;
    return std::equal(tail.begin(), tail.end(), text.end() - static_cast<std::ptrdiff_t>(tail.size()),
                      [](unsigned char a, unsigned char b) { return std::toupper(a) == std::toupper(b); });
}

void CheckFileName(const std::string& path, const std::string& separator) {
    const std::string name = qm::FileNameFromPath(path, separator);
    Require(name.size() <= path.size() && path.compare(path.size() - name.size(), name.size(), name) == 0,
            "a file name is the end of its path");
    if (separator.empty()) return;
    Require(name.find(separator[0]) == std::string::npos, "a file name holds no separator");
    Require(name.size() == path.size() || path[path.size() - name.size() - 1] == separator[0],
            "a file name starts right after a separator");
}

void CheckExtension(const std::string& path, const std::string& ext, bool onlyUnderFirstFilter, int filter) {
    const std::string named = qm::WithDefaultExtension(path, ext, onlyUnderFirstFilter, filter);
    Require(named == path || named == path + ext, "the extension is added or nothing is");
    if (onlyUnderFirstFilter && filter != 0) {
        Require(named == path, "another filter leaves the name alone");
        return;
    }
    Require(EndsWithIgnoringCase(named, ext), "a saved name ends in its extension");
    Require(named == (EndsWithIgnoringCase(path, ext) ? path : path + ext), "an extension is added only when missing");
    Require(qm::WithDefaultExtension(named, ext, onlyUnderFirstFilter, filter) == named,
            "a second save keeps the name");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t flags = data[0];
    const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t split = rest.find('\0');
    const std::string path = rest.substr(0, split);
    const std::string ext = split == std::string::npos ? std::string(".fnt") : rest.substr(split + 1);

    CheckFileName(path, std::string(1, static_cast<char>(flags & 0x80 ? '\\' : '/')));
    CheckFileName(path, ext);
    CheckExtension(path, ext, (flags & 1) != 0, (flags >> 1) & 3);
    qm::FileNameOf(path);
    return 0;
}
