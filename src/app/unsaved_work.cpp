#include "app/unsaved_work.h"

#include "app/file_opening.h"
#include "app/recovery.h"
#include "files/project_file.h"
#include "session/saved_state.h"
#include "session/undo.h"

namespace qm {

namespace {

bool MayLeave(EditorState& s, const std::string& title, const std::string& leaving) {
    return MayLeaveWork(s, title, leaving, [&s] {
        // "Save" without a project file would do nothing, and the question
        // would come back until the work was thrown away.
        return SaveWork(s, s.doc.ProjectPath.empty() ? SaveMode::SaveAs : SaveMode::Save);
    });
}

}  // namespace

bool SaveWork(EditorState& s, SaveMode mode) {
    if (!SaveProject(s, mode)) return false;
    MarkSaved(s);
    DropRecoveryCopy(s);
    RememberProject(s);
    return true;
}

bool MayEnd(EditorState& s) { return MayLeave(s, "Exit...", "before leaving?"); }

bool MayOpenAnotherProject(EditorState& s) { return MayLeave(s, "Open...", "before another project is opened?"); }

}  // namespace qm
