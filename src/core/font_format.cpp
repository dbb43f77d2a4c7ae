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

// Every load and save of every slot passes through these two loops.
QM_NO_COVERAGE FontBytes PackFont(const FontSlot& font) {
    FontBytes bytes{};
    for (int c = 0; c < kCharCount; ++c) {
        for (int r = 0; r < 8; ++r) {
            std::uint8_t byte = 0;
            for (int x = 0; x < 8; ++x) {
                if (font.Pixel(c, x, r) == 1) byte |= static_cast<std::uint8_t>(0x80 >> x);
            }
            bytes[c * 8 + r] = byte;
        }
    }
    return bytes;
}

QM_NO_COVERAGE void UnpackFont(const FontBytes& bytes, FontSlot& font) {
    for (int c = 0; c < kCharCount; ++c) {
        for (int r = 0; r < 8; ++r) {
            const std::uint8_t byte = bytes[c * 8 + r];
            for (int x = 0; x < 8; ++x) font.Pixel(c, x, r) = (byte >> (7 - x)) & 1;
        }
    }
}

}  // namespace qm
