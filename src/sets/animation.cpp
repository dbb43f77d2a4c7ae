#include "sets/animation.h"

#include <string>

#include "sets/mini_chars.h"

namespace qm {

namespace {

constexpr int kTicksPerStep = 10;

std::string RangeErrorText(int start, int stop) {
    return "The animation cannot run backwards: the first set (" + std::to_string(start) +
           ") comes after the last set (" + std::to_string(stop) +
           "). Choose a first set that is not greater than the last.";
}

}  // namespace

void StartAnimation(EditorState& s) {
    const int start = tk::SelectedItem(s.ui.animStartList) + 1;
    const int stop = tk::SelectedItem(s.ui.animStopList) + 1;
    // A refused range leaves a running animation as it was.
    if (start > stop) {
        tk::MessageBox("Error anim!", RangeErrorText(start, stop));
        return;
    }
    s.AnimStart = start;
    s.AnimStop = stop;
    s.AnimFrame = s.AnimStart;
    s.AnimTicksLeft = (s.AnimStop - s.AnimStart) * kTicksPerStep;
    s.AnimRunning = true;
}

void AnimationTick(EditorState& s) {
    if (!s.AnimRunning) return;
    DrawAnimFrame(s, s.AnimFrame);
    if (++s.AnimFrame > s.AnimStop) s.AnimFrame = s.AnimStart;
    // A range of one set starts at 0 and so never meets 0 again: it runs
    // until the next start.
    if (--s.AnimTicksLeft == 0) s.AnimRunning = false;
}

void DrawAnimFrame(EditorState& s, int set) {
    if (s.ui.animCanvas == 0) return;
    tk::Surface& surface = tk::CanvasSurface(s.ui.animCanvas);
    surface.FillBox(0, 0, 120, 120, 0);
    if (set >= 1 && set <= kSetCount) MiniCharPainter(s).DrawSet(surface, s.doc.SetTable[set], 0, 0);
    tk::Refresh(s.ui.animCanvas);
}

}  // namespace qm
