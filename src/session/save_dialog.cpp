#include "session/save_dialog.h"

#include <filesystem>
#include <system_error>

#include "core/paths.h"
#include "toolkit/toolkit.h"

namespace qm {

namespace {

bool FileIsThere(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

// Moving the pointer, or letting a button go, is not yet an action.
bool IsAction(const tk::Event& e) {
    switch (e.kind) {
        case tk::EventKind::KeyPressed:
        case tk::EventKind::MenuItem:
        case tk::EventKind::CloseRequest:
            return true;
        case tk::EventKind::Control:
            if (e.control == 0) return false;
            return tk::KindOf(e.control) != tk::ControlKind::Canvas || e.buttons != 0 ||
                   e.subKind != tk::SubKind::Other;
        default:
            return false;
    }
}

void TellSaved(EditorState& s, const std::string& path) {
    if (!tk::WindowExists(s.ui.window)) return;
    s.SaveNotice = "Saved " + FileNameOf(path);
    tk::SetStatusText(s.ui.window, kStatusCharField, s.SaveNotice);
}

}  // namespace

bool MayWriteOver(const std::string& title, const std::string& path) {
    if (!FileIsThere(path)) return true;
    return tk::AskYesNo(title, FileNameOf(path) + " already exists.\nDo you want to replace it?") == tk::Answer::Yes;
}

std::string AskSavePath(const std::string& title, const std::string& initialFile, const std::string& filters,
                        const std::string& ext, bool onlyUnderFirstFilter, int* chosenFilter) {
    // The dialog itself only sees the name as typed, before the extension is
    // added, so the question about replacing a file is asked here.
    std::string initial = initialFile;
    for (;;) {
        const tk::FileAnswer answer = tk::SaveFileDialog(title, initial, filters, 0);
        if (answer.path.empty()) return {};
        const std::string path =
            ext.empty() ? answer.path : WithDefaultExtension(answer.path, ext, onlyUnderFirstFilter, answer.filterIndex);
        if (!MayWriteOver(title, path)) {
            initial = path;
            continue;
        }
        if (chosenFilter) *chosenFilter = answer.filterIndex;
        return path;
    }
}

void AskAndSave(EditorState& s, const std::string& title, const std::string& filters, const std::string& ext,
                const std::vector<unsigned char>& bytes) {
    const std::string path = AskSavePath(title, "", filters, ext, true);
    if (!path.empty()) SaveAndTell(s, path, bytes);
}

bool SaveAndTell(EditorState& s, const std::string& path, const std::vector<unsigned char>& bytes) {
    if (!tk::SaveFileReporting(path, bytes)) return false;
    TellSaved(s, path);
    return true;
}

bool SaveAllAndTell(EditorState& s, const std::vector<OutputFile>& files) {
    if (files.empty() || !tk::SaveFilesReporting(files)) return false;
    TellSaved(s, files.back().path);
    return true;
}

void EndSaveNotice(EditorState& s, const tk::Event& event) {
    if (s.SaveNotice.empty() || !IsAction(event)) return;
    // Unless something else has taken the field since.
    if (tk::WindowExists(s.ui.window) && tk::StatusText(s.ui.window, kStatusCharField) == s.SaveNotice) {
        tk::SetStatusText(s.ui.window, kStatusCharField, "");
    }
    s.SaveNotice.clear();
}

}  // namespace qm
