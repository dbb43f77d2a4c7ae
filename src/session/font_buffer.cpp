#include "session/font_buffer.h"

namespace qm {

namespace {
int ResolveSlot(const EditorState& s, int slot) { return slot == -1 ? s.CurrentSlot : slot; }
}  // namespace

void PackFont(EditorState& s, int slot) { s.FontBuffer = PackFont(s.doc.Slots[ResolveSlot(s, slot)]); }

void UnpackFont(EditorState& s, int slot) { UnpackFont(s.FontBuffer, s.doc.Slots[ResolveSlot(s, slot)]); }

}  // namespace qm
