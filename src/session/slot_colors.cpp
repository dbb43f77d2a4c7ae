#include "session/slot_colors.h"

namespace qm {

void EnterSlotWithColors(EditorState& s, int slot) {
    s.Slot().colors = s.doc.RegisterRgb;
    s.CurrentSlot = slot;
    s.doc.RegisterRgb = s.Slot().colors;
    MatchRegisterValues(s.doc);
}

}  // namespace qm
