#include "session/drawn_view.h"

#include <cstring>

namespace qm {

namespace {

// The characters whose pixels differ in any of the fonts gathered.
std::bitset<kCharCount> ChangedChars(const std::vector<std::uint8_t>& before, const std::vector<std::uint8_t>& after) {
    std::bitset<kCharCount> changed;
    constexpr std::size_t kFontBytes = kCharCount * 64;
    for (std::size_t font = 0; font + kFontBytes <= after.size(); font += kFontBytes) {
        // Most redraws change nothing or one character: skip equal fonts whole.
        if (std::memcmp(before.data() + font, after.data() + font, kFontBytes) == 0) continue;
        for (int c = 0; c < kCharCount; ++c) {
            const std::size_t at = font + 64 * static_cast<std::size_t>(c);
            if (std::memcmp(before.data() + at, after.data() + at, 64) != 0) changed.set(c);
        }
    }
    return changed;
}

std::vector<bool> ChangedCells(const std::vector<std::int32_t>& before, const std::vector<std::int32_t>& after) {
    if (before == after) return {};
    std::vector<bool> changed(after.size());
    for (std::size_t i = 0; i < after.size(); ++i) changed[i] = before[i] != after[i];
    return changed;
}

}  // namespace

ViewChanges DrawnView::Changes(tk::ControlId canvas, const ViewInputs& inputs) {
    const bool sameFrame = drawn_ && canvas == canvas_ && tk::CanvasSurface(canvas).Generation() == generation_ &&
                           inputs.Bytes() == inputs_ && inputs.Glyphs().size() == glyphs_.size() &&
                           inputs.Cells().size() == cells_.size();
    const ViewChanges changes =
        sameFrame ? ViewChanges::Of(ChangedChars(glyphs_, inputs.Glyphs()), ChangedCells(cells_, inputs.Cells()))
                  : ViewChanges::All();
    if (changes.Nothing()) return changes;
    canvas_ = canvas;
    drawn_ = false;
    if (!sameFrame) inputs_ = inputs.Bytes();
    glyphs_ = inputs.Glyphs();
    cells_ = inputs.Cells();
    return changes;
}

void DrawnView::Drawn() {
    if (canvas_ == 0) return;
    generation_ = tk::CanvasSurface(canvas_).Generation();
    drawn_ = true;
}

}  // namespace qm
