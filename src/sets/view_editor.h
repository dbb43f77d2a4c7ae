#pragma once

#include "session/editor_state.h"

namespace qm {

void OpenViewEditor(EditorState& s);
// (px, py): where the current set follows the pointer; -1 for no preview.
void DrawViewScreen(EditorState& s, int px, int py);
// The window's own events: its close box, its resizing and its canvas; its
// menus and buttons run the program's commands. Returns false when the window
// is to be closed; so does ViewExportHandler.
bool ViewEditorHandler(EditorState& s, const tk::Event& event);
bool ViewExportHandler(EditorState& s, const tk::Event& event);

// What the window's menus and buttons do.
void FillViewScreen(EditorState& s, int code);
// The options that are both a check box and a menu item.
enum class ViewOption { Grid, SetDraw, OnTop };
// From the menu: the option and its box flip together.
void FlipViewOption(EditorState& s, ViewOption option);
// From the box, which the user has just ticked or cleared.
void ViewOptionFromBox(EditorState& s, ViewOption option);
// The window is closing: its export dialog goes with it.
void CloseViewEditor(EditorState& s);

}  // namespace qm
