#include "files/font_buffer.h"

namespace qm {

namespace {
int ResolveSlot(const EditorState& s, int slot) { return slot == -1 ? s.CurrentSlot : slot; }
}  // namespace

void PackFont(EditorState& s, int slot) {
    const FontSlot& font = s.Slots[ResolveSlot(s, slot)];
    s.FontBuffer.fill(0);
    for (int c = 0; c < kCharCount; ++c) {
        for (int r = 0; r < 8; ++r) {
            std::uint8_t byte = 0;
            for (int x = 0; x < 8; ++x) {
                if (font.Pixel(c, x, r) == 1) byte |= static_cast<std::uint8_t>(0x80 >> x);
            }
            s.FontBuffer[c * 8 + r] = byte;
        }
    }
}

void UnpackFont(EditorState& s, int slot) {
    FontSlot& font = s.Slots[ResolveSlot(s, slot)];
    for (int c = 0; c < kCharCount; ++c) {
        for (int r = 0; r < 8; ++r) {
            const std::uint8_t byte = s.FontBuffer[c * 8 + r];
            for (int x = 0; x < 8; ++x) font.Pixel(c, x, r) = (byte >> (7 - x)) & 1;
        }
    }
}

}  // namespace qm
