#pragma once

// Codes at two screen pixels per font pixel (16 x 16 per character), the way
// the small set view, the sets viewer, the animation and the view editor show
// them, as DrawCode draws them: LUM on BAK in the hi-res view, a pair colour
// per pixel pair in the multicolour view, codes 128 to 255 inverse.

#include <array>

#include "session/editor_state.h"

namespace qm {

constexpr int kMiniCharSize = 16;

class MiniCharPainter {
public:
    // The painter renders each character once from the current slot and
    // registers; make a new one for every redraw.
    explicit MiniCharPainter(const EditorState& s) : s_(s) {}
    // Characters at scale screen pixels per font pixel instead, for views that
    // zoom.
    MiniCharPainter(const EditorState& s, int scale) : s_(s), scale_(scale) {}
    // A painter that draws only the cells the changes name and leaves the
    // others as they are.
    MiniCharPainter(const EditorState& s, const ViewChanges& only) : s_(s), only_(only) {}
    int CharSize() const { return 8 * scale_; }

    // Values that are not codes 0 to 255 draw nothing. A cell's index is its
    // place among the cells of the view's inputs, -1 when it has none there.
    void DrawChar(tk::Surface& target, int code, int left, int top, int index = -1);
    // The code, or a square of the empty colour for any other value.
    void DrawCell(tk::Surface& target, int code, int left, int top, Rgb empty, int index = -1);
    // Every non-empty cell of the set; empty cells leave the target as it is.
    void DrawSet(tk::Surface& target, const SetRecord& set, int left, int top);
    // Every cell of the set, empty ones in the empty colour; its cells' indices
    // follow from the first.
    void DrawSet(tk::Surface& target, const SetRecord& set, int left, int top, Rgb empty, int firstIndex = -1);

private:
    const tk::Surface& Glyph(int code);

    const EditorState& s_;
    int scale_ = kMiniCharSize / 8;
    ViewChanges only_ = ViewChanges::All();
    std::array<tk::Surface, kCodeCount> glyphs_{};
};

}  // namespace qm
