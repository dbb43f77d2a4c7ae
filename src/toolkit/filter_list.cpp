#include "toolkit/filter_list.h"

namespace tk::detail {
namespace {

std::vector<std::string> SplitBars(const std::string& text) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : text) {
        if (c == '|') {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty() || !parts.empty()) parts.push_back(part);
    return parts;
}

}  // namespace

std::vector<std::string> FilterEntries(const std::string& filters) {
    const std::vector<std::string> parts = SplitBars(filters);
    std::vector<std::string> entries;
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        std::string patterns = i + 1 < parts.size() ? parts[i + 1] : "*";
        // The window system separates patterns by spaces and reads them from
        // the parentheses of the name.
        for (char& c : patterns) {
            if (c == ';') c = ' ';
        }
        std::string name = parts[i];
        if (name.find('(') == std::string::npos) name += " (" + patterns + ")";
        entries.push_back(name);
    }
    return entries;
}

}  // namespace tk::detail
