#pragma once

#include <string>

namespace qm {

// The part of the path after the last separator; the whole path when there is
// none, empty text when it ends with one.
std::string FileNameFromPath(const std::string& path, const std::string& separator);

// The file name of a path with this platform's folder separator.
std::string FileNameOf(const std::string& path);

// The save dialogs' extension rule: ext (".fnt") is appended when the path
// does not already end in it, compared in upper case. With onlyUnderFirstFilter
// the rule applies only while the dialog's first filter was selected.
std::string WithDefaultExtension(const std::string& path, const std::string& ext,
                                 bool onlyUnderFirstFilter, int filterIndex);

}  // namespace qm
