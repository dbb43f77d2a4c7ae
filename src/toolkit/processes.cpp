#include <QProcess>
#include <QStringList>

#include "toolkit/toolkit_private.h"

namespace tk {

bool StartProgram(const std::vector<std::string>& words, std::string& reason) {
    if (words.empty()) {
        reason = "no program is named";
        return false;
    }
    QProcess process;
    process.setProgram(detail::Q(words[0]));
    QStringList arguments;
    for (std::size_t i = 1; i < words.size(); ++i) arguments << detail::Q(words[i]);
    process.setArguments(arguments);
    // The program's own output would land in the editor's terminal.
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    if (process.startDetached()) return true;
    reason = detail::S(process.errorString());
    return false;
}

}  // namespace tk
