#pragma once

// Every font slot keeps its own colours; the registers show those of the
// current slot.

#include "session/editor_state.h"

namespace qm {

// Makes slot the current one as the slot buttons do: the registers are stored
// as the colours of the slot that is left, then loaded from the slot that is
// entered, their bytes matched to the colours. Nothing is redrawn.
void EnterSlotWithColors(EditorState& s, int slot);

}  // namespace qm
