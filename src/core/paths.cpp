#include "core/paths.h"

#include <algorithm>
#include <cctype>

#include "core/file_io.h"

namespace qm {

std::string FileNameFromPath(const std::string& path, const std::string& separator) {
    if (separator.empty()) return path;
    const std::size_t at = path.rfind(separator[0]);
    return at == std::string::npos ? path : path.substr(at + 1);
}

std::string FileNameOf(const std::string& path) {
    return FileNameFromPath(path, std::string(1, PathSeparator()));
}

namespace {
std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::toupper(ch)); });
    return text;
}
}  // namespace

std::string WithDefaultExtension(const std::string& path, const std::string& ext,
                                 bool onlyUnderFirstFilter, int filterIndex) {
    if (onlyUnderFirstFilter && filterIndex != 0) return path;
    const std::string tail = path.size() >= ext.size() ? path.substr(path.size() - ext.size()) : path;
    return Upper(tail) == Upper(ext) ? path : path + ext;
}

}  // namespace qm
