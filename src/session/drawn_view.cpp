#include "session/drawn_view.h"

namespace qm {

bool DrawnView::Unchanged(tk::ControlId canvas, const ViewInputs& inputs) {
    if (drawn_ && canvas == canvas_ && tk::CanvasSurface(canvas).Generation() == generation_ &&
        inputs.Bytes() == inputs_) {
        return true;
    }
    canvas_ = canvas;
    drawn_ = false;
    inputs_ = inputs.Bytes();
    return false;
}

void DrawnView::Drawn() {
    if (canvas_ == 0) return;
    generation_ = tk::CanvasSurface(canvas_).Generation();
    drawn_ = true;
}

}  // namespace qm
