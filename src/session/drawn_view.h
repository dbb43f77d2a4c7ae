#pragma once

// A view is drawn again only when something it is drawn from changed. What it
// is drawn from is gathered, byte for byte, and compared with what it was
// last drawn from; its surface must also be untouched since then. Only the
// inputs are kept, never the pictures, so nothing kept can go stale: a change
// of any input, or any other drawing into the surface, brings a redraw.

#include <cstdint>
#include <type_traits>
#include <vector>

#include "toolkit/toolkit.h"

namespace qm {

class ViewInputs {
public:
    // Room for what the biggest view is drawn from, so gathering never
    // moves what it has gathered.
    ViewInputs() { bytes_.reserve(32 * 1024); }

    template <class T>
    ViewInputs& Add(const T& value) {
        static_assert(std::has_unique_object_representations_v<T>,
                      "inputs are compared byte for byte, so they may hold no padding");
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(&value);
        bytes_.insert(bytes_.end(), bytes, bytes + sizeof value);
        return *this;
    }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

class DrawnView {
public:
    // Whether the canvas still shows what these inputs draw. When it does
    // not, the inputs are kept, and the caller draws and then calls Drawn().
    bool Unchanged(tk::ControlId canvas, const ViewInputs& inputs);
    // The canvas now shows what the inputs of the last Unchanged() draw.
    void Drawn();

private:
    tk::ControlId canvas_ = 0;
    bool drawn_ = false;
    std::uint64_t generation_ = 0;  // the surface's, right after the drawing
    std::vector<std::uint8_t> inputs_;
};

// The views of the editor that a full redraw may skip.
struct DrawnViews {
    DrawnView fontSheet, charEditor, smallSetView, largeSetView, viewScreen, setsViewer;
};

}  // namespace qm
