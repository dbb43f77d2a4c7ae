#include "core/recent_projects.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/file_io.h"

namespace qm {

namespace {

bool IsAbsolute(const char* path) { return path != nullptr && path[0] == '/'; }

bool FitsOnALine(const std::string& path) {
    return !path.empty() && path.find('\n') == std::string::npos && path.find('\r') == std::string::npos;
}

}  // namespace

std::string ConfigFolder(const char* xdgConfigHome, const char* home) {
    // The base directory rules ignore a relative XDG_CONFIG_HOME.
    if (IsAbsolute(xdgConfigHome)) return std::string(xdgConfigHome) + "/quillmere";
    if (IsAbsolute(home)) return std::string(home) + "/.config/quillmere";
    return "";
}

std::string UserConfigFolder() { return ConfigFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")); }

std::string RecentProjectsFile(const std::string& configFolder) {
    return configFolder.empty() ? "" : configFolder + "/recent-projects";
}

std::vector<std::string> ReadConfigLines(const std::string& file) {
    std::vector<std::string> lines;
    std::vector<unsigned char> bytes;
    if (file.empty() || !ReadWholeFile(file, bytes, 64 * 1024)) return lines;
    std::string line;
    for (std::size_t i = 0; i <= bytes.size(); ++i) {
        if (i < bytes.size() && bytes[i] != '\n') {
            line += static_cast<char>(bytes[i]);
            continue;
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        line.clear();
    }
    return lines;
}

std::vector<std::string> ReadRecentProjects(const std::string& file) {
    std::vector<std::string> list;
    for (const std::string& line : ReadConfigLines(file)) {
        if (!line.empty() && std::find(list.begin(), list.end(), line) == list.end()) list.push_back(line);
    }
    if (list.size() > static_cast<std::size_t>(kRecentProjectCount)) list.resize(kRecentProjectCount);
    return list;
}

std::string WriteConfigFile(const std::string& file, const std::vector<unsigned char>& bytes) {
    if (file.empty()) return "no configuration folder is known";
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(file).parent_path(), error);
    if (error) return error.message();
    return SaveFileSafely(file, bytes);
}

std::string WriteRecentProjects(const std::string& file, const std::vector<std::string>& list) {
    std::vector<unsigned char> bytes;
    for (const std::string& path : list) {
        bytes.insert(bytes.end(), path.begin(), path.end());
        bytes.push_back('\n');
    }
    return WriteConfigFile(file, bytes);
}

void AddRecentProject(std::vector<std::string>& list, const std::string& path) {
    if (!FitsOnALine(path)) return;
    list.erase(std::remove(list.begin(), list.end(), path), list.end());
    list.insert(list.begin(), path);
    if (list.size() > static_cast<std::size_t>(kRecentProjectCount)) list.resize(kRecentProjectCount);
}

}  // namespace qm
