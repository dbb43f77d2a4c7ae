#pragma once

// The raw font file: the 1024 bytes of a font with nothing around them, or a
// run of whole characters when only a range is saved.

#include <array>
#include <cstdint>

#include "app/editor_state.h"
#include "files/byte_stream.h"

namespace qm {

using FontBytes = std::array<std::uint8_t, kFontBytes>;

// The first 1024 bytes of the file; a short file leaves the rest zero.
FontBytes ReadFontBytes(const Bytes& file);
Bytes WriteFontBytes(const FontBytes& font);
// Characters from to last, eight bytes each; codes are clamped to 0..127.
Bytes WriteFontRange(const FontBytes& font, int from, int to);

}  // namespace qm
