#pragma once

// One started editor shared by every benchmark, filled the way a user's
// working session looks: fonts in the first two slots, every set and the whole
// view screen full of characters, the sets viewer and the view editor open.

#include <vector>

#include "session/editor_state.h"

namespace qm::bench {

EditorState& Editor();

// The display modes the drawing benchmarks compare.
void UseHiRes(EditorState& s);
void UseMaskLayer(EditorState& s);

// Every canvas that a full redraw draws into, found by watching which surfaces
// change; the floor fills the same pixels.
std::vector<tk::ControlId> RedrawnCanvases(EditorState& s);

// A multi-line text control, the kind the source export fills.
tk::ControlId ExportPreview();

// Shuts the editor's windows before the toolkit goes away.
void CloseEditor();

}  // namespace qm::bench
