#pragma once

#include <string>
#include <vector>

#include "core/file_io.h"
#include "session/editor_state.h"

namespace qm {

// The save dialog with its first filter preselected, and the chosen path after
// the extension rule (none when ext is empty). When a file of that final name
// is already there, the user is asked before it is replaced; on No the dialog
// comes back at that name. Empty text when the dialog was cancelled. The
// filter left chosen (0 = the first) goes to chosenFilter when given.
std::string AskSavePath(const std::string& title, const std::string& initialFile, const std::string& filters,
                        const std::string& ext, bool onlyUnderFirstFilter, int* chosenFilter = nullptr);

// True when no file of that name is there, or the user agrees to replace it.
bool MayWriteOver(const std::string& title, const std::string& path);

// Saves with any failure shown as "Error!"; on success the first field of the
// main window's status bar says so until the user's next action.
bool SaveAndTell(EditorState& s, const std::string& path, const std::vector<unsigned char>& bytes);
// The same for files that belong together; the status bar names the last.
bool SaveAllAndTell(EditorState& s, const std::vector<OutputFile>& files);
// Asks for a new file (no initial name, the extension added under the first
// filter only) and saves the bytes there, as SaveAndTell does.
void AskAndSave(EditorState& s, const std::string& title, const std::string& filters, const std::string& ext,
                const std::vector<unsigned char>& bytes);
// Called with every event before it is handled: an action of the user ends
// the word of the last save.
void EndSaveNotice(EditorState& s, const tk::Event& event);

}  // namespace qm
