#pragma once

#include <string>

#include "session/editor_state.h"

namespace qm {

// The name under which an event's change of the document is undone: "Paint",
// "Rotate", "Open Project"... Empty for the events whose changes are not the
// user's work (saving, stepping through slots), which make no step.
std::string StepNameOf(const EditorState& s, const tk::Event& event);

// Whether the event carries on a stroke on a canvas: a mouse event with a
// button held. A stroke's changes become one step when the button is let go.
inline bool ContinuesStroke(const tk::Event& event) {
    return event.kind == tk::EventKind::Control && event.buttons != 0;
}

}  // namespace qm
