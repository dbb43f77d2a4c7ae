#pragma once

// The raw font file: the 1024 bytes of a font with nothing around them, or a
// run of whole characters when only a range is saved.

#include <array>
#include <cstdint>
#include <string>

#include "core/document.h"
#include "core/byte_stream.h"

namespace qm {


// The first 1024 bytes of the file; a short file leaves the rest zero.
FontBytes ReadFontBytes(const Bytes& file);

// What the editor and the tool take as a font file: 1024 bytes; a binary load
// file of a font or of a range ($FF $FF, first and last address, then the
// bytes: 1030 bytes for a whole font), whose header is stepped over; a range
// of 8 to 1023 bytes, filling the font from character 0 with the rest blank;
// or a longer file up to kLargestFontFile, of which the first 1024 bytes are
// the font. Anything shorter than one character, larger, or recognisably a
// file of another kind is not a font.
inline constexpr long long kLargestFontFile = 64 * 1024;
struct FontFile {
    std::string notFont;     // why the file is not a font ("3 bytes"); empty when it is
    FontBytes font{};
    bool loadHeader = false;  // the binary load header was stepped over
    int heldBytes = 0;        // the font bytes the file held, up to 1024
};
// file: the file's first bytes (at least kLargestFontFile + 1 of them where
// there are); size: the whole file's size.
FontFile ReadFontFile(const Bytes& file, long long size);
// How much of the font a short file held, e.g. "12 of 128 characters";
// empty for a whole font.
std::string HeldCharsText(int heldBytes);
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
