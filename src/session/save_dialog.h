#pragma once

#include <string>

namespace qm {

// The save dialog with its first filter preselected, and the chosen path
// after the extension rule; empty text when the dialog was cancelled.
std::string AskSavePath(const std::string& title, const std::string& initialFile, const std::string& filters,
                        const std::string& ext, bool onlyUnderFirstFilter);

}  // namespace qm
