// File requesters and message boxes, and their scripted stand-ins for tests.

#include <deque>

#include "toolkit/filter_list.h"
#include "toolkit/toolkit_private.h"

namespace tk {
namespace detail {
namespace {

struct Script {
    std::deque<FileAnswer> files;
    std::deque<Answer> answers;
    std::vector<Shown> shown;
};

Script& TheScript() {
    static Script script;
    return script;
}

QStringList QtFilters(const std::string& filters) {
    QStringList list;
    for (const std::string& entry : FilterEntries(filters)) list << Q(entry);
    return list;
}

// "*.*" reads as "every file" to the user, but the dialog takes it literally
// and hides names without a dot, which many files from the platform's disks
// have. The filter keeps its text; only what it lets through widens.
void WidenEveryFileFilter(QFileDialog& dialog, const QString& filter) {
    if (!filter.contains("*.*")) return;
    if (auto* model = dialog.findChild<QFileSystemModel*>()) model->setNameFilters({"*"});
}

// Icons and type names from the names of files alone. The dialog's own
// provider guesses a file's type from its first bytes, and it does so on the
// user's thread for a name typed or browsed to: in folders such as /proc and
// /dev a read may never return, and the editor would hang with the user's
// unsaved work in it.
class NameOnlyIconProvider : public QFileIconProvider {
public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo& info) const override {
        if (info.isRoot()) return icon(Drive);
        return icon(info.isDir() ? Folder : File);
    }
    QString type(const QFileInfo& info) const override {
        if (!info.isFile() || info.isRoot()) return QFileIconProvider::type(info);
        const QMimeType mime = mimeDatabase_.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
        return mime.comment().isEmpty() ? mime.name() : mime.comment();
    }

private:
    QMimeDatabase mimeDatabase_;
};

FileAnswer RunFileDialog(bool save, const std::string& title, const std::string& initialFile,
                         const std::string& filters, int preselectedFilter) {
    ShowNewWindows();
    const QStringList list = QtFilters(filters);
    NameOnlyIconProvider icons;
    QFileDialog dialog(QApplication::activeWindow(), Q(title), Q(initialFile), list.join(";;"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);  // its file model must be reachable
    dialog.setOption(QFileDialog::DontUseCustomDirectoryIcons);
    dialog.setIconProvider(&icons);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The caller adds the extension and asks about the name really written.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (preselectedFilter >= 0 && preselectedFilter < list.size()) dialog.selectNameFilter(list[preselectedFilter]);
    QObject::connect(&dialog, &QFileDialog::filterSelected,
                     [&dialog](const QString& filter) { WidenEveryFileFilter(dialog, filter); });
    WidenEveryFileFilter(dialog, dialog.selectedNameFilter());
    FileAnswer answer;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return answer;
    answer.path = S(dialog.selectedFiles().front());
    answer.filterIndex = std::max(0, static_cast<int>(list.indexOf(dialog.selectedNameFilter())));
    return answer;
}

FileAnswer ScriptedFile(const char* kind, const std::string& title, const std::string& initialFile,
                        const std::string& filters, int preselectedFilter) {
    Script& script = TheScript();
    script.shown.push_back({kind, title, initialFile, filters, preselectedFilter});
    if (script.files.empty()) return {};
    FileAnswer answer = script.files.front();
    script.files.pop_front();
    return answer;
}

// The next queued answer, or the given one when none is queued.
Answer ScriptedAnswer(const char* kind, const std::string& title, const std::string& text, Answer unqueued) {
    Script& script = TheScript();
    script.shown.push_back({kind, title, text, "", 0});
    if (script.answers.empty()) return unqueued;
    const Answer answer = script.answers.front();
    script.answers.pop_front();
    return answer;
}

}  // namespace
}  // namespace detail

using namespace detail;

FileAnswer OpenFileDialog(const std::string& title, const std::string& initialFile, const std::string& filters,
                          int preselectedFilter) {
    if (St().scripted) return ScriptedFile("open", title, initialFile, filters, preselectedFilter);
    return RunFileDialog(false, title, initialFile, filters, preselectedFilter);
}

FileAnswer SaveFileDialog(const std::string& title, const std::string& initialFile, const std::string& filters,
                          int preselectedFilter) {
    if (St().scripted) return ScriptedFile("save", title, initialFile, filters, preselectedFilter);
    return RunFileDialog(true, title, initialFile, filters, preselectedFilter);
}

void MessageBox(const std::string& title, const std::string& text) {
    if (St().scripted) {
        TheScript().shown.push_back({"message", title, text, "", 0});
        return;
    }
    ShowNewWindows();
    QMessageBox::information(QApplication::activeWindow(), Q(title), Q(text), QMessageBox::Ok);
}

Answer AskYesNo(const std::string& title, const std::string& text, Answer defaultAnswer) {
    if (St().scripted) return ScriptedAnswer("question", title, text, Answer::No);
    ShowNewWindows();
    const auto byDefault = defaultAnswer == Answer::Yes ? QMessageBox::Yes : QMessageBox::No;
    const auto button = QMessageBox::question(QApplication::activeWindow(), Q(title), Q(text),
                                              QMessageBox::Yes | QMessageBox::No, byDefault);
    return button == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

Answer AskSaveDiscardCancel(const std::string& title, const std::string& text) {
    if (St().scripted) return ScriptedAnswer("save-discard-cancel", title, text, Answer::Cancel);
    ShowNewWindows();
    QMessageBox box(QMessageBox::Warning, Q(title), Q(text), QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    if (clicked == box.button(QMessageBox::Save)) return Answer::Save;
    if (clicked == box.button(QMessageBox::Discard)) return Answer::Discard;
    return Answer::Cancel;
}

void SetScripted(bool scripted) { St().scripted = scripted; }

void QueueFileAnswer(const std::string& path, int filterIndex) { TheScript().files.push_back({path, filterIndex}); }

void QueueAnswer(Answer answer) { TheScript().answers.push_back(answer); }

const std::vector<Shown>& ShownRequesters() { return TheScript().shown; }

void ClearScript() {
    Script& script = TheScript();
    script.files.clear();
    script.answers.clear();
    script.shown.clear();
}

}  // namespace tk
