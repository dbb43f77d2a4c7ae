#include "charedit/char_editor.h"
#include "charedit/font_sheet.h"
#include "charedit/glyph.h"

namespace qm {

namespace {

constexpr int kEditorScale = 30;
constexpr int kSetCanvasScale = 10;
constexpr Rgb kBlack = tk::MakeRgb(0, 0, 0);
constexpr Rgb kGridDot = tk::MakeRgb(64, 64, 64);
constexpr Rgb kMaskCross = tk::MakeRgb(170, 170, 170);
constexpr int kMaskOpacity = 170;
constexpr int kSeeThroughOpacity = 17;

int PairValue(const FontSlot& slot, int ch, int x, int y) {
    return 2 * slot.Pixel(ch, x, y) + slot.Pixel(ch, x + 1, y);
}

// Slots 9 and 10 have no layer underneath: the layer is always a slot below 10.
bool HasMaskLayer(const EditorState& s) { return s.CurrentSlot + 1 < kSlotCount; }

void DrawCross(tk::Surface& surface, int left, int top, int scale, Rgb color) {
    surface.LineBetween(left, top, left + 2 * scale, top + scale, color);
    surface.LineBetween(left, top + scale, left + 2 * scale, top, color);
}

// Colour of a pixel `under` once `over` is drawn on it with this opacity, by
// the surface's own blending rule.
Rgb Composite(Rgb over, int opacity, Rgb under) {
    static tk::Surface pixel(1, 1);
    pixel.SetBlending(false);
    pixel.Plot(0, 0, under);
    pixel.SetBlending(true);
    pixel.Plot(0, 0, tk::WithAlpha(over, opacity));
    return pixel.Pixel(0, 0);
}

struct MaskPair {
    int left, top, scale;
    Rgb color;       // of the pair of this character
    bool hasLayer;
    Rgb layerColor;  // of the pair underneath
    bool crossed;    // the pair underneath is not background
};

// Opaque: nothing underneath survives within the box. The cross still counts,
// as its lines end one pixel past the box, in boxes drawn later.
void DrawOpaquePair(tk::Surface& surface, const MaskPair& p) {
    if (p.crossed) DrawCross(surface, p.left, p.top, p.scale, kMaskCross);
    surface.FillBox(p.left, p.top, 2 * p.scale, p.scale, p.color);
}

// Background: the layer shows through almost unchanged. Only the top row can
// hold stray ends of earlier crosses, so it alone is blended pixel by pixel;
// below it the ground is plain and every pixel comes out alike, but for the
// cross, which is drawn clipped to the box on a piece of its own.
void DrawSeeThroughPair(tk::Surface& surface, const MaskPair& p) {
    const int width = 2 * p.scale;
    const Rgb ground = surface.Pixel(p.left, p.top + p.scale - 1);
    surface.SetBlending(true);
    if (p.hasLayer) surface.FillBox(p.left, p.top, width, 1, tk::WithAlpha(p.layerColor, kMaskOpacity));
    surface.SetBlending(false);
    if (p.crossed) DrawCross(surface, p.left, p.top, p.scale, kMaskCross);
    surface.SetBlending(true);
    surface.FillBox(p.left, p.top, width, 1, tk::WithAlpha(p.color, kSeeThroughOpacity));
    surface.SetBlending(false);

    const Rgb layered = p.hasLayer ? Composite(p.layerColor, kMaskOpacity, ground) : ground;
    const Rgb body = Composite(p.color, kSeeThroughOpacity, layered);
    if (!p.crossed) {
        surface.FillBox(p.left, p.top + 1, width, p.scale - 1, body);
        return;
    }
    tk::Surface piece(width, p.scale - 1);
    piece.FillBox(0, 0, width, p.scale - 1, body);
    DrawCross(piece, 0, -1, p.scale, Composite(p.color, kSeeThroughOpacity, kMaskCross));
    surface.DrawImage(p.left, p.top + 1, piece);
}

// The next slot's character shows dimmed under this one, every coloured pair
// of it crossed, so the user can trace over it. Each pixel comes out as if the
// layer's box were blended at opacity 170, its cross drawn over it and this
// character's box blended on top (17 for background, 255 for colour), box by
// box, without blending every pixel twice. An inverse code shows "11" in
// PF3, over the layer's character as well.
void DrawOverMask(const EditorState& s, tk::Surface& surface, int code, int left, int top, int scale) {
    const int ch = CharOfCode(code);
    const bool inverse = IsInverseCode(code);
    const FontSlot& slot = s.Slot();
    const bool hasLayer = HasMaskLayer(s);
    const FontSlot& layer = s.doc.Slots[hasLayer ? s.CurrentSlot + 1 : s.CurrentSlot];
    surface.SetBlending(false);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; x += 2) {
            const int value = PairValue(slot, ch, x, y);
            const int under = hasLayer ? PairValue(layer, ch, x, y) : 0;
            const MaskPair pair{left + scale * x, top + scale * y, scale, PairColor(s, value, inverse),
                                hasLayer,         PairColor(s, under, inverse), under != 0};
            if (value == 0) {
                DrawSeeThroughPair(surface, pair);
            } else {
                DrawOpaquePair(surface, pair);
            }
        }
    }
}

void DrawCharacter(const EditorState& s, tk::Surface& surface, int code, int left, int top, int scale) {
    if (!IsCellCode(code)) return;
    if (DrawsOverMask(s)) {
        DrawOverMask(s, surface, code, left, top, scale);
    } else {
        DrawCode(s, surface, code, left, top, scale);
    }
}

void DrawGridDots(tk::Surface& surface) {
    for (int i = 1; i <= 7; ++i) {
        for (int j = 0; j <= 7; ++j) surface.Plot(kEditorScale * j, kEditorScale * i, kGridDot);
    }
}

}  // namespace

bool DrawsOverMask(const EditorState& s) { return s.MulticolorMode == DisplayMode::Multicolor && s.LayerMode == Layer::Mask; }

void DrawCharEditor(EditorState& s) {
    const ViewChanges changes = s.drawn.charEditor.Changes(s.ui.charEditor, GlyphInputs(s).Add(s.CurrentChar));
    // Other characters changed: the one shown is as it was.
    if (!changes.Cell(s.CurrentChar)) {
        if (!changes.Nothing()) s.drawn.charEditor.Drawn();
        return;
    }
    tk::Surface& surface = tk::CanvasSurface(s.ui.charEditor);
    // A character covers the whole canvas; black goes first only where it
    // shows or where the character blends with it.
    const bool character = s.CurrentChar >= 0 && s.CurrentChar < kCharCount;
    if (!character || DrawsOverMask(s)) surface.FillBox(0, 0, 8 * kEditorScale, 8 * kEditorScale, kBlack);
    if (character) DrawCharacter(s, surface, s.CurrentChar, 0, 0, kEditorScale);
    DrawGridDots(surface);
    tk::Refresh(s.ui.charEditor);
    s.drawn.charEditor.Drawn();
}

void DrawCharAt(EditorState& s, tk::Surface& surface, int code, int left, int top) {
    DrawCharacter(s, surface, code, left, top, kSetCanvasScale);
}

}  // namespace qm
