#pragma once

// "Export to Tiled..." and "Import from Tiled..." of the "Project" menu: the
// view screen as a map for the Tiled map editor, and such a map back.

#include "session/editor_state.h"

namespace qm {

// Asks for OUT.tmx and writes it with OUT.tsx and OUT.png beside it: the
// screen, and the current slot's font drawn in the registers' colours.
void ExportToTiled(EditorState& s);
// Asks for a map and puts its first tile layer on the view screen, or on the
// tile map when the dialog's filter says so; a map that cannot be taken is
// refused with the reason and the document stays as it was.
void ImportFromTiled(EditorState& s);

}  // namespace qm
