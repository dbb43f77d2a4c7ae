#pragma once

// The file requesters' filter lists, from the program's "|"-separated form
// to the window system's. Plain C++ so that it can be tested on its own.

#include <string>
#include <vector>

namespace tk::detail {

// "Name (*.a)|*.a|All files (*.*)|*.*" -> {"Name (*.a)", "All files (*.*)"}:
// one entry per name and pattern pair, named as the program names it, with
// the patterns in parentheses added where the name does not show them.
std::vector<std::string> FilterEntries(const std::string& filters);

}  // namespace tk::detail
