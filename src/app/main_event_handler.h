#pragma once

#include "session/editor_state.h"

namespace qm {

constexpr int kClickGuardEvents = 15;

// The main window's dispatcher. Returns false when the program is to end.
bool MainEventHandler(EditorState& s, const tk::Event& event);
// The view editor's and the map window's: their menus and buttons run
// commands, the rest is the window's own. Return false when the window is to
// be closed.
bool ViewEditorEventHandler(EditorState& s, const tk::Event& event);
bool MapEditorEventHandler(EditorState& s, const tk::Event& event);

// Holds left-button actions on the canvases back for the next events, so that
// the click that closed a file dialog paints nothing.
void ArmClickGuard(EditorState& s);

// RegisterRgb into the current slot's own colours.
void StoreSlotColors(EditorState& s);
// Font slots: +1 or -1. With exchangeColors the registers are stored into the
// slot that is left and loaded from the slot that is entered.
void StepSlot(EditorState& s, int delta, bool exchangeColors);
void StepSet(EditorState& s, int delta);

}  // namespace qm
