#pragma once

// The list of recently used projects, newest first, kept in a text file of
// one path a line in the user's configuration folder.

#include <string>
#include <vector>

namespace qm {

constexpr int kRecentProjectCount = 8;

// The editor's configuration folder: $XDG_CONFIG_HOME/quillmere, or
// $HOME/.config/quillmere when that is unset or not absolute; empty when
// neither is known. Either argument may be null.
std::string ConfigFolder(const char* xdgConfigHome, const char* home);
// ConfigFolder of this process's environment.
std::string UserConfigFolder();
// The lines of a file of the configuration folder (without their line ends);
// none when it cannot be read.
std::vector<std::string> ReadConfigLines(const std::string& file);
// Writes a file of the configuration folder safely, making the folder first.
// Returns the reason of a failure, or empty text.
std::string WriteConfigFile(const std::string& file, const std::vector<unsigned char>& bytes);
// The file that keeps the list, in the given configuration folder.
std::string RecentProjectsFile(const std::string& configFolder);

// The list kept in the file; empty when there is none. Blank lines are
// skipped and the list is cut at kRecentProjectCount.
std::vector<std::string> ReadRecentProjects(const std::string& file);
// Writes the list safely, making the folder first. Returns the reason of a
// failure, or empty text.
std::string WriteRecentProjects(const std::string& file, const std::vector<std::string>& list);

// Puts path at the head of the list, once, keeping at most kRecentProjectCount.
// A path that cannot be kept on a line of its own is left out.
void AddRecentProject(std::vector<std::string>& list, const std::string& path);

}  // namespace qm
