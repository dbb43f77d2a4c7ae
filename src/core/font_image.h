#pragma once

// The picture of a whole font: 32 characters a row, the normal half above
// the inverse half, as the image export writes it.

#include "core/document.h"
#include "core/image.h"

namespace qm {

// factor 1 to 4 screen pixels per font pixel: 256 x 64 times the factor.
// Hi-res: a set pixel shows LUM, a clear one BAK, swapped in the inverse half.
// Multicolour: each pixel pair selects BAK, PF0, PF1 or PF2, PF3 taking PF2's
// place in the inverse half.
Image RenderFontImage(const FontSlot& font, const RegisterColors& colors, bool multicolor, int factor);

}  // namespace qm
