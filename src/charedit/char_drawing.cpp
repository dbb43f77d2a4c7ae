#include "charedit/char_editor.h"
#include "charedit/font_sheet.h"

namespace qm {

namespace {

constexpr int kEditorScale = 30;
constexpr int kSetCanvasScale = 10;
constexpr Rgb kBlack = tk::MakeRgb(0, 0, 0);
constexpr Rgb kGridDot = tk::MakeRgb(64, 64, 64);
constexpr Rgb kMaskCross = tk::MakeRgb(170, 170, 170);
constexpr int kMaskOpacity = 170;
constexpr int kSeeThroughOpacity = 17;
constexpr int kOpaque = 255;

int PairValue(const FontSlot& slot, int ch, int x, int y) {
    return 2 * slot.Pixel(ch, x, y) + slot.Pixel(ch, x + 1, y);
}

// Slots 9 and 10 have no layer underneath: the layer is always a slot below 10.
bool HasMaskLayer(const EditorState& s) { return s.CurrentSlot + 1 < kSlotCount; }

void DrawCross(tk::Surface& surface, int left, int top, int scale) {
    const Rgb color = tk::WithAlpha(kMaskCross, kOpaque);
    surface.LineBetween(left, top, left + 2 * scale, top + scale, color);
    surface.LineBetween(left, top + scale, left + 2 * scale, top, color);
}

// The next slot's character shows dimmed under this one, every coloured pair
// of it crossed, so the user can trace over it.
void DrawOverMask(const EditorState& s, tk::Surface& surface, int ch, int left, int top, int scale) {
    const FontSlot& slot = s.Slot();
    const bool hasLayer = HasMaskLayer(s);
    const FontSlot& layer = s.Slots[hasLayer ? s.CurrentSlot + 1 : s.CurrentSlot];
    surface.SetBlending(true);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; x += 2) {
            const int boxLeft = left + scale * x;
            const int boxTop = top + scale * y;
            if (hasLayer) {
                const int under = PairValue(layer, ch, x, y);
                surface.FillBox(boxLeft, boxTop, 2 * scale, scale, tk::WithAlpha(PairColor(s, under), kMaskOpacity));
                if (under != 0) DrawCross(surface, boxLeft, boxTop, scale);
            }
            const int value = PairValue(slot, ch, x, y);
            const int opacity = value == 0 ? kSeeThroughOpacity : kOpaque;
            surface.FillBox(boxLeft, boxTop, 2 * scale, scale, tk::WithAlpha(PairColor(s, value), opacity));
        }
    }
    surface.SetBlending(false);
}

void DrawCharacter(const EditorState& s, tk::Surface& surface, int ch, int left, int top, int scale) {
    if (ch < 0 || ch >= kCharCount) return;
    if (s.MulticolorMode != 0 && s.LayerMode == 2) {
        DrawOverMask(s, surface, ch, left, top, scale);
    } else {
        DrawGlyph(s, surface, ch, left, top, scale);
    }
}

void DrawGridDots(tk::Surface& surface) {
    for (int i = 1; i <= 7; ++i) {
        for (int j = 0; j <= 7; ++j) surface.Plot(kEditorScale * j, kEditorScale * i, kGridDot);
    }
}

}  // namespace

void DrawCharEditor(EditorState& s) {
    tk::Surface& surface = tk::CanvasSurface(s.ui.charEditor);
    surface.FillBox(0, 0, 8 * kEditorScale, 8 * kEditorScale, kBlack);
    if (s.CurrentChar != kEmptyCell) DrawCharacter(s, surface, s.CurrentChar, 0, 0, kEditorScale);
    DrawGridDots(surface);
    tk::Refresh(s.ui.charEditor);
}

void DrawCharAt(EditorState& s, tk::Surface& surface, int ch, int left, int top) {
    DrawCharacter(s, surface, ch, left, top, kSetCanvasScale);
}

}  // namespace qm
