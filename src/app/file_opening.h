#pragma once

// Files opened by name rather than through a dialog: those dropped on the main
// window and those named on the command line, and the "Open Recent" list.

#include <string>
#include <vector>

#include "core/recent_projects.h"
#include "session/editor_state.h"
#include "session/menu_items.h"

namespace qm {

// Loads each file as its extension says, in the order given: a .fnt into the
// current slot and further fonts into the slots after it, a .proj opens, a
// .set, .sets, .col or .ved loads as its button does. Files of another kind,
// fonts past the last slot and files that cannot be read are left out and
// named in one message at the end. Redraws once.
void OpenFiles(EditorState& s, const std::vector<std::string>& paths);
// The files named on the command line, opened after start-up: as OpenFiles,
// but where the work starts rather than a step undo could take back.
void OpenCommandLineFiles(EditorState& s, const std::vector<std::string>& paths);
// The undo step's name for opening these files.
std::string OpenFilesStepName(const std::vector<std::string>& paths);

// Puts the project in use at the head of the recent list, keeps the list and
// shows it in the menu. Nothing when no project is in use.
void RememberProject(EditorState& s);
// Shows the kept list in the "Open Recent" menu.
void ShowRecentProjects(EditorState& s);
// The recent item chosen: opens its project, or when the file is gone drops it
// from the list and says so.
void OpenRecentProject(EditorState& s, int menuItem);
bool IsRecentItem(int menuItem);

}  // namespace qm
