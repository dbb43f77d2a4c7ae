#include "sets/mini_chars.h"

#include "charedit/glyph.h"
#include "core/document.h"

namespace qm {

// A screen full of characters draws each of them many times: render each
// once, then copy.
const tk::Surface& MiniCharPainter::Glyph(int code) {
    tk::Surface& glyph = glyphs_[code];
    if (glyph.Width() == 0) {
        glyph.Resize(CharSize(), CharSize());
        DrawCode(s_, glyph, code, 0, 0, scale_);
    }
    return glyph;
}

void MiniCharPainter::DrawChar(tk::Surface& target, int code, int left, int top, int index) {
    if (IsCellCode(code) && only_.Cell(index, code)) target.DrawImage(left, top, Glyph(code));
}

void MiniCharPainter::DrawCell(tk::Surface& target, int code, int left, int top, Rgb empty, int index) {
    if (!only_.Cell(index, code)) return;
    if (IsCellCode(code)) {
        target.DrawImage(left, top, Glyph(code));
    } else {
        target.FillBox(left, top, CharSize(), CharSize(), empty);
    }
}

void MiniCharPainter::DrawSet(tk::Surface& target, const SetRecord& set, int left, int top) {
    for (int cell = 0; cell < kSetCells; ++cell) {
        DrawChar(target, set.cells[cell], left + CharSize() * (cell % 5), top + CharSize() * (cell / 5));
    }
}

void MiniCharPainter::DrawSet(tk::Surface& target, const SetRecord& set, int left, int top, Rgb empty,
                              int firstIndex) {
    for (int cell = 0; cell < kSetCells; ++cell) {
        DrawCell(target, set.cells[cell], left + CharSize() * (cell % 5), top + CharSize() * (cell / 5), empty,
                 firstIndex < 0 ? -1 : firstIndex + cell);
    }
}

}  // namespace qm
