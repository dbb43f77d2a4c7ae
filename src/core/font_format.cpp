#include "core/font_format.h"

#include <algorithm>

#include "core/no_coverage.h"

namespace qm {

FontBytes ReadFontBytes(const Bytes& file) {
    FontBytes font{};
    ByteReader(file).Read(font.data(), font.size());
    return font;
}

Bytes WriteFontBytes(const FontBytes& font) { return Bytes(font.begin(), font.end()); }

Bytes WriteFontRange(const FontBytes& font, int from, int to) {
    from = std::clamp(from, 0, kCharCount - 1);
    to = std::clamp(to, 0, kCharCount - 1);
    if (from > to) return {};
    return Bytes(font.begin() + from * 8, font.begin() + (to + 1) * 8);
}

// Every load and save of every slot passes through these two loops. Pixel
// (c, x, r) is pixels[8 (8c + r) + x]: font byte i has its pixels at 8i.
QM_NO_COVERAGE FontBytes PackFont(const FontSlot& font) {
    FontBytes bytes{};
    std::uint8_t* byte = bytes.data();
    const std::uint8_t* pixel = font.pixels.data();
    for (int i = 0; i < kFontBytes; ++i, pixel += 8) {
        unsigned row = 0;
        for (int x = 0; x < 8; ++x) row |= static_cast<unsigned>(pixel[x] == 1) << (7 - x);
        byte[i] = static_cast<std::uint8_t>(row);
    }
    return bytes;
}

QM_NO_COVERAGE void UnpackFont(const FontBytes& bytes, FontSlot& font) {
    const std::uint8_t* byte = bytes.data();
    std::uint8_t* pixel = font.pixels.data();
    for (int i = 0; i < kFontBytes; ++i, pixel += 8) {
        for (int x = 0; x < 8; ++x) pixel[x] = (byte[i] >> (7 - x)) & 1;
    }
}

}  // namespace qm
