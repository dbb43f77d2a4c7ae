#pragma once

// A view is drawn again only when something it is drawn from changed. What it
// is drawn from is gathered, byte for byte, and compared with what it was
// last drawn from; its surface must also be untouched since then. Only the
// inputs are kept, never the pictures, so nothing kept can go stale: a change
// of any input, or any other drawing into the surface, brings a redraw.
//
// The font pixels a view draws from, and the codes of its grid of cells, are
// gathered apart from the rest: when they are all that changed, the view need
// draw again only the cells whose code or character changed (a paint stroke,
// a character placed, their undo and redo).

#include <bitset>
#include <cstdint>
#include <span>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/document.h"
#include "toolkit/toolkit.h"

namespace qm {

class ViewInputs {
public:
    // Room for what the biggest view is drawn from, so gathering never
    // moves what it has gathered.
    ViewInputs() {
        bytes_.reserve(24 * 1024);
        glyphs_.reserve(2 * kCharCount * 64);
        cells_.reserve(kViewColumns * kViewRows);
    }

    template <class T>
    ViewInputs& Add(const T& value) {
        static_assert(std::has_unique_object_representations_v<T>,
                      "inputs are compared byte for byte, so they may hold no padding");
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(&value);
        bytes_.insert(bytes_.end(), bytes, bytes + sizeof value);
        return *this;
    }
    // The pixels of a font, 64 a character, as the view draws them: a change
    // within them is a change of those characters alone.
    ViewInputs& AddGlyphs(std::span<const std::uint8_t, kCharCount * 64> pixels) {
        glyphs_.insert(glyphs_.end(), pixels.begin(), pixels.end());
        return *this;
    }
    // Values of cells, each drawn in a place of its own from its value alone;
    // a cell's index is its position among all the values added.
    ViewInputs& AddCells(std::span<const std::int32_t> values) {
        cells_.insert(cells_.end(), values.begin(), values.end());
        return *this;
    }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    const std::vector<std::uint8_t>& Glyphs() const { return glyphs_; }
    const std::vector<std::int32_t>& Cells() const { return cells_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::vector<std::uint8_t> glyphs_;
    std::vector<std::int32_t> cells_;
};

// What of a view is to be drawn again: nothing, everything, or the cells of
// some characters (a code stands for character code & 127) and the cells
// whose values changed.
class ViewChanges {
public:
    static ViewChanges All() {
        ViewChanges c;
        c.everything_ = true;
        return c;
    }
    static ViewChanges Of(const std::bitset<kCharCount>& chars, std::vector<bool> cells) {
        ViewChanges c;
        c.chars_ = chars;
        c.cells_ = std::move(cells);
        for (const bool changed : c.cells_) c.anyCell_ = c.anyCell_ || changed;
        return c;
    }
    bool Nothing() const { return !everything_ && chars_.none() && !anyCell_; }
    bool Everything() const { return everything_; }
    // Whether a cell holding this value is to be drawn again; values that are
    // no code change only with everything.
    bool Cell(int value) const { return everything_ || (IsCellCode(value) && chars_[CharOfCode(value)]); }
    // The same for the cell of this index among the cells gathered, whose
    // value may have changed too.
    bool Cell(int index, int value) const {
        return Cell(value) || (index >= 0 && static_cast<std::size_t>(index) < cells_.size() && cells_[index]);
    }

private:
    bool everything_ = false;
    bool anyCell_ = false;
    std::bitset<kCharCount> chars_;
    std::vector<bool> cells_;
};

class DrawnView {
public:
    // What the canvas must draw again to show what these inputs draw. Unless
    // it is nothing, the inputs are kept, and the caller draws what was
    // named and then calls Drawn().
    ViewChanges Changes(tk::ControlId canvas, const ViewInputs& inputs);
    // The canvas now shows what the inputs of the last call draw.
    void Drawn();

private:
    tk::ControlId canvas_ = 0;
    bool drawn_ = false;
    std::uint64_t generation_ = 0;  // the surface's, right after the drawing
    std::vector<std::uint8_t> inputs_;
    std::vector<std::uint8_t> glyphs_;
    std::vector<std::int32_t> cells_;
};

// The views of the editor that a full redraw may skip.
struct DrawnViews {
    DrawnView fontSheet, charEditor, smallSetView, largeSetView, viewScreen, setsViewer;
};

}  // namespace qm
