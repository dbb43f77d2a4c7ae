#pragma once

// Undo and redo for the editor: every change of the document is made as a
// named step, and the "Edit" menu takes steps back and does them again.

#include <string>
#include <utility>

#include "session/editor_state.h"
#include "session/menu_items.h"

namespace qm {

// The history starts from the document as it is now, which counts as saved.
void StartHistory(EditorState& s);

// A step made over several events (a paint stroke): the changes made until
// EndStep become one step called name. A step already open is ended first.
void BeginStep(EditorState& s, const std::string& name);
// Records the changes since the last step as the open step, if any; changes
// made with no step open are taken in without a step (not undoable). Updates
// the "Edit" menu.
void EndStep(EditorState& s);
bool StepOpen(const EditorState& s);

// Makes whatever change does to the document one step called name, e.g.
// RecordStep(s, "Compact", [&] { CompactFont(s); }).
template <typename Change>
void RecordStep(EditorState& s, const std::string& name, Change&& change) {
    BeginStep(s, name);
    std::forward<Change>(change)();
    EndStep(s);
}

// Whether the document changed since the project was last saved (or since
// start-up); steps undone back to the save point count as unchanged.
bool ChangedSinceSave(const EditorState& s);
// The document as it is now has been saved.
void MarkSaved(EditorState& s);

// Take back the last step or do the next one again, in the slot it changed
// when that is not the current one (entered as the slot buttons enter a slot,
// so every slot keeps its own colours), and redraw. Nothing when there is none.
void UndoStep(EditorState& s);
void RedoStep(EditorState& s);

// "Undo <step>" and "Redo <step>" with their state; the main window's menu.
void ShowUndoMenu(EditorState& s);
// Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y on a window of the editor.
void AddUndoShortcuts(tk::WindowId window);

}  // namespace qm
