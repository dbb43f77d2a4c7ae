#pragma once

// The raw font file: the 1024 bytes of a font with nothing around them, or a
// run of whole characters when only a range is saved.

#include <array>
#include <cstdint>

#include "core/document.h"
#include "core/byte_stream.h"

namespace qm {


// The first 1024 bytes of the file; a short file leaves the rest zero.
FontBytes ReadFontBytes(const Bytes& file);
Bytes WriteFontBytes(const FontBytes& font);
// The pixel grid of a font in the 1024-byte form: byte 8c + r is row r of
// character c, bit 7 is column 0. Names and colours are left as they are.
FontBytes PackFont(const FontSlot& font);
void UnpackFont(const FontBytes& bytes, FontSlot& font);

// The platform's standard character set.
extern const FontBytes DefaultFontData;
// Characters from to last, eight bytes each; codes are clamped to 0..127.
Bytes WriteFontRange(const FontBytes& font, int from, int to);

}  // namespace qm
