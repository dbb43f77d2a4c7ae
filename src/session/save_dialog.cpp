#include "session/save_dialog.h"

#include "core/paths.h"
#include "toolkit/toolkit.h"

namespace qm {

std::string AskSavePath(const std::string& title, const std::string& initialFile, const std::string& filters,
                        const std::string& ext, bool onlyUnderFirstFilter) {
    const tk::FileAnswer answer = tk::SaveFileDialog(title, initialFile, filters, 0);
    if (answer.path.empty()) return {};
    return WithDefaultExtension(answer.path, ext, onlyUnderFirstFilter, answer.filterIndex);
}

}  // namespace qm
