#include "files/paths.h"

#include <algorithm>
#include <cctype>

#include "toolkit/toolkit.h"

namespace qm {

std::string FileNameFromPath(const std::string& path, const std::string& separator) {
    if (separator.empty()) return path;
    const std::size_t at = path.rfind(separator[0]);
    return at == std::string::npos ? path : path.substr(at + 1);
}

std::string FileNameOf(const std::string& path) {
    return FileNameFromPath(path, std::string(1, tk::PathSeparator()));
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

std::string AskSavePath(const std::string& title, const std::string& initialFile, const std::string& filters,
                        const std::string& ext, bool onlyUnderFirstFilter) {
    const tk::FileAnswer answer = tk::SaveFileDialog(title, initialFile, filters, 0);
    if (answer.path.empty()) return {};
    return WithDefaultExtension(answer.path, ext, onlyUnderFirstFilter, answer.filterIndex);
}

}  // namespace qm
