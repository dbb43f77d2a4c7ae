#include "session/saved_state.h"

#include "core/paths.h"
#include "session/undo.h"

namespace qm {

bool HasUnsavedWork(const EditorState& s) { return ChangedSinceSave(s); }

void MarkOpenedWork(EditorState& s) {
    if (StepOpen(s)) s.markSavedWhenStepEnds = true;
    else MarkSaved(s);
}

std::string MainWindowTitle(const EditorState& s) {
    std::string title = "Quillmere";
    if (!s.doc.ProjectPath.empty()) title += " - " + FileNameOf(s.doc.ProjectPath);
    if (HasUnsavedWork(s)) title += " *";
    return title;
}

void ShowSavedState(EditorState& s) {
    if (s.ui.window == 0) return;
    const std::string title = MainWindowTitle(s);
    if (title != s.shownTitle) tk::SetWindowTitle(s.ui.window, title);
    s.shownTitle = title;
}

bool MayLeaveWork(EditorState& s, const std::string& title, const std::string& leaving,
                  const std::function<bool()>& save) {
    if (!HasUnsavedWork(s)) return true;
    const std::string& path = s.doc.ProjectPath;
    const std::string work = path.empty() ? "The work" : "The project " + FileNameOf(path);
    switch (tk::AskSaveDiscardCancel(title, work + " has unsaved changes. Save them " + leaving)) {
        case tk::Answer::Save: return save();
        case tk::Answer::Discard: return true;
        default: return false;
    }
}

}  // namespace qm
